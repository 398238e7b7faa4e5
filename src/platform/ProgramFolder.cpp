#include "platform/ProgramFolder.h"

#include <filesystem>
#include <system_error>

#ifndef TAMVEK_DATA_FROM_BIN
#define TAMVEK_DATA_FROM_BIN "../share/tamvek"
#endif

namespace tamvek::platform {
namespace {

std::string withoutTrailingSeparator(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

}  // namespace

std::string_view dataFolderFromBinary() {
    return TAMVEK_DATA_FROM_BIN;
}

std::string programFolderFor(const std::string& binaryFolder, std::string_view dataFromBinary) {
    namespace fs = std::filesystem;
    const fs::path binary(withoutTrailingSeparator(binaryFolder));
    std::error_code ec;
    if (fs::is_regular_file(binary / infoFileName, ec)) return binary.string();
    // Lexically: "bin/.." is the prefix the binaries were installed under, even
    // when bin/ itself is a link into another tree.
    const fs::path data = (binary / fs::path(dataFromBinary)).lexically_normal();
    if (!dataFromBinary.empty() && fs::is_directory(data, ec))
        return withoutTrailingSeparator(data.string());
    return binary.string();
}

}  // namespace tamvek::platform
