#include <gtest/gtest.h>

#include "output/Printing.h"
#include "output/TextReport.h"
#include "support/TestSupport.h"

namespace tamvek::test {
namespace {

using platform::Answer;
using namespace platform::print;

TEST(MessageLine, CarriageReturnsBecomeSlashes) {
    const struct {
        const char* caption;
        const char* line;
    } cases[] = {
        {" Der Computer erzeugt die Zahlen...", " Der Computer erzeugt die Zahlen..."},
        {"Spielbank Hamburg\rTisch 3\r07.12.2026", "Spielbank Hamburg / Tisch 3 / 07.12.2026"},
        {"ende\r", "ende / "},
        {"\r\r", " /  / "},
        {"", ""},
        {"a\nb", "a\nb"},  // only carriage returns are line breaks in a caption
    };
    for (const auto& c : cases)
        EXPECT_EQ(output::messageLine(c.caption), c.line) << c.caption;
}

TEST(NumberItem, SignPlaceBeforeAndBlankAfter) {
    EXPECT_EQ(platform::numberItem(245), " 245 ");
    EXPECT_EQ(platform::numberItem(0), " 0 ");
    EXPECT_EQ(platform::numberItem(-3), "-3 ");
    EXPECT_EQ(platform::numberItem(2.5), " 2.5 ");
}

// The report of a run of 100 spins with 37 played, operation by operation.
TEST(TextReport, OperationsOfARunWithoutImport) {
    TestSession t;
    t.playUpTo(100, 37);
    ASSERT_EQ(t.state.currentSpin, 37);

    const platform::PrintJob job = output::buildReport(t.game);
    std::vector<platform::PrintOp> want = {
        FontSize{12},
        EndLine{},
        EndLine{},
        Bold{true},
        Column{15},
        Text{"Datum: "},
        Text{"07.12.2026"},
        Underline{true},
        Column{39},
        Text{" Q u o v a n / E C / P e l m a r 1   Vrask 02.1"},
        EndLine{},
        Underline{false},
        Bold{false},
        EndLine{},
        EndLine{},
        Column{15},
        Text{" Der Computer erzeugt die Zahlen..."},
        EndLine{},
        EndLine{},
        Column{15},
        Text{"Anzahl Würfe:  "},
        Number{100},
        EndLine{},
        EndLine{},
        Column{15},
        Text{"Anzahl akut :   "},
        Number{37},
        EndLine{},
        EndLine{},
        EndLine{},
        Underline{true},
        Column{19},
        Text{"Stelle"},
        Column{30},
        Text{"Figur"},
        EndLine{},
        Underline{false},
        EndLine{},
    };
    for (int i = 1; i <= 20; ++i) {
        want.insert(want.end(),
                    {Column{20}, Number{static_cast<double>(i)}, Column{30}, EndLine{}});
    }
    want.insert(want.end(), {EndLine{}, EndLine{}, EndDocument{}});

    ASSERT_EQ(job.ops.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i)
        EXPECT_EQ(job.ops[i], want[i]) << "op " << i << ": " << platform::describe(job.ops[i]);
    EXPECT_EQ(t.form.tabelle1.row(), 20);
    EXPECT_EQ(t.form.tabelle1.col(), 2);
}

// What lands on paper, one character per column.
TEST(TextReport, PlainLinesAfterAnImport) {
    TestSession t;
    // The state an import of three numbers leaves behind.
    t.form.text.setCaption("Spielbank Hamburg\rTisch 3\r07.12.2026");
    t.state.permanenceLoaded = 1;
    t.state.permanenceNumbers = {std::nullopt, 17.0, 0.0, 32.0};
    t.state.permanenceNumbers.resize(24);
    t.form.textanzahl.type("3");
    t.form.okstart.click();
    t.form.okstart.click();

    const auto lines = platform::plainLines(output::buildReport(t.game));
    const std::string pad14(14, ' ');
    ASSERT_EQ(lines.size(), 36u);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[2], pad14 + "Datum: 07.12.2026" + std::string(38 - 14 - 17, ' ') +
                            " Q u o v a n / E C / P e l m a r 1   Vrask 02.1");
    EXPECT_EQ(lines[5], pad14 + "Spielbank Hamburg / Tisch 3 / 07.12.2026");
    EXPECT_EQ(lines[7], pad14 + "Anzahl Würfe:   3 ");
    EXPECT_EQ(lines[9], pad14 + "Anzahl akut :    2 ");
    EXPECT_EQ(lines[12], std::string(18, ' ') + "Stelle" + std::string(5, ' ') + "Figur");
    EXPECT_EQ(lines[14], std::string(19, ' ') + " 1 " + std::string(29 - 22, ' '));
    EXPECT_EQ(lines[33], std::string(19, ' ') + " 20 " + std::string(29 - 23, ' '));
    EXPECT_EQ(lines[34], "");
    EXPECT_EQ(lines[35], "");  // two blank lines close the page
}

TEST(PlainLines, AColumnAlreadyPassedStartsTheNextLine) {
    platform::PrintJob job{{Column{3}, Text{"abcdef"}, Column{5}, Text{"x"}, Column{8}, Text{"y"},
                            Column{8}, Text{"z"}, EndDocument{}}};
    EXPECT_EQ(platform::plainLines(job),
              (std::vector<std::string>{"  abcdef", "    x  y", "       z"}));
}

struct AnswerCase {
    const char* name;
    Answer answer;
    bool setupGoesOn;
    int setups;
    bool prints;
};

class PrintQuestion : public testing::TestWithParam<AnswerCase> {};

TEST_P(PrintQuestion, ReportAndCopyFollowTheAnswer) {
    const AnswerCase& c = GetParam();
    for (bool copy : {false, true}) {
        TestSession t;
        t.startRun(5, {1, 2, 3});
        t.platform.setSetupAccepted(c.setupGoesOn);
        t.platform.queueAnswer(c.answer);
        const int row = t.form.tabelle1.row();
        (copy ? t.form.okcopy : t.form.okdruck).click();

        ASSERT_EQ(t.platform.questions().size(), 1u);
        EXPECT_EQ(t.platform.questions()[0],
                  "Sollen die Druckereinstellungen noch geändert werden ?");
        EXPECT_EQ(t.platform.titles()[0], " Ausdruck Pelmar1");
        EXPECT_EQ(t.platform.count("setup"), c.setups);
        const std::size_t printed =
            copy ? static_cast<std::size_t>(t.platform.count("copy")) : t.platform.reports().size();
        EXPECT_EQ(printed, c.prints ? 1u : 0u) << (copy ? "copy" : "report");
        // A report that was not printed leaves the table's cell alone.
        if (!c.prints || copy) EXPECT_EQ(t.form.tabelle1.row(), row);
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, PrintQuestion,
                         testing::Values(AnswerCase{"Cancel", Answer::Cancel, true, 0, false},
                                         AnswerCase{"No", Answer::No, true, 0, true},
                                         AnswerCase{"Yes", Answer::Yes, true, 1, true},
                                         AnswerCase{"YesThenCancelDialog", Answer::Yes, false, 1,
                                                    false}),
                         [](const auto& info) { return std::string(info.param.name); });

// Where a printout went is the platform's to tell: the message label, which
// the report prints, stays the game's own.
TEST(PrintOutcome, ASavedFileLeavesTheMessageLabelAlone) {
    for (bool copy : {false, true}) {
        TestSession t;
        t.startRun(5, {1, 2, 3});
        t.platform.setPrintOutcome({true, "/home/u/Dokumente/Tamvek-Ausdruck-2026-12-07-0815.pdf"});
        t.platform.queueAnswer(Answer::No);
        t.platform.queueAnswer(Answer::No);
        const std::string before = t.form.text.caption();
        (copy ? t.form.okcopy : t.form.okdruck).click();
        EXPECT_EQ(t.form.text.caption(), before);
        if (!copy) {
            // The next report still prints the game's message line.
            t.form.okdruck.click();
            ASSERT_EQ(t.platform.reports().size(), 2u);
            EXPECT_EQ(platform::plainLines(t.platform.reports()[1])[5],
                      std::string(14, ' ') + " Der Computer erzeugt die Zahlen...");
        }
    }
}

TEST(PrintOutcome, APrinterOrAFailureLeavesTheMessageLabelAlone) {
    for (platform::PrintOutcome outcome :
         {platform::PrintOutcome{true, ""}, platform::PrintOutcome{false, ""}}) {
        TestSession t;
        t.startRun(5, {1});
        t.platform.setPrintOutcome(outcome);
        t.platform.queueAnswer(Answer::No);
        t.platform.queueAnswer(Answer::No);
        const std::string before = t.form.text.caption();
        t.form.okdruck.click();
        t.form.okcopy.click();
        EXPECT_EQ(t.form.text.caption(), before);
    }
}

TEST(TextReport, DruckIsOnlyThereOnceARunHasBegun) {
    TestSession t;
    t.form.okdruck.click();  // disabled: no question
    EXPECT_TRUE(t.platform.questions().empty());
    t.platform.queueAnswer(Answer::No);
    t.form.okcopy.click();  // always available
    EXPECT_EQ(t.platform.count("copy"), 1);
}

}  // namespace
}  // namespace tamvek::test
