#pragma once
// The one-page text report of the current run ("Druck"): date and title, the
// message line, the wanted and played spins and a numbered table of twenty lines.

#include <string>

#include "engine/Game.h"
#include "platform/PrintJob.h"

namespace tamvek::output {

inline constexpr const char* reportTitle = " Q u o v a n / E C / P e l m a r 1   Vrask 02.1";

// The message label's caption on one line: each carriage return becomes " / ".
std::string messageLine(const std::string& caption);

// The report's printer operations. Walks the profit/loss table's current cell
// over rows 0..19 as the report's lines are made, and leaves it at row 20.
platform::PrintJob buildReport(engine::Game& game);

// The click on "Druck": question, optional set-up, then the report.
void printPressed(engine::Game& game);

}  // namespace tamvek::output
