// The system tester: every path of the kernel and the engine over spins in
// memory, a baseline of a thousand million-spin permanences, the window's
// system test and the whole program over the two real Wiesbaden tables (1.28
// million spins). Each is to be read beside the plain loop measured in the
// same run: draw a spin as the baseline draws it, look up its class, add.
// Threaded work is timed by the wall clock.

#include <benchmark/benchmark.h>

#include <array>
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>

#include "SpinData.h"
#include "system/Baseline.h"
#include "system/Kernel.h"
#include "system/Player.h"
#include "system/Random.h"
#include "tester/Runner.h"
#include "tester/Sweep.h"

namespace {

using namespace tamvek;

constexpr std::uint64_t memorySpins = 10'000'000;

system::System threeFlatBets() {
    system::System s;
    for (auto [pair, side] : {std::pair{wheel::RedBlack, 1}, std::pair{wheel::LowHigh, 2},
                              std::pair{wheel::EvenOdd, 1}}) {
        system::Bet b;
        b.pair = pair;
        b.side = side;
        b.ride = 2;
        s.bets.push_back(b);
    }
    return s;
}

const std::vector<std::uint8_t>& spinsInMemory() {
    static const std::vector<std::uint8_t> spins = system::randomSpins(1, 0, 0, memorySpins);
    return spins;
}

// The plain loop: spins drawn a block at a time, each looked up and added.
std::int64_t plainLoop(std::uint64_t seed, std::uint64_t run, std::uint64_t spins) {
    static constexpr std::array<std::int64_t, 41> value = [] {
        std::array<std::int64_t, 41> v{};
        for (int c = 1; c < 41; ++c)
            v[static_cast<std::size_t>(c)] =
                wheel::sidesOf[static_cast<std::size_t>(c)].side[0] == 1 ? 1 : -1;
        return v;
    }();
    system::Random random(seed, 0, run);
    std::uint8_t block[1 << 14];
    std::int64_t sum = 0;
    for (std::uint64_t left = spins; left > 0;) {
        const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(left, sizeof block));
        random.fill(block, n);
        for (std::size_t i = 0; i < n; ++i)
            sum += value[block[i]];
        left -= n;
    }
    return sum;
}

void BM_PlainLoop(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(plainLoop(1, 0, memorySpins));
    state.SetItemsProcessed(
        static_cast<std::int64_t>(static_cast<std::uint64_t>(state.iterations()) * memorySpins));
}
BENCHMARK(BM_PlainLoop)->Unit(benchmark::kMillisecond);

void BM_EngineThreeFlatBets(benchmark::State& state) {
    const system::System sys = threeFlatBets();
    const std::vector<std::uint8_t>& spins = spinsInMemory();
    for (auto _ : state) {
        system::Player player(sys);
        player.play(spins.data(), spins.size());
        benchmark::DoNotOptimize(player.report().saldo);
    }
    state.SetItemsProcessed(
        static_cast<std::int64_t>(static_cast<std::uint64_t>(state.iterations()) * spins.size()));
}
BENCHMARK(BM_EngineThreeFlatBets)->Unit(benchmark::kMillisecond);

// The kernel on the path the system compiles to (arg 0: table), or made to
// take the automata (arg 1).
void BM_KernelThreeFlatBets(benchmark::State& state) {
    std::shared_ptr<const system::Compiled> compiled = system::compile(threeFlatBets());
    if (state.range(0) == 1) {
        auto automata = std::make_shared<system::Compiled>(*compiled);
        automata->path = system::Path::Automata;
        compiled = automata;
    }
    const std::vector<std::uint8_t>& spins = spinsInMemory();
    system::Kernel kernel(compiled);
    for (auto _ : state) {
        kernel.startFile();
        kernel.play(spins.data(), spins.size());
        benchmark::DoNotOptimize(kernel.saldo());
    }
    state.SetLabel(std::string(system::pathKey(kernel.path())));
    state.SetItemsProcessed(
        static_cast<std::int64_t>(static_cast<std::uint64_t>(state.iterations()) * spins.size()));
}
BENCHMARK(BM_KernelThreeFlatBets)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The plain loop over 1,000 random permanences of 1,000,000 spins on every core.
void BM_PlainLoop1000Runs(benchmark::State& state) {
    const auto runs = static_cast<std::uint64_t>(state.range(0));
    for (auto _ : state) {
        std::atomic<std::uint64_t> next{0};
        std::atomic<std::int64_t> sum{0};
        const auto work = [&] {
            for (std::uint64_t run = next++; run < runs; run = next++)
                sum += plainLoop(7, run, 1'000'000);
        };
        std::thread other(work);
        work();
        other.join();
        benchmark::DoNotOptimize(sum.load());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(
        static_cast<std::uint64_t>(state.iterations()) * runs * 1'000'000));
}
BENCHMARK(BM_PlainLoop1000Runs)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

