#pragma once
// The count box, the run mode and the halt-at box.

#include "engine/Game.h"

namespace tamvek::control {

void countChanged(engine::Game& game);
void modeChanged(engine::Game& game);
void haltChanged(engine::Game& game);

}  // namespace tamvek::control
