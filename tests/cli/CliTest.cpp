// Runs the built tamvek-cli as a user would.

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include <nlohmann/json.hpp>

#include "support/Command.h"
#include "support/ScratchFolder.h"

namespace {

using tamvek::test::CommandRun;

std::string scriptFile(const std::string& name, const std::string& content) {
    static const tamvek::test::ScratchFolder folder;  // gone when the tests end
    const std::string path = folder.path() + "/" + name + ".txt";
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

// `args` go to the shell as written; stderr is dropped.
CommandRun cli(const std::string& args) {
    return tamvek::test::runCommand(std::string(TAMVEK_BIN_DIR) + "/tamvek-cli " + args +
                                    " 2>/dev/null");
}

TEST(Cli, ExitStatus) {
    const std::string good = scriptFile("good", "type textanzahl 2\nclick okstart\ndump lakut\n");
    const std::string bad = scriptFile("bad", "type textanzahl 2\nclick nothere\n");
    const std::string unanswered = scriptFile("unanswered", "click okende\n");
    const std::string ended = scriptFile("ended", "answer ja\nclick okende\nbogus\n");
    struct Case {
        std::string args;
        int status;
    };
    const Case cases[] = {
        {"play " + good, 0},
        {"play --seed 5 " + good, 0},
        {"play - < " + good, 0},
        {"play " + ended, 0},  // the program ended before the bad line
        {"play " + bad, 2},
        {"play " + unanswered, 2},
        {"play /no/such/script.txt", 1},
        {"", 2},
        {"run " + good, 2},
        {"play", 2},
        {"play --seed", 2},
        {"play --seed x " + good, 2},
        {"play --seed -1 " + good, 2},
        {"play --seed 4294967296 " + good, 2},
        {"play --fast " + good, 2},
        {"play " + good + " " + good, 2},
        {"--help", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(cli(c.args).status, c.status) << c.args;
}

TEST(Cli, SameSeedSameGame) {
    const std::string script =
        scriptFile("seeded",
                   "type textanzahl 20\nclick Check1\nclick okstart\n"
                   "type srot 3\nclick oksetz1\ntype sgross 2\nclick oksetz2\n"
                   "click Option1(2)\ntype haltbei 15\nclick okstart\ndump\n");
    const CommandRun a = cli("play --seed 42 " + script);
    const CommandRun b = cli("play --seed 42 " + script);
    const CommandRun c = cli("play --seed 43 " + script);
    ASSERT_EQ(a.status, 0);
    EXPECT_EQ(a.out, b.out);
    EXPECT_NE(a.out, c.out);

    const nlohmann::json dump = nlohmann::json::parse(a.out);
    EXPECT_EQ(dump["state"]["currentSpin"], 15);
    EXPECT_EQ(dump["controls"]["Option1(0)"]["selected"], true);
}

}  // namespace

namespace {

// Sessions recorded once, before the house was rebuilt: their dumps must stay
// the same to the byte. The scripts import from folders relative to their own.
TEST(Cli, GoldenSessionsGiveTheirRecordedDumps) {
    const std::string folder = std::string(TAMVEK_TEST_DATA) + "/golden";
    for (const char* name : {"stakes-and-zeros", "import-and-play", "odd-file"}) {
        const CommandRun run =
            tamvek::test::runCommand("cd '" + folder + "' && '" + TAMVEK_BIN_DIR +
                                     "/tamvek-cli' play --seed 11 " + name + ".txt 2>&1");
        EXPECT_EQ(run.status, 0) << name;
        const std::string expected = tamvek::test::fileText(folder + "/" + name + ".jsonl");
        ASSERT_FALSE(expected.empty()) << name;
        EXPECT_TRUE(tamvek::test::recordedForm(run.out, TAMVEK_BIN_DIR) ==
                    tamvek::test::recordedForm(expected, TAMVEK_BIN_DIR))
            << name << ": the dumps differ from " << name << ".jsonl";
    }
}

}  // namespace
