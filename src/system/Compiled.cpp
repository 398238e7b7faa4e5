#include "system/Compiled.h"

#include <algorithm>
#include <limits>
#include <map>
#include <unordered_map>

namespace tamvek::system {
namespace {

// What the compiler knows. The automata learn a system from the engine, and a
// state is only what the engine keeps in these fields; a field more in a bet,
// a system or what the engine keeps of them would be missed. So a new field
// stops the build here until the compiler is taught it (or refuses it in
// knows() below, which sends such systems to the engine).
static_assert(sizeof(Bet) == 112 && sizeof(System) == 216,
              "a new field of a bet or a system: teach the compiler (PairAutomaton.cpp) or "
              "refuse it in knows()");
static_assert(sizeof(Player::Seat) == 48 && sizeof(Player::History) == 16 &&
                  sizeof(Player::BetState) == 64 && sizeof(wheel::Stake) == 24,
              "a new field of the engine's state: add it to the key in PairAutomaton.cpp");
// A bet's `sequence` and a bet state's `step`, `series`, `line` and `head`
// belong to the progressions that knows() refuses: for the others they never
// change, so the key leaves them out. A script is played by its own player;
// a table maximum and a capital send a system to the engine (knows()).

bool knows(const System& system) {
    if (system.script) return false;
    // A capital ends play on the balance, which no state keeps; the table's
    // maximum is rare enough that the engine plays it.
    if (system.capital || system.tableMax) return false;
    for (const Bet& bet : system.bets) {
        // A place of a trigger that matches either side ("any") would need
        // every stretch of the history that can still match it kept apart.
        if (std::find(bet.after.begin(), bet.after.end(), 0) != bet.after.end()) return false;
        switch (bet.progression) {
            case Progression::Flat:
            case Progression::Martingale:
            case Progression::Dalembert:
                break;
            default:
                return false;
        }
        switch (bet.rule) {
            case SideRule::Fixed:
            case SideRule::Follow:
            case SideRule::Opposite:
                break;
            default:
                return false;
        }
    }
    return true;
}

// The pieces of the run of lost cycles (see TableStep) of the real ends of a
// spin, pair by pair in order.
void addRun(TableStep& step, const std::vector<Ending>& endings) {
    int lost = 0, most = 0;
    bool other = false;
    for (const Ending e : endings) {
        if (e == Ending::Lost) {
            ++lost;
        } else if (e == Ending::Other) {
            if (!other) step.lostFirst = static_cast<std::uint8_t>(lost);
            most = std::max(most, lost);
            other = true;
            lost = 0;
        }
    }
    if (!other) step.lostFirst = static_cast<std::uint8_t>(lost);
    step.lostLast = static_cast<std::uint8_t>(lost);
    step.lostMost = other ? static_cast<std::uint8_t>(std::max(most, lost)) : 0;
    step.runGoesOn = other ? 0 : 1;
}

void makeColumns(Compiled& c) {
    std::map<std::array<Kind, wheel::pairs>, std::uint8_t> columns;
    for (std::size_t cls = 0; cls < 256; ++cls) {
        std::array<Kind, wheel::pairs> kinds{};
        for (const PairAutomaton& a : c.pairs)
            kinds[indexOf(a.pair())] = c.kind[indexOf(a.pair())][cls];
        const auto [it, added] =
            columns.try_emplace(kinds, static_cast<std::uint8_t>(columns.size()));
        if (added) c.kindsOf.push_back(kinds);
        c.column[cls] = it->second;
        c.columnAt[cls] = static_cast<std::uint32_t>(it->second * sizeof(TableStep));
    }
    c.columns = columns.size();
}

// The product of the pairs' automata, as far as it is reached from the start;
// false when it passes `bound` states.
bool makeTable(Compiled& c, std::size_t bound) {
    makeColumns(c);
    std::unordered_map<std::uint64_t, std::uint32_t> known;
    const auto stateOf = [&](const std::array<std::uint32_t, wheel::pairs>& states) {
        const std::uint64_t key =
            states[0] | std::uint64_t{states[1]} << 21 | std::uint64_t{states[2]} << 42;
        const auto [it, added] = known.try_emplace(key, static_cast<std::uint32_t>(known.size()));
        if (added) c.pairStates.push_back(states);
        return it->second;
    };
    stateOf({});
    std::vector<Ending> endings;
    for (std::size_t state = 0; state < c.pairStates.size(); ++state) {
        if (c.pairStates.size() > bound) return false;
        for (std::size_t column = 0; column < c.columns; ++column) {
            TableStep step;
            std::array<std::uint32_t, wheel::pairs> next{};
            endings.clear();
            for (std::size_t k = 0; k < c.pairs.size(); ++k) {
                const PairAutomaton& a = c.pairs[k];
                const PairStep& s =
                    a.step(c.pairStates[state][k], c.kindsOf[column][indexOf(a.pair())]);
                step.delta += s.delta;
                next[k] = s.next;
                endings.push_back(s.ending);
            }
            step.at = static_cast<std::uint32_t>(stateOf(next) * c.rowBytes());
            addRun(step, endings);
            c.table.push_back(step);
        }
    }
    return c.pairStates.size() <= bound;
}

}  // namespace

std::string_view pathKey(Path path) {
    switch (path) {
        case Path::Table:
            return "table";
        case Path::Automata:
            return "automata";
        case Path::Script:
            return "script";
        case Path::Engine:
            break;
    }
    return "engine";
}

Amount largestChange(const std::vector<PairAutomaton>& pairs) {
    Amount delta = 0, staked = 0;
    for (const PairAutomaton& a : pairs) {
        delta += a.largestDelta();
        staked += a.largestStaked();
    }
    return std::max(delta, staked);
}

std::size_t Compiled::states() const {
    if (path == Path::Table) return pairStates.size();
    std::size_t n = 0;
    if (path == Path::Automata)
        for (const PairAutomaton& a : pairs)
            n += a.states();
    return n;
}

std::shared_ptr<const Compiled> compile(const System& system, const Bounds& bounds) {
    auto c = std::make_shared<Compiled>();
    c->system = system;
    c->stops = system.stopLoss || system.takeProfit;
    c->stopBelow = system.stopLoss ? -*system.stopLoss : std::numeric_limits<Amount>::min();
    c->stopAbove = system.takeProfit.value_or(std::numeric_limits<Amount>::max());
    for (std::size_t p = 0; p < wheel::pairs; ++p)
        for (std::size_t cls = 0; cls < 256; ++cls)
            c->kind[p][cls] = cls < wheel::classes ? kindOf(static_cast<wheel::Pair>(p),
                                                            static_cast<std::uint8_t>(cls))
                                                   : Kind::Zero;
    if (!knows(system) || bounds.pair == 0) return c;
    c->pairBound = std::max(bounds.pair, bounds.table);
    bool whole = true;
    for (int p = 0; p < wheel::pairs; ++p) {
        const auto pair = static_cast<wheel::Pair>(p);
        if (std::none_of(system.bets.begin(), system.bets.end(),
                         [&](const Bet& b) { return b.pair == pair; }))
            continue;
        c->pairs.emplace_back(system, pair);
        whole = whole && c->pairs.back().learnAll(bounds.table);
    }
    // A system without bets has one state, which the table plays.
    if (whole && makeTable(*c, c->pairs.empty() ? 1 : bounds.table)) {
        c->path = Path::Table;
        return c;
    }
    // The automata learn anew as play goes: what play reaches tells how fast
    // its figures can grow (largestChange()), not what it might reach.
    c->path = Path::Automata;
    c->table.clear();
    c->pairStates.clear();
    std::vector<PairAutomaton> fresh;
    for (const PairAutomaton& a : c->pairs)
        fresh.emplace_back(system, a.pair());
    c->pairs.swap(fresh);
    return c;
}

}  // namespace tamvek::system
