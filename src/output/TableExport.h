#pragma once
// "Tabellen als CSV speichern": both tables of the window as CSV files (RFC
// 4180, UTF-8, a header row each). The spin log gives per spin its number and
// what each of the six pair cells shows: the side that came up ("gefallen"),
// a win ("gewonnen"), a zero ("Null") and "S" for a stake on it; the
// profit/loss table gives per row the spin, win or loss, the stake, the Saldo
// and whether it was played fictitiously.

#include <string>
#include <utility>

#include "core/Result.h"
#include "engine/Game.h"
#include "platform/OutputFile.h"

namespace tamvek::output {

// The two files made from the name the user picked: "NAME-Würfe.csv" and
// "NAME-Gewinn-Verlust.csv" beside it (an ending ".csv" of the name is dropped).
std::pair<std::string, std::string> tableFiles(const std::string& picked);

// Writes both files, whole or not at all (platform/OutputFile.h): either both
// take their places or neither does. A file that exists already is replaced
// only when `overwrite` says so. The message names them, or says what went
// wrong and why.
Result<std::string> exportTables(const engine::Game& game, const std::string& picked,
                                 platform::Overwrite overwrite);

}  // namespace tamvek::output
