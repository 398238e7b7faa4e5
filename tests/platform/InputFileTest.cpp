// Files are opened once, without ever waiting, and only plain files are read.

#include "platform/InputFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/ScratchFolder.h"

namespace tamvek::platform {
namespace {

TEST(InputFile, ReadsAPlainFileWhole) {
    test::ScratchFolder folder;
    const std::string path = folder.write("a.txt", std::string(200000, 'x') + "end");
    const Result<std::string> bytes = readWholeFile(path);
    ASSERT_TRUE(bytes.ok()) << bytes.error().message;
    EXPECT_EQ(bytes->size(), 200003u);
    EXPECT_EQ(bytes->substr(200000), "end");
    EXPECT_EQ(readWholeFile(folder.write("empty.txt", "")).value(), "");
}

TEST(InputFile, ANameThatIsNoPlainFileFailsAtOnce) {
    test::ScratchFolder folder;
    const std::string pipe = folder.path() + "/pipe.txt";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    struct Case {
        std::string path;
        std::string why;
    };
    const Case cases[] = {
        {pipe, "ist keine gewöhnliche Datei"},         // would block a plain open() for good
        {"/dev/zero", "ist keine gewöhnliche Datei"},  // endless
        {folder.path(), "ist ein Ordner"},
        {folder.path() + "/missing.txt", "gibt es nicht"},
        {folder.path() + "/missing/a.txt", "gibt es nicht"},
        {"", "hat keinen Namen"},
    };
    for (const Case& c : cases) {
        const Result<InputFile> file = InputFile::open(c.path);
        ASSERT_FALSE(file.ok()) << c.path;
        EXPECT_EQ(file.error().message, c.why) << c.path;
    }
}

TEST(InputFile, AFileAboveTheLimitIsRefused) {
    test::ScratchFolder folder;
    const std::string path = folder.write("big.txt", std::string((1 << 20) + 1, '1'));
    const Result<std::string> bytes = readWholeFile(path, 1 << 20);
    ASSERT_FALSE(bytes.ok());
    EXPECT_EQ(bytes.error().message, "ist zu groß (mehr als 1 MB)");
    EXPECT_TRUE(readWholeFile(path, 2 << 20).ok());
}

}  // namespace
}  // namespace tamvek::platform
