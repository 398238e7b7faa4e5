#pragma once
// Fictitious play: stakes ride and are logged, but the shown balance stays.

#include "engine/Game.h"

namespace tamvek::engine {

// The okfiktiv button; it decides by its caption, not by the flag.
void fictitiousPressed(Game& game);
// Ends fictitious play visibly: flag, caption and balance fill agree again.
void endFictitiousPlay(Game& game);

}  // namespace tamvek::engine
