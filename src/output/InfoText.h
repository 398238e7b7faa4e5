#pragma once
// "Info" / "Ende Info": shows the info file in the program's folder in the info box
// and hides it again. The button's caption is the only record of the state.

#include "engine/Game.h"

namespace tamvek::output {

inline constexpr const char* infoCaption = "Info";
inline constexpr const char* endInfoCaption = "Ende Info";

// The click on okinfo. The file is read afresh at every opening.
void infoPressed(engine::Game& game);

}  // namespace tamvek::output
