#include <gtest/gtest.h>

#include "engine/RunDriver.h"
#include "support/TestSupport.h"

namespace tamvek::test {
namespace {

const std::string endText = std::string("\r") + engine::endLine;

TEST(RunDriver, ThreeSingleStepsTakeFourPresses) {
    TestSession t;
    t.startRun(3, {7, 0, 36});
    EXPECT_EQ(t.form.okstart.caption(), "Weiter");
    EXPECT_EQ(t.form.lakut.caption(), "1");
    EXPECT_EQ(t.form.lzahl.caption(), "7");
    EXPECT_TRUE(t.form.okdruck.enabled());
    EXPECT_TRUE(t.form.okabbrechen.enabled());
    EXPECT_FALSE(t.form.okextern.enabled());
    EXPECT_FALSE(t.form.textanzahl.enabled());
    EXPECT_FALSE(t.form.srot.locked());
    EXPECT_EQ(t.form.text.caption(), " Der Computer erzeugt die Zahlen...");
    t.press();
    t.press();
    EXPECT_EQ(t.form.lakut.caption(), "3");
    EXPECT_EQ(t.form.lzahl.caption(), "36");
    EXPECT_TRUE(t.form.okstart.enabled());
    t.press();
    EXPECT_EQ(t.state.currentSpin, 3);
    EXPECT_EQ(t.form.okstart.caption(), "Start");
    EXPECT_FALSE(t.form.okstart.enabled());
    EXPECT_EQ(t.form.text.caption(), " Der Computer erzeugt die Zahlen..." + endText);
    // "+" stays enabled after the end and appends the end line once per press.
    EXPECT_TRUE(t.form.okersatz.enabled());
    t.form.okersatz.click();
    EXPECT_EQ(t.form.text.caption(), " Der Computer erzeugt die Zahlen..." + endText + endText);
    EXPECT_EQ(t.state.currentSpin, 3);
}

TEST(RunDriver, FirstPressMayComeFromTheExtraButton) {
    TestSession t;
    t.form.textanzahl.type("2");
    t.form.okersatz.click();
    EXPECT_EQ(t.form.okstart.caption(), "Weiter");
    EXPECT_EQ(t.state.currentSpin, 1);
}

TEST(RunDriver, SpinLogNumbersItsRowsAndWritesEachNumberInColumnTen) {
    TestSession t;
    t.startRun(10, {5, 17, 0});
    const auto& log = t.form.tabelle2;
    ASSERT_EQ(log.rows(), 11);
    for (int r = 0; r < 11; ++r)
        EXPECT_EQ(log.cell(r, 0).text, std::to_string(r + 1));
    t.press();
    t.press();
    EXPECT_EQ(log.cell(0, 10).text, "5");
    EXPECT_EQ(log.cell(1, 10).text, "17");
    EXPECT_EQ(log.cell(2, 10).text, "0");
    EXPECT_EQ(log.cell(3, 10).text, "");
    EXPECT_EQ(log.row(), 2);
    // 5 is red, low, odd; 17 black, low, odd; zero greens all six pair cells.
    EXPECT_EQ(log.cell(0, 1).fill, colours::side1Cell);
    EXPECT_EQ(log.cell(0, 4).fill, colours::side1Cell);
    EXPECT_EQ(log.cell(0, 8).fill, colours::side2Cell);
    EXPECT_FALSE(log.cell(0, 2).fill.has_value());
    EXPECT_EQ(log.cell(1, 2).fill, colours::side2Cell);
    for (int c : {1, 2, 4, 5, 7, 8})
        EXPECT_EQ(log.cell(2, c).fill, colours::zeroCell);
}

TEST(RunDriver, HaltAtModeWithoutHaltSpinPlaysTheWholeRunInOnePress) {
    TestSession t;
    t.form.textanzahl.type("3");
    t.form.Option1.click(2);
    t.press();
    EXPECT_EQ(t.state.currentSpin, 3);
    EXPECT_FALSE(t.form.okstart.enabled());
    EXPECT_NE(t.form.text.caption().find("ENDE"), std::string::npos);
}

TEST(RunDriver, HaltAtFiveOfTenStopsThenFallsBackToSingleStep) {
    TestSession t;
    t.form.textanzahl.type("10");
    t.form.Option1.click(2);
    EXPECT_TRUE(t.form.haltbei.enabled());
    t.form.haltbei.type("5");
    t.press();
    EXPECT_EQ(t.state.currentSpin, 5);
    EXPECT_TRUE(t.form.Option1.isSelected(0));
    EXPECT_EQ(t.state.haltAtSpin, 0);
    EXPECT_EQ(t.form.haltbei.text(), "");
    EXPECT_FALSE(t.form.haltbei.enabled());
    EXPECT_EQ(t.form.haltbei.backColour(), colours::silver);
    t.press();
    EXPECT_EQ(t.state.currentSpin, 6);
}

TEST(RunDriver, PassedHaltSpinIsNeverMet) {
    TestSession t;
    t.startRun(10, {});
    t.press();
    t.press();
    t.press();  // four spins played
    t.form.Option1.click(2);
    t.form.haltbei.type("2");
    t.press();
    EXPECT_EQ(t.state.currentSpin, 10);
    EXPECT_FALSE(t.form.okstart.enabled());
}

TEST(RunDriver, TablesScrollToKeepTheCurrentRowsInView) {
    TestSession t;
    t.form.textanzahl.type("40");
    t.form.Option1.click(2);
    t.form.haltbei.type("22");
    t.press();
    EXPECT_EQ(t.form.tabelle2.row(), 21);
    EXPECT_EQ(t.form.tabelle2.topRow(), 0);
    t.press();  // spin 23, row 22
    EXPECT_EQ(t.form.tabelle2.topRow(), 1);
}

TEST(RunDriver, SoundFollowsTheSpinScore) {
    struct Case {
        int number;
        std::vector<std::pair<std::string, std::string>> stakes;  // box, units
        std::string sound;                                        // "" = none
    };
    const Case cases[] = {
        {0, {{"srot", "5"}}, ""},                                           // zero decides nothing
        {18, {}, ""},                                                       // nothing staked
        {1, {{"srot", "5"}, {"sgross", "5"}}, "vg2.wav"},                   // red wins, high loses
        {1, {{"srot", "5"}, {"sklein", "5"}}, "g2.wav"},                    // two wins
        {1, {{"srot", "5"}, {"sklein", "5"}, {"sgerade", "5"}}, "g2.wav"},  // 105
        {2, {{"srot", "5"}}, "v2.wav"},                                     // a loss
        {2, {{"srot", "5"}, {"sgross", "5"}, {"sgerade", "5"}}, "v2.wav"},  // -90
    };
    for (const Case& c : cases) {
        TestSession t;
        t.form.Check1.click();
        t.form.textanzahl.type("5");
        t.form.Option1.click(0);  // unlocks the stake boxes before the first press
        for (const auto& [box, units] : c.stakes)
            t.stake(*static_cast<form::TextBox*>(t.form.find(box)), units);
        t.random.queueNumbers({c.number});
        t.press();
        if (c.sound.empty()) {
            EXPECT_TRUE(t.platform.sounds().empty()) << c.number;
        } else {
            ASSERT_EQ(t.platform.sounds().size(), 1u) << c.number;
            EXPECT_EQ(t.platform.sounds()[0], "/prog/" + c.sound);
        }
        EXPECT_EQ(t.state.spinScore, 0);
    }
}

TEST(RunDriver, NoSoundWhileTheSwitchIsOff) {
    TestSession t;
    t.form.textanzahl.type("5");
    t.form.Option1.click(0);
    t.stake(t.form.srot, "5");
    t.random.queueNumbers({1});
    t.press();
    EXPECT_TRUE(t.platform.sounds().empty());
}

}  // namespace
}  // namespace tamvek::test

