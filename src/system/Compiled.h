#pragma once
// A system compiled for the kernel (Kernel.h), once, when it is loaded. The
// bets of each pair become an automaton learnt from the engine
// (PairAutomaton.h). When the pairs together reach few states, their product
// becomes one table indexed by state and column (the kind of number for every
// pair at once), whose entries carry the next state and everything a spin
// books, so that a spin is a look-up and a few additions. Otherwise the
// automata play side by side, learning the steps play takes; when they grow
// too large, or the system uses what the compiler does not know, the engine
// plays it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "system/PairAutomaton.h"

namespace tamvek::system {

// A script (a system in Lua) is played by its own player, never compiled.
enum class Path : std::uint8_t { Table, Automata, Engine, Script };

// "table", "automata", "engine", "script": as --json names the path.
std::string_view pathKey(Path path);

// How many states each path may have.
struct Bounds {
    // States of the table, and of each pair's automaton learnt for it: a
    // table of a few thousand states stays within the processor's
    // second-level cache, and learning it takes a few milliseconds.
    std::size_t table = 2048;
    // States of one pair's automaton that play may learn before the engine
    // takes over: learning a step costs a dozen engine spins, and a pair that
    // keeps finding new states (a d'Alembert without a limit) plays as fast
    // by the engine. 0: the engine plays every system.
    std::size_t pair = 8192;
};

// One entry of the table, for a state and a column. What a spin adds to the
// run of lost cycles is told by the pieces it needs in order: the cycles lost
// before the first real cycle that ended otherwise, the longest run of lost
// cycles that lies wholly within the spin or is open at its end, the lost
// cycles after the last other end, and whether there was no other end (then
// the run goes on).
struct TableStep {
    Amount delta = 0;      // of the Saldo
    std::uint32_t at = 0;  // the next state * columns
    std::uint8_t lostFirst = 0;
    std::uint8_t lostMost = 0;
    std::uint8_t lostLast = 0;
    std::uint8_t runGoesOn = 0;  // 1 or 0
};

struct Compiled {
    System system;  // the engine's, which keeps a reference
    Path path = Path::Engine;
    // Of the pairs with a bet, in pair order: whole for the table, as far as
    // learnt for the automata.
    std::vector<PairAutomaton> pairs;
    std::size_t pairBound = 0;

    // Each pair's kind of every class (a byte that is no class plays as zero).
    std::array<std::array<Kind, 256>, wheel::pairs> kind{};

    // The table: a column for each combination of the pairs' kinds; the
    // column of every class, and its place in a row in bytes.
    std::size_t columns = 0;
    std::array<std::uint8_t, 256> column{};
    std::array<std::uint32_t, 256> columnAt{};
    std::vector<std::array<Kind, wheel::pairs>> kindsOf;              // of each column, by pair
    std::vector<TableStep> table;                                     // [state * columns + column]
    std::vector<std::array<std::uint32_t, wheel::pairs>> pairStates;  // of each state

    // The stops, as a Saldo at or below `stopBelow` or at or above `stopAbove`.
    bool stops = false;
    Amount stopBelow = 0;
    Amount stopAbove = 0;

    std::size_t states() const;
    std::size_t rowBytes() const { return columns * sizeof(TableStep); }
};

// The most that one spin through `pairs`' steps learnt so far changes the
// Saldo or the units staked. A file keeps every figure below 2^61 for as many
// spins as 2^61 / that: the kernel then adds without checking, and the
// engine, which saturates, would give the same.
Amount largestChange(const std::vector<PairAutomaton>& pairs);

// `system` compiled within `bounds`.
std::shared_ptr<const Compiled> compile(const System& system, const Bounds& bounds = {});

}  // namespace tamvek::system
