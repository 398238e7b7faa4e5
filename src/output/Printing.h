#pragma once
// What the text printout and the screen copy share: the opening question about
// the printer settings. Where a printout went is the platform's to tell; the
// game's message label is never written by printing.

#include "engine/Game.h"

namespace tamvek::output {

inline constexpr const char* printQuestion =
    "Sollen die Druckereinstellungen noch geändert werden ?";
inline constexpr const char* printTitle = " Ausdruck Pelmar1";

// Asks the question; Yes opens the printer set-up. False when the user
// cancelled (the question or the set-up dialog) and nothing is to be printed.
bool confirmPrinting(engine::Game& game);

}  // namespace tamvek::output
