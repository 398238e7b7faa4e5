#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "ScriptFixture.h"
#include "script/StateDump.h"

namespace tamvek::test {
namespace {

TEST(ScriptPlayer, MalformedLinesStopWithTheirNumberAndText) {
    struct Case {
        const char* script;
        int line;
        const char* reason;
    };
    const Case cases[] = {
        {"bogus", 1, "unknown action 'bogus'"},
        {"# comment\n\n  \ntype textanzahl 1\nTYPE textanzahl 2", 5, "unknown action 'TYPE'"},
        {"type nothere 5", 1, "unknown control 'nothere'"},
        {"type okstart 5", 1, "not a text box"},
        {"type textanzahl", 1, "missing text"},
        {"type", 1, "missing control name"},
        {"paste lakut x", 1, "not a text box"},
        {"key textanzahl now", 1, "unexpected argument 'now'"},
        {"key Option1(0)", 1, "not a text box"},
        {"click", 1, "missing control name"},
        {"click lakut", 1, "cannot click the label 'lakut'"},
        {"click tabelle2", 1, "cannot click the grid"},
        {"click Option1(1)", 1, "unknown control 'Option1(1)'"},
        {"click okstart okende", 1, "unexpected argument"},
        {"answer", 1, "missing answer"},
        {"answer vielleicht", 1, "answer must be ja, nein or abbrechen"},
        {"answer ja nein", 1, "unexpected argument"},
        {"dump lakut nothere", 1, "unknown control 'nothere'"},
        {"paste textanzahl \"5", 1, "missing closing quote"},
    };
    for (const Case& c : cases) {
        ScriptFixture f;
        const auto result = f.play(c.script);
        EXPECT_FALSE(result.ok) << c.script;
        EXPECT_EQ(result.line, c.line) << c.script;
        EXPECT_NE(result.message.find(c.reason), std::string::npos) << result.message;
        // The message ends with the offending line as written.
        const std::string script = c.script;
        const std::string lastLine = script.substr(script.rfind('\n') + 1);
        EXPECT_TRUE(result.message.ends_with(": " + lastLine)) << result.message;
    }
}

TEST(ScriptPlayer, LinesBeforeAMalformedOneHaveBeenPlayed) {
    ScriptFixture f;
    const auto result = f.play("type textanzahl 7\ndump lakut\nbogus\ndump lakut\n");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.line, 3);
    EXPECT_EQ(f.form().textanzahl.text(), "7");
    EXPECT_EQ(f.lines(), 1);
}

TEST(ScriptPlayer, GoodLinesActOnTheForm) {
    ScriptFixture f;
    const auto result = f.play(
        "# a count with a comment after it\n"
        "type textanzahl 12   # twelve\r\n"  // a Windows line end too
        "\n"
        "click Check1\n"
        "click Option1(2)\n"
        "type haltbei 5\n");
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(result.line, 0);
    EXPECT_EQ(f.form().textanzahl.text(), "12");
    EXPECT_EQ(f.state().wantedSpins, 12);
    EXPECT_EQ(f.form().Check1.value(), 1);
    EXPECT_TRUE(f.form().Option1.isSelected(2));
    EXPECT_EQ(f.state().haltAtSpin, 5);
    EXPECT_TRUE(f.form().okstart.enabled());
}

TEST(ScriptPlayer, TypingIsKeystrokesPastingIsOneChange) {
    ScriptFixture f;
    form::TextBox& box = f.form().textanzahl;
    std::vector<std::string> changes;
    int keyUps = 0;
    box.onChange = [&] { changes.push_back(box.text()); };
    box.onKeyUp = [&] { ++keyUps; };

    ASSERT_TRUE(f.play("type textanzahl 12").ok);
    EXPECT_EQ(changes, (std::vector<std::string>{"1", "12"}));
    EXPECT_EQ(keyUps, 2);

    changes.clear();
    keyUps = 0;
    ASSERT_TRUE(f.play("paste textanzahl 345\nkey textanzahl\npaste textanzahl").ok);
    EXPECT_EQ(changes, (std::vector<std::string>{"345", ""}));
    EXPECT_EQ(keyUps, 1);
}

TEST(ScriptPlayer, ControlsThatTakeNoInputIgnoreTheUser) {
    ScriptFixture f;
    // At window load Start is disabled, the halt box disabled, the stake boxes locked.
    ASSERT_TRUE(f.play("click okstart\ntype haltbei 5\ntype srot 3\nclick oksetz1").ok);
    EXPECT_EQ(f.state().runStarted, 0);
    EXPECT_EQ(f.form().haltbei.text(), "");
    EXPECT_EQ(f.form().srot.text(), "");

    // A hidden control: the import panel's buttons while the panel is closed.
    bool clicked = false;
    f.form().okexternabbruch.onClick = [&] { clicked = true; };
    ASSERT_TRUE(f.play("click okexternabbruch").ok);
    EXPECT_FALSE(clicked);
}

// Enter presses Start from the count box and "Setzen" from a stake box, but
// only a button that is enabled: never a second spin or a second stake.
TEST(ScriptPlayer, EnterPressesTheButtonItsBoxStandsFor) {
    ScriptFixture f;
    f.random.queueNumbers({7, 0, 20});
    ASSERT_TRUE(f.play("enter textanzahl\nenter srot").ok);  // Start disabled, boxes locked
    EXPECT_EQ(f.state().runStarted, 0);

    ASSERT_TRUE(f.play("type textanzahl 3\nenter textanzahl").ok);
    EXPECT_EQ(f.state().currentSpin, 1);
    // The count box is disabled during the run: its Enter plays nothing.
    ASSERT_TRUE(f.play("enter textanzahl").ok);
    EXPECT_EQ(f.state().currentSpin, 1);

    ASSERT_TRUE(f.play("enter srot\ntype sschwarz 4\nenter sschwarz").ok);
    EXPECT_EQ(f.state().activeRedBlack, 1);
    EXPECT_EQ(f.state().sideRedBlack, 2);
    EXPECT_EQ(f.state().stakeRedBlack, 4);
    EXPECT_EQ(f.form().gewtotal.caption(), "-4");
    // The stake is on: the key-up after Enter leaves it alone, a second Enter
    // finds "Setzen" disabled.
    ASSERT_TRUE(f.play("enter sschwarz\nenter srot").ok);
    EXPECT_EQ(f.form().gewtotal.caption(), "-4");
    EXPECT_EQ(f.form().sschwarz.text(), "4");
    // Another pair is untouched by the first pair's Enter.
    EXPECT_EQ(f.state().activeLowHigh, 0);
    EXPECT_EQ(f.state().currentSpin, 1);
}

TEST(ScriptPlayer, ThreeSpinsTakeFourPresses) {
    ScriptFixture f;
    f.random.queueNumbers({7, 0, 20});
    ASSERT_TRUE(f.play("type textanzahl 3\nclick okstart\nclick okstart\nclick okstart\n"
                       "dump lakut text okstart\n")
                    .ok);
    auto dump = f.lastDump();
    EXPECT_EQ(dump["controls"]["lakut"]["caption"], "3");
    EXPECT_EQ(dump["controls"]["okstart"]["enabled"], true);
    EXPECT_EQ(dump["controls"]["okstart"]["caption"], "Weiter");
    EXPECT_EQ(dump["state"]["currentNumber"], 20);
    EXPECT_EQ(dump["controls"].size(), 3u);

    ASSERT_TRUE(f.play("click okstart\ndump lakut text okstart").ok);
    dump = f.lastDump();
    EXPECT_EQ(dump["controls"]["lakut"]["caption"], "3");
    EXPECT_EQ(dump["controls"]["okstart"]["enabled"], false);
    EXPECT_EQ(dump["controls"]["okstart"]["caption"], "Start");
    EXPECT_EQ(dump["controls"]["text"]["caption"],
              " Der Computer erzeugt die Zahlen...\r                    ***  ENDE  *** ");
    EXPECT_EQ(dump["state"]["currentSpin"], 3);
}

TEST(ScriptPlayer, AnswersAreUsedInOrderAndOnlyByQuestions) {
    ScriptFixture f;
    auto result = f.play("answer nein\nclick okende\ndump okende\n");
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_FALSE(f.recorder.quitRequested());
    EXPECT_FALSE(f.fake.quitRequested());
    EXPECT_EQ(f.lastDump()["questions"],
              nlohmann::json::array({"Soll das Programm beendet werden ?     "}));
    EXPECT_TRUE(f.fake.questions().empty());  // the inner platform was never asked

    // "ja" to the second question ends the program; nothing after it is played.
    result = f.play("answer nein\nanswer ja\nclick okende\nclick okende\ndump\n");
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.line, 4);
    EXPECT_TRUE(f.fake.quitRequested());
    EXPECT_EQ(f.recorder.questions().size(), 3u);
    EXPECT_EQ(f.lines(), 1);
}

