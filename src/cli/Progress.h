#pragma once
// A progress line on standard error while long work goes on: files done, spins
// a second, time left. Only on a terminal, and only once the work has taken a
// second; the line is cleared when the work is done. Safe to call from any
// thread.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>

#include "tester/SystemRun.h"

namespace tamvek::cli {

class Progress {
  public:
    // `what` names the pieces counted: "Dateien", "Varianten".
    Progress(std::uint64_t spins, std::size_t files, const char* what = "Dateien");
    ~Progress();
    void add(std::uint64_t spins);
    void fileDone();

  private:
    void show();
    const std::uint64_t m_spins;
    const std::size_t m_files;
    const char* m_what;
    const bool m_terminal;
    const std::chrono::steady_clock::time_point m_start;
    std::atomic<std::uint64_t> m_done{0};
    std::atomic<std::size_t> m_filesDone{0};
    std::mutex m_mutex;
    std::chrono::steady_clock::time_point m_lastShown;
    bool m_shown = false;
};

// Hooks that count into `progress` and set `stop` once Ctrl-C or SIGTERM
// came (cli/Interrupt.h); `stop` is their cancel flag.
tester::Hooks progressHooks(Progress& progress, std::atomic<bool>& stop);

}  // namespace tamvek::cli
