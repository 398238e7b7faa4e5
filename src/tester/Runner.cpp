#include "tester/Runner.h"

#include <chrono>

namespace tamvek::tester {

Runner::Runner(Job job) : m_thread([this, job = std::move(job)] { run(job); }) {}

Runner::~Runner() {
    // The worker reads this runner's members; let it stop first.
    m_cancel = true;
    if (m_thread.joinable()) m_thread.join();
}

Runner::Progress Runner::progress() const {
    return {m_reading, m_baseline, m_file, m_files, m_done, m_total};
}

Runner::Finished Runner::take() {
    if (m_thread.joinable()) m_thread.join();
    return std::move(m_result);
}

void Runner::run(const Job& job) {
    const auto start = std::chrono::steady_clock::now();
    const Result<LoadedJob> loaded = load(job, &m_cancel);
    if (!loaded)
        m_result.error = loaded.error().message;
    else if (!m_cancel)
        play(*loaded);
    m_result.cancelled = m_cancel || m_result.outcome.cancelled;
    if (m_result.cancelled) m_result.outcome = {};
    m_result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    m_finished.store(true, std::memory_order_release);
}

void Runner::play(const LoadedJob& job) {
    m_total = job.work();
    m_files = job.files.size();
    m_reading = false;
    Hooks hooks;
    hooks.progress = [this](std::uint64_t n) { m_done += n; };
    hooks.phase = [this](std::size_t file, bool baseline) {
        m_file = file;
        m_baseline = baseline;
    };
    hooks.cancel = &m_cancel;
    m_result.systemName = job.system.name;
    m_result.options = job.options;
    m_result.outcome = tester::play(job, hooks);
    if (!m_result.outcome.error.empty()) {
        m_result.error = std::move(m_result.outcome.error);
        m_result.outcome = {};
    } else if (!m_result.outcome.cancelled) {
        m_result.table = reportTable(job, m_result.outcome);
    }
}

}  // namespace tamvek::tester
