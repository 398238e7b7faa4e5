#pragma once
// Plays a stake system as the engine (Player.h) does, to the unit, only
// faster: the system is compiled once (Compiled.h), and a spin is then a
// look-up in one table, or one in each pair's automaton. What the compiler
// cannot take, the engine plays; a file is handed to the engine where the
// automata would grow too large, or where a figure could near the 64-bit
// limit (the steps known so far tell how fast figures can grow). Same
// report, same notes of cycles and Saldo, whichever path plays.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "system/Compiled.h"
#include "system/Player.h"

namespace tamvek::system {

class Kernel {
  public:
    explicit Kernel(const System& system);
    explicit Kernel(std::shared_ptr<const Compiled> compiled);

    // The path the system compiled to, and how many states it has.
    Path path() const { return m_compiled->path; }
    std::size_t states() const;
    // The slowest path that played a spin so far (the engine, when a file
    // was handed to it).
    Path played() const { return m_played; }
    const std::shared_ptr<const Compiled>& compiled() const { return m_compiled; }

    // A new file: nothing on the table, Saldo 0, no history.
    void startFile();
    // The next spins, as wheel classes.
    void play(const std::uint8_t* classes, std::size_t count);
    Report report() const;
    // The Saldo after the last spin, without the rest of the report.
    Amount saldo() const;
    // The Saldo, the lowest Saldo and whether the capital ran out, without the
    // rest of the report.
    RunEnd end() const;

    // As with the engine: where to note every cycle (fictitious ones marked)
    // and the Saldo after every spin. Set them before a file is played.
    void recordCycles(std::vector<Cycle>* cycles);
    void recordSaldo(std::vector<Amount>* saldo);

  private:
    // The running figures of a file; the counts and units staked come from
    // how often each step was taken.
    struct Run {
        std::uint64_t spins = 0;
        Amount saldo = 0;
        Amount highest = 0;
        Amount lowest = 0;
        Amount drawdown = 0;
        std::uint64_t lostRun = 0;
        std::uint64_t run = 0;  // lost cycles in a row
        bool stopped = false;
    };

    template <bool Stops, bool Notes>
    std::size_t playTable(const std::uint8_t* classes, std::size_t count);
    template <std::size_t Pairs, bool Stops, bool Notes>
    std::size_t playAutomata(const std::uint8_t* classes, std::size_t count);
    std::size_t playCompiled(const std::uint8_t* classes, std::size_t count);
    // Learns the steps a number of class `cls` takes from the pairs' `at`.
    bool learnSteps(const std::uint32_t* at, std::uint8_t cls);
    const std::vector<PairAutomaton>& pairs() const;
    // The notes of spin `spin` of class `cls`, played from the pairs' states
    // states[k] / per, with the Saldo `saldo` after it.
    void note(const std::uint32_t* states, std::uint32_t per, std::uint8_t cls, std::uint64_t spin,
              Amount saldo);
    void playStopped(std::size_t count);
    std::array<std::uint32_t, wheel::pairs> pairStates() const;
    // Whether a file of `spins` spins keeps every figure below 2^61 with the
    // steps learnt so far (see largestChange()).
    bool roomFor(std::uint64_t spins) const;
    void handToEngine();

    std::shared_ptr<const Compiled> m_compiled;
    std::optional<Player> m_engine;  // when the engine plays the file
    Path m_played = Path::Table;
    Run m_run;
    std::uint32_t m_at = 0;                           // table: state * columns
    std::array<std::uint32_t, wheel::pairs> m_hop{};  // automata: state * kinds, by pair
    std::vector<PairAutomaton> m_pairs;               // automata: learnt further as play needs
    // How often each step was taken: of the table, or of each pair's automaton.
    std::array<std::vector<std::uint64_t>, wheel::pairs> m_taken;
    std::array<std::uint64_t, wheel::pairs> m_placed{};  // the spin each pair's stake went on
    std::vector<Cycle>* m_cycles = nullptr;
    std::vector<Amount>* m_saldo = nullptr;
};

}  // namespace tamvek::system
