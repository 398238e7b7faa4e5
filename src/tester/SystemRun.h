#pragma once
// The run of a system test: a system played over permanences (or random
// spins) file by file, the total of all files, and on request each file's
// baseline of random permanences. `tamvek-cli system` and the window's system
// test both play through here (by way of tester::Job), so they give the same
// figures for the same input, random spins and their seeds included. The spins
// go a block at a time; between blocks the run hears the cancel flag and
// reports its progress. A system written as a script is played by its own
// player (lua/ScriptPlayer.h), a fresh one for every file and every baseline
// run; its error ends the whole run.

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "formats/SpinFiles.h"
#include "system/Baseline.h"
#include "system/Kernel.h"
#include "system/Player.h"
#include "tester/SaldoCurve.h"
#include "tester/Verdict.h"

namespace tamvek::tester {

struct Options {
    std::uint64_t randomSpins = 0;  // more than 0: every file is that many random spins
    std::size_t baselineRuns = 0;   // 0: no baseline
    std::uint64_t seed = 0;         // of the random spins and the baseline
    unsigned threads = 0;           // of the baseline; 0: one per core
    bool curves = false;            // keep each file's Saldo curve
};

struct Hooks {
    // Spins played, a block at a time, from any thread (the baseline's too).
    std::function<void(std::uint64_t spins)> progress;
    // A file is about to be played (`baseline` false) or compared with chance.
    std::function<void(std::size_t file, bool baseline)> phase;
    std::function<void(std::size_t file)> fileDone;
    // The cycles of the block just played, when set (the cycle log).
    std::function<void(const std::string& file, const std::vector<system::Cycle>&)> cycles;
    const std::atomic<bool>* cancel = nullptr;
};

struct FileResult {
    std::string name;
    system::Report report;
    std::vector<SaldoCurve::Point> curve;  // when asked for
    std::optional<system::Baseline> baseline;
    std::optional<Verdict> verdict;  // with the baseline
};

struct Outcome {
    bool cancelled = false;  // then nothing else is kept
    std::string error;       // a script stopped with this error: nothing else is kept
    std::vector<FileResult> files;
    system::Report total;
    // With baselines: run k of every file one after another, and its verdict.
    std::optional<system::Baseline> totalBaseline;
    std::optional<Verdict> totalVerdict;
    std::vector<SaldoCurve::Point> totalCurve;  // the files one after another
    // What the system compiled to, and the slowest path that played a file.
    system::Path compiled = system::Path::Engine;
    system::Path played = system::Path::Engine;
    std::size_t states = 0;
};

// The one file that stands for `spins` random spins: named by the count and
// the seed, with no spins of its own (they are drawn as they are played).
formats::SpinFile randomFile(std::uint64_t spins, std::uint64_t seed);

// How many spins `files` make with their baselines: what progress counts to.
std::uint64_t workOf(const std::vector<formats::SpinFile>& files, const Options& options);

Outcome play(const system::System& system, const std::vector<formats::SpinFile>& files,
             const Options& options, const Hooks& hooks = {});

// The system over the random permanences of `job`: a system file `compiled`
// already, a script on a fresh player a run (`name` names the file in its
// errors, which go to `error`). Uses the seed and threads of `options`, the
// progress and cancel of `hooks`.
system::Baseline randomRuns(const system::System& system,
                            const std::shared_ptr<const system::Compiled>& compiled,
                            const system::BaselineJob& job, const std::string& name,
                            const Options& options, const Hooks& hooks, std::string& error);

}  // namespace tamvek::tester
