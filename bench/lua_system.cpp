// Systems written in Lua against the engine that plays system files: the same
// system, the same spins, in the same run, so their cost a spin stands side
// by side (items per second = spins per second); and the whole program over
// the two real Wiesbaden tables (1.28 million spins) with the Lua paroli.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "SpinData.h"
#include "formats/SystemFile.h"
#include "lua/ScriptPlayer.h"
#include "system/Baseline.h"
#include "system/Player.h"

namespace {

using namespace tamvek;

const std::vector<std::uint8_t>& spins() {
    static const std::vector<std::uint8_t> s = system::randomSpins(1, 0, 0, 1'000'000);
    return s;
}

system::System example(const std::string& name) {
    const std::string path = std::string(TAMVEK_SOURCE_DIR) + "/systems/" + name;
    Result<system::System> s =
        name.ends_with(".lua") ? formats::readScriptFile(path) : formats::readSystemFile(path);
    if (!s) std::fprintf(stderr, "%s\n", s.error().message.c_str());
    return *s;
}

void engine(benchmark::State& state, const std::string& name) {
    const system::System sys = example(name);
    for (auto _ : state) {
        system::Player player(sys);
        player.play(spins().data(), spins().size());
        benchmark::DoNotOptimize(player.report().saldo);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * spins().size()));
}

void script(benchmark::State& state, const std::string& name) {
    const system::System sys = example(name);
    for (auto _ : state) {
        lua::ScriptPlayer player(*sys.script, {});
        player.play(spins().data(), spins().size());
        if (player.failed()) state.SkipWithError(player.error().c_str());
        benchmark::DoNotOptimize(player.report().saldo);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * spins().size()));
}

BENCHMARK_CAPTURE(engine, paroli, "paroli-rot.toml")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(script, paroli, "paroli-rot.lua")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(engine, martingale, "martingale-nach-serie.toml")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(script, martingale, "martingale-nach-serie.lua")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(engine, fictitious, "fiktiver-einstieg.toml")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(script, fictitious, "fiktiver-einstieg.lua")->Unit(benchmark::kMillisecond);

// A fresh script state, as every file and every baseline run gets one.
void BM_ScriptStart(benchmark::State& state) {
    const system::System sys = example("paroli-rot.lua");
    for (auto _ : state) {
        lua::ScriptPlayer player(*sys.script, {});
        benchmark::DoNotOptimize(player.failed());
    }
}
BENCHMARK(BM_ScriptStart)->Unit(benchmark::kMicrosecond);

// The whole program as a user runs it: the Lua paroli, and its TOML twin.
void program(benchmark::State& state, const std::string& name) {
    const auto t1 = bench::spinFile(state, "wiesbaden-t1.txt");
    const auto t2 = bench::spinFile(state, "wiesbaden-t2.txt");
    if (!t1 || !t2) return;
    const std::string command = std::string(TAMVEK_BIN_DIR) + "/tamvek-cli system " +
                                TAMVEK_SOURCE_DIR + "/systems/" + name + " " + *t1 + " " + *t2 +
                                " > /dev/null";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) state.SkipWithError("tamvek-cli failed");
}
BENCHMARK_CAPTURE(program, luaParoliOverWiesbaden, "paroli-rot.lua")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(program, tomlParoliOverWiesbaden, "paroli-rot.toml")
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
