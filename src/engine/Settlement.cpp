#include "engine/Settlement.h"

#include "engine/Balance.h"
#include "engine/StakeTable.h"
#include "wheel/Rule.h"

namespace tamvek::engine {
namespace {

int spinRow(const GameState& s) {
    return nearestInt<int>(s.currentSpin - 1);
}

// The pair's fields as the rule of the wheel sees them, and back.
wheel::Stake stakeOf(const GameState& s, const ChancePair& pair) {
    wheel::Stake stake;
    stake.units = s.*pair.stake;
    stake.side =
        static_cast<std::uint8_t>(s.*pair.side == 1 || s.*pair.side == 2 ? s.*pair.side : 0);
    stake.held = s.*pair.held == 1;
    return stake;
}

// A win of any kind: the score, the yellow cell, and both boxes locked.
void markWin(Game& game, const ChancePair& pair) {
    game.state.spinScore = static_cast<std::int16_t>(game.state.spinScore + 100);
    game.form.tabelle2.setFill(colours::winCell);
    pair.box(game.form, 1).setLocked(true);
    pair.box(game.form, 2).setLocked(true);
}

// A held stake whose side comes up is only given back.
void giveBack(Game& game, const ChancePair& pair, Amount units) {
    GameState& s = game.state;
    if (s.fictitiousPlay == 0) s.balance = readBalanceLabel(game);
    s.balance += static_cast<double>(units);
    if (s.fictitiousPlay == 0) {
        noteHighest(game, s.balance);
        showBalance(game);
    }
    takeOffTable(game, pair, Emptied::StakedBox, BoxesAfter::Free);
}

// The stake doubled and rides on: its box shows it, and the next spin's row
// marks it.
void rideOn(Game& game, const ChancePair& pair, Amount units) {
    GameState& s = game.state;
    auto& log = game.form.tabelle2;
    s.*pair.stake = units;
    pair.box(game.form, s.*pair.side).setText(numberText(units));  // runs the box's range rule
    if (log.setRow(nearestInt<int>(s.currentSpin))) log.setText("S");
    log.setRow(spinRow(s));
    appendWinRow(game, pair);
}

void lose(Game& game, const ChancePair& pair) {
    GameState& s = game.state;
    s.spinScore = static_cast<std::int16_t>(s.spinScore - 95);
    appendLossRow(game, pair);
    if (s.fictitiousPlay == 0) {
        noteHighest(game, s.balance);
        noteLowest(game, s.balance);
    }
    takeOffTable(game, pair, Emptied::StakedBox, BoxesAfter::Free);
}

}  // namespace

void settleSpin(Game& game) {
    GameState& s = game.state;
    auto& log = game.form.tabelle2;
    if (s.currentNumber == 0) {
        log.setRow(spinRow(s));
        for (const ChancePair& pair : chancePairs) {
            for (int side : {1, 2}) {
                log.setCol(pair.column(side));
                log.setFill(colours::zeroCell);
            }
        }
        holdStakesOnZero(game);
        return;
    }
    s.spinScore = 0;
    for (const ChancePair& pair : chancePairs)
        settlePair(game, pair, s.currentNumber);
    log.setRow(spinRow(s));
}

void holdStakesOnZero(Game& game) {
    GameState& s = game.state;
    auto& f = game.form;
    for (const ChancePair& pair : chancePairs) {
        if (s.*pair.active != 1) continue;
        wheel::Stake stake = stakeOf(s, pair);
        if (wheel::settle(stake, pair.wheelPair(), 0).outcome == wheel::Outcome::Held)
            pair.box(f, stake.side).setBackColour(colours::stakeHeld);
        s.*pair.held = 1;
        (f.*pair.withdrawButton).setEnabled(false);
        pair.box(f, 1).setEnabled(false);
        pair.box(f, 2).setEnabled(false);
    }
}

void settlePair(Game& game, const ChancePair& pair, int n) {
    GameState& s = game.state;
    auto& log = game.form.tabelle2;
    const std::uint8_t cls = wheel::classOf(n);
    const int up = wheel::sideUp(pair.wheelPair(), cls);
    // A number that does not decide the pair (37 for red/black) leaves a held
    // stake held: the next deciding number settles it as a held stake.
    if (up == 0) return;
    log.setRow(spinRow(s));
    log.setCol(pair.column(up));
    log.setFill(up == 1 ? colours::side1Cell : colours::side2Cell);
    wheel::Stake stake = stakeOf(s, pair);
    const wheel::Settled settled = wheel::settle(stake, pair.wheelPair(), cls);
    switch (settled.outcome) {
        case wheel::Outcome::GivenBack:
            markWin(game, pair);
            giveBack(game, pair, settled.units);
            break;
        case wheel::Outcome::Rides:
            markWin(game, pair);
            rideOn(game, pair, settled.units);
            break;
        case wheel::Outcome::Home:
            // Past the largest stake: the win takes the stake home, so no figure
            // can overflow.
            markWin(game, pair);
            s.*pair.stake = settled.units;
            appendWinRow(game, pair);
            takeHome(game, pair);
            break;
        case wheel::Outcome::Lost:
            lose(game, pair);
            break;
        case wheel::Outcome::Untouched:
        case wheel::Outcome::Held:
            break;
    }
    s.*pair.held = 0;
}

}  // namespace tamvek::engine
