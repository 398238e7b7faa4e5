// Arbitrary bytes as a script, played on a fresh session whose import panel
// looks at a sandbox folder. It aborts when a dump is not valid JSON, a stake
// box holds anything but nothing or 1 to 999, a read that failed closed the
// panel, or the same seed played the same script two different ways.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "Sandbox.h"
#include "core/Numbers.h"
#include "formats/ScriptLines.h"
#include "import/ImportPanel.h"
#include "platform/HeadlessPlatform.h"
#include "script/ScriptedSession.h"

namespace {

using namespace tamvek;

std::string sandbox;

bool boxesHoldStakes(form::MainForm& f) {
    for (form::TextBox* box : f.stakeBoxes()) {
        if (box->text().empty()) continue;
        // A stake the game writes into a locked box may have ridden past 999;
        // the range is for what the player types.
        const double v = numericValue(box->text());
        if (v < 1 || (v > 999 && !box->locked())) return false;
    }
    return true;
}

// Plays the script line by line as the player does, checking after each line.
std::string play(const std::string& script) {
    platform::HeadlessPlatform headless;
    headless.setProgramFolder(sandbox);
    headless.setToday("07.12.2026");
    std::ostringstream out;
    script::ScriptedSession scripted(headless, 1u, out);
    // A menu line would write files wherever it names them.
    scripted.player().setMenu(nullptr);
    auto& f = scripted.session().form();
    std::istringstream in(script);
    formats::ScriptLines lines(in);
    while (const auto line = lines.next()) {
        try {
            scripted.player().playLine(*line);
        } catch (const script::ScriptError&) {
            break;
        } catch (const script::NoAnswerQueued&) {
            break;
        }
        if (!boxesHoldStakes(f)) std::abort();
        const std::string& message = f.text.caption();
        if ((message == import::unreadableText || message == import::tooLargeText) &&
            !f.Frame1.visible())
            std::abort();
        if (scripted.recorder().quitRequested()) break;
    }
    std::istringstream dumps(out.str());
    for (std::string dump; std::getline(dumps, dump);)
        if (!nlohmann::json::accept(dump)) std::abort();
    return out.str();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    sandbox = fuzz::makeSandbox("tamvek-fuzz-");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string script(reinterpret_cast<const char*>(data), size);
    if (play(script) != play(script)) std::abort();
    return 0;
}
