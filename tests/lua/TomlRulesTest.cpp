// The rules of a system file, written once as a script (tests/data/lua/
// toml-rules.lua), must play every system exactly as the engine plays it:
// the same Report, the same cycles and the same Saldo after every spin. Many
// random systems (a table's maximum and a capital among them, which the
// player keeps for the script), over random spins with zeros and numbers off
// the wheel.

#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "lua/ScriptPlayer.h"
#include "platform/InputFile.h"
#include "system/Player.h"
#include "wheel/Names.h"

namespace tamvek::lua {
namespace {

using formats::Bet;
using formats::Progression;
using formats::SideRule;
using system::System;

struct Played {
    system::Report report;
    std::vector<system::Cycle> cycles;
    std::vector<Amount> saldo;
};

template <class P>
Played playOn(P& player, const std::vector<std::uint8_t>& spins) {
    Played p;
    player.recordCycles(&p.cycles);
    player.recordSaldo(&p.saldo);
    player.play(spins.data(), spins.size());
    p.report = player.report();
    return p;
}

Bet randomBet(std::mt19937_64& pick) {
    Bet bet;
    bet.pair = static_cast<wheel::Pair>(pick() % 3);
    bet.rule = static_cast<SideRule>(pick() % 3);
    bet.side = 1 + static_cast<int>(pick() % 2);
    bet.ride = pick() % 8 == 0 ? 50 + static_cast<int>(pick() % 15) : static_cast<int>(pick() % 4);
    bet.units = pick() % 10 == 0 ? (Amount{1} << 48) : 1 + static_cast<Amount>(pick() % 3);
    for (std::size_t n = pick() % 4; n > 0; --n)
        bet.after.push_back(static_cast<int>(pick() % 3));  // 0: any
    bet.progression = static_cast<Progression>(pick() % 6);
    if (bet.progression == Progression::Labouchere) bet.units = 1 + static_cast<Amount>(pick() % 3);
    if (bet.progression == Progression::Labouchere)
        for (std::size_t n = 1 + pick() % 4; n > 0; --n)
            bet.sequence.push_back(1 + static_cast<Amount>(pick() % 5));
    if (pick() % 3 == 0) bet.limit = bet.units * (10 + static_cast<Amount>(pick() % 100));
    if (pick() % 3 == 0) bet.virtualLosses = 1 + static_cast<int>(pick() % 3);
    return bet;
}

System randomSystem(std::mt19937_64& pick) {
    System s;
    for (std::size_t n = 1 + pick() % 4; n > 0; --n)
        s.bets.push_back(randomBet(pick));
    if (pick() % 4 == 0) s.stopLoss = 5 + static_cast<Amount>(pick() % 50);
    if (pick() % 4 == 0) s.takeProfit = 5 + static_cast<Amount>(pick() % 50);
    if (pick() % 5 == 0) s.tableMax = 1 + static_cast<Amount>(pick() % 20);
    if (pick() % 5 == 0) s.capital = 1 + static_cast<Amount>(pick() % 100);
    return s;
}

std::string side(wheel::Pair pair, int side) {
    return std::string(wheel::chanceKeys[static_cast<std::size_t>(wheel::chanceOf(pair, side))]);
}

// The system as the table the script reads.
std::string luaTable(const System& s) {
    static const char* const rules[] = {"fixed", "follow", "opposite"};
    static const char* const progressions[] = {"flat",      "martingale", "dalembert",
                                               "fibonacci", "labouchere", "oscar"};
    std::ostringstream out;
    out << "system = {";
    if (s.stopLoss) out << "stop_loss = " << *s.stopLoss << ", ";
    if (s.takeProfit) out << "take_profit = " << *s.takeProfit << ", ";
    if (s.tableMax) out << "table_max = " << *s.tableMax << ", ";
    if (s.capital) out << "capital = " << *s.capital << ", ";
    out << "bets = {\n";
    for (const Bet& b : s.bets) {
        out << "  {pair = \"" << wheel::pairKeys[static_cast<std::size_t>(b.pair)]
            << "\", rule = \"" << rules[static_cast<int>(b.rule)] << "\", side = \""
            << side(b.pair, b.side) << "\", units = " << b.units << ", ride = " << b.ride
            << ", progression = \"" << progressions[static_cast<int>(b.progression)]
            << "\", virtual = " << b.virtualLosses << ", after = {";
        for (int a : b.after)
            out << "\"" << (a == 0 ? "any" : side(b.pair, a)) << "\", ";
        out << "}, sequence = {";
        for (Amount n : b.sequence)
            out << n << ", ";
        out << "}";
        if (b.limit) out << ", limit = " << *b.limit;
        out << "},\n";
    }
    out << "}}\n";
    return out.str();
}

std::vector<std::uint8_t> randomSpins(std::mt19937_64& pick, std::size_t n) {
    std::vector<std::uint8_t> spins(n);
    for (std::uint8_t& c : spins)
        c = static_cast<std::uint8_t>(pick() % 10 == 0 ? 37 + pick() % 4 : pick() % 37);
    return spins;
}

TEST(TomlRules, AScriptOfTheRulesPlaysEverySystemAsTheEngineDoes) {
    const Result<std::string> rules =
        platform::readWholeFile(TAMVEK_TEST_DATA "/lua/toml-rules.lua");
    ASSERT_TRUE(rules) << rules.error().message;
    std::mt19937_64 pick(20240611);
    std::uint64_t ruined = 0, capped = 0;
    for (int round = 0; round < 600; ++round) {
        const System s = randomSystem(pick);
        const std::vector<std::uint8_t> spins = randomSpins(pick, round % 50 == 0 ? 20'000 : 400);
        const formats::Script script{"toml-rules.lua", luaTable(s) + *rules};
        system::Player engine(s);
        ScriptPlayer scripted(script, {"Runde " + std::to_string(round)});
        const Played expected = playOn(engine, spins);
        const Played got = playOn(scripted, spins);
        ASSERT_FALSE(scripted.failed()) << scripted.error() << "\n" << script.text;
        ASSERT_EQ(got.report, expected.report) << round << "\n" << luaTable(s);
        ruined += expected.report.ruined;
        capped += expected.report.atMaximum > 0;
        ASSERT_EQ(got.saldo, expected.saldo) << round;
        ASSERT_EQ(got.cycles.size(), expected.cycles.size()) << round;
        for (std::size_t c = 0; c < got.cycles.size(); ++c) {
            const system::Cycle& a = got.cycles[c];
            const system::Cycle& b = expected.cycles[c];
            ASSERT_TRUE(a.placed == b.placed && a.ended == b.ended && a.pair == b.pair &&
                        a.side == b.side && a.stake == b.stake && a.end == b.end &&
                        a.saldo == b.saldo && a.fictitious == b.fictitious)
                << round << ": cycle " << c << "\n"
                << luaTable(s);
        }
    }
    // The table's maximum cut stakes, and capitals ran out.
    EXPECT_GT(capped, 20u);
    EXPECT_GT(ruined, 20u);
}

}  // namespace
}  // namespace tamvek::lua
