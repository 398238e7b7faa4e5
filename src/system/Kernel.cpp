#include "system/Kernel.h"

#include <algorithm>

namespace tamvek::system {
namespace {

// The Saldo's running figures after a spin.
template <class Run>
void follow(Run& r, Amount delta) {
    r.saldo += delta;
    r.highest = std::max(r.highest, r.saldo);
    r.lowest = std::min(r.lowest, r.saldo);
    r.drawdown = std::max(r.drawdown, r.highest - r.saldo);
}

// Whether the Saldo after the spin has reached a stop; from then on nothing
// is placed or settled.
template <class Run>
bool stopsAt(const Compiled& c, Run& r) {
    r.stopped = r.saldo <= c.stopBelow || r.saldo >= c.stopAbove;
    return r.stopped;
}

// Counts, units staked and the largest stake of a step taken `times` times.
void addTaken(Report& report, const PairStep& step, std::uint64_t times) {
    report.staked += step.staked * static_cast<Amount>(times);
    report.largestStake = std::max(report.largestStake, step.largest);
    if (step.ending == Ending::None) return;
    report.cycles += times;
    (step.end == End::Lost        ? report.lost
     : step.end == End::TakenHome ? report.takenHome
                                  : report.givenBack) += times;
}

}  // namespace

Kernel::Kernel(const System& system) : Kernel(compile(system)) {}

Kernel::Kernel(std::shared_ptr<const Compiled> compiled)
    : m_compiled(std::move(compiled)), m_played(m_compiled->path) {
    const Compiled& c = *m_compiled;
    if (c.path == Path::Table) m_taken[0].resize(c.table.size());
    if (c.path == Path::Automata) m_pairs = std::vector<PairAutomaton>(c.pairs);
    startFile();
}

// The automata's states learnt so far, this kernel's own included.
std::size_t Kernel::states() const {
    if (path() != Path::Automata) return m_compiled->states();
    std::size_t n = 0;
    for (const PairAutomaton& a : m_pairs)
        n += a.states();
    return n;
}

const std::vector<PairAutomaton>& Kernel::pairs() const {
    return m_compiled->path == Path::Automata ? m_pairs : m_compiled->pairs;
}

void Kernel::startFile() {
    m_engine.reset();
    if (m_compiled->path == Path::Engine) {
        m_engine.emplace(m_compiled->system);
        m_engine->recordCycles(m_cycles);
        m_engine->recordSaldo(m_saldo);
    }
    m_run = {};
    m_at = 0;
    m_hop = {};
    m_placed = {};
    for (std::size_t k = 0; k < m_pairs.size(); ++k)
        m_taken[k].assign(m_pairs[k].hops().size(), 0);
    std::fill(m_taken[0].begin(), m_taken[0].end(), 0);
}

void Kernel::recordCycles(std::vector<Cycle>* cycles) {
    m_cycles = cycles;
    if (m_engine) m_engine->recordCycles(cycles);
}

void Kernel::recordSaldo(std::vector<Amount>* saldo) {
    m_saldo = saldo;
    if (m_engine) m_engine->recordSaldo(saldo);
}

void Kernel::play(const std::uint8_t* classes, std::size_t count) {
    if (!m_engine && !roomFor(m_run.spins + count)) handToEngine();
    if (m_engine) {
        m_engine->play(classes, count);
        return;
    }
    const std::size_t played = m_run.stopped ? 0 : playCompiled(classes, count);
    if (played == count) return;
    if (m_run.stopped) {
        playStopped(count - played);
    } else {  // the automata grew too large, or figures could grow too fast
        handToEngine();
        m_engine->play(classes + played, count - played);
    }
}

std::size_t Kernel::playCompiled(const std::uint8_t* classes, std::size_t count) {
    const Compiled& c = *m_compiled;
    const bool notes = m_cycles != nullptr || m_saldo != nullptr;
    using Loop = std::size_t (Kernel::*)(const std::uint8_t*, std::size_t);
    // [stops][notes]
    static constexpr Loop table[2][2] = {
        {&Kernel::playTable<false, false>, &Kernel::playTable<false, true>},
        {&Kernel::playTable<true, false>, &Kernel::playTable<true, true>}};
    // [pairs - 1][stops][notes]
    static constexpr Loop automata[3][2][2] = {
        {{&Kernel::playAutomata<1, false, false>, &Kernel::playAutomata<1, false, true>},
         {&Kernel::playAutomata<1, true, false>, &Kernel::playAutomata<1, true, true>}},
        {{&Kernel::playAutomata<2, false, false>, &Kernel::playAutomata<2, false, true>},
         {&Kernel::playAutomata<2, true, false>, &Kernel::playAutomata<2, true, true>}},
        {{&Kernel::playAutomata<3, false, false>, &Kernel::playAutomata<3, false, true>},
         {&Kernel::playAutomata<3, true, false>, &Kernel::playAutomata<3, true, true>}}};
    const Loop loop = c.path == Path::Table ? table[c.stops][notes]
                                            : automata[m_pairs.size() - 1][c.stops][notes];
    return (this->*loop)(classes, count);
}

// One look-up a spin. The run of lost cycles goes on by the pieces of the
// step, without a branch.
template <bool Stops, bool Notes>
std::size_t Kernel::playTable(const std::uint8_t* classes, std::size_t count) {
    const Compiled& c = *m_compiled;
    // The next step's address is the row's start plus the class's place in a
    // row: one addition and one load between two spins.
    const char* table = reinterpret_cast<const char*>(c.table.data());
    const std::uint32_t* columnAt = c.columnAt.data();
    std::uint64_t* taken = m_taken[0].data();
    Run r = m_run;
    std::uint32_t at = m_at;
    std::size_t i = 0;
    while (i < count) {
        const std::uint32_t here = columnAt[classes[i]] + at;
        const auto& step = *reinterpret_cast<const TableStep*>(table + here);
        ++taken[here / sizeof(TableStep)];
        follow(r, step.delta);
        r.lostRun = std::max({r.lostRun, r.run + step.lostFirst, std::uint64_t{step.lostMost}});
        r.run = step.lostLast + (r.run & (0 - std::uint64_t{step.runGoesOn}));
        if constexpr (Notes)
            note(c.pairStates[at / c.rowBytes()].data(), 1, classes[i], r.spins + i + 1, r.saldo);
        at = step.at;
        ++i;
        if (Stops && stopsAt(c, r)) break;
    }
    r.spins += i;
    m_run = r;
    m_at = at;
    return i;
}

// A look-up in each pair's automaton a spin; the run of lost cycles goes on
// pair by pair. A step not learnt yet is learnt first.
template <std::size_t Pairs, bool Stops, bool Notes>
std::size_t Kernel::playAutomata(const std::uint8_t* classes, std::size_t count) {
    const Compiled& c = *m_compiled;
    std::array<const PairHop*, Pairs> hops;
    std::array<const Kind*, Pairs> kind;
    std::array<std::uint64_t*, Pairs> taken;
    const auto look = [&] {
        for (std::size_t k = 0; k < Pairs; ++k) {
            hops[k] = m_pairs[k].hops().data();
            m_taken[k].resize(m_pairs[k].hops().size());
            taken[k] = m_taken[k].data();
        }
    };
    look();
    std::array<std::uint32_t, Pairs> at;
    for (std::size_t k = 0; k < Pairs; ++k) {
        kind[k] = c.kind[indexOf(m_pairs[k].pair())].data();
        at[k] = m_hop[k];
    }
    Run r = m_run;
    std::size_t i = 0;
    for (; i < count; ++i) {
        const std::uint8_t cls = classes[i];
        bool known = true;
        for (std::size_t k = 0; k < Pairs; ++k)
            known &= hops[k][at[k] + static_cast<std::uint32_t>(kind[k][cls])].at !=
                     PairAutomaton::unknown;
        if (!known) [[unlikely]] {
            // A step learnt may change figures faster than those before it.
            if (!learnSteps(at.data(), cls) || !roomFor(r.spins + count)) break;
            look();
        }
        [[maybe_unused]] const std::array<std::uint32_t, Pairs> before = at;
        Amount delta = 0;
        for (std::size_t k = 0; k < Pairs; ++k) {
            const std::uint32_t here = at[k] + static_cast<std::uint32_t>(kind[k][cls]);
            const PairHop& hop = hops[k][here];
            ++taken[k][here];
            delta += hop.delta;
            at[k] = hop.at;
            const std::uint64_t lost = hop.ending == Ending::Lost;
            const std::uint64_t other = hop.ending == Ending::Other;
            r.run = (r.run + lost) & (other - 1);
            r.lostRun = std::max(r.lostRun, r.run);
        }
        follow(r, delta);
        if constexpr (Notes) note(before.data(), kinds, cls, r.spins + i + 1, r.saldo);
        if (Stops && stopsAt(c, r)) {
            ++i;
            break;
        }
    }
    r.spins += i;
    m_run = r;
    for (std::size_t k = 0; k < Pairs; ++k)
        m_hop[k] = at[k];
    return i;
}

bool Kernel::learnSteps(const std::uint32_t* at, std::uint8_t cls) {
    const Compiled& c = *m_compiled;
    for (std::size_t k = 0; k < m_pairs.size(); ++k) {
        PairAutomaton& a = m_pairs[k];
        const Kind kind = c.kind[indexOf(a.pair())][cls];
        const std::uint32_t state = at[k] / kinds;
        if (a.hops()[at[k] + static_cast<std::size_t>(kind)].at == PairAutomaton::unknown &&
            !a.learn(state, kind, c.pairBound))
            return false;
    }
    return true;
}

void Kernel::note(const std::uint32_t* states, std::uint32_t per, std::uint8_t cls,
                  std::uint64_t spin, Amount saldo) {
    const Compiled& c = *m_compiled;
    for (std::size_t k = 0; k < pairs().size(); ++k) {
        const PairAutomaton& a = pairs()[k];
        const PairStep& step = a.step(states[k] / per, c.kind[indexOf(a.pair())][cls]);
        if (step.placed) m_placed[indexOf(a.pair())] = spin;
        if (step.cycle && m_cycles != nullptr) {
            m_cycles->push_back({m_placed[indexOf(a.pair())], spin, a.pair(), step.side, step.stake,
                                 step.end, saldo, step.fictitious});
        }
    }
    if (m_saldo != nullptr) m_saldo->push_back(saldo);
}

// From a stop on nothing is placed or settled; the spins still count.
void Kernel::playStopped(std::size_t count) {
    m_run.spins += count;
    if (m_saldo != nullptr) m_saldo->insert(m_saldo->end(), count, m_run.saldo);
}

bool Kernel::roomFor(std::uint64_t spins) const {
    const Amount change = std::max(largestChange(pairs()), Amount{1});
    return spins <= (std::uint64_t{1} << 61) / static_cast<std::uint64_t>(change);
}

std::array<std::uint32_t, wheel::pairs> Kernel::pairStates() const {
    const Compiled& c = *m_compiled;
    if (c.path == Path::Table) return c.pairStates[m_at / c.rowBytes()];
    std::array<std::uint32_t, wheel::pairs> states{};
    for (std::size_t k = 0; k < m_pairs.size(); ++k)
        states[k] = static_cast<std::uint32_t>(m_hop[k] / kinds);
    return states;
}

Report Kernel::report() const {
    if (m_engine) return m_engine->report();
    const Compiled& c = *m_compiled;
    Report out;
    out.spins = m_run.spins;
    out.saldo = m_run.saldo;
    out.highest = m_run.highest;
    out.lowest = m_run.lowest;
    out.drawdown = m_run.drawdown;
    out.lostRun = m_run.lostRun;
    if (c.path == Path::Table) {
        for (std::size_t at = 0; at < m_taken[0].size(); ++at) {
            if (m_taken[0][at] == 0) continue;
            const std::size_t column = at % c.columns;
            const auto& states = c.pairStates[at / c.columns];
            for (std::size_t k = 0; k < c.pairs.size(); ++k) {
                const PairAutomaton& a = c.pairs[k];
                addTaken(out, a.step(states[k], c.kindsOf[column][indexOf(a.pair())]),
                         m_taken[0][at]);
            }
        }
        return out;
    }
    for (std::size_t k = 0; k < m_pairs.size(); ++k)
        for (std::size_t at = 0; at < m_taken[k].size(); ++at)
            if (m_taken[k][at] > 0)
                addTaken(out,
                         m_pairs[k].step(static_cast<std::uint32_t>(at / kinds),
                                         static_cast<Kind>(at % kinds)),
                         m_taken[k][at]);
    return out;
}

Amount Kernel::saldo() const {
    return m_engine ? m_engine->report().saldo : m_run.saldo;
}

RunEnd Kernel::end() const {
    if (!m_engine) return {m_run.saldo, m_run.lowest, false};  // a compiled system has no capital
    const Report& r = m_engine->report();
    return {r.saldo, r.lowest, r.ruined != 0};
}

// The engine goes on from where the kernel is: the pairs' seats, histories and
// bets, and the figures so far.
void Kernel::handToEngine() {
    const Compiled& c = *m_compiled;
    Player::State state;
    std::vector<Player::BetState> bets(c.system.bets.size());
    const std::array<std::uint32_t, wheel::pairs> states = pairStates();
    for (std::size_t k = 0; k < pairs().size(); ++k)
        pairs()[k].restore(states[k], state, bets);
    for (int p = 0; p < wheel::pairs; ++p) {
        Player::Seat& seat = state.table[static_cast<std::size_t>(p)];
        if (!seat.stake.on()) continue;
        seat.placed = m_placed[static_cast<std::size_t>(p)];
        if (!seat.fictitious) state.onTable += seat.stake.units;
    }
    state.report = report();
    state.balance = state.report.saldo - state.onTable;
    state.peak = state.report.highest;
    state.run = m_run.run;
    state.stopped = m_run.stopped;
    m_engine.emplace(c.system);
    m_engine->resume(state, bets);
    m_engine->recordCycles(m_cycles);
    m_engine->recordSaldo(m_saldo);
    m_played = Path::Engine;
}

}  // namespace tamvek::system
