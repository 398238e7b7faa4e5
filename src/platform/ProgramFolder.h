#pragma once
// Where the program keeps its own files (the info text, the wave files, the
// sample permanences): the folder the logic calls the program's folder. Run
// from the build or from a copied folder, the program has them beside its
// binary; installed, it keeps them in its data folder, found from the binary's
// folder (bin/../share/tamvek), so that an install unpacked into any folder
// still finds them. Both platforms ask here, so the window and the
// command-line player always look in the same place.

#include <string>
#include <string_view>

namespace tamvek::platform {

// The info text. The folder that holds it holds the program's other files too.
inline constexpr const char* infoFileName = "info_tamvek1.txt";

// The installed data folder seen from the folder of the installed binaries,
// as the build was configured to install them ("../share/tamvek").
std::string_view dataFolderFromBinary();

// The program's folder for a binary in `binaryFolder`: that folder itself when
// the info text is beside the binary; else the installed data folder
// (`dataFromBinary` taken from the binary's folder) when there is one; else the
// binary's folder after all, where the info box then says what is missing.
// Never with a trailing separator, except the root "/".
std::string programFolderFor(const std::string& binaryFolder,
                             std::string_view dataFromBinary = dataFolderFromBinary());

}  // namespace tamvek::platform
