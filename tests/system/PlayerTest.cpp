// The rules a stake system plays by, on short permanences checked by hand.
// 1: red, low, odd. 2: black, low, even. 19: red, high, odd. 20: black, high,
// even. 37: no colour, high, odd.

#include "system/Player.h"

#include <gtest/gtest.h>

#include <random>

namespace tamvek::system {
namespace {

Bet bet(wheel::Pair pair, int side, int ride, Amount units = 1) {
    Bet b;
    b.pair = pair;
    b.side = side;
    b.ride = ride;
    b.units = units;
    return b;
}

System systemOf(std::vector<Bet> bets) {
    System s;
    s.name = "Test";
    s.bets = std::move(bets);
    return s;
}

struct Played {
    Report report;
    std::vector<Cycle> cycles;
    std::vector<Amount> saldo;
};

Played play(const System& system, const std::vector<std::uint8_t>& spins) {
    Played p;
    Player player(system);
    player.recordCycles(&p.cycles);
    player.recordSaldo(&p.saldo);
    player.play(spins.data(), spins.size());
    p.report = player.report();
    return p;
}

TEST(Player, AWinRidesDoubledAndGoesHomeAfterItsRide) {
    const Played p = play(systemOf({bet(wheel::RedBlack, 1, 2)}), {1, 1, 2});
    EXPECT_EQ(p.saldo, (std::vector<Amount>{1, 3, 2}));
    Report r;
    r.spins = 3;
    r.cycles = 2;
    r.takenHome = 1;
    r.lost = 1;
    r.staked = 2;
    r.saldo = 2;
    r.highest = 3;
    r.drawdown = 1;
    r.lostRun = 1;
    r.largestStake = 2;  // at risk: 1, then 2; the 4 it took home was never at risk
    EXPECT_EQ(p.report, r);
    ASSERT_EQ(p.cycles.size(), 2u);
    EXPECT_EQ(p.cycles[0].placed, 1u);
    EXPECT_EQ(p.cycles[0].ended, 2u);
    EXPECT_EQ(p.cycles[0].stake, 1);
    EXPECT_EQ(p.cycles[0].end, End::TakenHome);
    EXPECT_EQ(p.cycles[0].saldo, 3);
    EXPECT_EQ(p.cycles[1].end, End::Lost);
}

TEST(Player, AZeroHoldsUntilANumberDecidesThePair) {
    // Held through a second zero and through 37, which does not decide red/black;
    // then its side comes up: only given back.
    Played p = play(systemOf({bet(wheel::RedBlack, 1, 0)}), {0, 0, 37, 1});
    EXPECT_EQ(p.saldo, (std::vector<Amount>{0, 0, 0, 0}));
    EXPECT_EQ(p.report.givenBack, 1u);
    EXPECT_EQ(p.report.cycles, 1u);
    ASSERT_EQ(p.cycles.size(), 1u);
    EXPECT_EQ(p.cycles[0].ended, 4u);

    // Held, then the other side: lost.
    p = play(systemOf({bet(wheel::RedBlack, 1, 0)}), {0, 37, 2});
    EXPECT_EQ(p.report.lost, 1u);
    EXPECT_EQ(p.report.saldo, -1);

    // 37 decides low/high and even/odd: a held stake on odd is given back.
    p = play(systemOf({bet(wheel::EvenOdd, 2, 0)}), {0, 37});
    EXPECT_EQ(p.report.givenBack, 1u);

    // Not held, 37 leaves a red stake riding as it was.
    p = play(systemOf({bet(wheel::RedBlack, 1, 0)}), {1, 37, 1});
    EXPECT_EQ(p.saldo, (std::vector<Amount>{1, 1, 3}));
}

TEST(Player, ATriggerLooksAtThePairsDecidedSpinsOnly) {
    Bet b = bet(wheel::RedBlack, 1, 1);
    b.after = {2, 2};
    for (const std::vector<std::uint8_t>& spins :
         {std::vector<std::uint8_t>{2, 0, 2, 1}, std::vector<std::uint8_t>{2, 37, 2, 1}}) {
        const Played p = play(systemOf({b}), spins);
        ASSERT_EQ(p.cycles.size(), 1u);
        EXPECT_EQ(p.cycles[0].placed, 4u);
        EXPECT_EQ(p.cycles[0].end, End::TakenHome);
    }
    // Red breaks the pattern; it must be seen again in full.
    EXPECT_EQ(play(systemOf({b}), {2, 1, 2, 19}).report.cycles, 0u);
}

TEST(Player, FollowAndOppositeWaitForADecidedSpin) {
    Bet follow = bet(wheel::RedBlack, 0, 1);
    follow.rule = SideRule::Follow;
    Played p = play(systemOf({follow}), {0, 2, 1, 1});
    ASSERT_EQ(p.cycles.size(), 2u);
    EXPECT_EQ(p.cycles[0].placed, 3u);  // after black: black, lost on red
    EXPECT_EQ(p.cycles[0].side, 2);
    EXPECT_EQ(p.cycles[0].end, End::Lost);
    EXPECT_EQ(p.cycles[1].side, 1);  // after red: red, won
    EXPECT_EQ(p.cycles[1].end, End::TakenHome);

    Bet opposite = follow;
    opposite.rule = SideRule::Opposite;
    p = play(systemOf({opposite}), {2, 1});
    ASSERT_EQ(p.cycles.size(), 1u);
    EXPECT_EQ(p.cycles[0].side, 1);
    EXPECT_EQ(p.cycles[0].end, End::TakenHome);
}

TEST(Player, OneStakeAPairALaterBetWaits) {
    const Played p =
        play(systemOf({bet(wheel::RedBlack, 1, 1), bet(wheel::RedBlack, 2, 1, 5)}), {2, 1});
    ASSERT_EQ(p.cycles.size(), 2u);
    EXPECT_EQ(p.cycles[0].stake, 1);  // the first bet has the pair both times
    EXPECT_EQ(p.cycles[1].stake, 1);
    EXPECT_EQ(p.report.saldo, 0);
}

TEST(Player, ProgressionsMoveOnRealCyclesOnly) {
    Bet m = bet(wheel::RedBlack, 1, 1);
    m.progression = Progression::Martingale;
    m.limit = 4;
    // 1, 2, 4 lost; 8 would pass the limit: 1 again, lost; 2 won.
    Played p = play(systemOf({m}), {2, 2, 2, 2, 1});
    EXPECT_EQ(p.report.staked, 10);
    EXPECT_EQ(p.report.saldo, -6);
    EXPECT_EQ(p.report.lostRun, 4u);
    // A given-back cycle leaves the size where it was.
    p = play(systemOf({m}), {2, 0, 1, 1});
    ASSERT_EQ(p.cycles.size(), 3u);
    EXPECT_EQ(p.cycles[1].end, End::GivenBack);
    EXPECT_EQ(p.cycles[1].stake, 2);
    EXPECT_EQ(p.cycles[2].stake, 2);
    EXPECT_EQ(p.report.lostRun, 1u);

    Bet d = bet(wheel::RedBlack, 1, 1, 2);
    d.progression = Progression::Dalembert;
    p = play(systemOf({d}), {2, 2, 1, 1, 1});
    std::vector<Amount> stakes;
    for (const Cycle& c : p.cycles)
        stakes.push_back(c.stake);
    EXPECT_EQ(stakes, (std::vector<Amount>{2, 4, 6, 4, 2}));  // never below the units
    EXPECT_EQ(p.report.saldo, -2 - 4 + 6 + 4 + 2);
}

std::vector<Amount> stakesOf(const Played& p) {
    std::vector<Amount> stakes;
    for (const Cycle& c : p.cycles)
        stakes.push_back(c.stake);
    return stakes;
}

TEST(Player, FibonacciLabouchereAndOscarsGrind) {
    Bet f = bet(wheel::RedBlack, 1, 1);
    f.progression = Progression::Fibonacci;
    // Three losses step up to 2, a win two steps back to 1, another to the start.
    EXPECT_EQ(stakesOf(play(systemOf({f}), {2, 2, 2, 1, 1})), (std::vector<Amount>{1, 1, 2, 3, 1}));

    Bet l = bet(wheel::RedBlack, 1, 1);
    l.progression = Progression::Labouchere;
    l.sequence = {1, 2, 3};
    // 1+3 lost: the line is 1 2 3 4; a win strikes 1 and 4, a win strikes 2 and
    // 3, and the empty line starts again; a zero's given-back stake leaves it.
    EXPECT_EQ(stakesOf(play(systemOf({l}), {2, 1, 1, 0, 1, 1})),
              (std::vector<Amount>{4, 5, 5, 4, 4}));

    Bet o = bet(wheel::RedBlack, 1, 1);
    o.progression = Progression::Oscar;
    // Three losses (-3) keep the stake; a win (-2) raises it to 2, a win (0)
    // would raise it to 3 but 1 lifts the series to +1, where it ends.
    const Played oscar = play(systemOf({o}), {2, 2, 2, 1, 1, 1, 1});
    EXPECT_EQ(stakesOf(oscar), (std::vector<Amount>{1, 1, 1, 1, 2, 1, 1}));
    EXPECT_EQ(oscar.report.saldo, 2);
}

TEST(Player, AnyInATriggerMatchesEitherDecidedSide) {
    Bet b = bet(wheel::RedBlack, 1, 1);
    b.after = {2, 0};  // black, then anything decided
    const Played p = play(systemOf({b}), {2, 0, 1, 19});
    ASSERT_EQ(p.cycles.size(), 1u);
    EXPECT_EQ(p.cycles[0].placed, 4u);
}

TEST(Player, TheLargestStakeIsTheLargestAtRisk) {
    // A stake held by a zero is at risk; a win taken home never risked its
    // doubled value; a stake on the table at the end met no spin as it stands.
    Bet b = bet(wheel::RedBlack, 1, 1, 3);
    EXPECT_EQ(play(systemOf({b}), {1}).report.largestStake, 3);
    EXPECT_EQ(play(systemOf({b}), {0, 1}).report.largestStake, 3);
    b.ride = 0;
    EXPECT_EQ(play(systemOf({b}), {1, 1}).report.largestStake, 6);
}

TEST(Player, AFictitiousEntryBooksNothingUntilItsLossesAreSeen) {
    Bet v = bet(wheel::RedBlack, 1, 1);
    v.virtualLosses = 2;
    // Two fictitious losses, a real win, back to fictitious: lost, booked nothing.
    const Played p = play(systemOf({v}), {2, 2, 1, 2});
    EXPECT_EQ(p.saldo, (std::vector<Amount>{0, 0, 1, 1}));
    EXPECT_EQ(p.report.cycles, 1u);
    EXPECT_EQ(p.report.takenHome, 1u);
    EXPECT_EQ(p.report.staked, 1);
    ASSERT_EQ(p.cycles.size(), 4u);
    EXPECT_TRUE(p.cycles[0].fictitious);
    EXPECT_FALSE(p.cycles[2].fictitious);
    EXPECT_TRUE(p.cycles[3].fictitious);
    // A fictitious win breaks the run of fictitious losses.
    EXPECT_EQ(play(systemOf({v}), {2, 1, 2, 1}).report.cycles, 0u);
}

TEST(Player, StopLossAndTakeProfitEndPlayInTheFile) {
    System s = systemOf({bet(wheel::RedBlack, 1, 0)});
    s.stopLoss = 2;
    Played p = play(s, {2, 2, 2, 2});
    EXPECT_EQ(p.saldo, (std::vector<Amount>{-1, -2, -2, -2}));
    EXPECT_EQ(p.report.lost, 2u);
    EXPECT_EQ(p.report.spins, 4u);

    s.stopLoss.reset();
    s.takeProfit = 1;
    p = play(s, {1, 2, 2});  // the riding stake stays on the table at its value
    EXPECT_EQ(p.saldo, (std::vector<Amount>{1, 1, 1}));
    EXPECT_EQ(p.report.cycles, 0u);
}

TEST(Player, AStakeNeverRidesPastTheLargestStake) {
    std::vector<std::uint8_t> reds(60, 1);
    const Played p = play(systemOf({bet(wheel::RedBlack, 1, 0)}), reds);
    ASSERT_GE(p.cycles.size(), 1u);
    EXPECT_EQ(p.cycles[0].end, End::TakenHome);
    EXPECT_EQ(p.cycles[0].ended, 51u);  // the 51st win would pass 2^50
    EXPECT_EQ(p.saldo[50], (Amount{1} << 51) - 1);
    EXPECT_LE(p.report.highest, Amount{1} << 52);
}

// A martingale at a table of 1:5: 8, 16 and 32 are placed at 5, and counted;
// a stake riding until lost goes home at the win that would pass the maximum.
TEST(Player, ATableMaximumCapsAMartingaleAndEndsAParoli) {
    System s = systemOf({bet(wheel::RedBlack, 1, 1)});
    s.bets[0].progression = Progression::Martingale;
    s.tableMax = 5;
    Played p = play(s, {2, 2, 2, 2, 2, 1});
    EXPECT_EQ(p.saldo, (std::vector<Amount>{-1, -3, -7, -12, -17, -12}));
    EXPECT_EQ(p.report.atMaximum, 3u);
    EXPECT_EQ(p.report.largestStake, 5);
    EXPECT_EQ(p.report.staked, 22);

    s = systemOf({bet(wheel::RedBlack, 1, 0)});
    s.tableMax = 4;
    p = play(s, {1, 1, 1, 1});
    EXPECT_EQ(p.saldo, (std::vector<Amount>{1, 3, 7, 8}));  // 1, 2, 4, home with 8; 1 again
    ASSERT_GE(p.cycles.size(), 1u);
    EXPECT_EQ(p.cycles[0].ended, 3u);
    EXPECT_EQ(p.cycles[0].end, End::TakenHome);
    EXPECT_EQ(p.report.atMaximum, 0u);
}

// With 7 units the martingale covers 1, 2 and 4 (the last exactly), not 8:
// the file is ruined at spin 4, where nothing is played any more.
TEST(Player, ACapitalThatCannotCoverAStakeRuinsTheFile) {
    System s = systemOf({bet(wheel::RedBlack, 1, 1)});
    s.bets[0].progression = Progression::Martingale;
    s.capital = 7;
    const Played p = play(s, {2, 2, 2, 2, 1, 1});
    EXPECT_EQ(p.saldo, (std::vector<Amount>{-1, -3, -7, -7, -7, -7}));
    EXPECT_EQ(p.report.ruinedAt, 4u);
    EXPECT_EQ(p.report.ruined, 1u);
    EXPECT_EQ(p.report.lost, 3u);
    EXPECT_EQ(p.report.spins, 6u);
    Report total;
    addFile(total, p.report);
    addFile(total, play(s, {1, 1}).report);
    EXPECT_EQ(total.ruined, 1u);
}

TEST(Player, FilesAddUpOneAfterAnother) {
    Report a, b;
    a.spins = 10;
    a.saldo = -5;
    a.lowest = -6;
    a.highest = 2;
    a.drawdown = 8;
    b.spins = 5;
    b.saldo = 4;
    b.highest = 6;
    b.lowest = -3;
    b.drawdown = 7;
    Report total;
    addFile(total, a);
    EXPECT_EQ(total, a);
    addFile(total, b);
    EXPECT_EQ(total.spins, 15u);
    EXPECT_EQ(total.saldo, -1);
    EXPECT_EQ(total.highest, 2);    // b's highest is -5 + 6 = 1
    EXPECT_EQ(total.lowest, -8);    // -5 - 3
    EXPECT_EQ(total.drawdown, 10);  // from 2 in a to -8 in b
}

TEST(Player, EveryFileStartsAfresh) {
    const System s = systemOf({bet(wheel::RedBlack, 1, 0)});
    Player player(s);
    const std::vector<std::uint8_t> spins{1, 0};
    player.play(spins.data(), spins.size());
    EXPECT_TRUE(player.onTable(wheel::RedBlack).held);
    player.startFile();
    EXPECT_FALSE(player.onTable(wheel::RedBlack).on);
    EXPECT_EQ(player.report(), Report{});
}

// The spin loop is built once for every set of features a system uses; the
// notes of cycles must not change what is played.
TEST(Player, NotesChangeNothingOfThePlay) {
    std::mt19937 pick(3);
    for (int session = 0; session < 300; ++session) {
        System s;
        for (int b = 0, n = 1 + static_cast<int>(pick() % 3); b < n; ++b) {
            Bet bet;
            bet.pair = static_cast<wheel::Pair>(pick() % 3);
            bet.rule = static_cast<SideRule>(pick() % 3);
            bet.side = 1 + static_cast<int>(pick() % 2);
            bet.ride = static_cast<int>(pick() % 4);
            bet.units = 1 + static_cast<Amount>(pick() % 3);
            if (pick() % 2) bet.after = {1 + static_cast<int>(pick() % 2)};
            bet.progression = static_cast<Progression>(pick() % 3);
            if (pick() % 3 == 0) bet.virtualLosses = 1;
            s.bets.push_back(bet);
        }
        if (pick() % 4 == 0) s.stopLoss = 20;
        std::vector<std::uint8_t> spins(500);
        for (auto& c : spins)
            c = static_cast<std::uint8_t>(pick() % 41);
        EXPECT_EQ(playSpins(s, spins), play(s, spins).report) << session;
    }
}

}  // namespace
}  // namespace tamvek::system
