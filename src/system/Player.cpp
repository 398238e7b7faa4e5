#include "system/Player.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "system/Tally.h"

namespace tamvek::system {
namespace {

Amount mul(Amount a, Amount b) {
    Amount product;
    if (!__builtin_mul_overflow(a, b, &product)) return product;
    return std::numeric_limits<Amount>::max();  // only sizes, which are positive
}

// The Fibonacci numbers 1, 1, 2, 3, 5, … as far as the largest stake; a step
// past them is past every limit.
constexpr std::array<Amount, 74> fibonacci = [] {
    std::array<Amount, 74> f{1, 1};
    for (std::size_t i = 2; i < f.size(); ++i)
        f[i] = f[i - 1] + f[i - 2];
    return f;
}();
static_assert(fibonacci.back() > largestStake);

// The stake a Labouchère's line asks for: its first and last number (one
// number alone), times the units.
Amount lineStake(const std::vector<Amount>& line, std::size_t head, Amount units) {
    const Amount pieces = line[head] + (line.size() - head > 1 ? line.back() : 0);
    return mul(pieces, units);
}

// The smallest stake whose win lifts an Oscar's Grind series from `series` to
// +units: a win after `ride` wins gains 2^ride - 1 stakes (one when it rides
// until it is lost).
Amount oscarNeeds(Amount series, Amount units, int ride) {
    const Amount gain = ride <= 0 ? 1 : ride >= 50 ? largestStake : (Amount{1} << ride) - 1;
    const Amount missing = sub(units, series);
    return missing / gain + (missing % gain != 0 ? 1 : 0);
}

}  // namespace

void addFile(Report& total, const Report& file) {
    // The running highest when this file begins is the highest so far (at least
    // the 0 everything starts from); a fall may begin before the file and end in it.
    const Amount offset = total.saldo;
    total.drawdown =
        std::max({total.drawdown, file.drawdown, sub(total.highest, add(offset, file.lowest))});
    total.highest = std::max(total.highest, add(offset, file.highest));
    total.lowest = std::min(total.lowest, add(offset, file.lowest));
    total.saldo = add(offset, file.saldo);
    total.spins += file.spins;
    total.cycles += file.cycles;
    total.takenHome += file.takenHome;
    total.lost += file.lost;
    total.givenBack += file.givenBack;
    total.staked = add(total.staked, file.staked);
    total.lostRun = std::max(total.lostRun, file.lostRun);
    total.largestStake = std::max(total.largestStake, file.largestStake);
    total.atMaximum += file.atMaximum;
    total.ruined += file.ruined;
}

Player::Player(const System& system)
    : m_system(system),
      m_rules(system.bets.size()),
      m_most(std::min(system.tableMax.value_or(largestStake), largestStake)),
      m_hasCapital(system.capital.has_value()),
      m_capital(system.capital.value_or(0)),
      m_bets(system.bets.size()) {
    for (std::size_t b = 0; b < m_rules.size(); ++b) {
        const Bet& bet = system.bets[b];
        BetRule& rule = m_rules[b];
        rule.pair = static_cast<std::uint8_t>(bet.pair);
        rule.rule = bet.rule;
        rule.side = static_cast<std::uint8_t>(bet.side);
        rule.progression = bet.progression;
        rule.ride = bet.ride;
        rule.virtualLosses = bet.virtualLosses;
        rule.units = bet.units;
        // A progression past its limit, or past the largest stake, starts again.
        rule.limit = std::min(bet.limit.value_or(largestStake), largestStake);
        rule.length = static_cast<std::uint32_t>(bet.after.size());
        for (int outcome : bet.after) {
            rule.pattern = (rule.pattern << 1) | (outcome == 2 ? 1u : 0u);
            rule.mask = (rule.mask << 1) | (outcome == 0 ? 0u : 1u);  // "any" matches either
        }
    }
    startFile();
}

void Player::startFile() {
    for (std::size_t b = 0; b < m_bets.size(); ++b) {
        m_bets[b].fictitious = m_rules[b].virtualLosses > 0;
        m_bets[b].fictitiousLost = 0;
        startProgression(b);
    }
    m_state = {};
}

void Player::resume(const State& state, const std::vector<BetState>& bets) {
    m_state = state;
    m_bets = bets;
}

OnTable Player::onTable(wheel::Pair pair) const {
    const Seat& t = m_state.table[static_cast<std::size_t>(pair)];
    return {t.stake.on(),  t.stake.held, t.fictitious, t.stake.side,
            t.stake.units, t.first,      t.placed};
}

// What a system uses decides which work the spin loop does: a loop without
// triggers keeps no history, one without fictitious bets never asks, and one
// without a progression never moves a size.
enum Feature : unsigned {
    RecordNotes = 1,     // notes of cycles and Saldo
    KeepHistory = 2,     // triggers, follow and opposite
    HasFictitious = 4,   // bets with a fictitious entry
    HasProgression = 8,  // any progression but flat
    HasStops = 16,       // stop_loss, take_profit or a capital
};

// One spin loop for every combination of features, chosen once per call.
template <std::size_t... F>
constexpr auto spinLoops(std::index_sequence<F...>) {
    return std::array{&Player::playSpins<static_cast<unsigned>(F)>...};
}

void Player::play(const std::uint8_t* classes, std::size_t count) {
    unsigned features = 0;
    if (m_cycles != nullptr || m_saldo != nullptr) features |= RecordNotes;
    for (const BetRule& rule : m_rules) {
        if (rule.length > 0 || rule.rule != SideRule::Fixed) features |= KeepHistory;
        if (rule.virtualLosses > 0) features |= HasFictitious;
        if (rule.progression != Progression::Flat) features |= HasProgression;
    }
    if (m_system.stopLoss || m_system.takeProfit || m_hasCapital) features |= HasStops;
    static constexpr auto loops = spinLoops(std::make_index_sequence<32>{});
    (this->*loops[features])(classes, count);
}

// The spin loop works on a copy of the state in local variables, so that the
// compiler can keep it in registers.
template <unsigned F>
void Player::playSpins(const std::uint8_t* classes, std::size_t count) {
    State s = m_state;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint64_t spin = ++s.report.spins;
        if constexpr ((F & HasStops) != 0) {
            if (s.stopped) {
                if constexpr ((F & RecordNotes) != 0) {
                    if (m_saldo != nullptr) m_saldo->push_back(s.report.saldo);
                }
                continue;  // from a stop on nothing is placed or settled
            }
        }
        const std::size_t cyclesBefore =
            (F & RecordNotes) != 0 && m_cycles != nullptr ? m_cycles->size() : 0;
        placeStakes<F>(s, spin);
        if constexpr ((F & HasStops) != 0) {
            if (s.stopped) {  // ruined: the spin is not played
                if constexpr ((F & RecordNotes) != 0) {
                    if (m_saldo != nullptr) m_saldo->push_back(s.report.saldo);
                }
                continue;
            }
        }
        settleNumber<F>(s, classes[i], spin);
        closeSpin<F>(s, cyclesBefore);
    }
    m_state = s;
}