TEST(ScriptPlayer, AQuestionWithoutAnAnswerStopsTheScript) {
    ScriptFixture f;
    const auto result = f.play("type textanzahl 3\nclick okstart\nclick okabbrechen\ndump\n");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.line, 3);
    EXPECT_NE(result.message.find("Abbruch bitte"), std::string::npos) << result.message;
    EXPECT_TRUE(f.out.str().empty());
}

TEST(ScriptPlayer, OutsideAScriptQuestionsGoToTheInnerPlatform) {
    ScriptFixture f;
    f.recorder.setScripted(false);
    f.fake.queueAnswer(platform::Answer::Yes);
    f.form().okende.click();
    EXPECT_TRUE(f.fake.quitRequested());
    EXPECT_EQ(f.fake.questions().size(), 1u);
    EXPECT_EQ(f.recorder.questions().size(), 1u);
}

TEST(ScriptPlayer, SoundsAreRecordedByFileName) {
    ScriptFixture f;
    f.random.queueNumbers({2, 1, 0, 2});
    // Spin 2 (1: red, low, odd) wins on red; spin 3 is a zero (no sound), spin 4 (2: black) loses.
    const auto result = f.play(
        "type textanzahl 4\nclick Check1\nclick okstart\n"
        "type srot 1\nclick oksetz1\n"
        "click okstart\nclick okstart\nclick okstart\ndump lakut\n");
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(f.lastDump()["sounds"], nlohmann::json::array({"g2.wav", "v2.wav"}));
    EXPECT_EQ(f.fake.sounds(), (std::vector<std::string>{"/prog/g2.wav", "/prog/v2.wav"}));

    EXPECT_EQ(f.recorder.sounds(), (std::vector<std::string>{"/prog/g2.wav", "/prog/v2.wav"}));
    EXPECT_EQ(script::soundName("C:\\Programme\\Tamvek\\vg2.wav"), "vg2.wav");
    EXPECT_EQ(script::soundName("g2.wav"), "g2.wav");
}

