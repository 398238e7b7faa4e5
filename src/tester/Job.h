#pragma once
// A system test as the user asks for it: a system file (or a system written
// in Lua) played over permanence files or folders, or over random spins, with
// or without a baseline. `load`
// reads what the job names through formats/ (a fault comes back in the
// reader's own words: file, line, key or token), `play` plays it, and
// ReportTable (tester/ReportTable.h) turns the outcome into the rows and
// columns that `tamvek-cli system` and the window's system test show.

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/Result.h"
#include "formats/SpinFiles.h"
#include "system/Player.h"
#include "tester/SystemRun.h"

namespace tamvek::tester {

struct Job {
    std::string systemFile;
    std::vector<std::string> permanences;  // files or folders; "-" is standard input
    std::uint64_t randomSpins = 0;         // more than 0: that many random spins instead
    std::optional<std::uint64_t> seed;     // of the random spins and the baseline; none: a new one
    std::size_t baselineRuns = 0;          // 0: no baseline
    unsigned threads = 0;                  // of the baseline; 0: one per core
    bool curves = false;                   // keep each file's Saldo curve
};

// A job with its system and its spins read, ready to play.
struct LoadedJob {
    system::System system;
    std::vector<formats::SpinFile> files;  // for random spins, the one file that stands for them
    Options options;                       // with the seed drawn when the job left it open

    bool random() const { return options.randomSpins > 0; }
    bool baseline() const { return options.baselineRuns > 0; }
    // The spins to play, the baselines' included: what progress counts to.
    std::uint64_t work() const { return workOf(files, options); }
};

// The system a system file describes. Every kind of system file is read here.
Result<system::System> loadSystem(const std::string& path);
// Whether `path` names a script (a file ending in .lua).
bool isScript(const std::string& path);
// The spins of files and folders, a name at a time; stops once `cancel` is set.
Result<std::vector<formats::SpinFile>> readPermanences(const std::vector<std::string>& names,
                                                       const std::atomic<bool>* cancel = nullptr);

// Reads the system, then the permanences a name at a time. Once `cancel` is
// set it stops reading; the job is then half read and not to be played.
Result<LoadedJob> load(const Job& job, const std::atomic<bool>* cancel = nullptr);

// `hooks.cancel` stops the play, as tester::play says.
Outcome play(const LoadedJob& job, const Hooks& hooks = {});

}  // namespace tamvek::tester
