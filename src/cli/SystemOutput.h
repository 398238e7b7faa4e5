#pragma once
// What `tamvek-cli system` prints: the report as a German text table for
// people, or as one JSON object for programs, and the cycle log's records.
// Names come as the file system gives them, any bytes: the text and the log
// show their control bytes escaped (`\x1b`), JSON and the log show them as
// UTF-8 with a byte that is no part of a UTF-8 sequence read as Latin-1, as
// the dump does. So the JSON is valid whatever the names.

#include <ostream>
#include <string>
#include <vector>

#include "system/Player.h"
#include "tester/Job.h"
#include "tester/ReportTable.h"
#include "tester/Sweep.h"

namespace tamvek::cli {

void writeSystemText(std::ostream& out, const tester::LoadedJob& job, const tester::Outcome& played,
                     const tester::ReportTable& table);
// The JSON names the path that played (`kernel`: "table", "automata",
// "engine" or "script").
void writeSystemJson(std::ostream& out, const tester::LoadedJob& job, const tester::Outcome& played,
                     const tester::ReportTable& table);

// What `tamvek-cli sweep` prints: the best 20 variants with both Saldos and
// the best one's verdicts, or every variant as JSON.
void writeSweepText(std::ostream& out, const tester::LoadedSweep& sweep,
                    const tester::SweepOutcome& played);
void writeSweepJson(std::ostream& out, const tester::LoadedSweep& sweep,
                    const tester::SweepOutcome& played);

// The cycle log's header record, and the records of the real cycles among
// `cycles`, played in `file`.
std::string cycleLogHeader();
std::string cycleLogRecords(const std::string& file, const std::vector<system::Cycle>& cycles);

}  // namespace tamvek::cli
