#pragma once
// A system test on a thread of its own (Worker.h): besides the spins played,
// which file it plays and whether it compares that file with chance; at the
// end everything it found. A cancelled or failed run hands over nothing but
// that.

#include <atomic>
#include <cstdint>
#include <string>

#include "tester/Job.h"
#include "tester/ReportTable.h"
#include "tester/Worker.h"

namespace tamvek::tester {

// What a system test found.
struct RunFound {
    std::string error;       // the reader's words when the job could not be read, or
                             // a script's when it stopped with an error
    bool cancelled = false;  // a cancel was heard: nothing below is kept
    std::string systemName;
    Options options;  // as played: the seed drawn when the job left it open
    Outcome outcome;
    ReportTable table;
    double seconds = 0;  // reading included
};

class Runner : public Worker<RunFound> {
  public:
    struct Progress {
        bool reading = true;    // the system and the permanences are being read
        bool baseline = false;  // the file is being compared with chance
        std::size_t file = 0;   // counted from 0
        std::size_t files = 0;
        std::uint64_t done = 0;   // spins played, the baselines' included
        std::uint64_t total = 0;  // what `done` counts to; 0 while reading
    };
    using Finished = RunFound;

    // Starts `job` at once.
    explicit Runner(Job job);
    ~Runner();

    Progress progress() const;

  private:
    void run(const Job& job);
    void play(const LoadedJob& job);

    std::atomic<bool> m_baseline{false};
    std::atomic<std::size_t> m_file{0};
    std::atomic<std::size_t> m_files{0};
};

}  // namespace tamvek::tester
