-- Fiktiver Einstieg: auf der zuletzt gefallenen Seite jeder Chance mitgehen,
-- aber erst echt setzen, wenn zwei fiktive Zyklen in Folge verloren sind.
name = "Mitgehen auf allen drei Chancen, fiktiver Einstieg"

local chances = {"red-black", "low-high", "even-odd"}
local watching, lostInARow = {}, {}
for _, pair in ipairs(chances) do
  watching[pair], lostInARow[pair] = true, 0
end

function place(g)
  if g.saldo <= -500 then return g:stop() end
  for _, pair in ipairs(chances) do
    local last = g:last(pair, 1)
    if g:free(pair) and #last == 1 then
      g:stake(last[1], 1, {ride = 1, virtual = watching[pair]})
    end
  end
end

-- Fiktiv, bis zwei fiktive Zyklen in Folge verloren sind; nach einem echten
-- Zyklus wieder fiktiv.
function cycle(c)
  if not c.virtual then
    watching[c.pair], lostInARow[c.pair] = true, 0
  elseif c.outcome == "lost" then
    lostInARow[c.pair] = lostInARow[c.pair] + 1
    if lostInARow[c.pair] >= 2 then
      watching[c.pair], lostInARow[c.pair] = false, 0
    end
  elseif c.outcome == "home" then
    lostInARow[c.pair] = 0
  end
end
