// Sessions written down while they are played: played again on a fresh
// program that draws other numbers, they end in the same state.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "control/StartUp.h"
#include "script/ScriptedSession.h"
#include "script/StateDump.h"
#include "support/ScratchFolder.h"
#include "support/TestSupport.h"

namespace tamvek::test {
namespace {

const std::string spinFolder = std::string(TAMVEK_TEST_DATA) + "/spins";

// A program as the command-line player runs it, its session written down.
struct RecordedProgram {
    explicit RecordedProgram(std::optional<std::uint32_t> seed) : scripted(platform, seed, out) {}

    TestPlatform platform;
    std::ostringstream out;
    script::ScriptedSession scripted;
    script::SessionRecorder& recorder = scripted.sessionRecorder();

    script::ScriptResult play(const std::string& script) {
        std::istringstream in(script);
        return scripted.play(in);
    }
    std::string dump() {
        return script::dumpJson(scripted.session().game(), {}, scripted.recorder());
    }
};

// A random game of `length` inputs, as a user might play it: counts, stakes
// (sane and not), activations and withdrawals, runs, fictitious play, halt-at,
// new starts and imports; a queued answer before every click.
std::string randomGame(std::mt19937& pick, int length) {
    const auto any = [&pick](std::initializer_list<const char*> words) {
        return std::string(words.begin()[pick() % words.size()]);
    };
    std::string script;
    for (int i = 0; i < length; ++i) {
        switch (pick() % 9) {
            case 0:
                script += "paste textanzahl " + std::to_string(1 + pick() % 40) + "\n";
                break;
            case 1:
            case 2:
                script += "paste " +
                          any({"srot", "sschwarz", "sklein", "sgross", "sgerade", "sungerade"}) +
                          " " + any({"1", "2", "5", "10", "3,5", "0.5", "x", "\"\"", "100000"}) +
                          "\n";
                script += "key " +
                          any({"srot", "sschwarz", "sklein", "sgross", "sgerade", "sungerade"}) +
                          "\n";
                break;
            case 3:
                script += "enter " + any({"textanzahl", "srot", "sklein", "sungerade"}) + "\n";
                break;
            case 4:
                script += "answer " + any({"ja", "nein", "abbrechen"}) + "\n";
                script +=
                    "click " +
                    any({"oksetz1", "oksetz2", "oksetz3", "okabsetz1", "okabsetz2", "okabsetz3",
                         "okstart", "okstart", "okersatz", "Check1", "okabbrechen", "okinfo"}) +
                    "\n";
                break;
            case 5:
                script += "click " + any({"Option1(0)", "Option1(2)"}) + "\n";
                script += "paste haltbei " + std::to_string(pick() % 30) + "\n";
                break;
            case 6:
                script += "click okfiktiv\n";
                break;
            case 7:
                script +=
                    "answer ja\nclick okextern\nfolder \"" + spinFolder + "\"\nselect " +
                    any({"genting-118.txt", "wiesbaden-t1-head.txt", "db4000-head.txt"}) + "\n" +
                    any({"click okexternok", "click okexternok", "click okexternabbruch"}) + "\n";
                break;
            default:
                script += "answer ja\nclick okstart\n";
        }
    }
    return script;
}

TEST(SessionRecorder, RandomSessionsReplayToTheSameState) {
    std::mt19937 pick(20261207);
    for (int game = 0; game < 40; ++game) {
        const std::string played = randomGame(pick, 50);
        RecordedProgram original(std::nullopt);  // seeded by the clock, as the window is
        const auto result = original.play(played);
        ASSERT_TRUE(result.ok) << result.line << ": " << result.message << "\n" << played;

        RecordedProgram replay(4711);  // other numbers but for the recorded seeds
        const auto again = replay.play(original.recorder.script());
        ASSERT_TRUE(again.ok) << again.line << ": " << again.message << "\n"
                              << original.recorder.script();
        ASSERT_EQ(replay.dump(), original.dump()) << "game " << game << "\n"
                                                  << original.recorder.script();
    }
}

TEST(SessionRecorder, SavesAndReplaysThroughTheMenu) {
    ScratchFolder folder;
    const std::string saved = folder.path() + "/sitzung.txt";
    RecordedProgram program(std::nullopt);
    const auto result = program.play(
        "paste textanzahl 12\nclick okstart\npaste srot 5\nclick oksetz1\nclick okstart\n"
        "click okstart\nmenu \"Datei/Sitzung speichern\" \"" +
        saved + "\"\n");
    ASSERT_TRUE(result.ok) << result.message;
    const std::string before = program.dump();

    // Played on the same program: a fresh game, and the same end, once the
    // player has said the running game may go.
    const auto replayed =
        program.play("answer ja\nmenu \"Datei/Sitzung abspielen\" \"" + saved + "\"\n");
    ASSERT_TRUE(replayed.ok) << replayed.message;
    // The game ends the same; only the question asked before it is new.
    auto afterJson = nlohmann::json::parse(program.dump());
    auto beforeJson = nlohmann::json::parse(before);
    EXPECT_EQ(afterJson["questions"], nlohmann::json({control::newStartQuestion}));
    afterJson.erase("questions");
    beforeJson.erase("questions");
    EXPECT_EQ(afterJson, beforeJson);
    // What was replayed is written down again, as played.
    EXPECT_EQ(program.recorder.lines().back(), "click okstart");

    // A session cannot replay itself.
    std::ofstream(saved, std::ios::app) << "menu \"Datei/Sitzung abspielen\" \"" << saved << "\"\n";
    const auto nested = program.play("menu \"Datei/Sitzung abspielen\" \"" + saved + "\"\n");
    EXPECT_FALSE(nested.ok);
    EXPECT_NE(nested.message.find("Eine Sitzung kann keine Sitzung abspielen"), std::string::npos)
        << nested.message;
}

TEST(SessionRecorder, ARecordedImportRefusesAChangedFile) {
    ScratchFolder folder;
    const std::string file = folder.path() + "/tisch.txt";
    std::filesystem::copy_file(spinFolder + "/genting-118.txt", file);
    RecordedProgram program(std::nullopt);
    const auto result = program.play("click okextern\nfolder \"" + folder.path() +
                                     "\"\nselect tisch.txt\nclick okexternok\n");
    ASSERT_TRUE(result.ok) << result.message;
    const std::string script = program.recorder.script();
    ASSERT_NE(script.find("select \"tisch.txt\" "), std::string::npos) << script;

    std::ofstream(file, std::ios::app) << "17\n";
    RecordedProgram replay(1);
    const auto again = replay.play(script);
    EXPECT_FALSE(again.ok);
    EXPECT_NE(again.message.find("the file 'tisch.txt' is not the one the session was saved with"),
              std::string::npos)
        << again.message;
}

TEST(SessionRecorder, AnswersGoBeforeTheInputThatAsked) {
    RecordedProgram program(std::nullopt);
    // Two answers queued, one used: only what was asked is written down.
    ASSERT_TRUE(program
                    .play("answer nein\nanswer ja\npaste textanzahl 3\nclick okstart\n"
                          "click okabbrechen\n")
                    .ok);
    std::vector<std::string> lines = program.recorder.lines();
    lines.erase(std::remove_if(lines.begin(), lines.end(),
                               [](const std::string& l) { return l.starts_with("seed "); }),
                lines.end());
    EXPECT_EQ(lines, (std::vector<std::string>{"paste textanzahl \"3\"", "click okstart",
                                               "answer nein", "click okabbrechen"}));
}

}  // namespace
}  // namespace tamvek::test
