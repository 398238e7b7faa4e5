#pragma once
// A session driven by a script, with numbers and answers under the test's control.

#include <algorithm>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "script/ScriptedSession.h"
#include "support/TestSupport.h"

namespace tamvek::test {

struct ScriptFixture {
    TestPlatform fake;  // the platform the recorder watches
    ScriptedRandom random;
    std::ostringstream out;
    script::ScriptedSession scripted{fake, random, out};
    script::RecordingPlatform& recorder = scripted.recorder();
    session::Session& session = scripted.session();
    script::ScriptPlayer& player = scripted.player();

    form::MainForm& form() { return session.form(); }
    engine::GameState& state() { return session.state(); }
    // How many lines have been written.
    long lines() const {
        const std::string all = out.str();
        return static_cast<long>(std::count(all.begin(), all.end(), '\n'));
    }

    script::ScriptResult play(const std::string& script) {
        std::istringstream in(script);
        return player.run(in);
    }
    // The last dump written, parsed.
    nlohmann::json lastDump() const {
        std::string all = out.str();
        if (!all.empty() && all.back() == '\n') all.pop_back();
        const auto start = all.rfind('\n');
        return nlohmann::json::parse(start == std::string::npos ? all : all.substr(start + 1));
    }
};

}  // namespace tamvek::test
