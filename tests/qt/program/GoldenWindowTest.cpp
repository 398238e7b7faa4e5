// A session recorded before the house was rebuilt, played on the window: the
// window gives the same dumps as the command-line player, to the byte.

#include <gtest/gtest.h>

#include <string>

#include "support/Command.h"
#include "support/ScratchFolder.h"

namespace tamvek::test {
namespace {

TEST(GoldenWindow, ScriptedSessionGivesItsRecordedDumps) {
    const std::string folder = std::string(TAMVEK_TEST_DATA) + "/golden";
    // Every printout is a new file: they go into a folder that goes with the test.
    const ScratchFolder scratch;
    const std::string picture = scratch.path() + "/tamvek-golden.png";
    const std::string pdf = scratch.path() + "/tamvek-golden.pdf";
    for (const char* name : {"import-and-play", "stakes-and-zeros"}) {
        const CommandRun run =
            runCommand("cd '" + folder + "' && QT_QPA_PLATFORM=offscreen '" + TAMVEK_BIN_DIR +
                       "/tamvek' --seed 11 --script " + name + ".txt --print-to '" + pdf +
                       "' --screenshot '" + picture + "' --force 2>/dev/null");
        EXPECT_EQ(run.status, 0) << name;
        // The last line names the picture.
        const std::string dumps = run.out.substr(0, run.out.rfind(picture));
        const std::string expected = fileText(folder + "/" + name + ".jsonl");
        ASSERT_FALSE(expected.empty()) << name;
        EXPECT_TRUE(recordedForm(dumps, TAMVEK_BIN_DIR) == recordedForm(expected, TAMVEK_BIN_DIR))
            << name << ": the dumps differ from " << name << ".jsonl";
    }
}

}  // namespace
}  // namespace tamvek::test
