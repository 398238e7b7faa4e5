#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace tamvek::test {
namespace {

// A run of `spins` with the given numbers, stake boxes unlocked before the first press.
struct Table : TestSession {
    explicit Table(std::initializer_list<int> numbers, int spins = 20) {
        random.queueNumbers(numbers);
        form.textanzahl.type(std::to_string(spins));
        form.Option1.click(0);
    }
    std::vector<std::string> row(int r) const {
        std::vector<std::string> cells;
        for (int c = 0; c < 4; ++c)
            cells.push_back(form.tabelle1.cell(r, c).text);
        return cells;
    }
};

using Row = std::vector<std::string>;

TEST(Settlement, SeventeenWithRedLowAndOddStaked) {
    Table t({17});
    t.stake(t.form.srot, "5");
    t.stake(t.form.sklein, "3");
    t.stake(t.form.sungerade, "2");
    EXPECT_EQ(t.form.gewtotal.caption(), "-10");
    // The score is reset after each spin; the sound it chose tells it (105: "g2.wav").
    t.form.Check1.click();
    t.press();
    EXPECT_EQ(t.row(0), (Row{"1", "", "5", "-5"}));  // red lost: label -10 + 3 + 2
    EXPECT_EQ(t.row(1), (Row{"1", "", "3", "-2"}));  // low won: -10 + 6 + 2
    EXPECT_EQ(t.row(2), (Row{"1", "", "2", "0"}));   // odd won: -10 + 6 + 4
    EXPECT_EQ(t.form.tabelle1.cell(0, 1).fill, colours::side2Cell);
    EXPECT_EQ(t.form.tabelle1.cell(1, 1).fill, colours::profitRed);
    EXPECT_EQ(t.state.profitRow, 3);
    EXPECT_EQ(t.state.stakeLowHigh, 6);
    EXPECT_EQ(t.state.stakeEvenOdd, 4);
    EXPECT_EQ(t.state.stakeRedBlack, 0);
    EXPECT_EQ(t.form.sklein.text(), "6");
    EXPECT_EQ(t.form.sungerade.text(), "4");
    EXPECT_EQ(t.form.srot.text(), "");
    EXPECT_EQ(t.form.srot.backColour(), colours::stakeNeutral);
    EXPECT_FALSE(t.form.okabsetz1.enabled());
    EXPECT_TRUE(t.form.okabsetz2.enabled());
    EXPECT_EQ(t.form.tabelle2.cell(1, 4).text, "S");
    EXPECT_EQ(t.form.tabelle2.cell(1, 8).text, "S");
    EXPECT_EQ(t.form.tabelle2.cell(0, 4).fill, colours::winCell);
    EXPECT_EQ(t.form.tabelle2.cell(0, 2).fill, colours::side2Cell);
    EXPECT_EQ(t.form.gewtotal.caption(), "-10");
    EXPECT_EQ(t.form.gewtief.caption(), "-5");
    EXPECT_EQ(t.form.gewhoch.caption(), "");
    EXPECT_EQ(t.platform.sounds(), std::vector<std::string>{"/prog/g2.wav"});  // 105
}

TEST(Settlement, ThreeWinsInARowOnBlack) {
    Table t({2, 4, 6});
    t.stake(t.form.sschwarz, "10");
    std::vector<std::string> boxes;
    for (int i = 0; i < 3; ++i) {
        t.press();
        boxes.push_back(t.form.sschwarz.text());
    }
    EXPECT_EQ(boxes, (std::vector<std::string>{"20", "40", "80"}));
    EXPECT_EQ(t.row(0), (Row{"1", "", "10", "10"}));
    EXPECT_EQ(t.row(1), (Row{"2", "", "20", "30"}));
    EXPECT_EQ(t.row(2), (Row{"3", "", "40", "70"}));
    EXPECT_EQ(t.form.gewtotal.caption(), "-10");
    EXPECT_EQ(t.form.gewhoch.caption(), "");  // only the label value is compared
    EXPECT_EQ(t.form.sschwarz.backColour(), colours::stakeOn);
    EXPECT_TRUE(t.form.sschwarz.locked());
}

TEST(Settlement, ZeroHoldsTheStakeUntilTheNextSpinDecidesIt) {
    struct Case {
        std::vector<int> numbers;  // zeros, then the deciding number
        std::string label;
        int rows;
        std::string lossStake;
    };
    const Case cases[] = {
        {{0, 1}, "0", 0, ""},      // red comes up: given back, no row
        {{0, 2}, "-10", 1, "10"},  // black: lost
        {{0, 0, 3}, "0", 0, ""},   // two zeros, then red
        {{0, 0, 0, 4}, "-10", 1, "10"},
    };
    for (const Case& c : cases) {
        Table t({});
        for (int n : c.numbers)
            t.random.queueNumbers({n});
        t.stake(t.form.srot, "10");
        t.press();
        EXPECT_EQ(t.form.srot.backColour(), colours::stakeHeld);
        EXPECT_FALSE(t.form.srot.enabled());
        EXPECT_FALSE(t.form.sschwarz.enabled());
        EXPECT_FALSE(t.form.okabsetz1.enabled());
        EXPECT_EQ(t.state.heldRedBlack, 1);
        EXPECT_EQ(t.state.profitRow, 0);
        EXPECT_EQ(t.form.gewtotal.caption(), "-10");
        for (std::size_t i = 1; i < c.numbers.size(); ++i)
            t.press();
        EXPECT_EQ(t.form.gewtotal.caption(), c.label);
        EXPECT_EQ(t.state.profitRow, c.rows);
        if (c.rows == 1) EXPECT_EQ(t.row(0)[2], c.lossStake);
        EXPECT_EQ(t.state.heldRedBlack, 0);
        EXPECT_EQ(t.state.sideRedBlack, 0);
        EXPECT_EQ(t.state.stakeRedBlack, 0);
        EXPECT_TRUE(t.form.srot.enabled());
        EXPECT_TRUE(t.form.sschwarz.enabled());
        EXPECT_FALSE(t.form.srot.locked());
        EXPECT_EQ(t.form.srot.text(), "");
        EXPECT_EQ(t.form.srot.backColour(), colours::stakeNeutral);
    }
}

// The box's range rule is for typing: a riding stake past 999 stays in sight,
// so that "Absetz" pays what the player sees.
TEST(Settlement, StakePastNineHundredNinetyNineRidesOnInSightAndComesHomeWhole) {
    Table t({1, 3});
    t.stake(t.form.srot, "500");
    t.press();
    EXPECT_EQ(t.state.stakeRedBlack, 1000);
    EXPECT_EQ(t.form.srot.text(), "1000");
    EXPECT_EQ(t.form.srot.backColour(), colours::stakeOn);
    EXPECT_EQ(t.row(0), (Row{"1", "", "500", "500"}));
    t.press();
    EXPECT_EQ(t.row(1), (Row{"2", "", "1000", "1500"}));
    EXPECT_EQ(t.form.srot.text(), "2000");
    t.form.okabsetz1.click();
    EXPECT_EQ(t.form.gewtotal.caption(), "1500");
    EXPECT_EQ(t.form.gewhoch.caption(), "1500");
}

TEST(Settlement, LongWinningStreakStaysExactBeyondSixteenBits) {
    Table t({}, 60);
    for (int i = 0; i < 40; ++i)
        t.random.queueNumbers({1});
    t.stake(t.form.srot, "1");
    for (int i = 0; i < 40; ++i)
        t.press();
    EXPECT_EQ(t.state.stakeRedBlack, Amount{1} << 40);
    EXPECT_EQ(t.row(39)[2], "549755813888");                         // 2^39 at risk
    EXPECT_EQ(t.row(39)[3], std::to_string((Amount{1} << 40) - 1));  // -1 + 2^40
    t.form.okabsetz1.click();
    EXPECT_EQ(t.form.gewtotal.caption(), std::to_string((Amount{1} << 40) - 1));
    EXPECT_EQ(t.state.highestBalance, (Amount{1} << 40) - 1);
}

// 37 (only a permanence file holds it) has no colour: it does not decide
// red/black, and a stake that a zero holds stays held until a number does.
TEST(Settlement, AHeldStakeStaysHeldOnANumberWithoutColour) {
    for (const int last : {1, 2}) {
        Table t({});
        t.state.permanenceLoaded = 1;
        t.state.permanenceNumbers = {std::nullopt, 0.0, 37.0, static_cast<double>(last)};
        t.stake(t.form.srot, "10");
        t.press();  // zero: held
        t.press();  // 37
        EXPECT_EQ(t.state.heldRedBlack, 1);
        EXPECT_FALSE(t.form.srot.enabled());
        EXPECT_FALSE(t.form.okabsetz1.enabled());
        EXPECT_EQ(t.form.srot.backColour(), colours::stakeHeld);
        t.press();
        EXPECT_EQ(t.state.heldRedBlack, 0);
        EXPECT_EQ(t.state.sideRedBlack, 0);
        EXPECT_TRUE(t.form.srot.enabled());
        if (last == 1) {
            // Red: the held stake is only given back.
            EXPECT_EQ(t.form.gewtotal.caption(), "0");
            EXPECT_EQ(t.state.profitRow, 0);
        } else {
            EXPECT_EQ(t.form.gewtotal.caption(), "-10");
            EXPECT_EQ(t.row(0), (Row{"3", "", "10", "-10"}));
        }
    }
}

TEST(Settlement, ProfitTableGrowsInsteadOfLosingRows) {
    Table t({}, 1200);
    // Every spin settles one stake: alternate a win and a loss on red.
    for (int i = 0; i < 1100; ++i)
        t.random.queueNumbers({i % 2 == 0 ? 1 : 2});
    for (int i = 0; i < 1100; ++i) {
        if (t.state.sideRedBlack == 0) t.stake(t.form.srot, "1");
        t.press();
    }
    EXPECT_EQ(t.state.profitRow, 1100);
    EXPECT_GE(t.form.tabelle1.rows(), 1100);
    EXPECT_EQ(t.row(1099)[0], "1100");
    EXPECT_EQ(t.form.tabelle1.topRow(), 1099 - 15);
}

}  // namespace
}  // namespace tamvek::test
