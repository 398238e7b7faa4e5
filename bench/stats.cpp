// The permanence statistics (`tamvek-cli stats`): over the two Wiesbaden
// tables, 1.28 million real spins read from ../shared/data/spins beside the
// source tree (skipped, with a message, when that folder is missing), whole
// (reading, figures, text), as the whole program and the figures alone; and
// over 10 million random spins made here.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/StatsOutput.h"
#include "formats/SpinFiles.h"
#include "stats/Summary.h"
#include "system/Baseline.h"

namespace {

using namespace tamvek;

const std::vector<std::string> wiesbaden{std::string(TAMVEK_SPIN_DATA) + "/wiesbaden-t1.txt",
                                         std::string(TAMVEK_SPIN_DATA) + "/wiesbaden-t2.txt"};

bool haveSpinData(benchmark::State& state) {
    if (std::filesystem::is_directory(TAMVEK_SPIN_DATA)) return true;
    state.SkipWithError("no spin archive at " TAMVEK_SPIN_DATA
                        ": this benchmark reads the real spins kept beside the source tree");
    return false;
}

std::vector<stats::Permanence> permanences(const std::vector<formats::SpinFile>& files) {
    std::vector<stats::Permanence> out;
    for (const formats::SpinFile& f : files)
        out.push_back({f.name, f.classes});
    return out;
}

void summarizeAll(benchmark::State& state, const std::vector<stats::Permanence>& files) {
    std::size_t spins = 0;
    for (const stats::Permanence& p : files)
        spins += p.classes.size();
    for (auto _ : state) {
        Result<stats::Summary> summary = stats::summarize(files);
        if (!summary) {
            state.SkipWithError(summary.error().message.c_str());
            return;
        }
        benchmark::DoNotOptimize(summary);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * spins));
}

// What a user waits for: the files read, their figures made and written.
void BM_StatsWiesbadenWhole(benchmark::State& state) {
    if (!haveSpinData(state)) return;
    std::size_t spins = 0;
    for (auto _ : state) {
        const Result<std::vector<formats::SpinFile>> files = formats::readSpinFiles(wiesbaden);
        if (!files) {
            state.SkipWithError(files.error().message.c_str());
            return;
        }
        const Result<stats::Summary> summary = stats::summarize(permanences(*files));
        std::ostringstream text;
        cli::writeStatsText(text, summary->files, summary->total);
        benchmark::DoNotOptimize(text);
        spins = summary->total.spins;
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * spins));
}
BENCHMARK(BM_StatsWiesbadenWhole)->Unit(benchmark::kMillisecond);

void BM_StatsWiesbaden(benchmark::State& state) {
    if (!haveSpinData(state)) return;
    const Result<std::vector<formats::SpinFile>> files = formats::readSpinFiles(wiesbaden);
    if (!files) {
        state.SkipWithError(files.error().message.c_str());
        return;
    }
    summarizeAll(state, permanences(*files));
}
BENCHMARK(BM_StatsWiesbaden)->Unit(benchmark::kMillisecond);

// The whole program as a user runs it: `tamvek-cli stats` over both tables.
void BM_StatsProgramOverWiesbaden(benchmark::State& state) {
    if (!haveSpinData(state)) return;
    const std::string command = std::string(TAMVEK_BIN_DIR) + "/tamvek-cli stats " + wiesbaden[0] +
                                " " + wiesbaden[1] + " > /dev/null";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) state.SkipWithError("tamvek-cli failed");
}
BENCHMARK(BM_StatsProgramOverWiesbaden)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StatsRandom10M(benchmark::State& state) {
    const std::vector<std::uint8_t> spins = system::randomSpins(2024, 0, 0, 10'000'000);
    summarizeAll(state, {{"random", spins}});
}
BENCHMARK(BM_StatsRandom10M)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
