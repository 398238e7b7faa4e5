-- Eine Figur über zwei Chancen mit beliebigen Stellen: kam zuletzt Rot und
-- Passe, davor irgendetwas, davor wieder Rot und Passe, dann ein Stück auf
-- Schwarz und eines auf Manque, je einmal reiten lassen. Eine Null zählt als
-- Stelle, die nichts bringt.
name = "Figur Rot-Passe, beliebig, Rot-Passe: Schwarz und Manque"

local red = {}
for _, n in ipairs({1, 3, 5, 7, 9, 12, 14, 16, 18, 19, 21, 23, 25, 27, 30, 32, 34, 36}) do
  red[n] = true
end

local function redHigh(n)
  return red[n] == true and n >= 19
end

-- Die Figur von der ältesten Stelle an; nil ist beliebig.
local figure = {redHigh, nil, redHigh}

function place(g)
  local last = g:numbers(3)
  if #last < 3 then return end
  for i = 1, 3 do
    if figure[i] and not figure[i](last[i]) then return end
  end
  if g:free("red-black") then g:stake("black", 1, {ride = 1}) end
  if g:free("low-high") then g:stake("low", 1, {ride = 1}) end
end
