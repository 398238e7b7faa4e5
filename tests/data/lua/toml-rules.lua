-- The rules of a system file (docs/systems.md), written as a script. The
-- system comes as a table `system` in front of this text, the bets as a
-- system file lists them:
--   system = {stop_loss = 500, take_profit = nil, bets = {
--     {pair = "red-black", rule = "fixed", side = "red", units = 1, ride = 2,
--      after = {"black", "any"}, progression = "labouchere", sequence = {1, 2},
--      limit = 64, virtual = 2}, ...}}
-- rule is "fixed", "follow" or "opposite"; limit, the stops, table_max and
-- capital may be nil.

local largest = 1 << 50
local other = {red = "black", black = "red", low = "high", high = "low",
               even = "odd", odd = "even"}
local fibonacci = {1, 1}
for i = 3, 80 do fibonacci[i] = fibonacci[i - 1] + fibonacci[i - 2] end

-- The table's maximum and the capital are the player's to keep.
table_max = system.table_max
capital = system.capital

local bets = system.bets
local state = {}   -- of every bet
local owner = {}   -- the bet whose stake is on a pair

-- What the line of a Labouchère asks for, in units.
local function pieces(line)
  if #line == 1 then return line[1] end
  return line[1] + line[#line]
end

local function limitOf(bet)
  return math.min(bet.limit or largest, largest)
end

-- units times n, or past every limit.
local function times(bet, n)
  if n > limitOf(bet) // bet.units then return largest + 1 end
  return bet.units * n
end

local function start(bet, s)
  s.step, s.series, s.size = 0, 0, bet.units
  if bet.progression == "labouchere" then
    s.line = {table.unpack(bet.sequence)}
    s.size = times(bet, pieces(s.line))
  end
end

for i, bet in ipairs(bets) do
  state[i] = {fictitious = (bet.virtual or 0) > 0, lostInARow = 0}
  start(bet, state[i])
end

local function oscarNeeds(bet, series)
  local ride = bet.ride or 0
  local gain = ride <= 0 and 1 or (ride >= 50 and largest or (1 << ride) - 1)
  local missing = bet.units - series
  return missing // gain + (missing % gain ~= 0 and 1 or 0)
end

local moves = {
  flat = function() end,
  martingale = function(bet, s, lost)
    s.size = lost and s.size * 2 or bet.units
  end,
  dalembert = function(bet, s, lost)
    s.size = lost and s.size + bet.units or math.max(bet.units, s.size - bet.units)
  end,
  fibonacci = function(bet, s, lost)
    s.step = lost and s.step + 1 or math.max(0, s.step - 2)
    s.size = times(bet, fibonacci[s.step + 1])
  end,
  labouchere = function(bet, s, lost, value)
    if lost then
      s.line[#s.line + 1] = s.size // bet.units
    else
      table.remove(s.line, 1)
      table.remove(s.line)
      if #s.line == 0 then return start(bet, s) end
    end
    s.size = times(bet, pieces(s.line))
  end,
  -- The series counts the stake as placed, which the table's maximum may cut.
  oscar = function(bet, s, lost, value, placed)
    if lost then
      s.series = s.series - placed
      return
    end
    s.series = s.series + value - placed
    if s.series >= bet.units then return start(bet, s) end
    s.size = math.min(s.size + bet.units, oscarNeeds(bet, s.series))
  end,
}

local function triggered(g, bet)
  local after = bet.after or {}
  if #after == 0 then return true end
  local last = g:last(bet.pair, #after)
  if #last < #after then return false end
  for i, side in ipairs(after) do
    if side ~= "any" and side ~= last[i] then return false end
  end
  return true
end

local function sideOf(g, bet)
  if bet.rule == "fixed" then return bet.side end
  local last = g:last(bet.pair, 1)
  if #last == 0 then return nil end
  return bet.rule == "follow" and last[1] or other[last[1]]
end

function place(g)
  if (system.stop_loss and g.saldo <= -system.stop_loss)
      or (system.take_profit and g.saldo >= system.take_profit) then
    return g:stop()
  end
  for i, bet in ipairs(bets) do
    local side = g:free(bet.pair) and triggered(g, bet) and sideOf(g, bet)
    if side then
      g:stake(side, state[i].size, {ride = bet.ride or 0, virtual = state[i].fictitious})
      owner[bet.pair] = i
    end
  end
end

function cycle(c)
  local i = owner[c.pair]
  local bet, s = bets[i], state[i]
  if c.virtual then
    if c.outcome == "lost" then
      s.lostInARow = s.lostInARow + 1
      if s.lostInARow >= bet.virtual then s.fictitious, s.lostInARow = false, 0 end
    elseif c.outcome == "home" then
      s.lostInARow = 0
    end
    return
  end
  if c.outcome ~= "back" then
    moves[bet.progression or "flat"](bet, s, c.outcome == "lost", c.stake, c.units)
    if s.size > limitOf(bet) then start(bet, s) end
  end
  if (bet.virtual or 0) > 0 then s.fictitious, s.lostInARow = true, 0 end
end