namespace tamvek::test {
namespace {

// The ledger beside the game: the Saldo after every spin, and each pair's own
// result, whose sum is the Saldo in real play.
TEST(SpinLedger, KeepsTheSaldoOfEverySpinAndThePairsResults) {
    TestSession t;
    t.random.queueNumbers({17, 0, 2, 19});
    t.form.textanzahl.type("10");
    t.form.Option1.click(0);
    t.stake(t.form.srot, "5");       // 17: black, low, odd -> red lost
    t.stake(t.form.sklein, "3");     // low won: 6 rides
    t.stake(t.form.sungerade, "2");  // odd won: 4 rides
    t.press();
    t.press();  // zero: both held
    t.press();  // 2: black, low, even: low given back, odd lost
    const auto& spins = t.game.ledger.spins();
    ASSERT_EQ(spins.size(), 3u);
    EXPECT_EQ(spins[0].spin, 1u);
    EXPECT_EQ(spins[0].saldo, -5 + 3 + 2);
    EXPECT_EQ(spins[1].saldo, spins[0].saldo);
    EXPECT_EQ(spins[0].pairResult, (std::array<double, 3>{-5, 3, 2}));
    EXPECT_EQ(spins[2].pairResult, (std::array<double, 3>{-5, 3, -2}));
    for (const engine::SpinRecord& r : spins)
        EXPECT_EQ(r.saldo, r.pairResult[0] + r.pairResult[1] + r.pairResult[2]);
    const double label = numericValue(t.form.gewtotal.caption());
    EXPECT_EQ(spins[2].saldo,
              label + static_cast<double>(t.state.stakeRedBlack + t.state.stakeLowHigh +
                                          t.state.stakeEvenOdd));
    EXPECT_FALSE(spins[2].fictitious);
    t.platform.queueAnswer(platform::Answer::Yes);
    t.form.okabbrechen.click();
    EXPECT_TRUE(t.game.ledger.spins().empty());
}

}  // namespace
}  // namespace tamvek::test
