#include "tester/SweepRunner.h"

#include <chrono>

namespace tamvek::tester {

SweepRunner::SweepRunner(SweepJob job) : m_thread([this, job = std::move(job)] { run(job); }) {}

SweepRunner::~SweepRunner() {
    m_cancel = true;
    if (m_thread.joinable()) m_thread.join();
}

SweepRunner::Progress SweepRunner::progress() const {
    return {m_reading, m_done, m_total, m_variants, m_variantsDone};
}

SweepRunner::Finished SweepRunner::take() {
    if (m_thread.joinable()) m_thread.join();
    return std::move(m_result);
}

void SweepRunner::run(const SweepJob& job) {
    const auto start = std::chrono::steady_clock::now();
    Result<LoadedSweep> loaded = loadSweep(job, &m_cancel);
    if (!loaded) {
        m_result.error = loaded.error().message;
    } else if (!m_cancel) {
        m_total = loaded->work();
        m_variants = loaded->systems.size();
        m_reading = false;
        Hooks hooks;
        hooks.progress = [this](std::uint64_t n) { m_done += n; };
        hooks.fileDone = [this](std::size_t) { ++m_variantsDone; };
        hooks.cancel = &m_cancel;
        m_result.outcome = sweep(*loaded, hooks);
        m_result.error = std::move(m_result.outcome.error);
        m_result.sweep = std::move(*loaded);
    }
    m_result.cancelled = m_cancel || m_result.outcome.cancelled;
    if (m_result.cancelled || !m_result.error.empty()) m_result.outcome = {};
    m_result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    m_finished.store(true, std::memory_order_release);
}

}  // namespace tamvek::tester
