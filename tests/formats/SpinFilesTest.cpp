// Permanences as the system tester reads them: bare lists as people publish
// them, casino files as the window reads them, folders; and every way a file
// can be wrong.

#include "formats/SpinFiles.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/ScratchFolder.h"

namespace tamvek::formats {
namespace {

using Classes = std::vector<std::uint8_t>;
const std::string spinData = std::string(TAMVEK_TEST_DATA) + "/spins";

Result<SpinFile> readText(const std::string& bytes) {
    test::ScratchFolder folder;
    return readSpinFile(folder.write("list.txt", bytes));
}

TEST(SpinFiles, BareListsInEveryPublishedLayout) {
    struct Case {
        const char* what;
        std::string bytes;
        Classes spins;
    };
    const Case cases[] = {
        {"one a line", "12\n0\n36\n", {12, 0, 36}},
        {"commas, CR LF, lines ending in a comma", "12,13,\r\n0,5\r\n", {12, 13, 0, 5}},
        {"semicolons, blanks and tabs", "1; 2;\t3  4", {1, 2, 3, 4}},
        {"a byte order mark",
         "\xEF\xBB\xBF"
         "7\n8",
         {7, 8}},
        {"a leading blank on every line", " 23\n 1\n 25\n", {23, 1, 25}},
        {"leading zeros", "07,00", {7, 0}},
        {"no line end at the end", "5", {5}},
    };
    for (const Case& c : cases) {
        const Result<SpinFile> file = readText(c.bytes);
        ASSERT_TRUE(file.ok()) << c.what << ": " << file.error().message;
        EXPECT_EQ(file->classes, c.spins) << c.what;
    }
}

TEST(SpinFiles, ATokenThatIsNoNumberFromZeroTo36NamesItsLine) {
    struct Case {
        std::string bytes;
        std::string message;  // after the file's path
    };
    const Case cases[] = {
        {"1\n2\n4x\n5", ":3: '4x' ist keine ganze Zahl von 0 bis 36"},
        {"1,37", ":1: '37' ist keine ganze Zahl von 0 bis 36"},
        {"1\r\n2\r\n\r\n3.5", ":4: '3.5' ist keine ganze Zahl von 0 bis 36"},
        {"1\r2\r-1", ":3: '-1' ist keine ganze Zahl von 0 bis 36"},
        {"5\n" + std::string(100, '9'),
         ":2: '999999999999999999999999…' ist keine ganze Zahl von 0 bis 36"},
        {"5\n9\x01", ":2: '9?' ist keine ganze Zahl von 0 bis 36"},
        {"", ": die Datei ist leer"},
        {" \r\n\t\n", ": enthält keine Zahlen"},
        {"Roulette\n1\n2",
         ": weder eine Permanenz der Spielbank (erstes Feld \"Spielbank…\") noch eine Liste von "
         "Zahlen"},
        {"Spielbank Hamburg\nTisch 1", ": endet vor dem vierten Kopffeld"},
        {"Spielbank Hamburg\nTisch 1\n1.1.2020\nx\n", ": enthält keine Zahlen"},
    };
    for (const Case& c : cases) {
        test::ScratchFolder folder;
        const std::string path = folder.write("bad.txt", c.bytes);
        const Result<SpinFile> file = readSpinFile(path);
        ASSERT_FALSE(file.ok()) << c.bytes;
        EXPECT_EQ(file.error().message, path + c.message);
    }
    EXPECT_EQ(readSpinFile("/no/such/file.txt").error().message,
              "/no/such/file.txt: gibt es nicht");
}

TEST(SpinFiles, ACasinoFilePlaysAsTheWindowPlaysIt) {
    const Result<SpinFile> file = readText(
        "Spielbank Hamburg\r\nTisch 3\r\n14.03.2025\r\nx\r\n17\r\n0\r\n---\r\n99\r\n3.5\r\n2.5\r\n"
        "x\r\n===\r\n5\r\n");
    ASSERT_TRUE(file.ok()) << file.error().message;
    // 99 is high and odd without a colour; 3.5 plays as 4, 2.5 as 2, x as 0.
    EXPECT_EQ(file->classes, (Classes{17, 0, 37, 4, 2, 0}));
}

TEST(SpinFiles, RealPublishedFiles) {
    const Result<std::vector<SpinFile>> files =
        readSpinFiles({spinData + "/wiesbaden-t1-head.txt", spinData + "/playtech-head.txt",
                       spinData + "/db4000-head.txt", spinData + "/genting-118.txt"});
    ASSERT_TRUE(files.ok()) << files.error().message;
    ASSERT_EQ(files->size(), 4u);
    EXPECT_EQ((*files)[0].classes.size(), 4219u);  // 300 lines of 1 to ~390 numbers each
    EXPECT_EQ((*files)[0].classes[0], 12);
    EXPECT_EQ((*files)[1].classes.size(), 200u);
    EXPECT_EQ((*files)[1].classes[0], 23);
    EXPECT_EQ((*files)[2].classes.size(), 100u);
    EXPECT_EQ((*files)[3].classes.size(), 118u);
}

TEST(SpinFiles, AFolderGivesItsTextFilesInNameOrder) {
    test::ScratchFolder folder;
    folder.write("b.txt", "2");
    folder.write("A.TXT", "1");
    folder.write("c.dat", "not a permanence");
    const Result<std::vector<SpinFile>> files = readSpinFiles({folder.path()});
    ASSERT_TRUE(files.ok()) << files.error().message;
    ASSERT_EQ(files->size(), 2u);
    EXPECT_EQ((*files)[0].classes, Classes{1});
    EXPECT_EQ((*files)[1].classes, Classes{2});

    folder.write("d.txt", "1,4x");  // one bad file fails them all
    EXPECT_FALSE(readSpinFiles({folder.path()}).ok());
    test::ScratchFolder empty;
    EXPECT_EQ(readSpinFiles({empty.path()}).error().message,
              empty.path() + ": keine *.txt-Dateien im Ordner");
}

TEST(SpinFiles, PiecesAnywhereGiveTheSameList) {
    const std::string bytes =
        "\xEF\xBB\xBF"
        "12,13,\r\n0;5\r\n 36\t1\n";
    BareListParser whole("x");
    whole.feed(bytes);
    const Classes expected = *whole.finish();
    for (std::size_t cut = 1; cut < bytes.size(); ++cut) {
        BareListParser parts("x");
        parts.feed(bytes.substr(0, cut));
        parts.feed(bytes.substr(cut));
        EXPECT_EQ(*parts.finish(), expected) << cut;
    }
    BareListParser bad("x");
    bad.feed("1\n2");
    bad.feed("x\n");
    EXPECT_EQ(bad.finish().error().message, "x:2: '2x' ist keine ganze Zahl von 0 bis 36");
}

}  // namespace
}  // namespace tamvek::formats
