#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

#include "formats/SpinFiles.h"
#include "formats/SystemFile.h"
#include "system/Random.h"
#include "tester/SaldoCurve.h"
#include "tester/SystemRun.h"

namespace tamvek::tester {
namespace {

using Point = SaldoCurve::Point;

std::vector<Amount> walk(std::size_t n, std::uint64_t seed) {
    system::Random random(seed, 0, 0);
    std::vector<Amount> saldo;
    Amount s = 0;
    for (std::size_t i = 0; i < n; ++i) {
        s += random.spin() < 18 ? 1 : -1;
        saldo.push_back(s);
    }
    return saldo;
}

TEST(SaldoCurve, KeepsEverySpinOfAShortFileAndThePeaksOfALongOne) {
    const std::vector<Amount> few = walk(100, 1);
    SaldoCurve whole(few.size(), 200);
    whole.add(few.data(), few.size());
    const std::vector<Point> all = whole.points();
    ASSERT_EQ(all.size(), 101u);
    EXPECT_EQ(all.front(), (Point{0, 0}));
    for (std::size_t i = 0; i < few.size(); ++i)
        EXPECT_EQ(all[i + 1], (Point{i + 1, few[i]}));

    // A million spins in 500 columns, fed in uneven blocks: at most two points
    // a column, the deepest and highest Saldo at their spins, the last spin last.
    const std::vector<Amount> many = walk(1'000'000, 2);
    SaldoCurve curve(many.size(), 500);
    for (std::size_t at = 0; at < many.size(); at += 77'777)
        curve.add(many.data() + at, std::min<std::size_t>(77'777, many.size() - at));
    const std::vector<Point> kept = curve.points();
    EXPECT_LE(kept.size(), 1 + 2 * 500 + 1u);
    const auto low = std::min_element(many.begin(), many.end());
    const auto high = std::max_element(many.begin(), many.end());
    const auto has = [&](Point p) { return std::find(kept.begin(), kept.end(), p) != kept.end(); };
    EXPECT_TRUE(has({static_cast<std::uint64_t>(low - many.begin()) + 1, *low}));
    EXPECT_TRUE(has({static_cast<std::uint64_t>(high - many.begin()) + 1, *high}));
    EXPECT_EQ(kept.back(), (Point{many.size(), many.back()}));
    EXPECT_TRUE(
        std::is_sorted(kept.begin(), kept.end(), [](Point a, Point b) { return a.spin < b.spin; }));

    std::vector<Point> both = all;
    SaldoCurve::append(both, all);
    EXPECT_EQ(both.size(), 201u);
    EXPECT_EQ(both.back(), (Point{200, 2 * few.back()}));
}

class SystemRun : public ::testing::Test {
  protected:
    void SetUp() override {
        auto sys = formats::readSystemFile(TAMVEK_SOURCE_DIR "/systems/martingale-nach-serie.toml");
        ASSERT_TRUE(sys) << sys.error().message;
        system = *sys;
        auto read = formats::readSpinFiles({TAMVEK_TEST_DATA "/spins/wiesbaden-t1-head.txt",
                                            TAMVEK_TEST_DATA "/spins/genting-118.txt"});
        ASSERT_TRUE(read) << read.error().message;
        files = *read;
    }
    system::System system;
    std::vector<formats::SpinFile> files;
};

TEST_F(SystemRun, CurvesEndInTheReportsAndTheTotalFollowsTheFiles) {
    Options options;
    options.curves = true;
    std::uint64_t heard = 0;
    std::vector<std::size_t> done;
    Hooks hooks;
    hooks.progress = [&](std::uint64_t n) { heard += n; };
    hooks.fileDone = [&](std::size_t f) { done.push_back(f); };
    const Outcome out = play(system, files, options, hooks);
    ASSERT_FALSE(out.cancelled);
    ASSERT_EQ(out.files.size(), 2u);
    EXPECT_EQ(heard, workOf(files, options));
    EXPECT_EQ(done, (std::vector<std::size_t>{0, 1}));
    for (std::size_t i = 0; i < 2; ++i) {
        const FileResult& f = out.files[i];
        EXPECT_EQ(f.report, system::playSpins(system, files[i].classes));
        EXPECT_EQ(f.curve.back(), (Point{files[i].classes.size(), f.report.saldo}));
    }
    EXPECT_EQ(out.totalCurve.back(), (Point{out.total.spins, out.total.saldo}));
    EXPECT_EQ(out.total.spins, files[0].classes.size() + files[1].classes.size());
}

TEST_F(SystemRun, ACancelKeepsNothing) {
    std::atomic<bool> cancel{false};
    Options options;
    options.randomSpins = 10'000'000;
    options.baselineRuns = 50;
    Hooks hooks;
    hooks.cancel = &cancel;
    std::uint64_t heard = 0;
    hooks.progress = [&](std::uint64_t n) {
        heard += n;
        if (heard > 1'000'000) cancel = true;
    };
    const Outcome out = play(system, {randomFile(options.randomSpins, 0)}, options, hooks);
    EXPECT_TRUE(out.cancelled);
    EXPECT_TRUE(out.files.empty());
    EXPECT_LT(heard, 2'000'000u);
}

// Stakes of 2^50 on all three pairs pass the 64-bit range within a few
// thousand spins: that is said as an overflow, never shown as a figure.
TEST_F(SystemRun, AnOverflowIsAnErrorNotAFigure) {
    system::System big;
    for (const wheel::Pair pair : {wheel::RedBlack, wheel::LowHigh, wheel::EvenOdd}) {
        system::Bet bet;
        bet.pair = pair;
        bet.units = largestStake;
        bet.ride = 1;
        big.bets.push_back(bet);
    }
    Options options;
    options.randomSpins = 100'000;
    const Outcome out = play(big, {randomFile(options.randomSpins, 0)}, options);
    EXPECT_TRUE(out.files.empty());
    EXPECT_NE(out.error.find("Überlauf"), std::string::npos) << out.error;
}

}  // namespace
}  // namespace tamvek::tester
