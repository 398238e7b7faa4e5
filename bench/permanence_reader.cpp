// The permanence reader on a file of 1,000,000 entries built in memory, in the
// casino's layout (one number per line, a dash line after every 20, CR LF).
// Reports bytes and entries per second.

#include <benchmark/benchmark.h>

#include <string>
#include <variant>

#include "formats/PermanenceReader.h"

namespace {

std::string millionEntryFile() {
    std::string file =
        "Spielbank Hamburg\r\nTisch 3\r\n14.03.2025\r\nFranz\xF6sisches Roulette\r\n";
    unsigned x = 12345;
    for (int i = 1; i <= 1'000'000; ++i) {
        x = x * 1103515245u + 12345u;
        file += std::to_string((x >> 16) % 37) + "\r\n";
        if (i % 20 == 0) file += "--------------------\r\n";
    }
    return file + "====================\r\n";
}

void readMillionEntries(benchmark::State& state) {
    const std::string file = millionEntryFile();
    std::size_t numbers = 0;
    for (auto _ : state) {
        auto result = tamvek::formats::readPermanence(file);
        numbers = std::get<tamvek::formats::Permanence>(result).numbers.size();
        benchmark::DoNotOptimize(result);
    }
    if (numbers != 1'000'000) state.SkipWithError("wrong number of entries");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * numbers));
}
BENCHMARK(readMillionEntries)->Unit(benchmark::kMillisecond);

// Entries that miss the short-digit path and go through the full number scan.
void readMillionDecimalEntries(benchmark::State& state) {
    std::string file = "Spielbank Hamburg\r\nTisch 3\r\n14.03.2025\r\nx\r\n";
    for (int i = 0; i < 1'000'000; ++i)
        file += std::to_string(i % 37) + ".0\r\n";
    for (auto _ : state) {
        auto result = tamvek::formats::readPermanence(file);
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * 1'000'000);
}
BENCHMARK(readMillionDecimalEntries)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
