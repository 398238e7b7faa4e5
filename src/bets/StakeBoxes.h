#pragma once
// The three rules of the six stake boxes: range (on every change), scroll (on a
// click) and partner (on a key release).

#include "engine/ChancePair.h"
#include "engine/Game.h"
#include "form/Control.h"

namespace tamvek::bets {

// Only 1..999 stays of what is typed; above 999 the box empties and turns
// white. A locked box shows whatever the game writes into it.
void rangeRule(form::TextBox& box);
// Brings the spin log's current row into view.
void scrollRule(engine::Game& game);
// A key released in the pair's box of side 1 or 2.
void partnerRule(engine::Game& game, const engine::ChancePair& pair, int side);

}  // namespace tamvek::bets
