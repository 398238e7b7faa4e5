// Arbitrary bytes as a saved session, menu lines and all, played by "Sitzung
// abspielen" on a session whose import panel looks at a sandbox folder. A
// session that does not play leaves the game as it was and says why; one
// that plays is written down as it played, and that record, saved and played
// on a program of its own, ends in the same state.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "Sandbox.h"
#include "platform/HeadlessPlatform.h"
#include "script/ScriptedSession.h"
#include "script/StateDump.h"

namespace {

using namespace tamvek;

std::string sandbox;

// A program as the window runs it: the user answers (the headless platform
// says No), every input is written down.
struct Program {
    Program() : scripted(headless, 1u, out) {
        headless.setProgramFolder(sandbox);
        headless.setToday("07.12.2026");
        scripted.handOver();
    }
    std::string state() {
        return script::dumpJson(scripted.session().game(), {}, scripted.recorder());
    }
    platform::HeadlessPlatform headless;
    std::ostringstream out;
    script::ScriptedSession scripted;
};

bool dumpsAreJson(const std::string& dumps) {
    std::istringstream lines(dumps);
    for (std::string dump; std::getline(lines, dump);)
        if (!nlohmann::json::accept(dump)) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    sandbox = fuzz::makeSandbox("tamvek-replay-fuzz-");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::writeFile(sandbox + "/sitzung.txt",
                    std::string(reinterpret_cast<const char*>(data), size));
    Program program;
    const std::string before = program.state();
    const Result<std::string> played = program.scripted.replay(sandbox + "/sitzung.txt");
    if (!played) {
        if (played.error().message.empty() || program.state() != before) std::abort();
        return 0;
    }
    if (!dumpsAreJson(program.out.str())) std::abort();
    const std::string after = program.state();
    // Saved beside the sandbox, not in it: the file lists the dump shows
    // would otherwise hold it on the second round.
    const std::string resaved = sandbox + "-wieder.txt";
    const Result<std::string> saved =
        program.scripted.sessionRecorder().save(resaved, platform::Overwrite::Yes);
    if (!saved) std::abort();
    Program again;
    if (!again.scripted.replay(resaved) || again.state() != after) std::abort();
    return 0;
}
