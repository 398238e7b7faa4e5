#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "core/Text.h"
#include "support/ScratchFolder.h"
#include "support/TestSupport.h"

namespace tamvek::test {
namespace {

const char* const problem = "Problem:\nKann die Datei Info_Tamvek1.txt nicht finden.";

struct InfoCase {
    const char* name;
    bool filePresent;
    const char* shown;
};

class InfoToggle : public testing::TestWithParam<InfoCase> {};

TEST_P(InfoToggle, ShowsThenHidesAndEmpties) {
    const InfoCase& c = GetParam();
    ScratchFolder folder;
    TestSession t(folder.path());
    if (c.filePresent) folder.write("info_tamvek1.txt", "Hallo\nWelt");
    auto& info = t.form.infotext;
    ASSERT_FALSE(info.visible());
    ASSERT_EQ(t.form.okinfo.caption(), "Info");

    t.form.okinfo.click();
    EXPECT_TRUE(info.visible());
    EXPECT_EQ(info.text(), c.shown);
    EXPECT_EQ(t.form.okinfo.caption(), "Ende Info");

    t.form.okinfo.click();
    EXPECT_FALSE(info.visible());
    EXPECT_EQ(info.text(), "");
    EXPECT_EQ(t.form.okinfo.caption(), "Info");
}

INSTANTIATE_TEST_SUITE_P(File, InfoToggle,
                         testing::Values(InfoCase{"Present", true, "Hallo\nWelt"},
                                         InfoCase{"Missing", false, problem}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(InfoText, TheFileIsReadAfreshAtEveryOpening) {
    ScratchFolder folder;
    TestSession t(folder.path());
    t.form.okinfo.click();
    EXPECT_EQ(t.form.infotext.text(), problem);
    t.form.okinfo.click();
    folder.write("info_tamvek1.txt", "neu");
    t.form.okinfo.click();
    EXPECT_EQ(t.form.infotext.text(), "neu");
}

TEST(InfoText, AnyOtherCaptionDoesNothing) {
    ScratchFolder folder;
    TestSession t(folder.path());
    folder.write("info_tamvek1.txt", "x");
    t.form.okinfo.setCaption("INFO");
    t.form.okinfo.click();
    EXPECT_FALSE(t.form.infotext.visible());
    EXPECT_EQ(t.form.okinfo.caption(), "INFO");
}

// A file written on an old system is in Latin-1; the box shows it in UTF-8.
TEST(InfoText, TheFileIsShownInUtf8) {
    struct Case {
        const char* bytes;
        const char* shown;
    };
    for (const Case& c : {Case{"W\xfcrfe", "Würfe"}, Case{"Würfe", "Würfe"}, Case{"", ""}}) {
        ScratchFolder folder;
        TestSession t(folder.path());
        folder.write("info_tamvek1.txt", c.bytes);
        t.form.okinfo.click();
        EXPECT_EQ(t.form.infotext.text(), c.shown);
    }
}

// The file the build puts beside the program is readable UTF-8 and says what
// the program is about.
TEST(InfoText, TheSuppliedFileLiesBesideTheProgram) {
    std::ifstream in(std::string(TAMVEK_BIN_DIR) + "/info_tamvek1.txt", std::ios::binary);
    ASSERT_TRUE(in) << "info_tamvek1.txt is not beside the binaries";
    std::stringstream ss;
    ss << in.rdbuf();
    const std::string text = ss.str();
    EXPECT_GT(text.size(), 1000u);
    for (const char* word : {"Setzen", "Absetz", "Spielbank", "Fiktiv", "Null", "Druck", "Copy"})
        EXPECT_NE(text.find(word), std::string::npos) << word;
    EXPECT_TRUE(text::isValidUtf8(text));
}

}  // namespace
}  // namespace tamvek::test
