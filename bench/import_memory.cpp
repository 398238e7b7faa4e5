// How much memory an import takes at its peak, against the file's size: a
// permanence of 10 and 100 million entries, written to a temporary file in the
// casino's layout and read as the window reads it.

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <variant>

#include "SpinData.h"
#include "formats/PermanenceReader.h"

namespace {

using namespace tamvek;

std::string permanenceFile(std::size_t entries) {
    const std::string path =
        (std::filesystem::temp_directory_path() /
         ("tamvek-bench-" + std::to_string(getpid()) + "-" + std::to_string(entries) + ".txt"))
            .string();
    std::ofstream out(path, std::ios::binary);
    out << "Spielbank Hamburg\r\nTisch 3\r\n14.03.2025\r\nx\r\n";
    std::string block;
    unsigned x = 12345;
    for (std::size_t i = 1; i <= entries; ++i) {
        x = x * 1103515245u + 12345u;
        block += std::to_string((x >> 16) % 37);
        block += "\r\n";
        if (block.size() > (1 << 20)) {
            out << block;
            block.clear();
        }
    }
    out << block;
    return path;
}

void BM_ImportPeakMemory(benchmark::State& state) {
    const auto entries = static_cast<std::size_t>(state.range(0));
    const std::string path = permanenceFile(entries);
    const double fileSize = static_cast<double>(std::filesystem::file_size(path));
    std::size_t before = 0, peak = 0;
    for (auto _ : state) {
        bench::resetPeakMemory();
        before = bench::peakMemory();
        Result<platform::InputFile> file = platform::InputFile::open(path);
        const formats::ReadResult result = formats::readPermanence(*file, NumberList{std::nullopt});
        if (std::get<formats::Permanence>(result).numbers.size() != entries + 1)
            state.SkipWithError("wrong count");
        peak = bench::peakMemory();
    }
    std::filesystem::remove(path);
    state.counters["file_MB"] = fileSize / 1e6;
    state.counters["peak_MB"] = static_cast<double>(peak - before) / 1e6;
    state.counters["peak_per_file"] = static_cast<double>(peak - before) / fileSize;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fileSize));
}
BENCHMARK(BM_ImportPeakMemory)
    ->Arg(10'000'000)
    ->Arg(100'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
