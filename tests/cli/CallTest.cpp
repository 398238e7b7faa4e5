// What tamvek-cli takes on its command line and how it answers what it cannot
// do: strict numbers, more threads than cores, and messages that name the
// real cause, briefly.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "cli/CliRun.h"
#include "support/ScratchFolder.h"

namespace tamvek::test {
namespace {

TEST(Call, EveryNumberIsAWholeNumberInDecimal) {
    const std::string random = "system " + paroli + " --random 1000 --json ";
    for (const char* seed : {"-1", "1e23", "18446744073709551616", "''", "0x10", "+5", "1.0"}) {
        const CommandRun run = cli(random + "--seed " + seed);
        EXPECT_EQ(run.status, 2) << seed << "\n" << run.out;
        EXPECT_TRUE(contains(run.out, "braucht eine ganze Zahl von 0 bis 18446744073709551615"))
            << seed << "\n"
            << run.out;
    }
    // A leading zero is decimal, not octal.
    EXPECT_EQ(cli(random + "--seed 010").out, cli(random + "--seed 10").out);
    EXPECT_EQ(cli(random + "--seed 18446744073709551615").status, 0);
    for (const char* option : {"--random 1e3", "--baseline -1", "--baseline 010x", "--threads -2",
                               "--threads 4294967296"})
        EXPECT_EQ(cli("system " + paroli + " " + spins + "/genting-118.txt " + option).status, 2)
            << option;
    EXPECT_EQ(cli("play --seed '' /dev/null").status, 2);
}

TEST(Call, MoreThreadsThanCoresAreCappedWithANote) {
    const CommandRun run =
        cli("system " + paroli + " --random 20000 --seed 9 --baseline 30 --json --threads 100000");
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_TRUE(contains(run.out, "tamvek-cli: --threads 100000: dieser Rechner hat ")) << run.out;
    const CommandRun one =
        cli("system " + paroli + " --random 20000 --seed 9 --baseline 30 " + "--json --threads 1");
    EXPECT_EQ(run.out.substr(run.out.find('{')), one.out);
}

TEST(Call, ABadScriptLineIsQuotedBriefly) {
    ScratchFolder folder;
    const std::string script = folder.write("lang.txt", "type " + std::string(100000, 'x') + "\n");
    const CommandRun run = cli("play " + script);
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(contains(run.out, ": unknown control 'xxx")) << run.out.substr(0, 300);
    EXPECT_LT(run.out.size(), 1500u) << run.out.substr(0, 300);
}

// A folder nobody may read says so; as root, the program runs as nobody.
TEST(Call, AFolderThatCannotBeReadSaysSo) {
    ScratchFolder folder;
    const std::string locked = folder.path() + "/gesperrt";
    ASSERT_EQ(::mkdir(locked.c_str(), 0), 0);
    const std::string as =
        ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    for (const std::string& command : {"stats " + locked, "system " + paroli + " " + locked}) {
        const CommandRun run = runCommand(as + cliPath + " " + command + " 2>&1");
        EXPECT_EQ(run.status, 1) << command << "\n" << run.out;
        EXPECT_TRUE(contains(run.out, locked + ": kann nicht gelesen werden: keine Berechtigung"))
            << command << "\n"
            << run.out;
    }
}

// A session names an imported file by its content: one that cannot be read is
// not said to have changed.
TEST(Call, AnImportThatCannotBeReadOnReplaySaysSo) {
    ScratchFolder folder;
    ASSERT_EQ(::mkfifo((folder.path() + "/tisch.txt").c_str(), 0600), 0);
    const std::string script =
        folder.write("sitzung.txt", "click okextern\nfolder \"" + folder.path() +
                                        "\"\nselect tisch.txt 0123456789abcdef\n");
    const CommandRun run = cli("play " + script);
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(contains(run.out,
                         "the file 'tisch.txt' cannot be read: ist keine gewöhnliche "
                         "Datei"))
        << run.out;
}

}  // namespace
}  // namespace tamvek::test
