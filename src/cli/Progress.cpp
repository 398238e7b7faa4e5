#include "cli/Progress.h"

#include "cli/Interrupt.h"

#include <unistd.h>

#include <cstdio>

namespace tamvek::cli {

using Clock = std::chrono::steady_clock;

Progress::Progress(std::uint64_t spins, std::size_t files, const char* what)
    : m_spins(spins),
      m_files(files),
      m_what(what),
      m_terminal(isatty(STDERR_FILENO) == 1),
      m_start(Clock::now()) {}

Progress::~Progress() {
    if (m_shown) std::fprintf(stderr, "\r\x1b[K");
}

void Progress::add(std::uint64_t spins) {
    m_done += spins;
    if (m_terminal) show();
}

void Progress::fileDone() {
    ++m_filesDone;
    if (m_terminal) show();
}

void Progress::show() {
    const auto now = Clock::now();
    if (now - m_start < std::chrono::seconds(1)) return;
    std::unique_lock lock(m_mutex, std::try_to_lock);
    if (!lock.owns_lock() || (m_shown && now - m_lastShown < std::chrono::milliseconds(200)))
        return;
    m_lastShown = now;
    m_shown = true;
    const double seconds = std::chrono::duration<double>(now - m_start).count();
    const double done = static_cast<double>(m_done.load());
    const double rate = done / seconds;
    const double left = rate > 0 ? (static_cast<double>(m_spins) - done) / rate : 0;
    std::fprintf(stderr, "\r\x1b[K %zu/%zu %s, %.1f Mio. Würfe/s, noch %.0f s", m_filesDone.load(),
                 m_files, m_what, rate / 1e6, left > 0 ? left : 0.0);
    std::fflush(stderr);
}

tester::Hooks progressHooks(Progress& progress, std::atomic<bool>& stop) {
    tester::Hooks hooks;
    hooks.cancel = &stop;
    hooks.progress = [&progress, &stop](std::uint64_t n) {
        progress.add(n);
        if (interrupt::heard()) stop = true;
    };
    hooks.fileDone = [&progress](std::size_t) { progress.fileDone(); };
    return hooks;
}

}  // namespace tamvek::cli
