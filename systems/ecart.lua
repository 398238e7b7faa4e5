-- Ausgleich: auf jeder Chance die Seite, die zurückliegt, sobald ihr Ecart
-- (Überschuss der anderen Seite durch die Wurzel der Würfe) 1,5 erreicht;
-- ein Stück, ein Gewinn geht heim.
name = "Auf die zurückliegende Seite ab einem Ecart von 1,5"

local red = {}
for _, n in ipairs({1, 3, 5, 7, 9, 12, 14, 16, 18, 19, 21, 23, 25, 27, 30, 32, 34, 36}) do
  red[n] = true
end

-- Je Chance: das Paar, die erste und die zweite Seite, und wie weit die
-- erste vorn liegt.
local chances = {{"red-black", "red", "black"}, {"low-high", "low", "high"},
                 {"even-odd", "even", "odd"}}
local lead = {0, 0, 0}

-- Was die letzte Zahl der ersten Seite jeder Chance bringt: +1, -1 oder 0
-- (37 und 38 sind hohe, -1 und -2 niedrige Zahlen ohne Farbe).
local function count(n)
  if n == 0 then return end
  if n >= 1 and n <= 36 then lead[1] = lead[1] + (red[n] and 1 or -1) end
  lead[2] = lead[2] + ((n <= 18) and 1 or -1)
  lead[3] = lead[3] + (n % 2 == 0 and 1 or -1)
end

function place(g)
  if g.spin == 1 then return end
  count(g:numbers(1)[1])
  local root = math.sqrt(g.spin - 1)
  for i = 1, 3 do
    local chance, ecart = chances[i], lead[i] / root
    if ecart >= 1.5 or ecart <= -1.5 then
      if g:free(chance[1]) then g:stake(ecart > 0 and chance[3] or chance[2], 1, {ride = 1}) end
    end
  end
end
