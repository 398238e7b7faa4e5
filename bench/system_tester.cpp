// The system tester: the engine over spins in memory, a baseline of a
// thousand million-spin permanences, and the whole program over the two real
// Wiesbaden tables (1.28 million spins).

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "SpinData.h"
#include "system/Baseline.h"
#include "system/Player.h"

namespace {

using namespace tamvek;

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

void BM_EngineThreeFlatBets(benchmark::State& state) {
    const system::System sys = threeFlatBets();
    const std::vector<std::uint8_t> spins = system::randomSpins(1, 0, 0, 10'000'000);
    for (auto _ : state) {
        system::Player player(sys);
        player.play(spins.data(), spins.size());
        benchmark::DoNotOptimize(player.report().saldo);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * spins.size()));
}
BENCHMARK(BM_EngineThreeFlatBets)->Unit(benchmark::kMillisecond);

// 1,000 random permanences of 1,000,000 spins on every core.
void BM_Baseline1000Runs(benchmark::State& state) {
    const system::System sys = threeFlatBets();
    const system::BaselineJob job{1'000'000, static_cast<std::size_t>(state.range(0)), 7, 0, 0};
    for (auto _ : state) {
        const system::Baseline b = system::baseline(sys, job);
        benchmark::DoNotOptimize(b.mean);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * job.spins * job.runs));
}
BENCHMARK(BM_Baseline1000Runs)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

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
BENCHMARK(BM_ProgramOverWiesbaden)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
