#pragma once
// tamvek-cli run as a user runs it, over the test data and the example systems.

#include <string>

#include "support/Command.h"

namespace tamvek::test {

inline const std::string spins = std::string(TAMVEK_TEST_DATA) + "/spins";
inline const std::string paroli = std::string(TAMVEK_SOURCE_DIR) + "/systems/paroli-rot.toml";
inline const std::string cliPath = std::string(TAMVEK_BIN_DIR) + "/tamvek-cli";

// `args` go to the shell as written; standard error goes with standard output.
inline CommandRun cli(const std::string& args) {
    return runCommand(cliPath + " " + args + " 2>&1");
}

inline bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

}  // namespace tamvek::test
