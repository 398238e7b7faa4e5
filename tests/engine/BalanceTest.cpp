#include <gtest/gtest.h>

#include "engine/Balance.h"
#include "engine/FictitiousPlay.h"
#include "support/TestSupport.h"

namespace tamvek::test {
namespace {

struct Play : TestSession {
    explicit Play(std::initializer_list<int> numbers) {
        random.queueNumbers(numbers);
        form.textanzahl.type("20");
        form.Option1.click(0);
    }
    std::string cell(int r, int c) const { return form.tabelle1.cell(r, c).text; }
};

TEST(Balance, LossRowCountsTheOtherStakesAndNotesTheLowest) {
    Play t({2});
    t.stake(t.form.srot, "10");
    t.stake(t.form.sklein, "5");
    EXPECT_EQ(t.form.gewtotal.caption(), "-15");
    EXPECT_EQ(t.form.gewtief.caption(), "");  // activation notes nothing
    t.press();
    EXPECT_EQ(t.cell(0, 2), "10");
    EXPECT_EQ(t.cell(0, 3), "-10");
    EXPECT_EQ(t.form.gewtief.caption(), "-10");
    EXPECT_EQ(t.cell(1, 2), "5");
    EXPECT_EQ(t.cell(1, 3), "-5");
    EXPECT_EQ(t.form.gewtotal.caption(), "-15");
}

TEST(Balance, HighestAndLowestMoveOnlyOnStrictlyBetterFigures) {
    Play t({});
    engine::noteHighest(t.game, 0);
    EXPECT_EQ(t.form.gewhoch.caption(), "");
    engine::noteHighest(t.game, 2.5);
    EXPECT_EQ(t.form.gewhoch.caption(), "2");  // halves to even
    engine::noteHighest(t.game, 2);
    engine::noteHighest(t.game, 1);
    EXPECT_EQ(t.state.highestBalance, 2);
    engine::noteLowest(t.game, -70000);
    EXPECT_EQ(t.form.gewtief.caption(), "-70000");  // wider than 16 bits, kept exact
    engine::noteLowest(t.game, -70000);
    EXPECT_EQ(t.state.lowestBalance, -70000);
}

TEST(Balance, FictitiousPlayLogsButLeavesTheShownBalance) {
    Play t({1, 2});
    t.form.okfiktiv.click();
    EXPECT_EQ(t.form.okfiktiv.caption(), "Ende Fiktiv");
    EXPECT_EQ(t.form.gewtotal.backColour(), colours::fictitious);
    t.stake(t.form.srot, "10");
    EXPECT_EQ(t.form.gewtotal.caption(), "0");
    t.press();  // red wins
    EXPECT_EQ(t.cell(0, 3), "0");
    EXPECT_EQ(t.form.tabelle1.cell(0, 0).fill, colours::fictitious);
    EXPECT_EQ(t.form.tabelle2.cell(0, 0).fill, colours::fictitious);
    t.press();  // black: the doubled stake is lost
    EXPECT_EQ(t.cell(1, 2), "20");
    EXPECT_EQ(t.cell(1, 3), "0");
    EXPECT_EQ(t.form.gewtotal.caption(), "0");
    EXPECT_EQ(t.form.gewhoch.caption(), "");
    EXPECT_EQ(t.form.gewtief.caption(), "");
    t.form.okfiktiv.click();
    EXPECT_EQ(t.form.okfiktiv.caption(), "Fiktivspiel");
    EXPECT_EQ(t.state.fictitiousPlay, 0);
    EXPECT_EQ(t.form.gewtotal.backColour(), colours::balanceReal);
    t.stake(t.form.srot, "3");
    EXPECT_EQ(t.form.gewtotal.caption(), "-3");
}

TEST(Balance, StakeActivatedInFictitiousPlayAndWithdrawnInRealPlayRaisesTheLabel) {
    Play t({});
    t.form.okfiktiv.click();
    t.stake(t.form.srot, "7");
    t.form.okfiktiv.click();
    t.form.okabsetz1.click();
    EXPECT_EQ(t.form.gewtotal.caption(), "7");
}

}  // namespace
}  // namespace tamvek::test
