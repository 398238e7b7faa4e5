#include <gtest/gtest.h>

#include <filesystem>

#include "platform/ProgramFolder.h"
#include "support/ScratchFolder.h"

namespace tamvek::platform {
namespace {

namespace fs = std::filesystem;

// A build runs with its files beside the binary; an install keeps them in
// share/tamvek beside bin/, wherever the tree was unpacked or moved to.
TEST(ProgramFolder, BesideTheBinaryElseTheInstalledDataElseTheBinaryAnyway) {
    test::ScratchFolder root;
    const std::string bin = root.path() + "/usr/bin";
    const std::string data = root.path() + "/usr/share/tamvek";
    fs::create_directories(bin);
    EXPECT_EQ(programFolderFor(bin, "../share/tamvek"), bin);  // nothing anywhere

    fs::create_directories(data);
    EXPECT_EQ(programFolderFor(bin, "../share/tamvek"), data);
    EXPECT_EQ(programFolderFor(bin + "/", "../share/tamvek"), data);
    EXPECT_EQ(programFolderFor(bin, ""), bin);

    root.write("usr/bin/" + std::string(infoFileName), "Info");
    EXPECT_EQ(programFolderFor(bin + "//", "../share/tamvek"), bin);
    EXPECT_EQ(programFolderFor("/", "../share/tamvek"), "/");
}

}  // namespace
}  // namespace tamvek::platform
