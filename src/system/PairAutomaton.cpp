#include "system/PairAutomaton.h"

#include <algorithm>

namespace tamvek::system {
namespace {

std::shared_ptr<const System> pairBets(const System& system, wheel::Pair pair) {
    auto own = std::make_shared<System>();
    for (const Bet& bet : system.bets)
        if (bet.pair == pair) own->bets.push_back(bet);
    return own;
}

}  // namespace

PairAutomaton::PairAutomaton(const System& system, wheel::Pair pair)
    : m_system(pairBets(system, pair)), m_player(std::in_place, *m_system), m_pair(pair) {
    for (std::size_t b = 0; b < system.bets.size(); ++b)
        if (system.bets[b].pair == pair) m_betOf.push_back(b);
    for (std::size_t k = 0; k < kinds; ++k)
        for (std::uint8_t cls = 0; cls < wheel::classes && !m_numbers[k]; ++cls)
            if (kindOf(pair, cls) == static_cast<Kind>(k)) m_numbers[k] = cls;
    for (const Bet& bet : m_system->bets) {
        addTrigger(bet.after);
        if (bet.rule != SideRule::Fixed) {
            addBeginnings({1});
            addBeginnings({2});
        }
    }
    m_player->startFile();
    stateOf(m_player->state(), m_player->bets(), 1);
}

// A trigger with places of either side (0) stands for every trigger with a
// side in each of them: what history it can still match is what one of those
// can. (The compiler takes no more than a few such places.)
void PairAutomaton::addTrigger(std::vector<int> after) {
    const auto any = std::find(after.begin(), after.end(), 0);
    if (any == after.end()) return addBeginnings(after);
    for (const int side : {1, 2}) {
        *any = side;
        addTrigger(after);
    }
}

// Each beginning of a trigger, by its length: its sides, the oldest highest.
void PairAutomaton::addBeginnings(const std::vector<int>& after) {
    std::uint64_t bits = 0;
    for (std::size_t length = 1; length <= after.size(); ++length) {
        bits = (bits << 1) | (after[length - 1] == 2 ? 1u : 0u);
        if (m_beginnings.size() <= length) m_beginnings.resize(length + 1);
        std::vector<std::uint64_t>& known = m_beginnings[length];
        if (std::find(known.begin(), known.end(), bits) == known.end()) known.push_back(bits);
        m_longest = std::max(m_longest, static_cast<std::uint32_t>(length));
    }
}

// The part of the history that a trigger or `follow` can still use: the
// longest recent stretch that begins one of the pair's triggers (`follow` and
// `opposite` use the triggers "side 1" and "side 2"). Whether a trigger will
// match depends on nothing else.
Player::History PairAutomaton::usable(const Player::History& h) const {
    for (std::uint32_t k = std::min(h.decided, m_longest); k > 0; --k) {
        const std::uint64_t bits = h.outcomes & ((std::uint64_t{1} << k) - 1);
        const std::vector<std::uint64_t>& known = m_beginnings[k];
        if (std::find(known.begin(), known.end(), bits) != known.end()) return {bits, k};
    }
    return {};
}

// The state that the engine's `state` and `bets` stand for; a new one is
// added. Nothing when that would pass `bound` states.
std::optional<std::uint32_t> PairAutomaton::stateOf(const Player::State& state,
                                                    const std::vector<Player::BetState>& bets,
                                                    std::size_t bound) {
    Player::Seat seat = state.table[indexOf(m_pair)];
    if (!seat.stake.on()) seat = {};  // a free seat keeps nothing of its last stake
    seat.placed = 0;
    const Player::History history = usable(state.history[indexOf(m_pair)]);
    m_key.clear();
    m_key.push_back(static_cast<std::uint64_t>(seat.stake.units));
    m_key.push_back(std::uint64_t{seat.stake.side} | std::uint64_t{seat.stake.held} << 8 |
                    std::uint64_t{seat.fictitious} << 9 | std::uint64_t{seat.bet} << 16 |
                    std::uint64_t{seat.stake.wins} << 32);
    m_key.push_back(std::uint64_t{seat.stake.ride} | std::uint64_t{history.decided} << 32);
    m_key.push_back(static_cast<std::uint64_t>(seat.first));
    m_key.push_back(history.outcomes);
    for (std::size_t b = 0; b < bets.size(); ++b) {
        const Player::BetState& bet = bets[b];
        m_key.push_back(static_cast<std::uint64_t>(bet.size));
        m_key.push_back(std::uint64_t{bet.fictitious} |
                        static_cast<std::uint64_t>(bet.fictitiousLost) << 1 |
                        static_cast<std::uint64_t>(bet.step) << 32);
        m_key.push_back(static_cast<std::uint64_t>(bet.series));
        if (m_system->bets[b].progression != Progression::Labouchere) continue;
        // A Labouchère's line as it stands (from its head on), in a key of
        // one length: a longer line is a state too many.
        const std::size_t length = bet.line.size() - bet.head;
        if (length > longestLine) return std::nullopt;
        m_key.push_back(length);
        for (std::size_t at = 0; at < longestLine; ++at)
            m_key.push_back(at < length ? static_cast<std::uint64_t>(bet.line[bet.head + at]) : 0);
    }
    const std::optional<std::uint32_t> id = m_keys.find(m_key, states() < bound);
    if (id && *id == states()) addState(seat, history, bets);
    return id;
}

void PairAutomaton::addState(const Player::Seat& seat, const Player::History& history,
                             const std::vector<Player::BetState>& bets) {
    m_seats.push_back(seat);
    m_histories.push_back(history);
    m_bets.insert(m_bets.end(), bets.begin(), bets.end());
    m_steps.resize(m_steps.size() + kinds);
    m_hops.resize(m_hops.size() + kinds, {0, unknown, Ending::None});
}

bool PairAutomaton::learnAll(std::size_t bound) {
    for (; m_learnt < states(); ++m_learnt)
        for (std::size_t k = 0; k < kinds; ++k)
            if (m_numbers[k] && m_hops[m_learnt * kinds + k].at == unknown &&
                !learn(m_learnt, static_cast<Kind>(k), bound))
                return false;
    return true;
}

// The engine plays a number of `kind` from `state`, the Saldo before it 0.
bool PairAutomaton::learn(std::uint32_t state, Kind kind, std::size_t bound) {
    Player::State from{};
    from.table[indexOf(m_pair)] = m_seats[state];
    from.history[indexOf(m_pair)] = m_histories[state];
    const Player::Seat& seat = from.table[indexOf(m_pair)];
    from.onTable = seat.stake.on() && !seat.fictitious ? seat.stake.units : 0;
    from.balance = -from.onTable;
    const std::size_t bets = m_system->bets.size();
    const auto first = m_bets.begin() + static_cast<std::ptrdiff_t>(state * bets);
    m_from.assign(first, first + static_cast<std::ptrdiff_t>(bets));
    m_player->resume(from, m_from);
    m_cycles.clear();
    m_player->recordCycles(&m_cycles);
    const std::uint8_t number = *m_numbers[static_cast<std::size_t>(kind)];
    m_player->play(&number, 1);

    PairStep step = stepOf(m_player->state());
    const std::optional<std::uint32_t> next = stateOf(m_player->state(), m_player->bets(), bound);
    if (!next) return false;
    step.next = *next;
    const std::size_t at = state * kinds + static_cast<std::size_t>(kind);
    m_steps[at] = step;
    m_hops[at] = {step.delta, static_cast<std::uint32_t>(step.next * kinds), step.ending};
    m_largestDelta = std::max({m_largestDelta, step.delta, -step.delta});
    m_largestStaked = std::max(m_largestStaked, step.staked);
    return true;
}

// What the engine's spin booked, from its state after the spin.
PairStep PairAutomaton::stepOf(const Player::State& after) const {
    PairStep step;
    const Report& r = after.report;
    step.delta = r.saldo;
    step.staked = r.staked;
    step.largest = r.largestStake;
    if (r.cycles > 0) step.ending = r.lost > 0 ? Ending::Lost : Ending::Other;
    step.cycle = !m_cycles.empty();
    if (step.cycle) {
        const Cycle& cycle = m_cycles.front();
        step.end = cycle.end;
        step.fictitious = cycle.fictitious;
        step.side = static_cast<std::uint8_t>(cycle.side);
        step.stake = cycle.stake;
    }
    const Player::Seat& now = after.table[indexOf(m_pair)];
    step.placed = now.stake.on() ? now.placed == 1 : step.cycle && m_cycles.front().placed == 1;
    return step;
}

void PairAutomaton::restore(std::uint32_t state, Player::State& into,
                            std::vector<Player::BetState>& bets) const {
    Player::Seat seat = m_seats[state];
    if (seat.stake.on()) seat.bet = static_cast<std::uint8_t>(m_betOf[seat.bet]);
    into.table[indexOf(m_pair)] = seat;
    into.history[indexOf(m_pair)] = m_histories[state];
    const std::size_t own = m_betOf.size();
    for (std::size_t b = 0; b < own; ++b)
        bets[m_betOf[b]] = m_bets[state * own + b];
}

}  // namespace tamvek::system
