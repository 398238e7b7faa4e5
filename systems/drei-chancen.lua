-- Ein d'Alembert für drei Chancen: Rot, Passe und Gerade setzen immer
-- denselben Einsatz; jeder verlorene Zyklus, gleich auf welcher Chance, hebt
-- ihn um ein Stück, jeder gewonnene senkt ihn um eines (nie unter eins).
-- Höchstens zehn Stücke, dann wieder eins; bei -300 ist Schluss.
name = "Ein d'Alembert über Rot, Passe und Gerade"

local size = 1
local chances = {{"red-black", "red"}, {"low-high", "high"}, {"even-odd", "even"}}

function place(g)
  if g.saldo <= -300 then return g:stop() end
  for _, chance in ipairs(chances) do
    if g:free(chance[1]) then g:stake(chance[2], size, {ride = 1}) end
  end
end

function cycle(c)
  if c.outcome == "lost" then
    size = size + 1
  elseif c.outcome == "home" then
    size = math.max(1, size - 1)
  end
  if size > 10 then size = 1 end
end
