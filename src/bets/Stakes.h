#pragma once
// Putting a typed stake on the table ("Setzen") and taking it home ("Absetz").

#include "engine/ChancePair.h"
#include "engine/Game.h"

namespace tamvek::bets {

void activatePair(engine::Game& game, const engine::ChancePair& pair);
void withdrawPair(engine::Game& game, const engine::ChancePair& pair);

}  // namespace tamvek::bets
