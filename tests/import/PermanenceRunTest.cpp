// Runs that replay an imported permanence, including numbers no wheel has.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>
#include <sstream>

#include "core/Rgb.h"
#include "import/ImportTestSupport.h"

namespace tamvek::test {
namespace {

const std::string dataFolder = TAMVEK_TEST_DATA;
const std::string samplesFolder = std::string(TAMVEK_TEST_DATA) + "/../../samples";

// "Halt bei ..." with an empty halt box plays the whole run in one press.
void playThrough(TestSession& t) {
    t.form.Option1.select(2);
    t.press();
}

std::string numberInLog(TestSession& t, int spin) {
    return t.form.tabelle2.cell(spin - 1, 10).text;
}
std::optional<Rgb> fill(TestSession& t, int spin, int col) {
    return t.form.tabelle2.cell(spin - 1, col).fill;
}

TEST(PermanenceRun, SampleIsReplayedInFileOrder) {
    // The sample was built from this published list; read it here on its own.
    std::ifstream in(std::string(TAMVEK_TEST_DATA) + "/spins/genting-118.txt");
    ASSERT_TRUE(in);
    std::vector<std::string> expected;
    for (std::string n; std::getline(in, n, ',');)
        expected.push_back(std::to_string(std::stoi(n)));
    ASSERT_EQ(expected.size(), 118u);

    TestSession t;
    importFile(t, samplesFolder, "hamburg-tisch3-118.txt");
    EXPECT_EQ(t.form.textanzahl.text(), "118");
    playThrough(t);
    EXPECT_EQ(t.state.currentSpin, 118);
    EXPECT_EQ(t.form.tabelle2.rows(), 119);
    for (int spin = 1; spin <= 118; ++spin)
        ASSERT_EQ(numberInLog(t, spin), expected[static_cast<std::size_t>(spin - 1)]) << spin;
    // The header stays in the message label; the run only adds its end line.
    EXPECT_TRUE(t.form.text.caption().starts_with("Spielbank Hamburg\rTisch 3\r14.03.2025\r"));
    EXPECT_FALSE(t.form.okstart.enabled());
}

TEST(PermanenceRun, NumbersOffTheWheelPlayOn) {
    TestSession t;
    importFile(t, dataFolder, "odd-numbers.txt");  // 1e999, 99, 37, 3.5, 2.5
    ASSERT_EQ(t.state.importedCount, 5);
    t.stake(t.form.srot, "1");
    t.stake(t.form.sklein, "1");
    t.stake(t.form.sgerade, "1");
    playThrough(t);
    ASSERT_EQ(t.state.currentSpin, 5);

    struct Spin {
        const char* shown;
        bool coloured;
        bool high;
        bool odd;
    };
    const Spin spins[] = {{"32767", false, true, true},
                          {"99", false, true, true},
                          {"37", false, true, true},
                          {"4", true, false, false},  // halves go to the even neighbour
                          {"2", true, false, false}};
    for (int k = 1; k <= 5; ++k) {
        const Spin& s = spins[k - 1];
        EXPECT_EQ(numberInLog(t, k), s.shown) << k;
        if (!s.coloured) {
            EXPECT_FALSE(fill(t, k, 1) == colours::side1Cell || fill(t, k, 1) == colours::winCell);
            EXPECT_FALSE(fill(t, k, 2) == colours::side2Cell || fill(t, k, 2) == colours::winCell);
        }
        EXPECT_EQ(fill(t, k, s.high ? 5 : 4).has_value(), true) << k;
        EXPECT_EQ(fill(t, k, s.odd ? 8 : 7).has_value(), true) << k;
    }
    // Red was never decided by the three numbers without a colour, so it rode
    // into spin 4 (4 is black) and only lost there.
    EXPECT_EQ(fill(t, 4, 2), colours::side2Cell);
    EXPECT_EQ(t.state.activeRedBlack, 0);
}

TEST(PermanenceRun, NumbersBelowZeroAndEmptyElements) {
    // The file format cannot carry a negative number ("-" makes a separator),
    // but the array may hold anything; a run must neither stop nor stray.
    TestSession t;
    t.form.textanzahl.type("30");
    t.state.permanenceLoaded = 1;
    t.state.permanenceNumbers = {std::nullopt, -5.0, -std::numeric_limits<double>::infinity(),
                                 std::numeric_limits<double>::quiet_NaN(), std::nullopt};
    playThrough(t);
    ASSERT_EQ(t.state.currentSpin, 30);
    EXPECT_EQ(numberInLog(t, 1), "-5");
    EXPECT_EQ(fill(t, 1, 4), colours::side1Cell);  // -5 is low
    EXPECT_EQ(fill(t, 1, 8), colours::side2Cell);  // and odd
    EXPECT_EQ(numberInLog(t, 2), "-32768");
    EXPECT_EQ(numberInLog(t, 3), "0");   // not a number plays zero
    EXPECT_EQ(numberInLog(t, 4), "0");   // an empty element too
    EXPECT_EQ(numberInLog(t, 30), "0");  // and so does every spin past the array
}

TEST(PermanenceRun, LargerCountTypedAfterAnImportPlaysZeros) {
    TestSession t;
    importFile(t, dataFolder, "basic.txt");  // 17, 0, 32 and 20 empty elements
    t.form.textanzahl.type("0");             // "3" becomes "30"
    ASSERT_EQ(t.state.wantedSpins, 30);
    playThrough(t);
    EXPECT_EQ(numberInLog(t, 1), "17");
    EXPECT_EQ(numberInLog(t, 2), "0");
    EXPECT_EQ(numberInLog(t, 3), "32");
    for (int spin = 4; spin <= 30; ++spin)
        EXPECT_EQ(numberInLog(t, spin), "0") << spin;
    EXPECT_EQ(fill(t, 30, 1), colours::zeroCell);
}

// Eighty reds in a row with one unit riding on red: after fifty wins the stake
// stands at 2^50, the largest stake; the next win takes it home, so every
// figure still agrees with every other.
TEST(PermanenceRun, EightyRedsTakeTheStakeHomeBeforeAnyFigureOverflows) {
    TestSession t;
    importFile(t, dataFolder, "eighty-reds.txt");
    t.form.Option1.select(0);
    t.stake(t.form.srot, "1");
    playThrough(t);
    const Amount home = (Amount{1} << 51) - 1;  // -1 + 2^51
    EXPECT_EQ(t.state.currentSpin, 80);
    EXPECT_EQ(t.state.stakeRedBlack, 0);
    EXPECT_EQ(t.state.balance, static_cast<double>(home));
    EXPECT_EQ(t.form.gewtotal.caption(), std::to_string(home));
    EXPECT_EQ(t.state.highestBalance, home);
    EXPECT_EQ(t.form.gewhoch.caption(), std::to_string(home));
    EXPECT_EQ(t.state.profitRow, 51);  // fifty-one wins, each a row
    EXPECT_EQ(t.form.tabelle1.cell(50, 2).text, std::to_string(Amount{1} << 50));
    EXPECT_EQ(t.form.tabelle1.cell(50, 3).text, std::to_string(home));
    EXPECT_TRUE(t.form.srot.enabled());
    EXPECT_FALSE(t.form.okabsetz1.enabled());
}

}  // namespace
}  // namespace tamvek::test