// Lines are counted in 64 bits: past 2^31 lines an error still names its line.
TEST(ScriptPlayer, LinesPastTwoToTheThirtyFirstAreCounted) {
    ScriptFixture f;
    std::istringstream in("type textanzahl 5\nclick nothere\n");
    const auto result = f.player.run(in, std::int64_t{1} << 31);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.line, (std::int64_t{1} << 31) + 1);
}

// Typing grows a text a keystroke at a time: a change and a key-up for every
// character. A megabyte must be typed in linear time (benchmarked in bench/).
TEST(ScriptPlayer, TypingAMegabyteKeepsEveryKeystroke) {
    ScriptFixture f;
    const std::string letters(1 << 20, 'x');
    int changes = 0;
    f.form().srot.onChange = [&] { ++changes; };
    ASSERT_TRUE(
        f.play("type textanzahl 5" + letters + "\nclick okstart\ntype srot 7" + letters + "\n").ok);
    EXPECT_EQ(f.form().textanzahl.text().size(), letters.size() + 1);
    EXPECT_EQ(f.state().wantedSpins, 5);
    EXPECT_EQ(f.form().srot.text().size(), letters.size() + 1);
    EXPECT_EQ(changes, (1 << 20) + 1);
    // Digits are read after every keystroke: the halt box's value is infinite.
    ASSERT_TRUE(
        f.play("click \"Option1(2)\"\ntype haltbei " + std::string(1 << 14, '9') + "\n").ok);
    EXPECT_TRUE(std::isinf(f.state().haltAtSpin));
}

TEST(ScriptPlayer, ATextLongerThanThePlayerTypesIsABadLine) {
    ScriptFixture f;
    f.player.setLongestTypedText(10);
    const auto result = f.play("type textanzahl 12345\ntype textanzahl 12345678901\n");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.line, 2);
    EXPECT_NE(result.message.find("longer than this player types (at most 10)"), std::string::npos)
        << result.message;
}

TEST(ScriptPlayer, NewActionsCanBeAdded) {
    ScriptFixture f;
    f.player.addAction("count", [](script::ScriptPlayer& p, script::ScriptArgs& args) {
        const std::string name = args.word("control name");
        args.end();
        p.out() << p.control(name).text().size() << '\n';
    });
    ASSERT_TRUE(f.play("type textanzahl 123\ncount textanzahl").ok);
    EXPECT_EQ(f.out.str(), "3\n");
}

}  // namespace
}  // namespace tamvek::test