// Placing, in file order; a later bet for a busy pair waits.
template <unsigned F>
void Player::placeStakes(State& s, std::uint64_t spin) {
    for (std::size_t b = 0; b < m_rules.size(); ++b) {
        const BetRule& rule = m_rules[b];
        Seat& t = s.table[rule.pair];
        if (t.stake.on()) continue;
        std::uint8_t side = rule.side;
        if constexpr ((F & KeepHistory) != 0) {
            const History& h = s.history[rule.pair];
            if (rule.length > 0 &&
                (h.decided < rule.length || (h.outcomes & rule.mask) != rule.pattern))
                continue;
            if (rule.rule != SideRule::Fixed) {
                if (h.decided == 0) continue;  // nothing to follow yet
                const std::uint8_t last = (h.outcomes & 1u) != 0 ? 2 : 1;
                side = rule.rule == SideRule::Follow ? last : static_cast<std::uint8_t>(3 - last);
            }
        }
        const bool fictitious = (F & HasFictitious) != 0 && m_bets[b].fictitious;
        Amount size = (F & HasProgression) != 0 ? m_bets[b].size : rule.units;
        if (size > m_most) {
            size = m_most;
            if (!fictitious) ++s.report.atMaximum;
        }
        if constexpr ((F & HasStops) != 0) {
            if (!fictitious && m_hasCapital && size > add(m_capital, s.balance)) {
                s.stopped = true;  // the free capital cannot cover it: ruined
                s.report.ruinedAt = spin;
                s.report.ruined = 1;
                return;
            }
        }
        t.stake = wheel::place(side, size, static_cast<std::uint32_t>(rule.ride));
        t.bet = static_cast<std::uint8_t>(b);
        t.first = size;  // kept for notes and for onTable()
        t.placed = spin;
        t.fictitious = fictitious;
        if (!t.fictitious) {
            s.balance = sub(s.balance, size);
            s.onTable += size;
            s.report.staked = add(s.report.staked, size);
        }
    }
}

