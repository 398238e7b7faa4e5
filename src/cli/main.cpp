// tamvek-cli: plays a script of user actions against the game without a window.

#include <charconv>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "control/HeadlessPlatform.h"
#include "control/RecordingPlatform.h"
#include "control/ScriptPlayer.h"
#include "control/Session.h"
#include "engine/RandomSource.h"

namespace {

constexpr int exitOk = 0;
constexpr int exitCannotOpen = 1;
constexpr int exitBadScript = 2;  // also bad arguments

constexpr const char* usage =
    "usage: tamvek-cli play [--seed N] SCRIPT\n"
    "\n"
    "Plays SCRIPT (a file, or - for standard input) against the game, one user\n"
    "action per line, and writes each dump as one line of JSON to standard output.\n"
    "  --seed N   draw the numbers from seed N (0..4294967295): the same seed and\n"
    "             script give the same output; without it the clock seeds them.\n"
    "Exit status: 0 done, 1 the script cannot be opened, 2 a bad line, an\n"
    "unanswered question or bad arguments.\n";

int badArguments(std::string_view why) {
    std::cerr << "tamvek-cli: " << why << "\n" << usage;
    return exitBadScript;
}

std::optional<std::uint32_t> parseSeed(std::string_view text) {
    std::uint32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace tamvek;
    if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::cout << usage;
        return exitOk;
    }
    if (argc < 2 || std::string_view(argv[1]) != "play") return badArguments("expected 'play'");

    std::optional<std::uint32_t> seed;
    std::optional<std::string> script;
    for (int i = 2; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--seed") {
            if (i + 1 >= argc) return badArguments("--seed needs a number");
            seed = parseSeed(argv[++i]);
            if (!seed) return badArguments("--seed needs a number from 0 to 4294967295");
        } else if (arg.size() > 1 && arg.front() == '-') {
            return badArguments("unknown option " + std::string(arg));
        } else if (script) {
            return badArguments("only one script can be played");
        } else {
            script = std::string(arg);
        }
    }
    if (!script) return badArguments("no script given");

    std::ifstream file;
    std::istream* in = &std::cin;
    if (*script != "-") {
        file.open(*script);
        if (!file) {
            std::cerr << "tamvek-cli: cannot open " << *script << "\n";
            return exitCannotOpen;
        }
        in = &file;
    }

    control::HeadlessPlatform headless(argv[0]);
    control::RecordingPlatform recorder(headless);
    recorder.setScripted(true);
    const auto random = engine::makeRandom(seed);
    control::Session session(recorder, *random);
    control::ScriptPlayer player(session, recorder, std::cout);

    const control::ScriptResult result = player.run(*in);
    std::cout.flush();
    if (!result.ok) {
        std::cerr << "tamvek-cli: " << (*script == "-" ? "<stdin>" : *script) << ":" << result.line
                  << ": " << result.message << "\n";
        return exitBadScript;
    }
    return exitOk;
}
