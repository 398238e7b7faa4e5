#include <iostream>

#include "cli/Commands.h"
#include "formats/ScriptLines.h"
#include "platform/HeadlessPlatform.h"
#include "script/ScriptSource.h"
#include "script/ScriptedSession.h"

namespace tamvek::cli {

int runPlay(const PlayOptions& options, const char* argv0) {
    std::optional<std::uint32_t> seed;
    if (!options.seed.empty()) {
        seed = script::parseSeed(options.seed);
        if (!seed) {
            std::cerr << "tamvek-cli: --seed braucht eine ganze Zahl von 0 bis 4294967295, nicht '"
                      << options.seed << "'\n";
            return exitBadCall;
        }
    }
    Result<script::ScriptSource> source = script::ScriptSource::open(options.script);
    if (!source) {
        std::cerr << "tamvek-cli: " << source.error().message << "\n";
        return exitBadInput;
    }

    platform::HeadlessPlatform headless(argv0);
    // What the script does is written down as a session, which it can save.
    script::ScriptedSession scripted(headless, seed, std::cout);
    const script::ScriptResult result = scripted.play(source->stream());
    std::cout.flush();
    if (!result.ok) {
        std::cerr << "tamvek-cli: "
                  << formats::scriptPlace(source->shownName(), result.line, result.message) << "\n";
        return exitBadCall;
    }
    return exitOk;
}

}  // namespace tamvek::cli
