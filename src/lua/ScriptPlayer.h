#pragma once
// Plays a system written in Lua over spins, by the rules the engine plays a
// system file by (docs/systems.md): every stake lives by the rule of the
// wheel (wheel/Rule.h), and the Report, the cycles and the Saldo notes come
// out as the engine's do (system/Player.h). The script decides only what to
// stake: before every spin the player calls the script's `place(g)`, and when
// a cycle ends its `cycle(c)`, if it has one. The interface `g` and `c` is
// described in docs/systems.md.
//
// Each player has a fresh state of the script (Sandbox.h): nothing passes
// from one file or run to the next. A script's error ends the play: failed()
// is then true and error() says what, where in the script, and in which file
// and spin; nothing of the file counts.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "lua/Sandbox.h"
#include "system/Player.h"
#include "wheel/Names.h"
#include "wheel/Rule.h"

namespace tamvek::lua {

// Which run a script plays: how its errors name it, and the stream of its
// math.random (a system::Random of seed, stream and index).
struct Run {
    std::string name;  // "Datei wiesbaden-t1.txt"; empty: errors name no run
    std::uint64_t seed = 0;
    std::uint64_t stream = 0;
    std::uint64_t index = 0;
};

class ScriptPlayer {
  public:
    // Runs the script's chunk at once; a fault there fails the player.
    ScriptPlayer(const formats::Script& script, const Run& run, const Limits& limits = {});
    ScriptPlayer(const ScriptPlayer&) = delete;
    ScriptPlayer& operator=(const ScriptPlayer&) = delete;

    // The next spins, as wheel classes; nothing more once failed.
    void play(const std::uint8_t* classes, std::size_t count);
    bool failed() const { return m_error.has_value(); }
    const std::string& error() const { return *m_error; }
    // The script's global `name`, when it set one.
    const std::optional<std::string>& name() const { return m_name; }
    // The script's globals table_max and capital, when it set them.
    std::optional<Amount> tableMax() const;
    const std::optional<Amount>& capital() const { return m_capital; }
    const system::Report& report() const { return m_report; }
    void recordCycles(std::vector<system::Cycle>* cycles) { m_cycles = cycles; }
    void recordSaldo(std::vector<Amount>* saldo) { m_saldo = saldo; }

    // The longest look back g:last and g:numbers give.
    static constexpr std::size_t memory = 1024;

  private:
    struct Seat {
        wheel::Stake stake;
        bool fictitious = false;
        Amount first = 0;  // as placed
        std::uint64_t placed = 0;
    };
    // The last `memory` entries of a stream (decided sides, or number classes).
    struct Recent {
        std::array<std::uint8_t, memory> entries{};
        std::uint64_t count = 0;
        void add(std::uint8_t entry) { entries[count++ % memory] = entry; }
        std::uint8_t back(std::size_t k) const { return entries[(count - 1 - k) % memory]; }
    };
    struct Ended {
        system::Cycle cycle;
        Amount value = 0;  // at its end
    };

    void start(const formats::Script& script);
    bool readTable();
    Amount placeAtMost(Amount units, bool fictitious);
    void playSpin(std::uint8_t cls);
    bool callPlace(std::uint64_t spin);
    bool settleNumber(std::uint8_t cls, std::uint64_t spin);
    Ended endCycle(const Seat& seat, int pair, system::End how, Amount value, std::uint64_t ended);
    bool callCycle(const Ended& ended, std::uint64_t spin);
    void closeSpin(std::size_t cyclesBefore);
    void fail(const std::string& message, std::optional<std::uint64_t> spin);
    void buildG();
    void pushCycle(lua_State* state, const Ended& ended) const;

    // The methods of g, called by the script.
    static int stake(lua_State* state);
    static int home(lua_State* state);
    static int isFree(lua_State* state);
    static int last(lua_State* state);
    static int numbers(lua_State* state);
    static int stop(lua_State* state);
    static int field(lua_State* state);
    static int setField(lua_State* state);
    static ScriptPlayer& self(lua_State* state, const char* method);

    Sandbox m_box;
    std::string m_runName;
    std::optional<std::string> m_error;
    std::optional<std::string> m_name;
    int m_place = 0;  // registry references
    int m_cycle = 0;  // 0: the script has no cycle()
    int m_g = 0;
    // The names g takes, as this state keeps them (see findName).
    std::array<const char*, wheel::pairs> m_pairNames{};
    std::array<const char*, wheel::chances> m_chanceNames{};
    std::array<const char*, 2> m_optionNames{};

    std::array<Seat, wheel::pairs> m_table{};
    std::array<Recent, wheel::pairs> m_sides{};
    Recent m_numbers;
    Amount m_balance = 0;
    Amount m_onTable = 0;  // real stakes
    Amount m_peak = 0;
    std::uint64_t m_lostInARow = 0;
    bool m_stopped = false;
    Amount m_most = largestStake;     // the script's table_max
    std::optional<Amount> m_capital;  // the script's capital
    bool m_inPlace = false;           // g's stake, home and stop work only here
    system::Report m_report;
    std::vector<system::Cycle>* m_cycles = nullptr;
    std::vector<Amount>* m_saldo = nullptr;
};

}  // namespace tamvek::lua
