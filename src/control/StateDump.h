#pragma once
// A snapshot of a running game as one line of JSON: every GameState field by
// its name, the controls with what the window would show of them, and what a
// RecordingPlatform heard (sounds, questions and printouts). Scripts and tests compare these.

#include <string>
#include <vector>

#include "engine/Game.h"

namespace tamvek::control {

class RecordingPlatform;
class JsonWriter;

void writeState(JsonWriter& json, const engine::GameState& state);
void writeControl(JsonWriter& json, const form::Control& control);

// {"state":…,"controls":{name:…},"sounds":[…],"questions":[…],"prints":[…]} without a line
// break. `controls` empty = every control of the form, in layout order.
std::string dumpJson(const engine::Game& game, const std::vector<const form::Control*>& controls,
                     const RecordingPlatform& recorder);

}  // namespace tamvek::control
