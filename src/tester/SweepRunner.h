#pragma once
// A Gegenprobe (tester/Sweep.h) on a thread of its own (Worker.h), for the
// window, as Runner runs a system test: besides the spins played, how many
// variants are done; at the end the ranked variants. A cancelled or failed
// sweep hands over nothing but that.

#include <atomic>
#include <cstdint>
#include <string>

#include "tester/Sweep.h"
#include "tester/Worker.h"

namespace tamvek::tester {

// What a sweep found.
struct SweepFound {
    std::string error;       // the reader's or a script's words
    bool cancelled = false;  // a cancel was heard: nothing below is kept
    LoadedSweep sweep;       // its names, keys, settings and spins
    SweepOutcome outcome;
    double seconds = 0;  // reading included
};

class SweepRunner : public Worker<SweepFound> {
  public:
    struct Progress {
        bool reading = true;
        std::uint64_t done = 0;   // spins played, the random runs' included
        std::uint64_t total = 0;  // what `done` counts to; 0 while reading
        std::size_t variants = 0;
        std::size_t variantsDone = 0;
    };
    using Finished = SweepFound;

    // Starts `job` at once.
    explicit SweepRunner(SweepJob job);
    ~SweepRunner();

    Progress progress() const;

  private:
    void run(const SweepJob& job);

    std::atomic<std::size_t> m_variants{0};
    std::atomic<std::size_t> m_variantsDone{0};
};

}  // namespace tamvek::tester
