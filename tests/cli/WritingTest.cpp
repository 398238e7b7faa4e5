// What tamvek-cli writes is written whole or not at all, and never over a file
// unasked: its cycle log, its standard output, and what a run stopped by a
// signal leaves behind. The program runs as a user would start it.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <thread>

#include <nlohmann/json.hpp>

#include "cli/CliRun.h"
#include "support/ScratchFolder.h"

namespace tamvek::test {
namespace {

TEST(Writing, TheLogNeverReplacesAFileUnaskedNorAnInputEvenWhenAsked) {
    ScratchFolder folder;
    const std::string genting = folder.write("genting.txt", fileText(spins + "/genting-118.txt"));
    const std::string log = folder.write("zyklen.csv", "the old log\n");
    const std::string run = "system " + paroli + " " + genting + " --log ";

    const CommandRun refused = cli(run + log);
    EXPECT_EQ(refused.status, 3) << refused.out;
    EXPECT_TRUE(contains(refused.out, log + ": gibt es schon (--force ersetzt die Datei)"))
        << refused.out;
    EXPECT_EQ(fileText(log), "the old log\n");

    const CommandRun forced = cli(run + log + " --force");
    EXPECT_EQ(forced.status, 0) << forced.out;
    EXPECT_TRUE(fileText(log).starts_with("file,placed,ended,")) << fileText(log);

    // The run's own input: the permanence named, one in a folder named, the
    // system file. Never, --force or not.
    const std::string inputs[][2] = {
        {genting, "system " + paroli + " " + genting + " --log " + genting + " --overwrite"},
        {genting, "system " + paroli + " " + folder.path() + " --log " + genting + " --force"},
        {paroli, "system " + paroli + " " + genting + " --log " + paroli + " --force"},
    };
    const std::string before = fileText(genting);
    for (const auto& [input, args] : inputs) {
        const CommandRun own = cli(args);
        EXPECT_EQ(own.status, 3) << args << "\n" << own.out;
        EXPECT_TRUE(contains(own.out, input + ": ist eine Eingabe dieses Laufs")) << own.out;
    }
    EXPECT_EQ(fileText(genting), before);
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"genting.txt", "zyklen.csv"}));

    const CommandRun unnamed = cli(run + "''");
    EXPECT_EQ(unnamed.status, 2) << unnamed.out;
    EXPECT_TRUE(contains(unnamed.out, "--log braucht einen Dateinamen")) << unnamed.out;
}

// A FIFO or a folder as the target is refused at once: nothing waits on it.
TEST(Writing, AFifoIsRefusedAtOnce) {
    ScratchFolder folder;
    const std::string fifo = folder.path() + "/fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string genting = spins + "/genting-118.txt";
    const CommandRun log = cli("system " + paroli + " " + genting + " --log " + fifo + " --force");
    EXPECT_EQ(log.status, 3) << log.out;
    EXPECT_TRUE(contains(log.out, fifo + ": ist keine gewöhnliche Datei")) << log.out;

    const std::string script = folder.write(
        "save.txt", "type textanzahl 2\nmenu \"Datei/Sitzung speichern\" " + fifo + "\n");
    const CommandRun save = runCommand("timeout 20 " + cliPath + " play " + script + " 2>&1");
    EXPECT_EQ(save.status, 2) << save.out;
    EXPECT_TRUE(contains(save.out, fifo + ": ist keine gewöhnliche Datei")) << save.out;
}

// A disk that fills up while the log is written: the file size limit makes
// every write past 4 KiB fail as a full disk would (SIGXFSZ ignored, so the
// write fails instead of ending the program).
TEST(Writing, ALogThatCannotBeWrittenLeavesTheOldFileAndSaysWhy) {
    ScratchFolder folder;
    const std::string log = folder.write("zyklen.csv", "the old log\n");
    const CommandRun run = runCommand("trap '' XFSZ; ulimit -f 8; exec " + cliPath + " system " +
                                      paroli + " " + spins + "/genting-118.txt " + spins +
                                      "/wiesbaden-t1-head.txt --log " + log + " --force 2>&1");
    EXPECT_EQ(run.status, 3) << run.out;
    EXPECT_TRUE(contains(run.out, log + ": kann nicht geschrieben werden: die Datei wird zu groß"))
        << run.out;
    EXPECT_FALSE(contains(run.out, "System:")) << "a report without its log: " << run.out;
    EXPECT_EQ(fileText(log), "the old log\n");
    EXPECT_EQ(folder.names(), std::vector<std::string>{"zyklen.csv"});
}

TEST(Writing, OutputThatCannotBeWrittenIsAnError) {
    ScratchFolder folder;
    const std::string script = folder.write("dump.txt", "type textanzahl 2\ndump lakut\n");
    const std::string commands[] = {
        "stats " + spins + "/genting-118.txt",
        "stats " + spins + "/genting-118.txt --json",
        "system " + paroli + " " + spins + "/genting-118.txt",
        "system " + paroli + " --random 1000 --seed 1 --json",
        "play " + script,
    };
    for (const std::string& command : commands) {
        const CommandRun run = runCommand(cliPath + " " + command + " 2>&1 >/dev/full");
        EXPECT_EQ(run.status, 3) << command << "\n" << run.out;
        EXPECT_TRUE(contains(run.out,
                             "die Ausgabe kann nicht geschrieben werden: der "
                             "Datenträger ist voll"))
            << command << "\n"
            << run.out;
    }
}

