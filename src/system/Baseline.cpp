#include "system/Baseline.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <thread>

#include "system/Kernel.h"
#include "system/LaneTable.h"

namespace tamvek::system {
namespace {

using Progress = std::function<void(std::uint64_t)>;

constexpr std::size_t block = 1 << 14;

bool cancelled(const std::atomic<bool>* cancel) {
    return cancel != nullptr && cancel->load(std::memory_order_relaxed);
}

// One run through the kernel: the system over spins drawn a block at a time.
Amount playRun(Kernel& kernel, const BaselineJob& job, std::uint64_t run, const Progress& progress,
               const std::atomic<bool>* cancel) {
    Random random(job.seed, job.file, run);
    kernel.startFile();
    std::uint8_t spins[block];
    for (std::uint64_t left = job.spins; left > 0;) {
        if (cancelled(cancel)) break;
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(left, block));
        random.fill(spins, n);
        kernel.play(spins, n);
        left -= n;
        if (progress) progress(n);
    }
    return kernel.saldo();
}

// `work(item, kernel)` for every item, shared out over `threads` threads, each
// with a kernel of its own (none without `compiled`).
void share(std::size_t items, unsigned threads, const std::shared_ptr<const Compiled>& compiled,
           const std::function<void(std::size_t, Kernel*)>& work) {
    if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
    threads =
        static_cast<unsigned>(std::min<std::size_t>(threads, std::max<std::size_t>(items, 1)));
    std::atomic<std::size_t> next{0};
    const auto worker = [&] {
        std::optional<Kernel> kernel;
        if (compiled) kernel.emplace(compiled);
        for (std::size_t item = next++; item < items; item = next++)
            work(item, kernel ? &*kernel : nullptr);
    };
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < threads; ++t)
        pool.emplace_back(worker);
    worker();
    for (std::thread& t : pool)
        t.join();
}

// The mean, the spread and the file's percentile among the runs played.
Baseline summary(const std::vector<Amount>& saldos, const std::vector<char>& done, Amount saldo) {
    Baseline result;
    for (std::size_t run = 0; run < saldos.size(); ++run)
        if (done[run]) result.saldos.push_back(saldos[run]);
    result.runs = result.saldos.size();
    if (result.runs == 0) return result;
    double sum = 0;
    std::size_t below = 0, equal = 0;
    for (Amount s : result.saldos) {
        sum += static_cast<double>(s);
        below += s < saldo;
        equal += s == saldo;
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

}  // namespace

std::vector<std::uint8_t> randomSpins(std::uint64_t seed, std::uint64_t file, std::uint64_t run,
                                      std::uint64_t spins) {
    Random random(seed, file, run);
    std::vector<std::uint8_t> out(static_cast<std::size_t>(spins));
    random.fill(out.data(), out.size());
    return out;
}

Baseline baseline(const System& system, const BaselineJob& job, unsigned threads,
                  const Progress& progress, const std::atomic<bool>* cancel) {
    return baseline(compile(system), job, threads, progress, cancel);
}

Baseline baseline(const RunPlay& playRun, const BaselineJob& job, unsigned threads,
                  const std::atomic<bool>* cancel) {
    std::vector<Amount> saldos(job.runs, 0);
    std::vector<char> done(job.runs, 0);
    share(job.runs, threads, nullptr, [&](std::size_t run, Kernel*) {
        if (cancelled(cancel)) return;
        saldos[run] = playRun(run);
        done[run] = !cancelled(cancel);
    });
    return summary(saldos, done, job.saldo);
}

Baseline baseline(const std::shared_ptr<const Compiled>& compiled, const BaselineJob& job,
                  unsigned threads, const Progress& progress, const std::atomic<bool>* cancel) {
    std::vector<Amount> saldos(job.runs, 0);
    std::vector<char> done(job.runs, 0);
    if (const std::optional<LaneTable> lanes = LaneTable::of(*compiled, job.spins)) {
        const std::size_t group = LaneTable::group();
        share((job.runs + group - 1) / group, threads, compiled, [&](std::size_t item, Kernel*) {
            const std::size_t first = item * group;
            const std::size_t count = std::min(group, job.runs - first);
            if (lanes->play(job, first, count, saldos.data() + first, progress, cancel))
                std::fill_n(done.begin() + static_cast<std::ptrdiff_t>(first), count, 1);
        });
    } else {
        share(job.runs, threads, compiled, [&](std::size_t run, Kernel* kernel) {
            if (cancelled(cancel)) return;
            saldos[run] = playRun(*kernel, job, run, progress, cancel);
            done[run] = !cancelled(cancel);
        });
    }
    return summary(saldos, done, job.saldo);
}

}  // namespace tamvek::system
