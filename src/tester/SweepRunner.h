#pragma once
// A Gegenprobe (tester/Sweep.h) on a thread of its own, for the window, as
// Runner runs a system test: how far it has come, a cancel heard between two
// blocks of spins, and at the end the ranked variants, handed over once. A
// cancelled or failed sweep hands over nothing but that. Destroying it
// cancels it and waits for its thread.

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

#include "tester/Sweep.h"

namespace tamvek::tester {

class SweepRunner {
  public:
    struct Progress {
        bool reading = true;
        std::uint64_t done = 0;   // spins played, the random runs' included
        std::uint64_t total = 0;  // what `done` counts to; 0 while reading
        std::size_t variants = 0;
        std::size_t variantsDone = 0;
    };
    struct Finished {
        std::string error;       // the reader's or a script's words
        bool cancelled = false;  // a cancel was heard: nothing below is kept
        LoadedSweep sweep;       // its names, keys, settings and spins
        SweepOutcome outcome;
        double seconds = 0;  // reading included
    };

    // Starts `job` at once.
    explicit SweepRunner(SweepJob job);
    ~SweepRunner();
    SweepRunner(const SweepRunner&) = delete;
    SweepRunner& operator=(const SweepRunner&) = delete;

    void cancel() { m_cancel = true; }
    bool cancelled() const { return m_cancel; }
    Progress progress() const;
    bool finished() const { return m_finished.load(std::memory_order_acquire); }
    // What the sweep found; call once. Waits for the end.
    Finished take();

  private:
    void run(const SweepJob& job);

    std::atomic<bool> m_cancel{false};
    std::atomic<bool> m_reading{true};
    std::atomic<std::uint64_t> m_done{0};
    std::atomic<std::uint64_t> m_total{0};
    std::atomic<std::size_t> m_variants{0};
    std::atomic<std::size_t> m_variantsDone{0};
    std::atomic<bool> m_finished{false};
    Finished m_result;  // the worker's until m_finished is set
    std::thread m_thread;
};

}  // namespace tamvek::tester
