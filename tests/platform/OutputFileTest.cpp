// A file is written whole or not at all, and never over one unasked.

#include "platform/OutputFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/ScratchFolder.h"

namespace tamvek::platform {
namespace {

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::size_t filesIn(const std::string& folder) {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
        ++n;
    return n;
}

TEST(OutputFile, ReplacesOnlyWhenAskedAndOnlyPlainFiles) {
    test::ScratchFolder folder;
    const std::string old = folder.write("a.csv", "old");
    ::chmod(old.c_str(), 0640);

    const Result<OutputFile> refused = OutputFile::create(old, Overwrite::No);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().message, old + ": gibt es schon");

    Result<OutputFile> file = OutputFile::create(old, Overwrite::Yes);
    ASSERT_TRUE(file) << file.error().message;
    EXPECT_FALSE(file->write("new"));
    EXPECT_EQ(contents(old), "old");  // nothing shows before the commit
    EXPECT_FALSE(file->commit());
    EXPECT_EQ(contents(old), "new");
    struct stat info {};
    ::stat(old.c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(filesIn(folder.path()), 1u);

    // A FIFO is refused at once, before anything could wait on it.
    const std::string fifo = folder.path() + "/fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const Result<OutputFile> onFifo = OutputFile::create(fifo, Overwrite::Yes);
    ASSERT_FALSE(onFifo);
    EXPECT_EQ(onFifo.error().message, fifo + ": ist keine gewöhnliche Datei");
    EXPECT_FALSE(OutputFile::create(folder.path(), Overwrite::Yes));
    const Result<OutputFile> nowhere =
        OutputFile::create(folder.path() + "/no/such.csv", Overwrite::No);
    ASSERT_FALSE(nowhere);
    EXPECT_NE(nowhere.error().message.find("den Ordner gibt es nicht"), std::string::npos);

    // Dropped unfinished: the target stays and nothing is left beside it.
    {
        Result<OutputFile> dropped = OutputFile::create(old, Overwrite::Yes);
        ASSERT_TRUE(dropped);
        dropped->write("half");
    }
    EXPECT_EQ(contents(old), "new");
    EXPECT_EQ(filesIn(folder.path()), 2u);  // the file and the FIFO
}

// A disk that fills up in the middle of a write: the file size limit makes
// every write past 4 KiB fail as a full disk would, in a child process.
TEST(OutputFile, AFailedWriteKeepsTheOldFileAndSaysWhy) {
    test::ScratchFolder folder;
    const std::string old = folder.write("session.txt", "the old session\n");
    const std::string reason = folder.path() + "/reason";
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        Result<OutputFile> file = OutputFile::create(old, Overwrite::Yes);
        if (!file) ::_exit(2);
        for (int i = 0; i < 10'000; ++i)
            file->write("eine Zeile, die nie ganz ankommt\n");
        const std::optional<Error> error = file->commit();
        std::ofstream(reason) << (error ? error->message : "");
        ::_exit(error ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(contents(reason), old + ": kann nicht geschrieben werden: die Datei wird zu groß");
    EXPECT_EQ(contents(old), "the old session\n");
    EXPECT_EQ(filesIn(folder.path()), 2u);  // the old file and the reason
}

}  // namespace
}  // namespace tamvek::platform