// The program started as a child of its own, so that a signal reaches it alone.
class Child {
  public:
    explicit Child(const std::string& command) {
        m_pid = ::fork();
        if (m_pid == 0) {
            ::execl("/bin/sh", "sh", "-c", ("exec " + command).c_str(), nullptr);
            ::_exit(127);
        }
    }
    ~Child() {
        if (m_pid > 0 && !m_waited) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
    }
    void signal(int number) const { ::kill(m_pid, number); }
    // The exit status, or -1 when the program did not exit by itself within
    // twenty seconds.
    int wait() {
        int status = 0;
        for (int i = 0; i < 2000 && ::waitpid(m_pid, &status, WNOHANG) == 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (::waitpid(m_pid, &status, WNOHANG) == 0) return -1;  // the destructor ends it
        m_waited = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

  private:
    pid_t m_pid = -1;
    bool m_waited = false;
};

// Whether a file whose name starts with `prefix` has grown in `folder` within
// twenty seconds.
bool growsIn(const std::string& folder, const std::string& prefix) {
    for (int i = 0; i < 2000; ++i) {
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            std::error_code ec;
            if (entry.path().filename().string().starts_with(prefix) && entry.file_size(ec) > 0 &&
                !ec)
                return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

TEST(Writing, ASignalEndsALongRunCleanly) {
    struct Case {
        int signal;
        int status;
        const char* name;
        bool oldLog;
    };
    for (const Case c : {Case{SIGINT, 130, "Ctrl-C", false}, Case{SIGTERM, 143, "SIGTERM", true}}) {
        ScratchFolder folder;
        const std::string log = folder.path() + "/zyklen.csv";
        if (c.oldLog) folder.write("zyklen.csv", "the old log\n");
        Child run(cliPath + " system " + paroli + " --random 1000000000000 --seed 1 --log " + log +
                  " --force >" + folder.path() + "/out 2>" + folder.path() + "/err");
        ASSERT_TRUE(growsIn(folder.path(), ".zyklen.csv.tamvek-")) << c.name;
        run.signal(c.signal);
        EXPECT_EQ(run.wait(), c.status) << c.name;
        EXPECT_EQ(fileText(folder.path() + "/err"), std::string("tamvek-cli: abgebrochen (") +
                                                        c.name + "): " + log +
                                                        " nicht geschrieben, kein Bericht\n");
        EXPECT_EQ(fileText(folder.path() + "/out"), "");
        std::vector<std::string> left{"err", "out"};
        if (c.oldLog) {
            EXPECT_EQ(fileText(log), "the old log\n");
            left.push_back("zyklen.csv");
        }
        EXPECT_EQ(folder.names(), left) << c.name;
    }
}

// Statistics waiting on standard input end too.
TEST(Writing, ASignalEndsStatsWaitingForInput) {
    ScratchFolder folder;
    const std::string fifo = folder.path() + "/fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    Child run(cliPath + " stats - <" + fifo + " 2>" + folder.path() + "/err");
    const int writer = ::open(fifo.c_str(), O_WRONLY);  // waits for the program
    ASSERT_GE(writer, 0);
    ASSERT_EQ(::write(writer, "1\n2\n", 4), 4);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    run.signal(SIGTERM);
    EXPECT_EQ(run.wait(), 143);
    ::close(writer);
    EXPECT_EQ(fileText(folder.path() + "/err"),
              "tamvek-cli: abgebrochen (SIGTERM): keine Statistik\n");
}

// Names are bytes: JSON shows them as UTF-8 (a stray byte as Latin-1), the
// terminal and the log with their control bytes escaped.
TEST(Writing, AnyFileNameIsShownSafely) {
    ScratchFolder folder;
    const std::string content = fileText(spins + "/genting-118.txt");
    const std::string latin1 = folder.write("b\xE4r.txt", content);
    const std::string escape = folder.write("rot\x1b[31m.txt", content);
    for (const char* command : {"system", "stats"}) {
        const std::string system = std::string(command) == "system" ? paroli + " " : "";
        const CommandRun json =
            runCommand(cliPath + " " + command + " " + system + "'" + latin1 + "' --json 2>&1");
        ASSERT_EQ(json.status, 0) << command << "\n" << json.out;
        EXPECT_EQ(nlohmann::json::parse(json.out)["files"][0]["file"],
                  folder.path() + "/b\xC3\xA4r.txt");
        const CommandRun text =
            runCommand(cliPath + " " + command + " " + system + "'" + escape + "' 2>&1");
        ASSERT_EQ(text.status, 0) << command << "\n" << text.out;
        EXPECT_TRUE(contains(text.out, "rot\\x1b[31m.txt")) << text.out;
        EXPECT_FALSE(contains(text.out, "\x1b[31m")) << text.out;
    }
    const std::string log = folder.path() + "/zyklen.csv";
    ASSERT_EQ(runCommand(cliPath + " system " + paroli + " '" + escape + "' --log " + log).status,
              0);
    EXPECT_TRUE(contains(fileText(log), "rot\\x1b[31m.txt,")) << fileText(log);
    EXPECT_FALSE(contains(fileText(log), "\x1b")) << fileText(log);

    const CommandRun missing = cli("system " + paroli + " '" + folder.path() + "/nichts\x07.txt'");
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(contains(missing.out, "nichts\\x07.txt: gibt es nicht")) << missing.out;
}

}  // namespace
}  // namespace tamvek::test
