#include <gtest/gtest.h>

#include "script/ScriptFixture.h"

namespace tamvek::test {
namespace {

// A scripted session lists its printouts in the dump: the report page as
// lines at their columns, the copies, and the set-up dialogs.
TEST(PrintDump, ReportCopyAndSetupAreListedInOrder) {
    ScriptFixture f;
    const auto result = f.play(
        "type textanzahl 12\nclick okstart\n"
        "answer abbrechen\nclick okdruck\n"  // nothing printed
        "answer nein\nclick okdruck\n"
        "answer ja\nclick okcopy\n"
        "dump lakut\n");
    ASSERT_TRUE(result.ok) << result.message;
    const auto prints = f.lastDump()["prints"];
    ASSERT_EQ(prints.size(), 3u) << prints.dump();
    EXPECT_EQ(prints[0]["kind"], "report");
    EXPECT_EQ(prints[1], nlohmann::json({{"kind", "setup"}}));
    EXPECT_EQ(prints[2], nlohmann::json({{"kind", "copy"}}));

    const auto& lines = prints[0]["lines"];
    ASSERT_EQ(lines.size(), 36u);
    EXPECT_EQ(lines[5], std::string(14, ' ') + " Der Computer erzeugt die Zahlen...");
    EXPECT_EQ(lines[7], std::string(14, ' ') + "Anzahl Würfe:   12 ");
    EXPECT_EQ(lines[9], std::string(14, ' ') + "Anzahl akut :    1 ");
    const auto& ops = prints[0]["ops"];
    EXPECT_EQ(ops[0], "font 12");
    EXPECT_EQ(ops[3], "bold on");
    EXPECT_EQ(ops[5], "text \"Datum: \"");
    EXPECT_EQ(ops.back(), "end document");
    EXPECT_TRUE(f.fake.questions().empty());  // answered by the script
    EXPECT_EQ(f.state().currentSpin, 1);
    EXPECT_EQ(f.form().tabelle1.row(), 20);
}

TEST(PrintDump, OutsideAScriptTheSetupDialogIsTheInnerPlatforms) {
    TestPlatform inner;
    inner.setSetupAccepted(false);
    script::RecordingPlatform recorder(inner);
    EXPECT_FALSE(recorder.printerSetup());
    recorder.setScripted(true);
    EXPECT_TRUE(recorder.printerSetup());
    EXPECT_EQ(recorder.prints().size(), 2u);
}

}  // namespace
}  // namespace tamvek::test
