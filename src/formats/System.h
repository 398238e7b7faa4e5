#pragma once
// A stake system: the bets a system player places by rule, as a system file
// describes them, or a script that places its stakes itself (see
// docs/systems.md).

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/Numbers.h"
#include "wheel/Wheel.h"

namespace tamvek::formats {

enum class SideRule {
    Fixed,     // always the same side
    Follow,    // the side that came up in the pair's last decided spin
    Opposite,  // the other one
};

enum class Progression {
    Flat,        // always `units`
    Martingale,  // doubled after a lost cycle, back to `units` after one taken home
    Dalembert,   // +units after a lost cycle, -units after one taken home, never below units
    Fibonacci,   // units times the next Fibonacci number after a lost cycle, two back after a win
    Labouchere,  // units times the line's first + last; a win strikes them, a loss appends
    Oscar,       // Oscar's Grind: +units after a win until the series stands at +units
};

struct Bet {
    wheel::Pair pair = wheel::RedBlack;
    SideRule rule = SideRule::Fixed;
    int side = 1;  // for Fixed: 1 red/low/even, 2 black/high/odd
    Amount units = 1;
    int ride = 0;  // wins to let it ride, then home; 0 = ride until it is lost
    // The pair's last decided outcomes (1 or 2; 0 matches either), oldest
    // first, that must come before a stake is placed; empty = none.
    std::vector<int> after;
    Progression progression = Progression::Flat;
    std::vector<Amount> sequence;  // the line a Labouchère starts from
    std::optional<Amount> limit;   // the largest first stake
    int virtualLosses = 0;         // fictitious until this many fictitious cycles are lost in a row
};

// A system written as a script (Lua, see lua/ScriptPlayer.h): the script
// places its stakes itself, so it is played by a player of its own and never
// by the engine that plays bets.
struct Script {
    std::string file;  // as errors name it
    std::string text;
    // Globals set after the chunk ran, before anything is read of it: a
    // variant of the script (name, value as Lua reads a literal; a bare word
    // is a text).
    std::vector<std::pair<std::string, std::string>> globals;
};

struct System {
    std::string name;
    std::vector<Bet> bets;
    std::optional<Amount> stopLoss;    // units, per file
    std::optional<Amount> takeProfit;  // units, per file
    // The table's maximum: no stake is above it, and a riding stake whose
    // doubling would pass it goes home at that win.
    std::optional<Amount> tableMax;
    // What the player sits down with, per file: a stake that capital plus
    // balance cannot cover is not placed, and play in the file ends (ruin).
    std::optional<Amount> capital;
    std::optional<Script> script;  // when set, the system is the script: no bets, no stops
};

// The most bets a system may have.
inline constexpr std::size_t mostBets = 64;

// The longest trigger a bet may have.
inline constexpr std::size_t longestTrigger = 32;

// The longest line a Labouchère may start from.
inline constexpr std::size_t longestSequence = 32;

}  // namespace tamvek::formats
