#pragma once
// How lucky was a file? The same system played over many random permanences
// of the file's length: the spread of their final Saldo, and where the file's
// own Saldo lies among them. The runs are shared out over threads; each run's
// spins come from its own stream, so the result depends only on the seed. A
// system that compiles to a table plays its runs side by side in vector lanes
// (LaneTable.h), any other through the kernel (Kernel.h).

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

#include "system/Compiled.h"
#include "system/Player.h"
#include "system/Random.h"

namespace tamvek::system {

struct Baseline {
    std::size_t runs = 0;
    double mean = 0;
    double sd = 0;                // standard deviation of the runs' final Saldo
    double percentile = 0;        // share of runs below the file's Saldo, ties counted half, in %
    std::vector<Amount> saldos;   // of every run, in run order
    std::vector<Amount> lowests;  // each run's lowest Saldo after any spin (0 at most)
    std::vector<std::uint8_t> ruined;  // 1 where the run's capital ran out
};

struct BaselineJob {
    std::uint64_t spins = 0;  // of every run
    std::size_t runs = 0;
    std::uint64_t seed = 0;
    std::uint64_t file = 0;  // names the streams, with the seed
    Amount saldo = 0;        // the file's own final Saldo
};

// `threads` 0 means one per core. `progress` (if set) hears of every spin
// played, a block at a time, from any thread; `cancel` (if set) stops the runs
// early, and what was not played is left out of the result.
Baseline baseline(const System& system, const BaselineJob& job, unsigned threads = 0,
                  const std::function<void(std::uint64_t spins)>& progress = {},
                  const std::atomic<bool>* cancel = nullptr);
// The same for a system compiled already.
Baseline baseline(const std::shared_ptr<const Compiled>& compiled, const BaselineJob& job,
                  unsigned threads = 0,
                  const std::function<void(std::uint64_t spins)>& progress = {},
                  const std::atomic<bool>* cancel = nullptr);

// The same with a player of another kind (a script's): `playRun(run)` plays
// run `run` on a player of its own (see playRandomRun) and gives its end.
using RunPlay = std::function<RunEnd(std::uint64_t run)>;
Baseline baseline(const RunPlay& playRun, const BaselineJob& job, unsigned threads = 0,
                  const std::atomic<bool>* cancel = nullptr);

// Plays run `run` of `job` on `player`, its spins drawn a block at a time; it
// stops early on a cancel, or once the player has failed (a script's error).
template <class P>
void playRandomRun(P& player, const BaselineJob& job, std::uint64_t run,
                   const std::function<void(std::uint64_t spins)>& progress,
                   const std::atomic<bool>* cancel) {
    constexpr std::size_t block = 1 << 14;
    Random random(job.seed, job.file, run);
    std::uint8_t spins[block];
    for (std::uint64_t left = job.spins; left > 0;) {
        if (cancel != nullptr && cancel->load(std::memory_order_relaxed)) break;
        const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(left, block));
        random.fill(spins, n);
        player.play(spins, n);
        if constexpr (requires { player.failed(); }) {
            if (player.failed()) break;
        }
        left -= n;
        if (progress) progress(n);
    }
}

// The baseline of a whole archive: run k of every file's baseline one after
// another, the Saldo going on from file to file (its lowest is that of the
// whole; it is ruined when one of its files is), against the total's Saldo
// `saldo`. Every baseline has the same number of runs.
Baseline joined(const std::vector<const Baseline*>& files, Amount saldo);

// `work(item)` for items 0 .. items - 1, shared out over `threads` threads
// (0: one per core) in the order they ask.
void forEach(std::size_t items, unsigned threads, const std::function<void(std::size_t)>& work);

// The random permanence of `spins` spins a run or `--random` plays.
std::vector<std::uint8_t> randomSpins(std::uint64_t seed, std::uint64_t file, std::uint64_t run,
                                      std::uint64_t spins);

}  // namespace tamvek::system
