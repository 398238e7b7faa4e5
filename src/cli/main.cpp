// tamvek-cli: plays a script of user actions against the game without a window.

#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "engine/RandomSource.h"
#include "platform/HeadlessPlatform.h"
#include "script/RecordingPlatform.h"
#include "script/ScriptPlayer.h"
#include "script/ScriptSource.h"
#include "session/Session.h"

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

}  // namespace

int main(int argc, char** argv) {
    using namespace tamvek;
    if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::cout << usage;
        return exitOk;
    }
    if (argc < 2 || std::string_view(argv[1]) != "play") return badArguments("expected 'play'");

    std::optional<std::uint32_t> seed;
    std::optional<std::string> scriptName;
    for (int i = 2; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--seed") {
            if (i + 1 >= argc) return badArguments("--seed needs a number");
            seed = script::parseSeed(argv[++i]);
            if (!seed) return badArguments("--seed needs a number from 0 to 4294967295");
        } else if (arg.size() > 1 && arg.front() == '-') {
            return badArguments("unknown option " + std::string(arg));
        } else if (scriptName) {
            return badArguments("only one script can be played");
        } else {
            scriptName = std::string(arg);
        }
    }
    if (!scriptName) return badArguments("no script given");

    Result<script::ScriptSource> source = script::ScriptSource::open(*scriptName);
    if (!source) {
        std::cerr << "tamvek-cli: cannot open " << source.error().message << "\n";
        return exitCannotOpen;
    }

    platform::HeadlessPlatform headless(argv[0]);
    script::RecordingPlatform recorder(headless);
    recorder.setScripted(true);
    const auto random = engine::makeRandom(seed);
    session::Session session(recorder, *random);
    script::ScriptPlayer player(session, recorder, std::cout);

    const script::ScriptResult result = player.run(source->stream());
    std::cout.flush();
    if (!result.ok) {
        std::cerr << "tamvek-cli: " << source->shownName() << ":" << result.line << ": "
                  << result.message << "\n";
        return exitBadScript;
    }
    return exitOk;
}
