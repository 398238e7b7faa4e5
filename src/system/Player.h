#pragma once
// Plays a stake system over spins: a stake goes on when its bet's trigger holds
// and its pair is free, and lives by the rule of the wheel (wheel/Rule.h), the
// one the window's game settles by. One pass, nothing allocated per spin but
// a Labouchère's growing line.
//
// Saldo after a spin = balance + the real stakes on the table. Fictitious
// stakes (of a bet with `virtualLosses`) take their pair and ride like real
// ones but book nothing and count in nothing but the bet's own fictitious run.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "formats/System.h"
#include "wheel/Rule.h"

namespace tamvek::system {

// The system the tester plays is the one a system file describes.
using formats::Bet;
using formats::longestTrigger;
using formats::mostBets;
using formats::Progression;
using formats::SideRule;
using formats::System;

enum class End : std::uint8_t { TakenHome, Lost, GivenBack };

// One stake's life, from placing to its end.
struct Cycle {
    std::uint64_t placed = 0;  // spin numbers, counted from 1 in the file
    std::uint64_t ended = 0;
    wheel::Pair pair = wheel::RedBlack;
    int side = 1;
    Amount stake = 0;  // as placed
    End end = End::Lost;
    Amount saldo = 0;  // after the spin it ended in
    bool fictitious = false;
};

// What a pair has on the table between two spins.
struct OnTable {
    bool on = false;
    bool held = false;
    bool fictitious = false;
    int side = 0;
    Amount stake = 0;  // now, after its wins
    Amount first = 0;  // as placed
    std::uint64_t placed = 0;
};

struct Report {
    std::uint64_t spins = 0;
    std::uint64_t cycles = 0;  // real cycles that ended: taken home, lost or given back
    std::uint64_t takenHome = 0;
    std::uint64_t lost = 0;
    std::uint64_t givenBack = 0;
    Amount staked = 0;   // units put on the table by real stakes
    Amount saldo = 0;    // after the last spin; what is on the table counts at its value
    Amount highest = 0;  // over the Saldo after every spin, starting from 0
    Amount lowest = 0;
    Amount drawdown = 0;          // the largest fall from a running highest to a later Saldo
    std::uint64_t lostRun = 0;    // the longest run of lost cycles
    Amount largestStake = 0;      // at risk: a stake as a spin settles or holds it
    std::uint64_t atMaximum = 0;  // real stakes placed at the table's maximum, asked for more
    std::uint64_t ruinedAt = 0;   // the spin the capital ran out in; 0: never (a file's only)
    std::uint64_t ruined = 0;     // files ruined: 1 or 0 for a file, the count in a total

    bool operator==(const Report&) const = default;
};

// What a baseline keeps of a random run.
struct RunEnd {
    Amount saldo = 0;
    Amount lowest = 0;
    bool ruined = false;
};

// `file` played after what `total` holds: counts and stakes add up, the Saldo
// goes on from where the files before left it, so highest, lowest and drawdown
// are those of all files one after another; runs of lost cycles stay within a
// file.
void addFile(Report& total, const Report& file);

class Player {
  public:
    explicit Player(const System& system);

    // A new file: nothing on the table, Saldo 0, no history.
    void startFile();
    // The next spins, as wheel classes.
    void play(const std::uint8_t* classes, std::size_t count);
    const Report& report() const { return m_state.report; }
    OnTable onTable(wheel::Pair pair) const;

    // Where to note every cycle (fictitious ones marked), and the Saldo after
    // every spin; nothing is noted while these are not set.
    void recordCycles(std::vector<Cycle>* cycles) { m_cycles = cycles; }
    void recordSaldo(std::vector<Amount>* saldo) { m_saldo = saldo; }

    // A pair's place on the table: the stake, which lives by the rule of the
    // wheel, and what the player keeps of it.
    struct Seat {
        wheel::Stake stake;
        bool fictitious = false;
        std::uint8_t bet = 0;
        Amount first = 0;  // as placed
        std::uint64_t placed = 0;
    };
    struct BetState {
        Amount size = 1;
        bool fictitious = false;
        int fictitiousLost = 0;
        int step = 0;              // of a Fibonacci
        Amount series = 0;         // what an Oscar's Grind series has won so far
        std::vector<Amount> line;  // of a Labouchère, from `head` on
        std::size_t head = 0;
    };
    struct History {
        std::uint64_t outcomes = 0;  // bit 0: the last decided outcome, set for side 2
        std::uint32_t decided = 0;
    };
    // Everything a spin changes, copied into the spin loop and back.
    struct State {
        std::array<Seat, wheel::pairs> table{};
        std::array<History, wheel::pairs> history{};
        Amount balance = 0;
        Amount onTable = 0;  // real stakes
        Amount peak = 0;
        std::uint64_t run = 0;  // lost cycles in a row
        bool stopped = false;
        Report report;
    };

    // The play between two spins, and each bet's size and fictitious run. A
    // kernel (Kernel.h) learns a system's states from them, and hands them back
    // when the engine takes over a file.
    const State& state() const { return m_state; }
    const std::vector<BetState>& bets() const { return m_bets; }
    void resume(const State& state, const std::vector<BetState>& bets);

  private:
    // What a bet says, in the form the spin loop reads it.
    struct BetRule {
        std::uint8_t pair = 0;
        SideRule rule = SideRule::Fixed;
        std::uint8_t side = 1;
        Progression progression = Progression::Flat;
        int ride = 0;
        int virtualLosses = 0;
        Amount units = 1;
        Amount limit = largestStake;
        std::uint64_t pattern = 0;  // the trigger: the oldest outcome highest
        std::uint64_t mask = 0;
        std::uint32_t length = 0;
    };

  public:
    // One spin loop for each set of features a system uses (see Player.cpp).
    template <unsigned Features>
    void playSpins(const std::uint8_t* classes, std::size_t count);

  private:
    // The steps of a spin, each built for the same set of features.
    template <unsigned Features>
    void placeStakes(State& s, std::uint64_t spin);
    template <unsigned Features>
    void settleNumber(State& s, std::uint8_t cls, std::uint64_t spin);
    template <unsigned Features>
    void endCycle(State& s, const Seat& seat, int pair, std::uint8_t side, End how, Amount value,
                  std::uint64_t spin);
    template <unsigned Features>
    void closeSpin(State& s, std::size_t cyclesBefore);
    void startProgression(std::size_t bet);
    void moveProgression(std::size_t bet, End how, Amount value, Amount placed);
    void moveLine(std::size_t bet, bool lost);

  private:
    const System& m_system;
    std::vector<BetRule> m_rules;
    Amount m_most = largestStake;  // the table's maximum
    bool m_hasCapital = false;
    Amount m_capital = 0;
    std::vector<BetState> m_bets;
    State m_state;
    std::vector<Cycle>* m_cycles = nullptr;
    std::vector<Amount>* m_saldo = nullptr;
};

// A whole file at once.
Report playSpins(const System& system, const std::vector<std::uint8_t>& classes);

}  // namespace tamvek::system
