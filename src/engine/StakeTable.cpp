#include "engine/StakeTable.h"

#include "engine/Balance.h"

namespace tamvek::engine {

void takeOffTable(Game& game, const ChancePair& pair, Emptied emptied, BoxesAfter after) {
    GameState& s = game.state;
    auto& f = game.form;
    const int side = s.*pair.side;
    for (int boxSide : {1, 2}) {
        form::TextBox& box = pair.box(f, boxSide);
        if (emptied == Emptied::BothBoxes || boxSide == side) {
            box.setText("");
            box.setBackColour(colours::stakeNeutral);
        }
        if (after == BoxesAfter::AsTheyAre) continue;
        box.setEnabled(true);
        box.setLocked(after == BoxesAfter::Locked);
    }
    (f.*pair.activateButton).setEnabled(false);
    (f.*pair.withdrawButton).setEnabled(false);
    s.*pair.stake = 0;
    s.*pair.active = 0;
    s.*pair.side = 0;
    s.*pair.held = 0;
}

void takeHome(Game& game, const ChancePair& pair) {
    GameState& s = game.state;
    s.balance = readBalanceLabel(game) + static_cast<double>(s.*pair.stake);
    if (s.fictitiousPlay == 0) {
        noteHighest(game, s.balance);
        noteLowest(game, s.balance);
        showBalance(game);
    }
    takeOffTable(game, pair, Emptied::BothBoxes, BoxesAfter::Free);
}

}  // namespace tamvek::engine
