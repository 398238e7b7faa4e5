-- Labouchère auf Rot mit geteilter Linie: gesetzt wird die erste plus die
-- letzte Zahl der Linie; ein Gewinn streicht beide, ein Verlust hängt den
-- Einsatz an. Wird die Linie länger als acht Zahlen, wird sie geteilt: die
-- hintere Hälfte wartet, bis die vordere gestrichen ist. Sind alle Linien
-- gestrichen, beginnt es wieder mit 1, 2, 3; ebenso, wenn ein Einsatz 500
-- Stücke überstiege (die Linien sind dann abgeschrieben).
name = "Labouchère auf Rot, Linie ab neun Zahlen geteilt"

local start = {1, 2, 3}
local line = {table.unpack(start)}
local waiting = {}   -- hintere Hälften, die zuletzt geteilte oben

local function stake()
  if #line == 1 then return line[1] end
  return line[1] + line[#line]
end

local function nextLine()
  line = table.remove(waiting) or {table.unpack(start)}
end

local once = {ride = 1}

function place(g)
  if not g:free("red-black") then return end
  if stake() > 500 then
    line, waiting = {table.unpack(start)}, {}
  end
  g:stake("red", stake(), once)
end

function cycle(c)
  if c.outcome == "lost" then
    line[#line + 1] = c.units
    if #line > 8 then
      local back = {}
      for i = 5, #line do back[#back + 1] = line[i] end
      for i = #line, 5, -1 do line[i] = nil end
      waiting[#waiting + 1] = back
    end
  elseif c.outcome == "home" then
    table.remove(line, 1)
    table.remove(line)
    if #line == 0 then nextLine() end
  end
end
