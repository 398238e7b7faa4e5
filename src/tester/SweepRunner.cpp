#include "tester/SweepRunner.h"

namespace tamvek::tester {

SweepRunner::SweepRunner(SweepJob job) {
    start([this, job = std::move(job)] { run(job); });
}

SweepRunner::~SweepRunner() {
    stop();
}

SweepRunner::Progress SweepRunner::progress() const {
    return {m_reading, m_done, m_total, m_variants, m_variantsDone};
}

void SweepRunner::run(const SweepJob& job) {
    Result<LoadedSweep> loaded = loadSweep(job, &m_cancel);
    if (!loaded) {
        m_found.error = loaded.error().message;
    } else if (!m_cancel) {
        m_total = loaded->work();
        m_variants = loaded->systems.size();
        m_reading = false;
        Hooks hooks;
        hooks.progress = [this](std::uint64_t n) { m_done += n; };
        hooks.fileDone = [this](std::size_t) { ++m_variantsDone; };
        hooks.cancel = &m_cancel;
        m_found.outcome = sweep(*loaded, hooks);
        m_found.error = std::move(m_found.outcome.error);
        m_found.sweep = std::move(*loaded);
    }
    m_found.cancelled = m_cancel || m_found.outcome.cancelled;
    if (m_found.cancelled || !m_found.error.empty()) m_found.outcome = {};
}

}  // namespace tamvek::tester
