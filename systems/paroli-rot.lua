-- Paroli auf Rot: ein Stück auf Rot, zweimal reiten lassen, dann heim.
name = "Paroli auf Rot, zweimal reiten"

local paroli = {ride = 2}

function place(g)
  if g:free("red-black") then
    g:stake("red", 1, paroli)
  end
end
