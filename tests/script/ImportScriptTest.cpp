// The import panel driven by a script: folder and select.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ScriptFixture.h"

namespace tamvek::test {
namespace {

const std::string samples =
    std::filesystem::weakly_canonical(std::string(TAMVEK_TEST_DATA) + "/../../samples").string();

TEST(ImportScript, ImportsASampleAndPlaysItThrough) {
    // The numbers as the sample holds them, one per line between the dashes.
    std::ifstream in(samples + "/hamburg-tisch5-400.txt", std::ios::binary);
    ASSERT_TRUE(in);
    std::vector<std::string> numbers;
    int lineNo = 0;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (++lineNo <= 4 || line.starts_with("-")) continue;
        if (line.starts_with("=")) break;
        numbers.push_back(line);
    }
    ASSERT_EQ(numbers.size(), 400u);

    ScriptFixture f;
    const auto result = f.play(
        "click okextern\n"
        "folder \"" +
        samples +
        "\"\n"
        "select hamburg-tisch5-400.txt\n"
        "click okexternok\n"
        "dump textanzahl Frame1 text\n"
        "click Option1(2)\n"
        "click okstart\n"
        "dump tabelle2\n");
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(f.state().importedCount, 400);
    EXPECT_EQ(f.state().currentSpin, 400);

    const auto log = f.lastDump()["controls"]["tabelle2"]["cells"];
    std::vector<std::string> shown(400);
    for (const auto& cell : log)
        if (cell["c"] == 10) shown.at(cell["r"].get<std::size_t>()) = cell["text"];
    EXPECT_EQ(shown, numbers);
}

TEST(ImportScript, ListsThatCannotShowTheTargetStopTheScript) {
    struct Case {
        const char* script;
        const char* reason;
    };
    const Case cases[] = {
        {"click okextern\nfolder /no/such/folder/here", "cannot open the folder"},
        {"click okextern\nselect nothing.txt", "no file 'nothing.txt'"},
        {"click okextern\nfolder", "missing folder"},
        {"click okextern\nselect a.txt 0123456789abcdef c", "unexpected argument"},
        {"click okextern\nselect a.txt b.txt", "a content hash is 16 hex digits, not 'b.txt'"},
    };
    for (const Case& c : cases) {
        ScriptFixture f;
        const auto result = f.play(c.script);
        EXPECT_FALSE(result.ok) << c.script;
        EXPECT_EQ(result.line, 2) << c.script;
        EXPECT_NE(result.message.find(c.reason), std::string::npos) << result.message;
    }
}

TEST(ImportScript, ClosedPanelTakesNothing) {
    ScriptFixture f;
    const std::string before = f.form().Dir1.path();
    ASSERT_TRUE(
        f.play("folder /no/such/folder\nfolder \"" + samples + "\"\nselect hamburg-tisch3-118.txt")
            .ok);
    EXPECT_EQ(f.form().Dir1.path(), before);
    EXPECT_EQ(f.form().File1.listIndex(), -1);
}

}  // namespace
}  // namespace tamvek::test
