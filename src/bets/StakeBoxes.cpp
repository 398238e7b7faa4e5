#include "bets/StakeBoxes.h"

#include "engine/ChancePair.h"

namespace tamvek::bets {

void rangeRule(form::TextBox& box) {
    // The rule judges what the player types. A locked box takes no typing: what
    // the game writes there (a riding stake, doubled past 999) is a fact the
    // player must see, and "Absetz" pays exactly that.
    if (box.locked()) return;
    // Writing "" runs this rule again; that nested pass writes "" once more,
    // which is no change and ends the chain.
    if (numericValue(box.text()) < 1) box.setText("");
    if (numericValue(box.text()) > 999) {
        box.setText("");
        box.setBackColour(colours::stakeRejected);
    }
}

void scrollRule(engine::Game& game) {
    auto& log = game.form.tabelle2;
    const int r = log.row();
    if (r > 21) log.setTopRow(r - 21);
}

void partnerRule(engine::Game& game, const engine::ChancePair& pair, int side) {
    if (game.state.*pair.side != 0) return;
    auto& f = game.form;
    form::TextBox& box = pair.box(f, side);
    form::TextBox& partner = pair.box(f, side == 1 ? 2 : 1);
    if (numericValue(box.text()) > 0) {
        partner.setText("");
        (f.*pair.activateButton).setEnabled(true);
    } else {
        (f.*pair.activateButton).setEnabled(false);
    }
}

}  // namespace tamvek::bets
