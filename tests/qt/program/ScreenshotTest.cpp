// The window program's picture of itself: never over a file unasked, never a
// half picture.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "support/Command.h"
#include "support/ScratchFolder.h"

namespace tamvek::test {
namespace {

CommandRun screenshot(const std::string& args) {
    return runCommand("QT_QPA_PLATFORM=offscreen '" TAMVEK_BIN_DIR "/tamvek' --seed 1 " + args +
                      " 2>&1");
}

TEST(Screenshot, AnExistingFileIsReplacedOnlyWithForce) {
    const ScratchFolder folder;
    const std::string picture = folder.write("fenster.png", "the old picture");
    const CommandRun refused = screenshot("--screenshot '" + picture + "'");
    EXPECT_EQ(refused.status, 1) << refused.out;
    EXPECT_NE(refused.out.find("it exists already (--force replaces it)"), std::string::npos)
        << refused.out;
    EXPECT_EQ(fileText(picture), "the old picture");

    const CommandRun forced = screenshot("--screenshot '" + picture + "' --force");
    EXPECT_EQ(forced.status, 0) << forced.out;
    EXPECT_TRUE(fileText(picture).starts_with("\x89PNG"));

    const std::string fifo = folder.path() + "/fifo.png";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const CommandRun onFifo = screenshot("--screenshot '" + fifo + "' --force");
    EXPECT_EQ(onFifo.status, 1) << onFifo.out;
    EXPECT_NE(onFifo.out.find("it is not a plain file"), std::string::npos) << onFifo.out;
}

}  // namespace
}  // namespace tamvek::test