// The number, pair by pair in the order red/black, low/high, even/odd.
template <unsigned F>
void Player::settleNumber(State& s, std::uint8_t cls, std::uint64_t spin) {
    for (int p = 0; p < wheel::pairs; ++p) {
        const auto pair = static_cast<wheel::Pair>(p);
        if constexpr ((F & KeepHistory) != 0) {
            const std::uint8_t up = wheel::sideUp(pair, cls);
            History& h = s.history[static_cast<std::size_t>(p)];
            if (up != 0) {
                h.outcomes = (h.outcomes << 1) | (up == 2 ? 1u : 0u);
                h.decided += h.decided < std::numeric_limits<std::uint32_t>::max();
            }
        }
        Seat& t = s.table[static_cast<std::size_t>(p)];
        const std::uint8_t side = t.stake.side;
        const Amount atRisk = t.stake.units;
        const wheel::Settled settled = wheel::settle(t.stake, pair, cls, m_most);
        const bool real = (F & HasFictitious) == 0 || !t.fictitious;
        // A stake is at risk when the spin settles or holds it, at its value
        // before the spin (a win that goes home never risked its doubled value).
        if (real && settled.outcome != wheel::Outcome::Untouched)
            s.report.largestStake = std::max(s.report.largestStake, atRisk);
        switch (settled.outcome) {
            case wheel::Outcome::Lost:
                if (real) s.onTable -= settled.units;
                endCycle<F>(s, t, p, side, End::Lost, settled.units, spin);
                break;
            case wheel::Outcome::Rides:
            case wheel::Outcome::Home:
                if (real) s.onTable += settled.units / 2;  // the win
                if (settled.outcome == wheel::Outcome::Rides) break;
                [[fallthrough]];
            case wheel::Outcome::GivenBack:
                // Back into the balance: a held stake as it was, a stake home doubled.
                if (real) {
                    s.balance = add(s.balance, settled.units);
                    s.onTable -= settled.units;
                }
                endCycle<F>(
                    s, t, p, side,
                    settled.outcome == wheel::Outcome::Home ? End::TakenHome : End::GivenBack,
                    settled.units, spin);
                break;
            case wheel::Outcome::Untouched:
            case wheel::Outcome::Held:
                break;
        }
    }
}

template <unsigned F>
void Player::endCycle(State& s, const Seat& seat, int pair, std::uint8_t side, End how,
                      Amount value, std::uint64_t spin) {
    const BetRule& rule = m_rules[seat.bet];
    BetState& bet = m_bets[seat.bet];
    if constexpr ((F & RecordNotes) != 0) {
        if (m_cycles != nullptr)
            m_cycles->push_back({seat.placed, spin, static_cast<wheel::Pair>(pair), side,
                                 seat.first, how, 0, seat.fictitious});
    }
    if constexpr ((F & HasFictitious) != 0) {
        if (seat.fictitious) {
            // Only the bet's fictitious run counts; a given-back cycle leaves it as it is.
            if (how == End::Lost && ++bet.fictitiousLost >= rule.virtualLosses) {
                bet.fictitious = false;
                bet.fictitiousLost = 0;
            } else if (how == End::TakenHome) {
                bet.fictitiousLost = 0;
            }
            return;
        }
    }
    tallyEnd(s.report, s.run, how);
    if constexpr ((F & HasProgression) != 0) moveProgression(seat.bet, how, value, seat.first);
    if constexpr ((F & HasFictitious) != 0) {
        // A bet with a fictitious entry goes back to watching once its real cycle ends.
        if (rule.virtualLosses > 0) {
            bet.fictitious = true;
            bet.fictitiousLost = 0;
        }
    }
}

