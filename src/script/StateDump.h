#pragma once
// A snapshot of a running game as one line of JSON: every GameState field by
// its name, the controls with what the window would show of them, and what a
// recording platform heard (sounds, questions and printouts). Scripts and tests
// compare these. Text is UTF-8 (see core/Text.h); a number JSON cannot hold
// (infinity) is null.

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "engine/Game.h"

namespace tamvek::script {

class RecordingPlatform;

using Json = nlohmann::ordered_json;

// Whole numbers are written with their digits ("3", not "3.0"); others in their
// shortest exact form ("0.5", "1e+20"); infinity and NaN as null.
Json jsonNumber(double value);

Json stateJson(const engine::GameState& state);
Json controlJson(const form::Control& control);

// {"state":…,"controls":{name:…},"sounds":[…],"questions":[…],"prints":[…]} without a line
// break. `controls` empty = every control of the form, in layout order.
std::string dumpJson(const engine::Game& game, const std::vector<const form::Control*>& controls,
                     const RecordingPlatform& recorder);

// A wave file's name without its folder, whichever separator the folder used.
std::string soundName(const std::string& path);

}  // namespace tamvek::script
