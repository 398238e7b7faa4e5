#pragma once
// Reads a system file (TOML, see docs/systems.md), or the text of a script.
// An unknown key, a wrong type or an impossible value is an error that names
// the file, the line and the key; nothing of a faulty file is used.

#include <string>
#include <string_view>
#include <vector>

#include "core/Result.h"
#include "formats/System.h"

namespace tamvek::formats {

// One key of a system set to another value, as a variant of it: `key` is a
// top-level key ("table_max") or a bet's, counted from 1 ("bet1.ride");
// `value` is written as in TOML, a bare word standing for a text ("red").
struct Setting {
    std::string key;
    std::string value;
};

// `name` is how errors name the file. `settings` replace what the file says
// (or add to it) before it is checked; a fault in one names the setting as
// `--vary KEY=VALUE`.
Result<System> parseSystem(std::string_view text, const std::string& name,
                           const std::vector<Setting>& settings = {});
Result<System> readSystemFile(const std::string& path, const std::vector<Setting>& settings = {});
// A system written as a script: its text, unchecked (the script's own layer
// checks it), named by the path until the script names itself.
Result<System> readScriptFile(const std::string& path);

}  // namespace tamvek::formats
