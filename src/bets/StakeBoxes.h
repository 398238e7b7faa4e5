#pragma once
// The three rules of the six stake boxes: range (on every change), scroll (on a
// click) and partner (on a key release).

#include "engine/Game.h"
#include "ui/form/Control.h"

namespace tamvek::bets {

// Only 1..999 stays; above 999 the box empties and turns white.
void rangeRule(engine::Game& game, form::TextBox& box);
// Brings the spin log's current row into view.
void scrollRule(engine::Game& game);
// A key released in box `index` (0..5: red, black, low, high, even, odd).
void partnerRule(engine::Game& game, int index);

}  // namespace tamvek::bets
