#pragma once
// Settling the stakes on the table against the spin's number: a zero holds every
// active stake, otherwise each pair is won (the stake doubles and rides), lost,
// or, if it was held, given back.

#include "engine/ChancePair.h"
#include "engine/Game.h"

namespace tamvek::engine {

void settleSpin(Game& game);
void holdStakesOnZero(Game& game);
void settlePair(Game& game, const ChancePair& pair, int n);

}  // namespace tamvek::engine
