#pragma once
// The commands of tamvek-cli. Each returns the program's exit status:
// 0 done, 1 an input file cannot be read or is not what it should be (the
// message names the file, the line and what is wrong), 2 a bad command line or
// a bad line of a script.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tamvek::cli {

inline constexpr int exitOk = 0;
inline constexpr int exitBadInput = 1;
inline constexpr int exitBadCall = 2;

struct PlayOptions {
    std::string seed;  // as typed; empty: the clock seeds the numbers
    std::string script;
};
int runPlay(const PlayOptions& options, const char* argv0);

struct SystemOptions {
    std::string system;
    std::vector<std::string> permanences;
    bool json = false;
    std::string log;
    std::uint64_t random = 0;  // spins; 0: play the permanences
    std::optional<std::uint64_t> seed;
    std::size_t baseline = 0;
    unsigned threads = 0;
    bool verbose = false;  // names the path that played on standard error
};
int runSystem(const SystemOptions& options);

struct StatsOptions {
    std::vector<std::string> permanences;
    bool json = false;
};
int runStats(const StatsOptions& options);

}  // namespace tamvek::cli
