#include "system/Player.h"

#include <algorithm>
#include <limits>

namespace tamvek::system {
namespace {

// Figures saturate rather than wrap: only a file made to hurt could get there.
Amount add(Amount a, Amount b) {
    Amount sum;
    if (!__builtin_add_overflow(a, b, &sum)) return sum;
    return b > 0 ? std::numeric_limits<Amount>::max() : std::numeric_limits<Amount>::min();
}

Amount sub(Amount a, Amount b) {
    Amount difference;
    if (!__builtin_sub_overflow(a, b, &difference)) return difference;
    return b < 0 ? std::numeric_limits<Amount>::max() : std::numeric_limits<Amount>::min();
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
}

Player::Player(const System& system) : m_system(system), m_bets(system.bets.size()) {
    for (std::size_t b = 0; b < m_bets.size(); ++b) {
        const Bet& bet = system.bets[b];
        BetState& state = m_bets[b];
        // The trigger as bits: the oldest outcome highest, the last at bit 0.
        state.length = static_cast<std::uint32_t>(bet.after.size());
        for (int outcome : bet.after)
            state.pattern = (state.pattern << 1) | (outcome == 2 ? 1u : 0u);
        state.mask =
            state.length >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << state.length) - 1;
    }
    startFile();
}

void Player::startFile() {
    for (std::size_t b = 0; b < m_bets.size(); ++b) {
        const Bet& bet = m_system.bets[b];
        m_bets[b].size = bet.units;
        m_bets[b].fictitious = bet.virtualLosses > 0;
        m_bets[b].fictitiousLost = 0;
    }
    m_table = {};
    m_history = {};
    m_balance = 0;
    m_onTable = 0;
    m_peak = 0;
    m_run = 0;
    m_stopped = false;
    m_report = {};
}

void Player::place(std::uint64_t spin) {
    for (std::size_t b = 0; b < m_bets.size(); ++b) {
        const Bet& bet = m_system.bets[b];
        Stake& t = m_table[static_cast<std::size_t>(bet.pair)];
        if (t.on) continue;  // a later bet for a busy pair waits
        const BetState& state = m_bets[b];
        const History& h = m_history[static_cast<std::size_t>(bet.pair)];
        if (state.length > 0 &&
            (h.decided < state.length || (h.outcomes & state.mask) != state.pattern))
            continue;
        int side = bet.side;
        if (bet.rule != SideRule::Fixed) {
            if (h.decided == 0) continue;  // nothing to follow yet
            const int last = (h.outcomes & 1u) != 0 ? 2 : 1;
            side = bet.rule == SideRule::Follow ? last : 3 - last;
        }
        t = Stake{true, false, state.fictitious, side, 0, b, state.size, state.size, spin};
        if (!t.fictitious) {
            m_balance = sub(m_balance, t.stake);
            m_onTable += t.stake;
            m_report.staked = add(m_report.staked, t.stake);
            m_report.largestStake = std::max(m_report.largestStake, t.stake);
        }
    }
}

void Player::settle(std::uint8_t cls, std::uint64_t spin) {
    if (cls == 0) {
        for (Stake& t : m_table)
            if (t.on) t.held = true;  // a second zero changes nothing
        return;
    }
    const wheel::Sides& sides = wheel::sidesOf[cls];
    for (int p = 0; p < wheel::pairs; ++p) {
        const int up = sides.side[static_cast<std::size_t>(p)];
        if (up == 0) continue;  // not decided: the stake stays as it is, held or not
        History& h = m_history[static_cast<std::size_t>(p)];
        h.outcomes = (h.outcomes << 1) | (up == 2 ? 1u : 0u);
        if (h.decided < std::numeric_limits<std::uint32_t>::max()) ++h.decided;
        Stake& t = m_table[static_cast<std::size_t>(p)];
        if (!t.on) continue;
        if (t.side != up) {
            if (!t.fictitious) m_onTable -= t.stake;
            end(p, End::Lost, spin);
        } else if (t.held) {
            if (!t.fictitious) {
                m_balance = add(m_balance, t.stake);
                m_onTable -= t.stake;
            }
            end(p, End::GivenBack, spin);
        } else {
            ++t.wins;
            if (!t.fictitious) m_onTable += t.stake;
            t.stake *= 2;
            if (!t.fictitious) m_report.largestStake = std::max(m_report.largestStake, t.stake);
            const int ride = m_system.bets[t.bet].ride;
            if ((ride > 0 && t.wins >= ride) || t.stake > largestStake) {
                if (!t.fictitious) {
                    m_balance = add(m_balance, t.stake);
                    m_onTable -= t.stake;
                }
                end(p, End::TakenHome, spin);
            }
        }
    }
}

void Player::end(int pair, End how, std::uint64_t spin) {
    Stake& t = m_table[static_cast<std::size_t>(pair)];
    const Bet& bet = m_system.bets[t.bet];
    BetState& state = m_bets[t.bet];
    t.on = false;
    if (t.fictitious) {
        // Only the bet's fictitious run counts; a given-back cycle leaves it as it is.
        if (how == End::Lost && ++state.fictitiousLost >= bet.virtualLosses) {
            state.fictitious = false;
            state.fictitiousLost = 0;
        } else if (how == End::TakenHome) {
            state.fictitiousLost = 0;
        }
        return;
    }
    ++m_report.cycles;
    switch (how) {
        case End::TakenHome:
            ++m_report.takenHome;
            m_run = 0;
            if (bet.progression == Progression::Martingale) state.size = bet.units;
            if (bet.progression == Progression::Dalembert)
                state.size = std::max(bet.units, state.size - bet.units);
            break;
        case End::Lost:
            ++m_report.lost;
            m_report.lostRun = std::max(m_report.lostRun, ++m_run);
            if (bet.progression == Progression::Martingale)
                state.size = add(state.size, state.size);
            if (bet.progression == Progression::Dalembert) state.size = add(state.size, bet.units);
            break;
        case End::GivenBack:
            ++m_report.givenBack;  // the progression stays where it was
            m_run = 0;
            break;
    }
    // A progression past its limit (or past the largest stake) starts again.
    const Amount limit = std::min(bet.limit.value_or(largestStake), largestStake);
    if (state.size > limit) state.size = bet.units;
    // A bet with a fictitious entry goes back to watching once its real cycle ends.
    if (bet.virtualLosses > 0) {
        state.fictitious = true;
        state.fictitiousLost = 0;
    }
    if (m_cycles != nullptr)
        m_cycles->push_back(
            {t.placed, spin, static_cast<wheel::Pair>(pair), t.side, t.first, how, 0});
}

void Player::play(const std::uint8_t* classes, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint64_t spin = ++m_report.spins;
        if (!m_stopped) {
            const std::size_t cyclesBefore = m_cycles != nullptr ? m_cycles->size() : 0;
            place(spin);
            settle(classes[i], spin);
            const Amount saldo = add(m_balance, m_onTable);
            m_report.saldo = saldo;
            m_report.highest = std::max(m_report.highest, saldo);
            m_report.lowest = std::min(m_report.lowest, saldo);
            m_peak = std::max(m_peak, saldo);
            m_report.drawdown = std::max(m_report.drawdown, sub(m_peak, saldo));
            if (m_cycles != nullptr)
                for (std::size_t k = cyclesBefore; k < m_cycles->size(); ++k)
                    (*m_cycles)[k].saldo = saldo;
            if ((m_system.stopLoss && saldo <= -*m_system.stopLoss) ||
                (m_system.takeProfit && saldo >= *m_system.takeProfit))
                m_stopped = true;  // from here on nothing is placed or settled
        }
        if (m_saldo != nullptr) m_saldo->push_back(m_report.saldo);
    }
}

Report playSpins(const System& system, const std::vector<std::uint8_t>& classes) {
    Player player(system);
    player.play(classes.data(), classes.size());
    return player.report();
}

}  // namespace tamvek::system
