#include "engine/Settlement.h"

#include <algorithm>

#include "engine/Balance.h"
#include "engine/StakeTable.h"

namespace tamvek::engine {
namespace {

int spinRow(const GameState& s) {
    return nearestInt<int>(s.currentSpin - 1);
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
        s.*pair.held = 1;
        if (s.*pair.side == 1 || s.*pair.side == 2)
            pair.box(f, s.*pair.side).setBackColour(colours::stakeHeld);
        (f.*pair.withdrawButton).setEnabled(false);
        pair.box(f, 1).setEnabled(false);
        pair.box(f, 2).setEnabled(false);
    }
}

void settlePair(Game& game, const ChancePair& pair, int n) {
    GameState& s = game.state;
    auto& f = game.form;
    auto& log = f.tabelle2;
    const int up = pair.sideOf(n, s);
    if (up != 0) {
        log.setRow(spinRow(s));
        log.setCol(pair.column(up));
        log.setFill(up == 1 ? colours::side1Cell : colours::side2Cell);
        const int side = s.*pair.side;
        if (side == up) {
            s.spinScore = static_cast<std::int16_t>(s.spinScore + 100);
            log.setFill(colours::winCell);
            pair.box(f, 1).setLocked(true);
            pair.box(f, 2).setLocked(true);
            if (s.*pair.held == 1) {
                // A held stake whose side comes up is only given back.
                if (s.fictitiousPlay == 0) s.balance = readBalanceLabel(game);
                s.balance += static_cast<double>(s.*pair.stake);
                if (s.fictitiousPlay == 0) {
                    noteHighest(game, s.balance);
                    showBalance(game);
                }
                takeOffTable(game, pair, Emptied::StakedBox, BoxesAfter::Free);
            } else {
                // The stake doubles and rides on, up to the largest stake: a win
                // past it takes the stake home, so no figure can overflow.
                Amount& stake = s.*pair.stake;
                stake = std::min(stake, largestStake) * 2;
                if (stake > largestStake) {
                    appendWinRow(game, pair);
                    takeHome(game, pair);
                } else {
                    pair.box(f, side).setText(numberText(stake));  // runs the box's range rule
                    if (log.setRow(nearestInt<int>(s.currentSpin))) log.setText("S");
                    log.setRow(spinRow(s));
                    appendWinRow(game, pair);
                }
            }
        } else if (side != 0) {
            s.spinScore = static_cast<std::int16_t>(s.spinScore - 95);
            appendLossRow(game, pair);
            if (s.fictitiousPlay == 0) {
                noteHighest(game, s.balance);
                noteLowest(game, s.balance);
            }
            takeOffTable(game, pair, Emptied::StakedBox, BoxesAfter::Free);
        }
        s.*pair.held = 0;
    }
    // A number that does not decide the pair (37 for red/black) leaves a held
    // stake held: the next deciding number settles it as a held stake.
}

}  // namespace tamvek::engine
