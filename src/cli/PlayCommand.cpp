#include <iostream>

#include "cli/Commands.h"
#include "engine/RandomSource.h"
#include "platform/HeadlessPlatform.h"
#include "script/Menu.h"
#include "script/RecordingPlatform.h"
#include "script/ScriptPlayer.h"
#include "script/ScriptSource.h"
#include "script/SessionRecorder.h"
#include "session/Session.h"

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
    script::RecordingPlatform recorder(headless);
    recorder.setScripted(true);
    const auto random = engine::makeRandom(seed);
    session::Session session(recorder, *random);
    // What the script does is written down as a session, which it can save.
    script::SessionRecorder sessionRecorder(session);
    const auto menu = script::sessionMenu(session, sessionRecorder, std::cout);
    script::ScriptPlayer player(session, recorder, std::cout);
    player.setMenu(menu.get());

    const script::ScriptResult result = player.run(source->stream());
    std::cout.flush();
    if (!result.ok) {
        std::cerr << "tamvek-cli: " << source->shownName() << ":" << result.line << ": "
                  << result.message << "\n";
        return exitBadCall;
    }
    return exitOk;
}

}  // namespace tamvek::cli
