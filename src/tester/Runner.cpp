#include "tester/Runner.h"

namespace tamvek::tester {

Runner::Runner(Job job) {
    start([this, job = std::move(job)] { run(job); });
}

Runner::~Runner() {
    stop();
}

Runner::Progress Runner::progress() const {
    return {m_reading, m_baseline, m_file, m_files, m_done, m_total};
}

void Runner::run(const Job& job) {
    const Result<LoadedJob> loaded = load(job, &m_cancel);
    if (!loaded)
        m_found.error = loaded.error().message;
    else if (!m_cancel)
        play(*loaded);
    m_found.cancelled = m_cancel || m_found.outcome.cancelled;
    if (m_found.cancelled) m_found.outcome = {};
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
    m_found.systemName = job.system.name;
    m_found.options = job.options;
    m_found.outcome = tester::play(job, hooks);
    if (!m_found.outcome.error.empty()) {
        m_found.error = std::move(m_found.outcome.error);
        m_found.outcome = {};
    } else if (!m_found.outcome.cancelled) {
        m_found.table = reportTable(job, m_found.outcome);
    }
}

}  // namespace tamvek::tester
