// The verdict on known cases: the flat system's analytic expectation, a
// martingale whose ruin is certain, the sentences and the interval, and the
// same seed giving the same figures on any number of threads.

#include "tester/Verdict.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

#include "system/Baseline.h"
#include "system/Player.h"
#include "tester/Job.h"
#include "tester/Sweep.h"

namespace tamvek::tester {
namespace {

system::System oneBetOnRed(formats::Progression progression) {
    system::System s;
    formats::Bet bet;
    bet.ride = 1;
    bet.progression = progression;
    s.bets.push_back(bet);
    return s;
}

// One unit on red, ride 1, whenever the pair is free: a spin loses 18/1369 of
// a unit on average (1/74 a stake, and 1 spin in 37 the pair holds one).
TEST(Verdict, TheFlatSystemExpectsTheHouseEdge) {
    const system::BaselineJob job{1000, 10000, 5, 0, 0};
    const system::Baseline b = system::baseline(oneBetOnRed(formats::Progression::Flat), job, 2);
    const Verdict v = verdictOf(b, 0, job.spins, 1, false);
    const double analytic = -18.0 / 1369.0 * static_cast<double>(job.spins);
    EXPECT_NEAR(v.expected, analytic, 4 * b.sd / std::sqrt(static_cast<double>(b.runs)));
    ASSERT_TRUE(v.spinsNeeded);
    // From the same mean and spread a spin: the loss is two spreads deep there.
    const double mean = v.expected / 1000, variance = b.sd * b.sd / 1000;
    EXPECT_NEAR(static_cast<double>(*v.spinsNeeded), 4 * variance / (mean * mean), 1);
}

// A martingale with 100 units over 10,000 spins nearly always meets the run
// of losses it cannot cover; each run's ruin is the engine's, and none went
// below -100.
TEST(Verdict, AMartingaleWithASmallCapitalIsAlmostAlwaysRuined) {
    system::System s = oneBetOnRed(formats::Progression::Martingale);
    s.capital = 100;
    const system::BaselineJob job{10000, 300, 9, 0, 0};
    const system::Baseline b = system::baseline(s, job, 2);
    for (std::size_t run = 0; run < 30; ++run)
        EXPECT_EQ(b.ruined[run],
                  system::playSpins(s, system::randomSpins(job.seed, 0, run, job.spins)).ruined);
    const Verdict v = verdictOf(b, -90, 10000, 1, true);
    ASSERT_TRUE(v.ruin);
    EXPECT_GT(v.ruin->percent, 98.0);
    EXPECT_LT(v.ruin->low, v.ruin->percent);
    EXPECT_GT(v.ruin->high, v.ruin->percent);
    EXPECT_LE(v.capitalNeeded[0], v.capitalNeeded[1]);
    EXPECT_LE(v.capitalNeeded[1], v.capitalNeeded[2]);
    EXPECT_LE(v.capitalNeeded[2], 100);
    EXPECT_GT(v.capitalNeeded[0], 50);
}

// Runs ending on 0 .. 999: how many reached or passed a Saldo is exact.
TEST(Verdict, SaysInOneSentenceWhetherASaldoIsMoreThanChance) {
    system::Baseline b;
    b.saldos.resize(1000);
    std::iota(b.saldos.begin(), b.saldos.end(), 0);
    b.lowests.assign(1000, 0);
    b.ruined.assign(1000, 0);
    b.runs = 1000;
    b.mean = 499.5;
    b.sd = 288.8;
    EXPECT_EQ(verdictOf(b, 996, 100, 12, false).sentence,
              "Auffällig gut: nur 0,4 % der Zufallspermanenzen waren besser – bei 12 getesteten "
              "Dateien ist das mit 4,7 % Wahrscheinlichkeit Glück.");
    EXPECT_EQ(verdictOf(b, 620, 100, 1, false).sentence,
              "Im Rahmen des Zufalls: 38 % der Zufallspermanenzen waren besser.");
    const Verdict none = verdictOf(b, 5000, 100, 1, false);
    EXPECT_TRUE(none.betterBelow);
    EXPECT_EQ(none.better, 0.1);
    EXPECT_EQ(none.sentence,
              "Auffällig gut: weniger als 0,1 % der Zufallspermanenzen waren besser.");
    EXPECT_EQ(verdictOf(b, 5, 100, 1, false).sentence,
              "Auffällig schlecht: nur 0,6 % der Zufallspermanenzen waren schlechter.");
    EXPECT_EQ(verdictOf(b, -1, 100, 1, false).sentence,
              "Auffällig schlecht: weniger als 0,1 % der Zufallspermanenzen waren schlechter.");
    // 2.5 % on either side is still chance's.
    EXPECT_TRUE(verdictOf(b, 975, 100, 1, false).sentence.starts_with("Auffällig gut:"));
    EXPECT_TRUE(verdictOf(b, 974, 100, 1, false).sentence.starts_with("Im Rahmen "));
    // Wilson's interval of 10 in 100.
    b.ruined.assign(100, 0);
    std::fill_n(b.ruined.begin(), 10, 1);
    b.runs = 100;
    b.saldos.resize(100);
    b.lowests.resize(100);
    const Verdict v = verdictOf(b, 0, 100, 1, true);
    EXPECT_NEAR(v.ruin->low, 5.52, 0.01);
    EXPECT_NEAR(v.ruin->high, 17.44, 0.01);
}

std::vector<std::string> figuresOf(const Verdict& v) {
    std::vector<std::string> out{v.sentence, std::to_string(v.expected), std::to_string(v.better),
                                 percentText(v.worse)};
    for (const Amount c : v.capitalNeeded)
        out.push_back(std::to_string(c));
    if (v.ruin) out.push_back(std::to_string(v.ruin->percent));
    return out;
}

// A system test and a sweep, through the table's lanes and through the
// engine (a capital), on one thread and on four.
TEST(Verdict, TheSameSeedGivesTheSameFiguresOnAnyNumberOfThreads) {
    const std::string spins = std::string(TAMVEK_TEST_DATA) + "/spins/";
    const std::string paroli = std::string(TAMVEK_SOURCE_DIR) + "/systems/paroli-rot.toml";
    const std::vector<std::string> files{spins + "wiesbaden-t1-head.txt",
                                         spins + "db4000-head.txt"};
    std::vector<std::vector<std::string>> seen;
    for (const unsigned threads : {1u, 4u}) {
        std::vector<std::string> figures;
        SweepJob sweepJob{
            paroli, {{"bet1.ride", {"1", "2", "3"}}, {"capital", {"8", "40"}}}, files, 0.5, 200, 11,
            threads};
        const Result<LoadedSweep> sweep = loadSweep(sweepJob);
        ASSERT_TRUE(sweep) << sweep.error().message;
        const SweepOutcome out = tester::sweep(*sweep);
        ASSERT_TRUE(out.checkVerdict);
        for (const Variant& v : out.variants)
            figures.push_back(std::to_string(v.index) + ":" + std::to_string(v.check.saldo));
        for (const std::string& f : figuresOf(*out.checkVerdict))
            figures.push_back(f);
        figures.push_back(std::to_string(*out.luck));
        for (const bool capital : {false, true}) {
            Job job{paroli, files, 0, 11, 200, threads, false};
            Result<LoadedJob> loaded = load(job);
            ASSERT_TRUE(loaded) << loaded.error().message;
            if (capital) loaded->system.capital = 30;
            const Outcome played = play(*loaded);
            ASSERT_TRUE(played.totalVerdict);
            for (const FileResult& f : played.files)
                for (const std::string& fig : figuresOf(*f.verdict))
                    figures.push_back(fig);
            for (const std::string& fig : figuresOf(*played.totalVerdict))
                figures.push_back(fig);
        }
        seen.push_back(figures);
    }
    EXPECT_EQ(seen[0], seen[1]);
}

}  // namespace
}  // namespace tamvek::tester
