// A whole 9999-spin run in halt-at mode, without a window: what one press of
// Start costs when the halt box is left empty.

#include <benchmark/benchmark.h>

#include <memory>
#include <optional>

#include "engine/RandomSource.h"
#include "platform/HeadlessPlatform.h"
#include "session/Session.h"

namespace {

using namespace tamvek;

void runToTheEnd(benchmark::State& bench, bool withStakes) {
    platform::HeadlessPlatform platform;
    std::unique_ptr<engine::RandomSource> random;
    // Built and torn down outside the timed part: only the press counts.
    std::optional<session::Session> session;
    for (auto _ : bench) {
        bench.PauseTiming();
        session.reset();
        random = engine::makeRandom(12345u);
        session.emplace(platform, *random);
        auto& f = session->form();
        f.textanzahl.type("9999");
        if (withStakes) {
            // Stakes need a started run: one spin in single step, then halt-at.
            f.okstart.click();
            f.srot.type("1");
            f.oksetz1.click();
            f.sgross.type("1");
            f.oksetz2.click();
            f.sgerade.type("1");
            f.oksetz3.click();
        }
        f.Option1.click(2);
        bench.ResumeTiming();

        f.okstart.click();

        // The form is the run's output, so nothing here can be optimised away;
        // checking it also proves that the press played the whole run.
        if (session->state().currentSpin != 9999 || f.okstart.enabled())
            bench.SkipWithError("the run did not end");
    }
    session.reset();
    bench.SetItemsProcessed(bench.iterations() * (withStakes ? 9998 : 9999));  // spins per press
}

void BM_HaltAtRun9999(benchmark::State& bench) {
    runToTheEnd(bench, false);
}
void BM_HaltAtRun9999WithStakes(benchmark::State& bench) {
    runToTheEnd(bench, true);
}

}  // namespace

BENCHMARK(BM_HaltAtRun9999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HaltAtRun9999WithStakes)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
