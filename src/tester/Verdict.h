#pragma once
// What a file's Saldo says beside the same system over random permanences of
// its length (system/Baseline.h): whether it is more than chance, how long the
// house edge takes to show, the capital the system needs and how often it goes
// broke. Computed here once for the table `tamvek-cli system` prints, its
// JSON and the window alike; the same baseline gives the same verdict.
//
// The verdict's threshold is 5 %, two-sided: a Saldo that at most 2.5 % of the
// random runs reached or passed is "auffällig gut", one that at most 2.5 % of
// them fell to or below "auffällig schlecht"; anything else is chance.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "system/Baseline.h"

namespace tamvek::tester {

// A share in per cent with its 95 % Wilson interval.
struct Share {
    double percent = 0;
    double low = 0;
    double high = 0;
};

// The levels of capitalNeeded, in per cent of the random runs.
inline constexpr std::array<int, 3> capitalLevels{90, 95, 99};

// Each tail of the two-sided 5 % threshold, in per cent.
inline constexpr double verdictTail = 2.5;

struct Verdict {
    std::size_t runs = 0;
    double expected = 0;      // the random runs' mean final Saldo
    std::optional<double> z;  // (Saldo - expected) / spread; none when the runs do not spread
    // Per cent of the runs whose final Saldo is at least the file's (a one-sided
    // p-value). When none was, `betterBelow` is set and `better` holds 100 / runs:
    // the share is below that.
    double better = 0;
    bool betterBelow = false;
    double worse = 0;  // per cent of the runs whose final Saldo is at most the file's
    // With several files: the chance in per cent that at least one of them
    // looks this good by luck, 1 - (1 - p)^N; for the total, p is the best file's.
    std::optional<double> luck;
    std::size_t files = 1;
    // The spin from which the system's expected loss is two standard
    // deviations of its Saldo (from the runs' mean and spread a spin); none
    // when the runs show no loss.
    std::optional<std::uint64_t> spinsNeeded;
    // The capital that 90, 95 and 99 % of the runs did not go below (their
    // lowest Saldo), in units.
    std::array<Amount, 3> capitalNeeded{};
    std::optional<Share> ruin;  // with a capital: the runs ruined
    std::string sentence;       // the verdict in one German sentence, its figures in it
};

// The verdict on a Saldo of `saldo` over `spins` spins, one of `files` files
// tested together; `capital` adds the risk of ruin. Needs at least one run.
Verdict verdictOf(const system::Baseline& baseline, Amount saldo, std::uint64_t spins,
                  std::size_t files, bool capital);

// The total's verdict (made as for one file) says, besides its own, how
// likely the best of `files` files (its `better` and `betterBelow`) looks
// that good by luck.
void addBestFile(Verdict& total, std::size_t files, double bestBetter, bool bestBelow);

// A share in per cent as the verdicts write it: "38 %", "4,7 %", "0,04 %".
std::string percentText(double percent);

}  // namespace tamvek::tester
