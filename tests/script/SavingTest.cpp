// What the menu's entries write, as a script reaches them: both tables as
// CSV and the session. Whole or not at all, and over an existing file only
// after one question that names every file it would replace.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "script/ScriptedSession.h"
#include "support/Command.h"
#include "support/ScratchFolder.h"
#include "support/TestSupport.h"

namespace tamvek::test {
namespace {

// Four spins, a stake on red lost on the second, the fourth fictitious.
const std::string aShortGame =
    "seed 5\ntype textanzahl 4\nclick okstart\ntype srot 2\nclick oksetz1\nclick okstart\n"
    "click okstart\nclick okfiktiv\nclick okstart\n";

struct Program {
    TestPlatform platform;
    std::ostringstream out;
    script::ScriptedSession scripted{platform, std::nullopt, out};

    script::ScriptResult play(const std::string& script) {
        std::istringstream in(script);
        return scripted.play(in);
    }
};

std::string menuLine(const std::string& entry, const std::string& file) {
    return "menu \"Datei/" + entry + "\" \"" + file + "\"\n";
}

TEST(Saving, TheTablesAreCsvAsTheWindowShowsThem) {
    ScratchFolder folder;
    Program program;
    ASSERT_TRUE(
        program.play(aShortGame + menuLine("Tabellen als CSV speichern", folder.path() + "/T.csv"))
            .ok);
    EXPECT_EQ(fileText(folder.path() + "/T-Würfe.csv"),
              "Wurf,Zahl,Rot,Schwarz,Manque,Passe,Gerade,Ungerade,Spiel\r\n"
              "1,8,,gefallen,gefallen,,gefallen,,echt\r\n"
              "2,2,S,gefallen,gefallen,,gefallen,,echt\r\n"
              "3,32,gefallen,,,gefallen,gefallen,,echt\r\n"
              "4,30,gefallen,,,gefallen,gefallen,,fiktiv\r\n");
    EXPECT_EQ(fileText(folder.path() + "/T-Gewinn-Verlust.csv"),
              "Wurf,Gewinn/Verlust,Stücke,Saldo,Spiel\r\n"
              "2,Verlust,2,-2,echt\r\n");
}

TEST(Saving, OneQuestionNamesEveryFileThatWouldBeReplaced) {
    ScratchFolder folder;
    const std::string spins = folder.write("T-Würfe.csv", "alt");
    const std::string profit = folder.write("T-Gewinn-Verlust.csv", "alt");
    const std::string session = folder.write("sitzung.txt", "alt");
    const std::string tables = menuLine("Tabellen als CSV speichern", folder.path() + "/T.csv");
    const std::string save = menuLine("Sitzung speichern", session);
    Program program;
    ASSERT_TRUE(program.play(aShortGame).ok);

    // Unanswered, the question stops a script as any other does.
    const script::ScriptResult unanswered = program.play(tables);
    ASSERT_FALSE(unanswered.ok);
    EXPECT_NE(unanswered.message.find("no answer queued for the question \"Diese Dateien gibt es "
                                      "schon:"),
              std::string::npos)
        << unanswered.message;

    ASSERT_TRUE(program.play("answer nein\n" + tables + "answer nein\n" + save).ok);
    const std::vector<std::string>& asked = program.scripted.recorder().questions();
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[1], "Diese Dateien gibt es schon:\n" + spins + "\n" + profit +
                            "\n\nSollen sie ersetzt werden?");
    EXPECT_EQ(asked[2], "Die Datei gibt es schon:\n" + session + "\n\nSoll sie ersetzt werden?");
    EXPECT_EQ(program.scripted.recorder().titles()[2], " Speichern");
    for (const std::string& file : {spins, profit, session})
        EXPECT_EQ(fileText(file), "alt") << file;

    ASSERT_TRUE(program.play("answer ja\n" + tables + "answer ja\n" + save).ok);
    EXPECT_TRUE(fileText(spins).starts_with("Wurf,Zahl,"));
    EXPECT_TRUE(fileText(profit).starts_with("Wurf,Gewinn/Verlust,"));
    EXPECT_TRUE(fileText(session).starts_with("# Tamvek-Sitzung"));
    // The question belongs to the menu entry: the session holds neither.
    EXPECT_EQ(fileText(session).find("answer"), std::string::npos) << fileText(session);
    EXPECT_EQ(folder.names().size(), 3u);
}

// A disk that fills up: the file size limit makes every write past it fail
// as a full disk would, in a child process of its own.
TEST(Saving, AFailedWriteKeepsTheOldFilesAndSaysWhy) {
    struct Case {
        std::string entry;
        std::vector<std::string> files;  // what the entry writes, all there already
    };
    const Case cases[] = {{"Tabellen als CSV speichern", {"T-Würfe.csv", "T-Gewinn-Verlust.csv"}},
                          {"Sitzung speichern", {"T.csv"}}};
    for (const Case& c : cases) {
        ScratchFolder folder;
        for (const std::string& file : c.files)
            folder.write(file, "the old file\n");
        Program program;
        ASSERT_TRUE(program.play(aShortGame).ok);
        const std::string reason = folder.path() + "/reason";
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{100, RLIM_INFINITY};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            const script::ScriptResult result =
                program.play("answer ja\n" + menuLine(c.entry, folder.path() + "/T.csv"));
            const rlimit unlimited{RLIM_INFINITY, RLIM_INFINITY};
            ::setrlimit(RLIMIT_FSIZE, &unlimited);
            std::ofstream(reason) << result.message;
            ::_exit(result.ok ? 1 : 0);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status)) << c.entry;
        EXPECT_EQ(WEXITSTATUS(status), 0) << c.entry << ": the write did not fail";
        EXPECT_NE(fileText(reason).find("kann nicht geschrieben werden: die Datei wird zu groß"),
                  std::string::npos)
            << fileText(reason);
        for (const std::string& file : c.files)
            EXPECT_EQ(fileText(folder.path() + "/" + file), "the old file\n") << file;
        EXPECT_EQ(folder.names().size(), c.files.size() + 1) << c.entry;
    }
}

}  // namespace
}  // namespace tamvek::test
