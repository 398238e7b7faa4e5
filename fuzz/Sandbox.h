#pragma once
// A folder of the fuzzer's own, with a few permanences for the import panel to
// find, made the current folder (the panel's lists start there).

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace tamvek::fuzz {

inline void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string makeSandbox(const std::string& prefix) {
    const std::string sandbox =
        (std::filesystem::temp_directory_path() / (prefix + std::to_string(getpid()))).string();
    std::filesystem::create_directories(sandbox + "/ordner");
    writeFile(sandbox + "/gut.txt",
              "Spielbank Hamburg\r\nTisch 1\r\n07.12.2026\r\nx\r\n17\r\n0\r\n32\r\n---\r\n"
              "37\r\n3.5\r\n===\r\n");
    writeFile(sandbox + "/kurz.txt", "Spielbank Hamburg\r\nTisch 1\r\n");
    writeFile(sandbox + "/fremd.txt", "Roulette\n1\n2\n");
    writeFile(sandbox + "/info_tamvek1.txt", "Info");
    writeFile(sandbox + "/ordner/tief.txt", "Spielbank X,1,2,3,4,5,6");
    std::filesystem::current_path(sandbox);
    return sandbox;
}

}  // namespace tamvek::fuzz
