#pragma once
// The real spins beside the project (../shared/data/spins), for benchmarks
// that read them. A fresh clone has none: such a benchmark says so and skips.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <optional>
#include <string>

namespace tamvek::bench {

inline std::optional<std::string> spinFile(benchmark::State& state, const std::string& name) {
    const std::string path = std::string(TAMVEK_SPIN_DATA) + "/" + name;
    if (std::filesystem::exists(path)) return path;
    state.SkipWithError(
        (path + " is missing: the shared spin files lie beside the project").c_str());
    return std::nullopt;
}

// The largest resident size since the last reset, in bytes (Linux).
inline std::size_t peakMemory() {
    FILE* f = std::fopen("/proc/self/status", "r");
    if (f == nullptr) return 0;
    char line[256];
    std::size_t kb = 0;
    while (std::fgets(line, sizeof line, f))
        if (std::sscanf(line, "VmHWM: %zu kB", &kb) == 1) break;
    std::fclose(f);
    return kb * 1024;
}

// Starts a new peak at the present resident size.
inline void resetPeakMemory() {
    if (FILE* f = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", f);
        std::fclose(f);
    }
}

}  // namespace tamvek::bench
