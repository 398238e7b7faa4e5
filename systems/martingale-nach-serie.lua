-- Martingale nach einer Serie: nach dreimal Schwarz auf Rot setzen, nach
-- jedem verlorenen Zyklus verdoppeln, höchstens 64 Stücke als erster Einsatz.
name = "Martingale auf Rot nach dreimal Schwarz"

local size = 1

function place(g)
  if not g:free("red-black") then return end
  local last = g:last("red-black", 3)
  if #last == 3 and last[1] == "black" and last[2] == "black" and last[3] == "black" then
    g:stake("red", size, {ride = 1})
  end
end

function cycle(c)
  if c.outcome == "lost" then
    size = size * 2
  elseif c.outcome == "home" then
    size = 1
  end
  if size > 64 then size = 1 end
end
