#pragma once
// Window load and new start: both bring the game into its waiting state.

#include "engine/Game.h"

namespace tamvek::control {

// The question "Abbruch" asks before it clears the game.
inline constexpr const char* newStartQuestion = "Abbruch bitte bestätigen !     ";
inline constexpr const char* newStartTitle = " Abbruch";

void windowLoad(engine::Game& game);
// "Abbruch": asks, then clears the game for a fresh run.
void newStart(engine::Game& game);

}  // namespace tamvek::control
