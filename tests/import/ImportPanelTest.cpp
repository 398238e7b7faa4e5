#include "import/ImportPanel.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "control/StartUp.h"
#include "formats/FolderListing.h"
#include "import/ImportTestSupport.h"

namespace tamvek::test {
namespace {

namespace fs = std::filesystem;
const std::string dataFolder = TAMVEK_TEST_DATA;

TEST(ImportPanel, ListsStartAtTheCurrentFolder) {
    TestSession t;
    const std::string here = fs::current_path().string();
    EXPECT_EQ(t.form.Drive1.drive(), "/");
    EXPECT_EQ(t.form.Dir1.path(), here);
    EXPECT_EQ(t.form.File1.path(), here);
    EXPECT_FALSE(t.form.Frame1.visible());
    EXPECT_FALSE(t.form.okexternok.enabled());
}

TEST(ImportPanel, OpeningShowsTheInstructionsOnly) {
    TestSession t;
    t.form.okextern.click();
    EXPECT_TRUE(t.form.Frame1.visible());
    EXPECT_EQ(t.form.text.caption(), panelText);
    EXPECT_FALSE(t.form.okexternok.enabled());
}

TEST(ImportPanel, ListsFoldersAndTextFiles) {
    TestSession t;
    ScratchFolder dir;
    fs::create_directories(dir.path() + "/beta.txt");  // a folder, not a file
    fs::create_directories(dir.path() + "/Alpha");
    fs::create_directories(dir.path() + "/.hidden");
    dir.write("b.TXT", "");
    dir.write("a.txt", "");
    dir.write("c.csv", "");
    dir.write(".secret.txt", "");
    dir.write("txt", "");

    t.form.okextern.click();
    ASSERT_TRUE(import::chooseFolder(t.game, dir.path()));
    EXPECT_EQ(t.form.File1.path(), dir.path());
    EXPECT_EQ(t.form.File1.files(), (std::vector<std::string>{"a.txt", "b.TXT"}));
    const auto& folders = t.form.Dir1.folders();
    ASSERT_GE(folders.size(), 3u);
    EXPECT_EQ(folders.front(), "/");
    EXPECT_EQ(folders[folders.size() - 3], dir.path());
    EXPECT_EQ(folders[folders.size() - 2], dir.path() + "/Alpha");
    EXPECT_EQ(folders.back(), dir.path() + "/beta.txt");

    // A folder picked relative to the list's folder, and back up again.
    ASSERT_TRUE(import::chooseFolder(t.game, "Alpha"));
    EXPECT_EQ(t.form.Dir1.path(), dir.path() + "/Alpha");
    ASSERT_TRUE(import::chooseFolder(t.game, "../"));
    EXPECT_EQ(t.form.Dir1.path(), dir.path());
    EXPECT_FALSE(import::chooseFolder(t.game, "missing"));
    EXPECT_EQ(t.form.Dir1.path(), dir.path());
    EXPECT_FALSE(import::clickFile(t.game, "c.csv"));

    // A file saved while the panel was closed is there when it opens again.
    t.form.okexternabbruch.click();
    dir.write("new.txt", "");
    t.form.okextern.click();
    EXPECT_EQ(t.form.File1.files(), (std::vector<std::string>{"a.txt", "b.TXT", "new.txt"}));
}

TEST(ImportPanel, OkOnlyAfterAClickOnAListWithFiles) {
    TestSession t;
    ScratchFolder empty, full;
    empty.write("notes.csv", "");
    full.write("a.txt", "");
    t.form.okextern.click();

    ASSERT_TRUE(import::chooseFolder(t.game, full.path()));
    EXPECT_FALSE(t.form.okexternok.enabled());  // a folder change alone enables nothing
    t.form.File1.click(-1);                     // a click beside the entries counts too
    EXPECT_TRUE(t.form.okexternok.enabled());

    ASSERT_TRUE(import::chooseFolder(t.game, empty.path()));
    EXPECT_EQ(t.form.File1.listCount(), 0);
    t.form.File1.click(-1);
    EXPECT_FALSE(t.form.okexternok.enabled());

    // The lists take no clicks while the panel is closed.
    t.form.okexternabbruch.click();
    EXPECT_FALSE(import::chooseFolder(t.game, full.path()));
}

TEST(ImportPanel, RootFolderGetsNoSecondSeparator) {
    TestSession t;
    t.form.okextern.click();
    ASSERT_TRUE(import::chooseFolder(t.game, "/"));
    EXPECT_EQ(t.form.Dir1.path(), "/");
    EXPECT_EQ(t.form.File1.path(), "/");
    EXPECT_EQ(t.form.Dir1.folders().front(), "/");
    EXPECT_EQ(formats::filePath("/", "a.txt"), "/a.txt");
    EXPECT_EQ(formats::filePath("/data", "a.txt"), "/data/a.txt");
    EXPECT_EQ(formats::filePath("/data/", "a.txt"), "/data/a.txt");
}

TEST(ImportPanel, DriveChangeIgnoresADriveThatCannotBeListed) {
    TestSession t;
    ScratchFolder dir;
    t.form.Drive1.setDrives({"/", dir.path() + "/gone"});
    t.form.Drive1.setDrive(dir.path() + "/gone");
    EXPECT_EQ(t.form.Dir1.path(), fs::current_path().string());
    t.form.Drive1.setDrive("/");
    EXPECT_EQ(t.form.Dir1.path(), "/");
    EXPECT_EQ(formats::driveOf({"/", "/home", "/home/x"}, "/home/xy/z"), "/home");
    EXPECT_EQ(formats::driveOf({"/", "/home", "/home/x"}, "/home/x"), "/home/x");
    EXPECT_EQ(formats::driveOf({"/mnt"}, "/home"), "");
}

TEST(ImportPanel, ImportsTheNumbersOfAFile) {
    TestSession t;
    importFile(t, dataFolder, "basic.txt");
    const auto& s = t.state;
    EXPECT_EQ(s.importedCount, 3);
    EXPECT_EQ(s.wantedSpins, 3);
    EXPECT_EQ(s.permanenceLoaded, 1);
    EXPECT_EQ(t.form.textanzahl.text(), "3");
    EXPECT_TRUE(t.form.okstart.enabled());
    EXPECT_TRUE(t.form.okersatz.enabled());
    ASSERT_EQ(s.permanenceNumbers.size(), 24u);
    EXPECT_EQ(s.permanenceNumbers[1], 17.0);
    EXPECT_EQ(s.permanenceNumbers[2], 0.0);
    EXPECT_EQ(s.permanenceNumbers[3], 32.0);
    for (std::size_t i : {0u, 4u, 23u})
        EXPECT_FALSE(s.permanenceNumbers[i]) << i;
    EXPECT_EQ(t.form.text.caption(), "Spielbank Hamburg\rTisch 3\r14.03.2025");
    EXPECT_FALSE(t.form.Frame1.visible());
    EXPECT_FALSE(t.form.okextern.enabled());
    EXPECT_TRUE(t.form.okabbrechen.enabled());
}

TEST(ImportPanel, LatinOneHeaderIsShownInUtf8) {
    TestSession t;
    importFile(t, dataFolder, "latin1-header.txt");
    EXPECT_EQ(t.form.text.caption(), "Spielbank Hamburg\rTisch 1 Sp\xC3\xA4tspiel\r16.03.2025");
}

TEST(ImportPanel, HeaderWithoutEntries) {
    for (const char* name : {"header-only.txt", "header-then-end.txt"}) {
        TestSession t;
        importFile(t, dataFolder, name);
        const auto& s = t.state;
        EXPECT_EQ(s.importedCount, 0) << name;
        EXPECT_EQ(t.form.textanzahl.text(), "") << name;
        EXPECT_FALSE(t.form.okstart.enabled()) << name;
        EXPECT_EQ(s.permanenceLoaded, 1) << name;
        ASSERT_EQ(s.permanenceNumbers.size(), 21u) << name;
        for (const auto& n : s.permanenceNumbers)
            EXPECT_FALSE(n) << name;
        EXPECT_FALSE(t.form.Frame1.visible()) << name;
        EXPECT_FALSE(t.form.okextern.enabled()) << name;
    }
}

TEST(ImportPanel, TooManyEntriesForTheCountBox) {
    TestSession t;
    ScratchFolder dir;
    std::string file = "Spielbank Hamburg\r\nTisch 3\r\n14.03.2025\r\nx\r\n";
    for (int i = 0; i < 10000; ++i)
        file += std::to_string(i % 37) + "\r\n";
    dir.write("big.txt", file);
    importFile(t, dir.path(), "big.txt");
    EXPECT_EQ(t.form.textanzahl.text(), "");
    EXPECT_FALSE(t.form.okstart.enabled());
    EXPECT_EQ(t.state.wantedSpins, 10000);
    EXPECT_EQ(t.state.importedCount, 10000);
    EXPECT_EQ(t.state.permanenceLoaded, 1);
    EXPECT_EQ(t.state.permanenceNumbers[10000], 9999 % 37);
}

// Before each import the player has typed a count of 5 and an earlier import
// was cancelled, leaving its numbers behind.
void prepareEarlierState(TestSession& t) {
    t.form.textanzahl.type("5");
    t.state.permanenceNumbers = {std::nullopt, 4.0};
}

void expectNothingTaken(TestSession& t, const std::string& what) {
    EXPECT_EQ(t.state.wantedSpins, 5) << what;
    EXPECT_EQ(t.form.textanzahl.text(), "5") << what;
    EXPECT_TRUE(t.form.okstart.enabled()) << what;
    EXPECT_EQ(t.state.permanenceLoaded, 0) << what;
    EXPECT_EQ(t.state.permanenceNumbers, (std::vector<std::optional<double>>{std::nullopt, 4.0}))
        << what;
    EXPECT_EQ(t.state.importedCount, 0) << what;
    EXPECT_TRUE(t.form.Frame1.visible()) << what;
    EXPECT_TRUE(t.form.okextern.enabled()) << what;
}

TEST(ImportPanel, ForeignAndEmptyFilesAreTurnedAwaySilently) {
    for (const char* name : {"lower-case-house.txt", "empty.txt", "binary-junk.txt"}) {
        TestSession t;
        prepareEarlierState(t);
        t.state.importedCount = 7;
        importFile(t, dataFolder, name);
        expectNothingTaken(t, name);
        EXPECT_EQ(t.form.text.caption(), panelText) << name;
    }
}

TEST(ImportPanel, UnreadableFileKeepsThePanelOpenAndSaysSo) {
    ScratchFolder dir;
    dir.write("short.txt", "Spielbank Hamburg\r\nTisch 3\r\n");
    dir.write("vanishing.txt", "Spielbank Hamburg\r\nTisch 3\r\n14.03.2025\r\nx\r\n17\r\n");
    fs::create_symlink(dir.path() + "/nowhere", dir.path() + "/dangling.txt");

    struct Case {
        const char* what;
        const char* file;  // nullptr: OK without choosing a file
    };
    for (const Case& c :
         {Case{"fewer than four fields", "short.txt"}, Case{"a link to nothing", "dangling.txt"},
          Case{"a file gone before OK", "vanishing.txt"},
          Case{"no file chosen: the path names the folder", nullptr}}) {
        TestSession t;
        prepareEarlierState(t);
        t.form.okextern.click();
        ASSERT_TRUE(import::chooseFolder(t.game, dir.path()));
        if (c.file) {
            ASSERT_TRUE(import::clickFile(t.game, c.file)) << c.what;
        } else {
            t.form.File1.click(-1);
        }
        if (c.file && std::string(c.file) == "vanishing.txt")
            fs::remove(dir.path() + "/vanishing.txt");
        t.form.okexternok.click();
        expectNothingTaken(t, c.what);
        EXPECT_EQ(t.form.text.caption(), import::unreadableText) << c.what;
    }
}

// The file the user chose is swapped for a named pipe between the listing and
// OK (a file being replaced as the user presses OK): opening it must not wait
// for a writer that never comes.
TEST(ImportPanel, APipeSwappedInBeforeOkFailsAtOnce) {
    ScratchFolder dir;
    dir.write("swapped.txt", "Spielbank Hamburg\r\nTisch 3\r\n14.03.2025\r\nx\r\n17\r\n");
    TestSession t;
    prepareEarlierState(t);
    t.form.okextern.click();
    ASSERT_TRUE(import::chooseFolder(t.game, dir.path()));
    ASSERT_TRUE(import::clickFile(t.game, "swapped.txt"));
    const std::string pipe = dir.path() + "/pipe";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    fs::rename(pipe, dir.path() + "/swapped.txt");
    t.form.okexternok.click();
    expectNothingTaken(t, "a pipe");
    EXPECT_EQ(t.form.text.caption(), import::unreadableText);
}

TEST(ImportPanel, CancelKeepsCountAndNumbers) {
    TestSession t;
    prepareEarlierState(t);
    t.state.permanenceLoaded = 1;
    t.form.okextern.click();
    t.form.okexternabbruch.click();
    EXPECT_EQ(t.state.permanenceLoaded, 0);
    EXPECT_FALSE(t.form.Frame1.visible());
    EXPECT_EQ(t.form.text.caption(), form::introText);
    EXPECT_EQ(t.state.wantedSpins, 5);
    EXPECT_EQ(t.form.textanzahl.text(), "5");
    EXPECT_EQ(t.state.permanenceNumbers.size(), 2u);
    EXPECT_TRUE(t.form.okextern.enabled());
}

TEST(ImportPanel, HugeFilesAreReadThrough) {
    ScratchFolder dir;
    const std::string header = "Spielbank Hamburg\r\nTisch 3\r\n14.03.2025\r\nx\r\n";

    // 50 MB of spins, a dash line after every 20: a block of 740 entries (a
    // whole number of both cycles) repeated.
    std::string block;
    for (int i = 1; i <= 740; ++i) {
        block += std::to_string(i % 37) + "\r\n";
        if (i % 20 == 0) block += "--------------------\r\n";
    }
    const std::size_t blocks = (50u << 20) / block.size() + 1;
    std::string big = header;
    big.reserve(header.size() + blocks * block.size());
    for (std::size_t b = 0; b < blocks; ++b)
        big += block;
    const std::size_t count = blocks * 740;
    dir.write("fifty.txt", big);
    big.clear();
    big.shrink_to_fit();

    std::string line = header;
    for (int i = 0; i < 1'000'000; ++i)
        line += (i % 2 ? "32," : "7,");
    dir.write("line.txt", line);

    struct Case {
        const char* file;
        std::size_t count;
        double last;
    };
    for (const Case& c : {Case{"fifty.txt", count, 740 % 37}, Case{"line.txt", 1'000'000, 32}}) {
        TestSession t;
        importFile(t, dir.path(), c.file);
        EXPECT_EQ(t.state.importedCount, static_cast<double>(c.count)) << c.file;
        EXPECT_EQ(t.state.wantedSpins, static_cast<double>(c.count)) << c.file;
        ASSERT_EQ(t.state.permanenceNumbers.size(), c.count + 21) << c.file;
        EXPECT_EQ(t.state.permanenceNumbers[c.count], c.last) << c.file;
        EXPECT_FALSE(t.state.permanenceNumbers[c.count + 1]) << c.file;
        EXPECT_EQ(t.form.textanzahl.text(), "") << c.file;  // too many for the count box
        EXPECT_FALSE(t.form.Frame1.visible()) << c.file;
    }
}

}  // namespace
}  // namespace tamvek::test
