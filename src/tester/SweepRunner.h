#pragma once
// A sweep (tester/Sweep.h) on a thread of its own, watched from another (the
// window's, which looks a few times a second): how many variants are played
// and how many spins; a cancel, heard between two names while reading and
// between two blocks of spins while playing; and at the end everything it
// found, handed over once. A cancelled or failed sweep hands over nothing but
// that. Destroying a runner cancels it and waits for its thread.

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

#include "tester/Sweep.h"

namespace tamvek::tester {

class SweepRunner {
  public:
    struct Progress {
        bool reading = true;       // the system, its variants and the permanences are being read
        std::size_t variants = 0;  // played so far
        std::size_t of = 0;        // variants in all
        std::uint64_t done = 0;    // spins played, the random runs' included
        std::uint64_t total = 0;   // what `done` counts to; 0 while reading
    };
    struct Finished {
        std::string error;       // the reader's words, or a script's error
        bool cancelled = false;  // a cancel was heard: nothing below is kept
        LoadedSweep sweep;       // as played (the seed drawn when the job left it open)
        SweepOutcome outcome;
        double seconds = 0;  // reading included
    };

    // Starts `job` at once.
    explicit SweepRunner(SweepJob job);
    ~SweepRunner();
    SweepRunner(const SweepRunner&) = delete;
    SweepRunner& operator=(const SweepRunner&) = delete;

    void cancel() { m_cancel = true; }
    Progress progress() const;
    // True once take() returns without waiting.
    bool finished() const { return m_finished.load(std::memory_order_acquire); }
    // What the sweep found; call once. Waits for the end.
    Finished take();

  private:
    void run(const SweepJob& job);

    std::atomic<bool> m_cancel{false};
    std::atomic<bool> m_reading{true};
    std::atomic<std::size_t> m_variants{0};
    std::atomic<std::size_t> m_of{0};
    std::atomic<std::uint64_t> m_done{0};
    std::atomic<std::uint64_t> m_total{0};
    std::atomic<bool> m_finished{false};
    Finished m_result;  // the worker's until m_finished is set
    std::thread m_thread;
};

}  // namespace tamvek::tester
