#include "system/Baseline.h"

#include <algorithm>
#include <cmath>
#include <thread>

namespace tamvek::system {

std::vector<std::uint8_t> randomSpins(std::uint64_t seed, std::uint64_t file, std::uint64_t run,
                                      std::uint64_t spins) {
    Random random(seed, file, run);
    std::vector<std::uint8_t> out(static_cast<std::size_t>(spins));
    random.fill(out.data(), out.size());
    return out;
}

Baseline baseline(const System& system, const BaselineJob& job, unsigned threads,
                  const std::function<void(std::uint64_t)>& progress,
                  const std::atomic<bool>* cancel) {
    const RunPlay playRun = [&](std::uint64_t run) {
        Player player(system);
        playRandomRun(player, job, run, progress, cancel);
        return player.report().saldo;
    };
    return baseline(playRun, job, threads, cancel);
}

Baseline baseline(const RunPlay& playRun, const BaselineJob& job, unsigned threads,
                  const std::atomic<bool>* cancel) {
    Baseline result;
    result.saldos.assign(job.runs, 0);
    if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
    threads =
        static_cast<unsigned>(std::min<std::size_t>(threads, std::max<std::size_t>(job.runs, 1)));
    std::atomic<std::size_t> nextRun{0};
    std::vector<char> done(job.runs, 0);
    const auto work = [&] {
        for (std::size_t run = nextRun++; run < job.runs; run = nextRun++) {
            if (cancel != nullptr && cancel->load(std::memory_order_relaxed)) return;
            result.saldos[run] = playRun(run);
            done[run] = cancel == nullptr || !cancel->load(std::memory_order_relaxed);
        }
    };
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < threads; ++t)
        pool.emplace_back(work);
    work();
    for (std::thread& t : pool)
        t.join();

    std::vector<Amount> kept;
    for (std::size_t run = 0; run < job.runs; ++run)
        if (done[run]) kept.push_back(result.saldos[run]);
    result.saldos = std::move(kept);
    result.runs = result.saldos.size();
    if (result.runs == 0) return result;
    double sum = 0;
    std::size_t below = 0, equal = 0;
    for (Amount s : result.saldos) {
        sum += static_cast<double>(s);
        below += s < job.saldo;
        equal += s == job.saldo;
    }
    result.mean = sum / static_cast<double>(result.runs);
    double squares = 0;
    for (Amount s : result.saldos)
        squares += (static_cast<double>(s) - result.mean) * (static_cast<double>(s) - result.mean);
    result.sd = result.runs > 1 ? std::sqrt(squares / static_cast<double>(result.runs - 1)) : 0;
    result.percentile = 100.0 * (static_cast<double>(below) + 0.5 * static_cast<double>(equal)) /
                        static_cast<double>(result.runs);
    return result;
}

}  // namespace tamvek::system
