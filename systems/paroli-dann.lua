-- Paroli von zwei, dann ein Zyklus anderer Größe: ein Stück auf Rot reitet;
-- hat es zweimal gewonnen, wird es vor dem nächsten Wurf heimgenommen
-- (g:home). Danach setzt ein Zyklus von drei Stücken, der nach einem Gewinn
-- heimgeht, und dann beginnt wieder das Paroli. Ein verlorener Zyklus führt
-- immer zum Paroli zurück.
name = "Paroli von zwei, dann drei Stücke einmal"

local red = {}
for _, n in ipairs({1, 3, 5, 7, 9, 12, 14, 16, 18, 19, 21, 23, 25, 27, 30, 32, 34, 36}) do
  red[n] = true
end

local paroli = true   -- welcher Zyklus als nächster beginnt
local wins = 0        -- des laufenden Parolis

function place(g)
  if not g:free("red-black") then
    -- Rot, und der Einsatz liegt noch: er hat gewonnen und reitet.
    if paroli and red[g:numbers(1)[1]] then wins = wins + 1 end
    if paroli and wins == 2 then g:home("red-black") end
    if not g:free("red-black") then return end
  end
  wins = 0
  if paroli then
    g:stake("red", 1)
  else
    g:stake("red", 3, {ride = 1})
  end
end

function cycle(c)
  if c.outcome == "back" then return end   -- derselbe Zyklus beginnt neu
  paroli = not (c.outcome == "home" and c.units == 1)
end
