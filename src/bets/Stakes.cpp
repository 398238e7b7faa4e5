#include "bets/Stakes.h"

#include "engine/Balance.h"
#include "engine/StakeTable.h"

namespace tamvek::bets {

using engine::ChancePair;
using engine::Game;

void activatePair(Game& game, const ChancePair& pair) {
    auto& s = game.state;
    auto& f = game.form;
    form::TextBox& box1 = pair.box(f, 1);
    form::TextBox& box2 = pair.box(f, 2);
    const double v1 = numericValue(box1.text());
    const double v2 = numericValue(box2.text());
    if (v1 <= 0 && v2 <= 0) {
        // The text left the box without a key release (cut with the mouse):
        // there is nothing to put on the table.
        (f.*pair.activateButton).setEnabled(false);
        return;
    }
    if (v1 > 0) {
        s.*pair.side = 1;
        box1.setBackColour(colours::stakeOn);
    }
    if (v2 > 0) {
        s.*pair.side = 2;
        box2.setBackColour(colours::stakeOn);
    }
    box1.setLocked(true);
    box2.setLocked(true);
    (f.*pair.activateButton).setEnabled(false);
    (f.*pair.withdrawButton).setEnabled(true);
    s.*pair.stake = nearestInt<Amount>(v1 + v2);
    if (s.fictitiousPlay == 0) {
        s.balance = engine::readBalanceLabel(game) - static_cast<double>(s.*pair.stake);
        engine::showBalance(game);
    }
    s.*pair.active = 1;
    auto& log = f.tabelle2;
    log.setCol(pair.column(s.*pair.side == 1 ? 1 : 2));
    if (log.setRow(nearestInt<int>(s.currentSpin))) log.setText("S");
}

void withdrawPair(Game& game, const ChancePair& pair) {
    auto& s = game.state;
    auto& f = game.form;
    // The refund is what is on the table. The boxes show the same amount,
    // except after a stake doubled past 999, which emptied its box.
    engine::takeHome(game, pair);
    auto& log = f.tabelle2;
    const int row = nearestInt<int>(s.currentSpin);
    for (int side : {1, 2}) {
        log.setCol(pair.column(side));
        if (log.setRow(row)) log.setText("");
    }
}

}  // namespace tamvek::bets
