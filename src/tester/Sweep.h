#pragma once
// The Gegenprobe: every combination of a few values for some keys of a system
// (TOML keys as `table_max` or `bet1.ride`, a script's globals by name), each
// played over the first part of every file ("Entwicklung") and over the rest
// ("Gegenprobe"). The variants are ranked by their Entwicklung Saldo; the best
// one's Gegenprobe is compared with random runs (a verdict, tester/Verdict.h),
// and its Entwicklung too, to tell how likely a result that good is among that
// many variants by luck. The variants are shared out over threads; the
// random runs draw from streams of the seed, so the same seed gives the same
// figures on any number of threads. `tamvek-cli sweep` and the window's
// "Varianten" run through here.

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/Result.h"
#include "formats/SpinFiles.h"
#include "system/Player.h"
#include "tester/SystemRun.h"
#include "tester/Verdict.h"

namespace tamvek::tester {

// The values one key takes, as typed ("2", "red", "true").
struct Vary {
    std::string key;
    std::vector<std::string> values;
};

// The most variants one sweep plays.
inline constexpr std::uint64_t mostVariants = 100000;

struct SweepJob {
    std::string systemFile;
    std::vector<Vary> vary;
    std::vector<std::string> permanences;  // files or folders; "-" is standard input
    double split = 0.5;                    // the Entwicklung's share of every file
    std::size_t baselineRuns = 0;          // 0: no random runs, no verdict
    std::optional<std::uint64_t> seed;     // none: a new one, when baselineRuns asks for one
    unsigned threads = 0;                  // 0: one per core
};

// A sweep with every variant read and checked, and the spins read.
struct LoadedSweep {
    std::string name;  // the system's
    std::vector<std::string> keys;
    std::vector<std::vector<std::string>> values;  // each variant's, a value per key
    std::vector<system::System> systems;           // each variant's
    std::vector<formats::SpinFile> files;
    double split = 0.5;
    std::size_t baselineRuns = 0;
    std::uint64_t seed = 0;
    unsigned threads = 0;

    // Where file `f` splits: its first spins are the Entwicklung.
    std::size_t splitAt(std::size_t f) const;
    // The spins to play, the random runs' included: what progress counts to.
    std::uint64_t work() const;
};

struct Variant {
    std::size_t index = 0;            // in the order the combinations were made
    std::vector<std::string> values;  // a value per key
    system::Report development;       // every file's first part, one after another
    system::Report check;             // the rest of every file (the Gegenprobe)
};

struct SweepOutcome {
    bool cancelled = false;         // then nothing else is kept
    std::string error;              // a script stopped with this error: nothing else is kept
    std::vector<Variant> variants;  // best Entwicklung Saldo first; a tie keeps the order made
    // With random runs: the best variant's Gegenprobe against chance, and the
    // chance in per cent that the best of that many variants looks as good
    // as it did in the Entwicklung by luck, 1 - (1 - p)^variants with p its
    // Entwicklung's `better`.
    std::optional<Verdict> checkVerdict;
    std::optional<Verdict> developmentVerdict;
    std::optional<double> luck;
};

// Reads the system, checks every variant (a fault names the setting:
// `--vary bet1.ride=70: ride: 70 geht nicht (erlaubt: 0 bis 64)`), then the
// permanences. Stops reading once `cancel` is set.
Result<LoadedSweep> loadSweep(const SweepJob& job, const std::atomic<bool>* cancel = nullptr);

// Plays every variant; `hooks.progress` and `hooks.cancel` as for a system
// test, `hooks.fileDone` after each variant (from any thread; `phase` and
// `cycles` are not called).
SweepOutcome sweep(const LoadedSweep& sweep, const Hooks& hooks = {});

}  // namespace tamvek::tester
