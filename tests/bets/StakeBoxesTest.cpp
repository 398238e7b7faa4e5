#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace tamvek::test {
namespace {

// Stake boxes writable, nothing played yet.
struct Boxes : TestSession {
    Boxes() { form.Option1.click(0); }
};

TEST(StakeBoxes, RangeRuleKeepsOnlyOneToNineHundredNinetyNine) {
    struct Case {
        const char* typed;
        const char* stays;
        bool white;
    };
    const Case cases[] = {
        {"999", "999", false}, {"1000", "", true},    {"0", "", false},     {"-5", "5", false},
        {"abc", "", false},    {" 5", "5", false},    {".5", "5", false},   {"1.5", "1.5", false},
        {"5a", "5a", false},   {"1,5", "1,5", false}, {"12345", "5", true},
    };
    for (const Case& c : cases) {
        Boxes t;
        t.form.srot.type(c.typed);
        EXPECT_EQ(t.form.srot.text(), c.stays) << c.typed;
        EXPECT_EQ(t.form.srot.backColour() == colours::stakeRejected, c.white) << c.typed;
    }
}

TEST(StakeBoxes, PastedTextIsJudgedAsAWhole) {
    Boxes t;
    t.form.srot.paste("0.5");
    EXPECT_EQ(t.form.srot.text(), "");
    t.form.srot.paste("1000");
    EXPECT_EQ(t.form.srot.text(), "");
    EXPECT_EQ(t.form.srot.backColour(), colours::stakeRejected);
    t.form.srot.paste("12");
    EXPECT_EQ(t.form.srot.text(), "12");
    EXPECT_FALSE(t.form.oksetz1.enabled());  // no key was released
}

TEST(StakeBoxes, LockedBoxesTakeNoTypingButStillKeyUps) {
    TestSession t;  // before the first press the boxes are locked
    t.form.srot.type("5");
    EXPECT_EQ(t.form.srot.text(), "");
    EXPECT_FALSE(t.form.oksetz1.enabled());
}

TEST(StakeBoxes, PartnerRuleEmptiesTheOtherBoxAndFollowsTheLastKeyRelease) {
    Boxes t;
    t.form.srot.type("5");
    EXPECT_TRUE(t.form.oksetz1.enabled());
    t.form.sschwarz.type("7");
    EXPECT_EQ(t.form.srot.text(), "");
    EXPECT_TRUE(t.form.oksetz1.enabled());
    // Tab out of a box releases the key in the next one.
    t.form.srot.type("5");
    t.form.sschwarz.keyUp();
    EXPECT_EQ(t.form.srot.text(), "5");
    EXPECT_FALSE(t.form.oksetz1.enabled());
    // With a stake of the pair on the table a key release changes nothing.
    t.form.srot.keyUp();
    t.form.oksetz1.click();
    t.form.sschwarz.keyUp();
    EXPECT_EQ(t.form.srot.text(), "5");
    EXPECT_FALSE(t.form.oksetz1.enabled());
}

TEST(StakeBoxes, ClickScrollsTheSpinLogToTheCurrentRow) {
    TestSession t;
    t.startRun(50, {});
    for (int i = 0; i < 21; ++i)
        t.press();  // spin 22, row 21
    t.form.tabelle2.setTopRow(0);
    t.form.srot.click();
    EXPECT_EQ(t.form.tabelle2.topRow(), 0);
    t.press();  // row 22
    t.form.tabelle2.setTopRow(0);
    t.form.srot.click();
    EXPECT_EQ(t.form.tabelle2.topRow(), 1);
}

TEST(Stakes, ActivateTakesTheStakeFromTheBalanceAndMarksTheNextSpin) {
    Boxes t;
    t.stake(t.form.srot, "5");
    EXPECT_EQ(t.state.sideRedBlack, 1);
    EXPECT_EQ(t.state.stakeRedBlack, 5);
    EXPECT_EQ(t.state.activeRedBlack, 1);
    EXPECT_EQ(t.form.gewtotal.caption(), "-5");
    EXPECT_EQ(t.form.srot.backColour(), colours::stakeOn);
    EXPECT_TRUE(t.form.srot.locked());
    EXPECT_TRUE(t.form.sschwarz.locked());
    EXPECT_FALSE(t.form.oksetz1.enabled());
    EXPECT_TRUE(t.form.okabsetz1.enabled());
    EXPECT_EQ(t.form.tabelle2.cell(0, 1).text, "S");
}

TEST(Stakes, ActivationRoundsHalvesToEvenAndAddsBothBoxes) {
    struct Case {
        const char* first;
        const char* second;
        Amount stake;
        int side;
    };
    const Case cases[] = {
        {"1.5", "", 2, 1}, {"2.5", "", 2, 1}, {"3.5", "", 4, 1}, {"4", "3", 7, 2}};
    for (const Case& c : cases) {
        Boxes t;
        t.form.sgerade.paste(c.first);
        t.form.sungerade.paste(c.second);
        t.form.oksetz3.setEnabled(true);  // as after a key release earlier
        t.form.oksetz3.click();
        EXPECT_EQ(t.state.stakeEvenOdd, c.stake) << c.first;
        EXPECT_EQ(t.state.sideEvenOdd, c.side) << c.first;
        if (c.side == 2 && *c.first) {
            EXPECT_EQ(t.form.sgerade.backColour(), colours::stakeOn);
            EXPECT_EQ(t.form.sungerade.backColour(), colours::stakeOn);
        }
    }
}

TEST(Stakes, ActivationWithNothingInTheBoxesDoesNothing) {
    Boxes t;
    t.form.srot.type("5");
    t.form.srot.paste("");  // cut with the mouse: no key release
    EXPECT_TRUE(t.form.oksetz1.enabled());
    t.form.oksetz1.click();
    EXPECT_FALSE(t.form.oksetz1.enabled());
    EXPECT_FALSE(t.form.okabsetz1.enabled());
    EXPECT_EQ(t.state.activeRedBlack, 0);
    EXPECT_FALSE(t.form.srot.locked());
    EXPECT_EQ(t.form.gewtotal.caption(), "0");
    EXPECT_EQ(t.form.tabelle2.cell(0, 1).text, "");
}

TEST(Stakes, WithdrawGivesTheCurrentStakeBack) {
    {
        Boxes t;
        t.stake(t.form.srot, "5");
        t.form.okabsetz1.click();
        EXPECT_EQ(t.form.gewtotal.caption(), "0");
        EXPECT_EQ(t.form.srot.text(), "");
        EXPECT_EQ(t.form.srot.backColour(), colours::stakeNeutral);
        EXPECT_FALSE(t.form.srot.locked());
        EXPECT_FALSE(t.form.okabsetz1.enabled());
        EXPECT_FALSE(t.form.oksetz1.enabled());
        EXPECT_EQ(t.form.tabelle2.cell(0, 1).text, "");
        EXPECT_EQ(t.state.sideRedBlack, 0);
    }
    {
        Boxes t;
        t.random.queueNumbers({2});
        t.form.textanzahl.type("5");
        t.stake(t.form.sschwarz, "10");
        t.press();  // black wins: 20 ride
        t.form.okabsetz1.click();
        EXPECT_EQ(t.form.gewtotal.caption(), "10");
        EXPECT_EQ(t.form.gewhoch.caption(), "10");
        EXPECT_EQ(t.form.tabelle2.cell(1, 2).text, "");  // the "S" of the next spin goes
    }
    {
        Boxes t;
        t.stake(t.form.srot, "10");
        t.stake(t.form.sklein, "10");
        t.form.okabsetz1.click();
        EXPECT_EQ(t.form.gewtotal.caption(), "-10");
        EXPECT_EQ(t.state.lowestBalance, -10);
    }
    {
        Boxes t;  // activated in real play, withdrawn in fictitious play
        t.stake(t.form.srot, "10");
        t.form.okfiktiv.click();
        t.form.okabsetz1.click();
        EXPECT_EQ(t.form.gewtotal.caption(), "-10");
        EXPECT_EQ(t.state.balance, 0);
    }
}

}  // namespace
}  // namespace tamvek::test
