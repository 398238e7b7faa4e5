#pragma once
// The commands of tamvek-cli. Each returns the program's exit status:
// 0 done, 1 an input file cannot be read or is not what it should be (the
// message names the file, the line and what is wrong) or a figure passed the
// 64-bit range, 2 a bad command line or a bad line of a script, 3 a file or
// standard output cannot be written (it exists already, the disk is full, ...),
// 128 + the signal when Ctrl-C or SIGTERM ended it (cli/Interrupt.h).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tamvek::cli {

inline constexpr int exitOk = 0;
inline constexpr int exitBadInput = 1;
inline constexpr int exitBadCall = 2;
inline constexpr int exitCannotWrite = 3;

struct PlayOptions {
    std::optional<std::string> seed;  // as typed; none: the clock seeds the numbers
    std::string script;
};
int runPlay(const PlayOptions& options, const char* argv0);

struct SystemOptions {
    std::string system;
    std::vector<std::string> permanences;
    bool json = false;
    std::optional<std::string> log;  // the cycle log, when asked for
    bool force = false;              // the log may replace an existing file
    std::uint64_t random = 0;        // spins; 0: play the permanences
    std::optional<std::uint64_t> seed;
    std::size_t baseline = 0;
    unsigned threads = 0;
    bool verbose = false;  // names the path that played on standard error
};
int runSystem(const SystemOptions& options);
// More threads than the machine has cores are cut to the cores, with a note.
unsigned threadsFor(unsigned asked);

struct SweepOptions {
    std::string system;
    std::vector<std::string> vary;  // KEY=V1,V2,… as typed
    std::vector<std::string> permanences;
    double split = 0.5;
    std::size_t baseline = 0;
    bool json = false;
    std::optional<std::uint64_t> seed;
    unsigned threads = 0;
};
int runSweep(const SweepOptions& options);

struct StatsOptions {
    std::vector<std::string> permanences;
    bool json = false;
};
int runStats(const StatsOptions& options);

}  // namespace tamvek::cli
