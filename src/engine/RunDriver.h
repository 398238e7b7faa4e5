#pragma once
// The press of Start (or "+"): prepare the run on the first press, then play
// one spin, or spin on up to the halt spin or the end of the run.

#include "engine/Game.h"

namespace tamvek::engine {

void pressStart(Game& game);
void prepareRun(Game& game);
// Plays one spin; false when the press is over.
bool playSpin(Game& game);
void endRun(Game& game);
void scrollTables(Game& game);
void playSpinSound(Game& game);

// The end line appended to the message label.
inline constexpr const char* endLine = "                    ***  ENDE  *** ";

}  // namespace tamvek::engine
