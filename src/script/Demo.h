#pragma once
// A short game that shows what the program does, for a picture of the window
// where no window can be shown: a permanence imported from the samples, stakes
// on all three pairs, wins that ride, a withdrawal, fictitious spins and a zero
// that holds every stake on the table. It is a script like any other
// (docs/script-format.md); the sample's numbers make it come out the same
// every time.

#include <string>

namespace tamvek::script {

// The permanence the demo imports.
inline constexpr const char* demoSample = "hamburg-tisch3-118.txt";

// The demo's script, importing the sample from `samplesFolder`.
std::string demoScript(const std::string& samplesFolder);

}  // namespace tamvek::script
