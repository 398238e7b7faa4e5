#pragma once
// "Copy": prints a picture of the window as it looks now.

#include "engine/Game.h"

namespace tamvek::output {

// The click on "Copy": question, optional set-up, then the picture. A printer
// that fails leaves no message and changes nothing.
void copyPressed(engine::Game& game);

}  // namespace tamvek::output
