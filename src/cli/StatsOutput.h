#pragma once
// `tamvek-cli stats`: the figures of permanences as a German text table for
// people, or as JSON for programs. Both show the same figures, file by file
// and then the total.

#include <atomic>
#include <iosfwd>
#include <string>
#include <vector>

#include "stats/FileStats.h"

namespace tamvek::cli {

// One block per file, then the total (left out for a single file, which is
// its own total). Numbers in the German way: 1.089.156 and 0,48.
void writeStatsText(std::ostream& out, const std::vector<stats::FileStats>& files,
                    const stats::FileStats& total);

// {"files": [...], "total": {...}}, one object of the same keys for each; no
// value is ever null.
void writeStatsJson(std::ostream& out, const std::vector<stats::FileStats>& files,
                    const stats::FileStats& total);

inline constexpr int statsOk = 0;
inline constexpr int statsCannotRead = 1;  // a file is missing or not a permanence
inline constexpr int statsNoFiles = 2;     // a usage error
inline constexpr int statsCancelled = -1;  // `cancel` was set: nothing written

// Reads the files (see formats/SpinFiles.h for what a name may be) and writes
// their figures to `out`, or a reason to `err`; returns the exit status. Once
// `cancel` is set it stops after the file or the step under way.
int runStats(const std::vector<std::string>& names, bool json, std::ostream& out, std::ostream& err,
             const std::atomic<bool>* cancel = nullptr);

}  // namespace tamvek::cli
