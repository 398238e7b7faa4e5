#include <gtest/gtest.h>

#include <cstring>

#include "support/TestSupport.h"

namespace tamvek::test {
namespace {

TEST(RunOptions, CountBoxAcceptsOnlyCountsBelowTenThousand) {
    TestSession t;
    const std::pair<const char*, double> steps[] = {
        {"1", 1}, {"12", 12}, {"123", 123}, {"1234", 1234}};
    for (const auto& [text, wanted] : steps) {
        t.form.textanzahl.type(std::string(1, text[std::strlen(text) - 1]));
        EXPECT_EQ(t.form.textanzahl.text(), text);
        EXPECT_EQ(t.state.wantedSpins, wanted);
        EXPECT_TRUE(t.form.okstart.enabled());
        EXPECT_TRUE(t.form.okersatz.enabled());
    }
    t.form.textanzahl.type("5");
    EXPECT_EQ(t.form.textanzahl.text(), "");
    EXPECT_FALSE(t.form.okstart.enabled());
    EXPECT_FALSE(t.form.okersatz.enabled());
    EXPECT_EQ(t.state.wantedSpins, 1234);
    for (const char* bad : {"0", "-", "x", " "}) {
        t.form.textanzahl.type(bad);
        EXPECT_EQ(t.form.textanzahl.text(), "") << bad;
    }
}

TEST(RunOptions, TrailingJunkCountsAsTheLeadingNumber) {
    TestSession t;
    t.form.textanzahl.type("12a");
    EXPECT_EQ(t.form.textanzahl.text(), "12a");
    EXPECT_EQ(t.state.wantedSpins, 12);
    t.form.textanzahl.paste("2.5");
    EXPECT_EQ(t.state.wantedSpins, 2.5);
    t.form.Option1.click(2);
    t.form.haltbei.type("7b");
    EXPECT_EQ(t.state.haltAtSpin, 7);
    // A run with a fractional count plays on to the next whole spin and ends.
    t.form.Option1.click(0);
    t.press();
    t.press();
    t.press();
    t.press();
    EXPECT_EQ(t.state.currentSpin, 3);
    EXPECT_FALSE(t.form.okstart.enabled());
}

TEST(RunOptions, ModeSwitchingEnablesAndEmptiesTheHaltBox) {
    TestSession t;
    EXPECT_FALSE(t.form.haltbei.enabled());
    t.form.Option1.click(2);
    EXPECT_TRUE(t.form.haltbei.enabled());
    EXPECT_EQ(t.form.haltbei.backColour(), colours::white);
    t.form.haltbei.type("30");
    EXPECT_EQ(t.state.haltAtSpin, 30);
    // Emptying the box keeps the halt spin.
    t.form.haltbei.paste("");
    EXPECT_EQ(t.state.haltAtSpin, 30);
    t.form.haltbei.type("0");
    EXPECT_EQ(t.form.haltbei.text(), "");
    t.form.haltbei.type("9");
    t.form.Option1.click(0);
    EXPECT_EQ(t.form.haltbei.text(), "");
    EXPECT_FALSE(t.form.haltbei.enabled());
    EXPECT_EQ(t.form.haltbei.backColour(), colours::silver);
    EXPECT_FALSE(t.form.srot.locked());
}

TEST(RunOptions, HaltChangeGivesBackOnlyWhatIsOnTheTable) {
    TestSession t;
    t.random.queueNumbers({18});
    t.form.textanzahl.type("100");
    t.form.Option1.click(0);
    t.stake(t.form.srot, "10");
    t.press();                // 18 is red: 20 ride; label -10
    t.form.sklein.type("5");  // typed, never activated
    t.form.Option1.click(2);
    t.form.haltbei.type("2");
    EXPECT_EQ(t.form.gewtotal.caption(), "10");  // -10 + the 20 on the table
    EXPECT_EQ(t.form.gewhoch.caption(), "10");
    EXPECT_EQ(t.state.haltAtSpin, 2);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(t.form.stakeBoxes()[static_cast<std::size_t>(i)]->text(), "");
        EXPECT_EQ(t.form.stakeBoxes()[static_cast<std::size_t>(i)]->backColour(),
                  colours::stakeNeutral);
    }
    for (const char* b : {"oksetz1", "oksetz2", "oksetz3", "okabsetz1", "okabsetz2", "okabsetz3"})
        EXPECT_FALSE(t.form.find(b)->enabled()) << b;
    EXPECT_EQ(t.state.stakeRedBlack, 0);
    EXPECT_EQ(t.state.sideRedBlack, 0);
    t.form.haltbei.type("5");
    EXPECT_EQ(t.state.haltAtSpin, 25);
    EXPECT_EQ(t.form.gewtotal.caption(), "10");  // nothing counted twice
}

TEST(RunOptions, HaltChangeAfterALossRowStartsFromTheLabel) {
    TestSession t;
    t.random.queueNumbers({2});
    t.form.textanzahl.type("100");
    t.form.Option1.click(0);
    t.stake(t.form.srot, "10");
    t.stake(t.form.sklein, "5");
    t.press();  // red loses (balance becomes -15 + 5), low wins: 10 ride
    EXPECT_EQ(t.form.gewtotal.caption(), "-15");
    t.form.Option1.click(2);
    t.form.haltbei.type("9");
    EXPECT_EQ(t.form.gewtotal.caption(), "-5");
}

TEST(RunOptions, HeldStakeGivenBackIsFreeAgain) {
    TestSession t;
    t.random.queueNumbers({0, 1});
    t.form.textanzahl.type("100");
    t.form.Option1.click(0);
    t.stake(t.form.srot, "10");
    t.press();  // zero: held
    t.form.Option1.click(2);
    t.form.haltbei.type("9");
    EXPECT_EQ(t.form.gewtotal.caption(), "0");
    EXPECT_EQ(t.state.heldRedBlack, 0);
    EXPECT_TRUE(t.form.srot.enabled());
    EXPECT_TRUE(t.form.sschwarz.enabled());
    t.form.Option1.click(0);
    t.stake(t.form.srot, "4");
    EXPECT_EQ(t.form.gewtotal.caption(), "-4");
}

TEST(ExitAndExtra, ExitAsksAndQuitsOnlyOnYes) {
    TestSession t;
    t.startRun(5, {});
    t.platform.queueAnswer(platform::Answer::No);
    t.form.okende.click();
    EXPECT_FALSE(t.platform.quitRequested());
    EXPECT_EQ(t.state.currentSpin, 1);
    t.platform.queueAnswer(platform::Answer::Yes);
    t.form.okende.click();
    EXPECT_TRUE(t.platform.quitRequested());
    EXPECT_EQ(t.platform.questions().back(), "Soll das Programm beendet werden ?     ");
    EXPECT_EQ(t.platform.titles().back(), " Beenden");
}

}  // namespace
}  // namespace tamvek::test
