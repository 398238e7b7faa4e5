#pragma once
// Lua's own error messages in German: "chunk:line: attempt to call a nil value
// (global 'plase')" becomes "chunk:line: nil-Wert kann nicht aufgerufen werden
// (globale Variable 'plase')". The position stays as it is; a message this
// does not know stays as Lua wrote it (a script's own error() text, say).

#include <string>

namespace tamvek::lua {

// A message of an error at run time.
std::string runtimeInGerman(const std::string& message);
// A message of the compiler: "Syntaxfehler: " and what it found, and where.
std::string syntaxInGerman(const std::string& message);
// Whether a message begins with a position ("chunk:line: ").
bool hasPosition(const std::string& message);

}  // namespace tamvek::lua
