#include <gtest/gtest.h>
#include <fstream>
#include <sstream>

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
    TestSession t;
    if (c.filePresent) t.platform.files["/prog/info_tamvek1.txt"] = "Hallo\nWelt";
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
    TestSession t;
    t.form.okinfo.click();
    EXPECT_EQ(t.form.infotext.text(), problem);
    t.form.okinfo.click();
    t.platform.files["/prog/info_tamvek1.txt"] = "neu";
    t.form.okinfo.click();
    EXPECT_EQ(t.form.infotext.text(), "neu");
}

TEST(InfoText, AnyOtherCaptionDoesNothing) {
    TestSession t;
    t.platform.files["/prog/info_tamvek1.txt"] = "x";
    t.form.okinfo.setCaption("INFO");
    t.form.okinfo.click();
    EXPECT_FALSE(t.form.infotext.visible());
    EXPECT_EQ(t.form.okinfo.caption(), "INFO");
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
    // Valid UTF-8: every lead byte is followed by the right number of
    // continuation bytes.
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        const std::size_t n = b < 0x80         ? 1
                              : (b >> 5) == 6  ? 2
                              : (b >> 4) == 14 ? 3
                              : (b >> 3) == 30 ? 4
                                               : 0;
        ASSERT_NE(n, 0u) << "bad UTF-8 at byte " << i;
        ASSERT_LE(i + n, text.size());
        for (std::size_t k = 1; k < n; ++k)
            ASSERT_EQ(static_cast<unsigned char>(text[i + k]) >> 6, 2) << "bad UTF-8 at byte " << i;
        i += n;
    }
}

}  // namespace
}  // namespace tamvek::test
