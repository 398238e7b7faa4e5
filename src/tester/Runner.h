#pragma once
// A system test on a thread of its own, watched from another (the window's,
// which looks a few times a second): how far it has come, which file it plays
// and whether it compares that file with chance; a cancel, heard between two
// names while reading and between two blocks of spins while playing; and at
// the end everything it found, handed over once. A cancelled or failed run
// hands over nothing but that. Destroying a runner cancels it and waits for
// its thread.

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

#include "tester/Job.h"
#include "tester/ReportTable.h"

namespace tamvek::tester {

class Runner {
  public:
    struct Progress {
        bool reading = true;    // the system and the permanences are being read
        bool baseline = false;  // the file is being compared with chance
        std::size_t file = 0;   // counted from 0
        std::size_t files = 0;
        std::uint64_t done = 0;   // spins played, the baselines' included
        std::uint64_t total = 0;  // what `done` counts to; 0 while reading
    };
    struct Finished {
        std::string error;       // the reader's words when the job could not be read, or
                                 // a script's when it stopped with an error
        bool cancelled = false;  // a cancel was heard: nothing below is kept
        std::string systemName;
        Options options;  // as played: the seed drawn when the job left it open
        Outcome outcome;
        ReportTable table;
        double seconds = 0;  // reading included
    };

    // Starts `job` at once.
    explicit Runner(Job job);
    ~Runner();
    Runner(const Runner&) = delete;
    Runner& operator=(const Runner&) = delete;

    void cancel() { m_cancel = true; }
    bool cancelled() const { return m_cancel; }
    Progress progress() const;
    // True once take() returns without waiting.
    bool finished() const { return m_finished.load(std::memory_order_acquire); }
    // What the run found; call once. Waits for the end.
    Finished take();

  private:
    void run(const Job& job);
    void play(const LoadedJob& job);

    std::atomic<bool> m_cancel{false};
    std::atomic<bool> m_reading{true};
    std::atomic<bool> m_baseline{false};
    std::atomic<std::size_t> m_file{0};
    std::atomic<std::size_t> m_files{0};
    std::atomic<std::uint64_t> m_done{0};
    std::atomic<std::uint64_t> m_total{0};
    std::atomic<bool> m_finished{false};
    Finished m_result;  // the worker's until m_finished is set
    std::thread m_thread;
};

}  // namespace tamvek::tester