// Every progression starts at its first stake: a file's start, a size past
// its limit, the end of an Oscar's Grind series, an empty Labouchère line.
void Player::startProgression(std::size_t b) {
    const BetRule& rule = m_rules[b];
    BetState& bet = m_bets[b];
    bet.step = 0;
    bet.series = 0;
    bet.size = rule.units;
    if (rule.progression == Progression::Labouchere) {
        bet.line = m_system.bets[b].sequence;
        bet.head = 0;
        bet.size = lineStake(bet.line, bet.head, rule.units);
    }
}

// After a lost cycle a martingale doubles and a d'Alembert adds its units;
// after one taken home they start again or step down; a given-back cycle leaves
// every progression where it was. A size past the limit starts again. A
// progression goes on from the size it asked for, also when the table's
// maximum cut the stake `placed`; an Oscar's Grind series counts what was won.
void Player::moveProgression(std::size_t b, End how, Amount value, Amount placed) {
    const BetRule& rule = m_rules[b];
    BetState& bet = m_bets[b];
    if (how == End::GivenBack) return;
    const bool lost = how == End::Lost;
    switch (rule.progression) {
        case Progression::Flat:
            return;
        case Progression::Martingale:
            bet.size = lost ? add(bet.size, bet.size) : rule.units;
            break;
        case Progression::Dalembert:
            bet.size =
                lost ? add(bet.size, rule.units) : std::max(rule.units, bet.size - rule.units);
            break;
        case Progression::Fibonacci:
            bet.step = lost ? bet.step + 1 : std::max(0, bet.step - 2);
            bet.size = static_cast<std::size_t>(bet.step) < fibonacci.size()
                           ? mul(rule.units, fibonacci[static_cast<std::size_t>(bet.step)])
                           : std::numeric_limits<Amount>::max();
            break;
        case Progression::Labouchere:
            moveLine(b, lost);
            break;
        case Progression::Oscar:
            // A loss leaves the stake; a win raises it, but never past what
            // lifts the series to +units, where the series ends.
            bet.series = lost ? sub(bet.series, placed) : add(bet.series, value - placed);
            if (lost) break;
            if (bet.series >= rule.units) return startProgression(b);
            bet.size =
                std::min(add(bet.size, rule.units), oscarNeeds(bet.series, rule.units, rule.ride));
            break;
    }
    if (bet.size > rule.limit) startProgression(b);
}

// A lost stake goes to the end of the line; a win strikes its first and last
// number, and an empty line starts again.
void Player::moveLine(std::size_t b, bool lost) {
    BetState& bet = m_bets[b];
    const Amount units = m_rules[b].units;
    if (lost) {
        bet.line.push_back(bet.size / units);
    } else {
        ++bet.head;
        if (bet.head < bet.line.size()) bet.line.pop_back();
        if (bet.head >= bet.line.size()) return startProgression(b);
    }
    if (bet.head > 64 && 2 * bet.head > bet.line.size()) {
        bet.line.erase(bet.line.begin(), bet.line.begin() + static_cast<std::ptrdiff_t>(bet.head));
        bet.head = 0;
    }
    bet.size = lineStake(bet.line, bet.head, units);
}

// The Saldo after the spin and the figures that follow it.
template <unsigned F>
void Player::closeSpin(State& s, std::size_t cyclesBefore) {
    const Amount saldo = add(s.balance, s.onTable);
    tallySaldo(s.report, s.peak, saldo);
    if constexpr ((F & RecordNotes) != 0) {
        if (m_cycles != nullptr)
            for (std::size_t k = cyclesBefore; k < m_cycles->size(); ++k)
                (*m_cycles)[k].saldo = saldo;
        if (m_saldo != nullptr) m_saldo->push_back(saldo);
    } else {
        (void)cyclesBefore;
    }
    if constexpr ((F & HasStops) != 0) {
        const Amount stopLoss =
            m_system.stopLoss ? -*m_system.stopLoss : std::numeric_limits<Amount>::min();
        const Amount takeProfit = m_system.takeProfit.value_or(std::numeric_limits<Amount>::max());
        if (saldo <= stopLoss || saldo >= takeProfit) s.stopped = true;
    }
}

Report playSpins(const System& system, const std::vector<std::uint8_t>& classes) {
    Player player(system);
    player.play(classes.data(), classes.size());
    return player.report();
}

}  // namespace tamvek::system
