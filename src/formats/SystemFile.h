#pragma once
// Reads a system file (TOML, see docs/systems.md), or the text of a script.
// An unknown key, a wrong type or an impossible value is an error that names
// the file, the line and the key; nothing of a faulty file is used.

#include <string>
#include <string_view>

#include "core/Result.h"
#include "formats/System.h"

namespace tamvek::formats {

// `name` is how errors name the file.
Result<System> parseSystem(std::string_view text, const std::string& name);
Result<System> readSystemFile(const std::string& path);
// A system written as a script: its text, unchecked (the script's own layer
// checks it), named by the path until the script names itself.
Result<System> readScriptFile(const std::string& path);

}  // namespace tamvek::formats
