#pragma once
// What the text printout and the screen copy share: the opening question about
// the printer settings and telling the user where a printout was saved.

#include "engine/Game.h"

namespace tamvek::output {

inline constexpr const char* printQuestion =
    "Sollen die Druckereinstellungen noch geändert werden ?";
inline constexpr const char* printTitle = " Ausdruck Pelmar1";

// Asks the question; Yes opens the printer set-up. False when the user
// cancelled (the question or the set-up dialog) and nothing is to be printed.
bool confirmPrinting(engine::Game& game);

// A printout written into a file (no printer, or "print to file" chosen) is
// named in the message label, so it never goes nowhere unnoticed.
void tellSavedFile(engine::Game& game, const platform::PrintOutcome& outcome);

}  // namespace tamvek::output
