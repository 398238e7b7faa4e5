#pragma once
// "Ende" and the extra next-spin button "+".

#include "engine/Game.h"

namespace tamvek::control {

void exitPressed(engine::Game& game);
void extraSpinPressed(engine::Game& game);

}  // namespace tamvek::control
