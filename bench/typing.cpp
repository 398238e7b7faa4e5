// Typing a megabyte into a box, keystroke by keystroke, as a script can.

#include <benchmark/benchmark.h>

#include <sstream>

#include "platform/HeadlessPlatform.h"
#include "script/ScriptedSession.h"

namespace {

using namespace tamvek;

void typeMegabyte(benchmark::State& state, const std::string& setup, const std::string& line) {
    for (auto _ : state) {
        state.PauseTiming();
        platform::HeadlessPlatform headless;
        std::ostringstream out;
        script::ScriptedSession scripted(headless, 1u, out);
        std::istringstream prepare(setup);
        scripted.play(prepare);
        std::istringstream in(line);
        state.ResumeTiming();
        if (!scripted.play(in).ok) state.SkipWithError("the script failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * (1 << 20)));
}

void BM_TypeMegabyteOfDigitsIntoTheHaltBox(benchmark::State& state) {
    typeMegabyte(state, "click \"Option1(2)\"\n", "type haltbei " + std::string(1 << 20, '7'));
}
void BM_TypeMegabyteIntoAStakeBox(benchmark::State& state) {
    typeMegabyte(state, "type textanzahl 5\nclick okstart\n",
                 "type srot 5" + std::string((1 << 20) - 1, 'x'));
}
BENCHMARK(BM_TypeMegabyteOfDigitsIntoTheHaltBox)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeMegabyteIntoAStakeBox)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
