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
RunEnd playRun(Kernel& kernel, const BaselineJob& job, std::uint64_t run, const Progress& progress,
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
    return kernel.end();
}

// `work(item, kernel)` for every item, shared out over `threads` threads, each
// with a kernel of its own (none without `compiled`).
// `worker()` on `threads` threads (0: one per core), at most one per item.
void onThreads(std::size_t items, unsigned threads, const std::function<void()>& worker) {
    if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
    threads =
        static_cast<unsigned>(std::min<std::size_t>(threads, std::max<std::size_t>(items, 1)));
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < threads; ++t)
        pool.emplace_back(worker);
    worker();
    for (std::thread& t : pool)
        t.join();
}

void share(std::size_t items, unsigned threads, const std::shared_ptr<const Compiled>& compiled,
           const std::function<void(std::size_t, Kernel*)>& work) {
    std::atomic<std::size_t> next{0};
    onThreads(items, threads, [&] {
        std::optional<Kernel> kernel;
        if (compiled) kernel.emplace(compiled);
        for (std::size_t item = next++; item < items; item = next++)
            work(item, kernel ? &*kernel : nullptr);
    });
}

// The ends of every run, as the players leave them.
struct Ends {
    explicit Ends(std::size_t runs)
        : saldos(runs, 0), lowests(runs, 0), ruined(runs, 0), done(runs, 0) {}
    void set(std::size_t run, const RunEnd& end) {
        saldos[run] = end.saldo;
        lowests[run] = end.lowest;
        ruined[run] = end.ruined ? 1 : 0;
    }
    std::vector<Amount> saldos;
    std::vector<Amount> lowests;
    std::vector<std::uint8_t> ruined;
    std::vector<char> done;
};

// The mean, the spread and the file's percentile among the runs played.
Baseline summary(const Ends& ends, Amount saldo) {
    Baseline result;
    for (std::size_t run = 0; run < ends.saldos.size(); ++run) {
        if (!ends.done[run]) continue;
        result.saldos.push_back(ends.saldos[run]);
        result.lowests.push_back(ends.lowests[run]);
        result.ruined.push_back(ends.ruined[run]);
    }
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

void forEach(std::size_t items, unsigned threads, const std::function<void(std::size_t)>& work) {
    share(items, threads, nullptr, [&](std::size_t item, Kernel*) { work(item); });
}

Baseline joined(const std::vector<const Baseline*>& files, Amount saldo) {
    const std::size_t runs = files.empty() ? 0 : files.front()->runs;
    Ends ends(runs);
    for (std::size_t run = 0; run < runs; ++run) {
        RunEnd end;
        for (const Baseline* file : files) {
            end.lowest = std::min(end.lowest, end.saldo + file->lowests[run]);
            end.saldo += file->saldos[run];
            end.ruined = end.ruined || file->ruined[run] != 0;
        }
        ends.set(run, end);
        ends.done[run] = 1;
    }
    return summary(ends, saldo);
}

Baseline baseline(const System& system, const BaselineJob& job, unsigned threads,
                  const Progress& progress, const std::atomic<bool>* cancel) {
    return baseline(compile(system), job, threads, progress, cancel);
}

Baseline baseline(const RunPlay& playRun, const BaselineJob& job, unsigned threads,
                  const std::atomic<bool>* cancel) {
    Ends ends(job.runs);
    share(job.runs, threads, nullptr, [&](std::size_t run, Kernel*) {
        if (cancelled(cancel)) return;
        ends.set(run, playRun(run));
        ends.done[run] = !cancelled(cancel);
    });
    return summary(ends, job.saldo);
}

Baseline baseline(const std::shared_ptr<const Compiled>& compiled, const BaselineJob& job,
                  unsigned threads, const Progress& progress, const std::atomic<bool>* cancel) {
    Ends ends(job.runs);
    if (const std::optional<LaneTable> lanes = LaneTable::of(*compiled, job.spins)) {
        const std::size_t group = LaneTable::group();
        share((job.runs + group - 1) / group, threads, compiled, [&](std::size_t item, Kernel*) {
            const std::size_t first = item * group;
            const std::size_t count = std::min(group, job.runs - first);
            if (lanes->play(job, first, count, ends.saldos.data() + first,
                            ends.lowests.data() + first, progress, cancel))
                std::fill_n(ends.done.begin() + static_cast<std::ptrdiff_t>(first), count, 1);
        });
    } else {
        share(job.runs, threads, compiled, [&](std::size_t run, Kernel* kernel) {
            if (cancelled(cancel)) return;
            ends.set(run, playRun(*kernel, job, run, progress, cancel));
            ends.done[run] = !cancelled(cancel);
        });
    }
    return summary(ends, job.saldo);
}

}  // namespace tamvek::system