// 1,000 random permanences of 1,000,000 spins on every core.
void BM_Baseline1000Runs(benchmark::State& state) {
    const system::System sys = threeFlatBets();
    const system::BaselineJob job{1'000'000, static_cast<std::size_t>(state.range(0)), 7, 0, 0};
    for (auto _ : state) {
        const system::Baseline b = system::baseline(sys, job);
        benchmark::DoNotOptimize(b.mean);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(
        static_cast<std::uint64_t>(state.iterations()) * job.spins * job.runs));
}
BENCHMARK(BM_Baseline1000Runs)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

// The window's system test over both Wiesbaden tables as the window runs it
// (reading included, on a thread of its own), with their Saldo curves and a
// baseline of 1,000 random permanences each.
void BM_WindowSystemTestWiesbaden(benchmark::State& state) {
    const auto t1 = bench::spinFile(state, "wiesbaden-t1.txt");
    const auto t2 = bench::spinFile(state, "wiesbaden-t2.txt");
    if (!t1 || !t2) return;
    tester::Job job;
    job.systemFile = std::string(TAMVEK_SOURCE_DIR) + "/systems/paroli-rot.toml";
    job.permanences = {*t1, *t2};
    job.baselineRuns = 1000;
    job.seed = 1;
    job.curves = true;
    for (auto _ : state) {
        tester::Runner run(job);
        const tester::Runner::Finished done = run.take();
        if (!done.error.empty()) state.SkipWithError(done.error.c_str());
        benchmark::DoNotOptimize(done.outcome.total.saldo);
    }
}
BENCHMARK(BM_WindowSystemTestWiesbaden)->Unit(benchmark::kMillisecond)->UseRealTime();

// A sweep of 1,000 variants of a system file (ride 0 to 9, units 1 to 10, ten
// sides) over both Wiesbaden tables on every core, reading and checking every
// variant included: beside the plain loop over 1,000 million spins above.
void BM_Sweep1000VariantsWiesbaden(benchmark::State& state) {
    const auto t1 = bench::spinFile(state, "wiesbaden-t1.txt");
    const auto t2 = bench::spinFile(state, "wiesbaden-t2.txt");
    if (!t1 || !t2) return;
    tester::SweepJob job;
    job.systemFile = std::string(TAMVEK_SOURCE_DIR) + "/systems/paroli-rot.toml";
    job.permanences = {*t1, *t2};
    job.vary = {{"bet1.ride", {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}},
                {"bet1.units", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}},
                {"bet1.side",
                 {"red", "black", "low", "high", "even", "odd", "red", "black", "low", "high"}}};
    std::uint64_t spins = 0;
    for (auto _ : state) {
        const Result<tester::LoadedSweep> loaded = tester::loadSweep(job);
        if (!loaded) {
            state.SkipWithError(loaded.error().message.c_str());
            return;
        }
        const tester::SweepOutcome out = tester::sweep(*loaded);
        benchmark::DoNotOptimize(out.variants.front().development.saldo);
        spins += loaded->work();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(spins));
}
BENCHMARK(BM_Sweep1000VariantsWiesbaden)->Unit(benchmark::kMillisecond)->UseRealTime();

// The whole program as a user runs it, JSON out.
void BM_ProgramOverWiesbaden(benchmark::State& state) {
    const auto t1 = bench::spinFile(state, "wiesbaden-t1.txt");
    const auto t2 = bench::spinFile(state, "wiesbaden-t2.txt");
    if (!t1 || !t2) return;
    const std::string command = std::string(TAMVEK_BIN_DIR) + "/tamvek-cli system " +
                                TAMVEK_SOURCE_DIR + "/systems/paroli-rot.toml " + *t1 + " " + *t2 +
                                " --json > /dev/null";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) state.SkipWithError("tamvek-cli failed");
}
BENCHMARK(BM_ProgramOverWiesbaden)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
