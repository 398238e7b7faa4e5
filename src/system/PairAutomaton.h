#pragma once
// The bets of one pair as an automaton, learnt from the engine: the states the
// pair can reach and, for each kind of number, the step to the next state with
// what the step books. A state is what the engine keeps for the pair: its seat,
// the part of its history that a trigger or `follow` can still use, and the
// sizes and fictitious runs of its bets. Each step is the engine playing one
// spin from that state, so the automaton plays exactly as the engine does.
// Steps are learnt all at once (for a table) or as play first takes them.
//
// The pairs of a system are independent of each other but for the Saldo, the
// stops and the run of lost cycles, which the kernel composes (Kernel.h).

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "system/Player.h"
#include "system/StateKeys.h"

namespace tamvek::system {

constexpr std::size_t indexOf(wheel::Pair pair) {
    return static_cast<std::size_t>(pair);
}

// What a number does to one pair: a zero holds its stake, a number off the
// wheel leaves red/black undecided, any other brings up side 1 or side 2.
enum class Kind : std::uint8_t { Zero, Undecided, Side1, Side2 };
inline constexpr std::size_t kinds = 4;

constexpr Kind kindOf(wheel::Pair pair, std::uint8_t cls) {
    if (cls == 0) return Kind::Zero;
    const std::uint8_t up = wheel::sideUp(pair, cls);
    return up == 0 ? Kind::Undecided : up == 1 ? Kind::Side1 : Kind::Side2;
}

// How a step ends a real cycle, as the run of lost cycles sees it.
enum class Ending : std::uint8_t { None = 0, Lost = 1, Other = 2 };

struct PairStep {
    std::uint32_t next = 0;
    Ending ending = Ending::None;  // of a real cycle
    End end = End::Lost;           // of the cycle that ended, real or fictitious
    bool placed = false;           // a stake, real or fictitious, went on
    bool cycle = false;            // a cycle, real or fictitious, ended
    bool fictitious = false;       // of that cycle
    std::uint8_t side = 0;         // of that cycle
    Amount stake = 0;              // of that cycle, as placed
    Amount delta = 0;              // of the Saldo
    Amount staked = 0;             // by a real stake placed
    Amount largest = 0;            // the real stake on the table after doubling; 0: none
};

// The part of a step that every spin reads, kept small.
struct PairHop {
    Amount delta = 0;
    std::uint32_t at = 0;  // next state * kinds, or `unknown`
    Ending ending = Ending::None;
};

class PairAutomaton {
  public:
    static constexpr std::uint32_t unknown = ~std::uint32_t{0};
    // The longest Labouchère line a state can hold; a longer one hands the
    // file to the engine.
    static constexpr std::size_t longestLine = 12;
    // The most places of either side in one trigger (each doubles the
    // beginnings the automaton looks for).
    static constexpr std::size_t mostAnyPlaces = 8;

    // The automaton of `pair`'s bets in `system` (the pair must have a bet),
    // knowing state 0, a file's start, and no step yet.
    PairAutomaton(const System& system, wheel::Pair pair);

    // Learns the steps of every state reachable from those known, as long as
    // there are no more than `bound` states; whether all were learnt.
    bool learnAll(std::size_t bound);
    // Learns the step from `state` for `kind`; false when it would lead to
    // more than `bound` states.
    bool learn(std::uint32_t state, Kind kind, std::size_t bound);

    wheel::Pair pair() const { return m_pair; }
    std::size_t states() const { return m_seats.size(); }
    const PairStep& step(std::uint32_t state, Kind kind) const {
        return m_steps[state * kinds + static_cast<std::size_t>(kind)];
    }
    // The largest change of the Saldo (either way) and the largest stake
    // placed in one step learnt so far.
    Amount largestDelta() const { return m_largestDelta; }
    Amount largestStaked() const { return m_largestStaked; }
    // Every step's hop; `at` is `unknown` for a step not learnt yet.
    const std::vector<PairHop>& hops() const { return m_hops; }

    // Puts the pair's part of `state` into the engine's state of the whole
    // system: its seat, its history and its bets.
    void restore(std::uint32_t state, Player::State& into,
                 std::vector<Player::BetState>& bets) const;

  private:
    void addTrigger(std::vector<int> after);
    void addBeginnings(const std::vector<int>& after);
    Player::History usable(const Player::History& h) const;
    std::optional<std::uint32_t> stateOf(const Player::State& state,
                                         const std::vector<Player::BetState>& bets,
                                         std::size_t bound);
    void addState(const Player::Seat& seat, const Player::History& history,
                  const std::vector<Player::BetState>& bets);
    PairStep stepOf(const Player::State& after) const;

    std::shared_ptr<const System> m_system;  // the pair's bets only, in file order
    std::optional<Player> m_player;          // plays m_system, a spin at a time
    wheel::Pair m_pair;
    std::array<std::optional<std::uint8_t>, kinds> m_numbers;  // a number of each kind
    std::vector<std::size_t> m_betOf;  // the system's index of each of the pair's bets
    std::vector<std::vector<std::uint64_t>> m_beginnings;  // of the triggers, by length
    std::uint32_t m_longest = 0;
    StateKeys m_keys;
    std::uint32_t m_learnt = 0;  // learnAll() learnt every step of the states before it
    Amount m_largestDelta = 0;
    Amount m_largestStaked = 0;

    std::vector<PairStep> m_steps;  // [state * kinds + kind]
    std::vector<PairHop> m_hops;
    std::vector<Player::Seat> m_seats;  // of each state
    std::vector<Player::History> m_histories;
    std::vector<Player::BetState> m_bets;  // [state * bets + bet]

    std::vector<std::uint64_t> m_key;  // scratch
    std::vector<Player::BetState> m_from;
    std::vector<Cycle> m_cycles;
};

}  // namespace tamvek::system
