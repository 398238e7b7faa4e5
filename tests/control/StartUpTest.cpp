#include <gtest/gtest.h>

#include "control/StartUp.h"
#include "support/TestSupport.h"

namespace tamvek::test {
namespace {

TEST(StartUp, WindowOpensInItsWaitingState) {
    TestSession t;
    auto& f = t.form;
    for (const char* name :
         {"okstart", "okersatz", "okabbrechen", "okdruck", "oksetz1", "oksetz2", "oksetz3",
          "okabsetz1", "okabsetz2", "okabsetz3", "haltbei", "okexternok"})
        EXPECT_FALSE(f.find(name)->enabled()) << name;
    for (const char* name : {"okextern", "okcopy", "okinfo", "okfiktiv", "okende"})
        EXPECT_TRUE(f.find(name)->enabled()) << name;
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(f.stakeBoxes()[static_cast<std::size_t>(i)]->locked());
    EXPECT_FALSE(f.Frame1.visible());
    EXPECT_FALSE(f.infotext.visible());
    EXPECT_EQ(f.gewtotal.caption(), "0");
    for (const char* name : {"gewhoch", "gewtief", "lakut", "lzahl", "haltbei"})
        EXPECT_EQ(f.find(name)->text(), "") << name;
    EXPECT_EQ(f.text.caption(), form::introText);
    EXPECT_EQ(f.tabelle2.colWidth(0), 550);
    EXPECT_EQ(f.tabelle2.colWidth(10), 300);
    EXPECT_EQ(f.tabelle1.colWidth(1), 150);
    EXPECT_EQ(f.tabelle1.colAlignment(2), form::Align::Centre);
    EXPECT_EQ(f.tabelle1.rows(), 999);
    EXPECT_EQ(t.state.numberColour[0], 0);
    EXPECT_EQ(t.state.numberColour[37], 0);
    EXPECT_TRUE(t.platform.questions().empty());
    EXPECT_EQ(f.okersatz.toolTip(), " Zusätzliche\" nächster Wurf\"-Taste  ");
}

// A game with a run of 10 spins, 7 rows in the profit table and 10 units riding on red.
struct PlayedGame : TestSession {
    PlayedGame() {
        random.queueNumbers({1, 2, 1, 2, 1, 2, 1, 3, 5, 7});
        form.textanzahl.type("10");
        form.Option1.click(0);
        for (int i = 0; i < 7; ++i) {
            if (state.sideRedBlack == 0) stake(form.srot, "5");
            press();
        }
    }
};

TEST(StartUp, NewStartAnsweredNoChangesNothing) {
    PlayedGame t;
    const auto label = t.form.gewtotal.caption();
    t.platform.queueAnswer(platform::Answer::No);
    t.form.okabbrechen.click();
    EXPECT_EQ(t.platform.questions().back(), "Abbruch bitte bestätigen !     ");
    EXPECT_EQ(t.platform.titles().back(), " Abbruch");
    EXPECT_EQ(t.form.gewtotal.caption(), label);
    EXPECT_EQ(t.state.currentSpin, 7);
    EXPECT_EQ(t.state.profitRow, 7);
}

TEST(StartUp, NewStartOpensAFreshGame) {
    PlayedGame t;
    ASSERT_EQ(t.state.stakeRedBlack, 10);  // riding
    t.form.okfiktiv.click();               // and fictitious play on
    t.platform.queueAnswer(platform::Answer::Yes);
    t.form.okabbrechen.click();
    auto& f = t.form;
    EXPECT_EQ(f.gewtotal.caption(), "0");
    EXPECT_EQ(f.gewhoch.caption(), "");
    EXPECT_EQ(f.gewtief.caption(), "");
    EXPECT_EQ(t.state.balance, 0);
    EXPECT_EQ(t.state.highestBalance, 0);
    EXPECT_EQ(t.state.stakeRedBlack, 0);
    EXPECT_EQ(t.state.fictitiousPlay, 0);
    EXPECT_EQ(f.okfiktiv.caption(), "Fiktivspiel");
    EXPECT_EQ(f.gewtotal.backColour(), colours::balanceReal);
    for (int r = 0; r <= 10; ++r)
        for (int c = 0; c <= 10; ++c) {
            EXPECT_EQ(f.tabelle2.cell(r, c).text, "");
            EXPECT_EQ(f.tabelle2.cell(r, c).fill, colours::windowGrey);
        }
    for (int r = 0; r <= 7; ++r) {
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(f.tabelle1.cell(r, c).text, "");
        EXPECT_EQ(f.tabelle1.cell(r, 1).fill, colours::windowGrey);
    }
    EXPECT_EQ(f.tabelle1.topRow(), 0);
    EXPECT_EQ(f.tabelle2.topRow(), 0);
    EXPECT_EQ(t.state.runStarted, 0);
    EXPECT_EQ(t.state.currentSpin, 0);
    EXPECT_EQ(t.state.profitRow, 0);
    EXPECT_TRUE(f.okextern.enabled());
    EXPECT_TRUE(f.textanzahl.enabled());
    EXPECT_EQ(f.textanzahl.text(), "");
    for (const char* b : {"okstart", "okersatz", "okabbrechen", "okdruck", "okabsetz1"})
        EXPECT_FALSE(f.find(b)->enabled()) << b;
    EXPECT_EQ(f.okstart.caption(), "Start");
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(f.stakeBoxes()[static_cast<std::size_t>(i)]->locked());
        EXPECT_EQ(f.stakeBoxes()[static_cast<std::size_t>(i)]->text(), "");
    }
    EXPECT_EQ(f.text.caption(), form::introText);
    EXPECT_EQ(f.lakut.caption(), "");
}

TEST(StartUp, NewStartFreesBoxesThatAHeldStakeDisabled) {
    TestSession t;
    t.random.queueNumbers({0});
    t.form.textanzahl.type("1");
    t.form.Option1.click(0);
    t.stake(t.form.srot, "10");
    t.press();
    ASSERT_FALSE(t.form.srot.enabled());
    t.platform.queueAnswer(platform::Answer::Yes);
    t.form.okabbrechen.click();
    EXPECT_TRUE(t.form.srot.enabled());
    EXPECT_TRUE(t.form.sschwarz.enabled());
    EXPECT_EQ(t.form.gewtotal.caption(), "0");
    t.form.textanzahl.type("3");
    t.press();
    t.form.srot.type("4");
    EXPECT_TRUE(t.form.oksetz1.enabled());
}

TEST(StartUp, NewStartClearsOnlyRowsTheGridsHave) {
    TestSession t;
    t.state.wantedSpins = 5000;  // as after an import without a run
    t.state.profitRow = 5000;
    t.form.okabbrechen.setEnabled(true);
    t.platform.queueAnswer(platform::Answer::Yes);
    t.form.okabbrechen.click();
    EXPECT_EQ(t.form.tabelle2.rows(), 1);
    EXPECT_EQ(t.form.tabelle1.rows(), 999);
    EXPECT_EQ(t.state.profitRow, 0);
}

}  // namespace
}  // namespace tamvek::test
