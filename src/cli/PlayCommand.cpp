#include <iostream>

#include "cli/Commands.h"
#include "cli/Output.h"
#include "formats/ScriptLines.h"
#include "platform/HeadlessPlatform.h"
#include "script/ScriptSource.h"
#include "script/ScriptedSession.h"

namespace tamvek::cli {

int runPlay(const PlayOptions& options, const char* argv0) {
    std::optional<std::uint32_t> seed;
    if (options.seed) {
        seed = script::parseSeed(*options.seed);
        if (!seed)
            return fail("--seed braucht eine ganze Zahl von 0 bis 4294967295, nicht '" +
                            *options.seed + "'",
                        exitBadCall);
    }
    Result<script::ScriptSource> source = script::ScriptSource::open(options.script);
    if (!source) return fail(source.error().message, exitBadInput);

    platform::HeadlessPlatform headless(argv0);
    // What the script does is written down as a session, which it can save.
    script::ScriptedSession scripted(headless, seed, std::cout);
    const script::ScriptResult result = scripted.play(source->stream());
    if (!result.ok) {
        std::cout.flush();
        return fail(formats::scriptPlace(source->shownName(), result.line, result.message),
                    exitBadCall);
    }
    return finishOutput();
}

}  // namespace tamvek::cli
