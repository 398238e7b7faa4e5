#include "bets/StakeBoxes.h"

#include "engine/ChancePair.h"

namespace tamvek::bets {

void rangeRule(engine::Game& game, form::TextBox& box) {
    (void)game;
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

void partnerRule(engine::Game& game, int index) {
    if (index < 0 || index > 5) return;
    const engine::ChancePair& pair = engine::chancePairs[static_cast<std::size_t>(index / 2)];
    if (game.state.*pair.side != 0) return;
    auto& f = game.form;
    form::TextBox& box = index % 2 == 0 ? f.*pair.box1 : f.*pair.box2;
    form::TextBox& partner = index % 2 == 0 ? f.*pair.box2 : f.*pair.box1;
    if (numericValue(box.text()) > 0) {
        partner.setText("");
        (f.*pair.activateButton).setEnabled(true);
    } else {
        (f.*pair.activateButton).setEnabled(false);
    }
}

}  // namespace tamvek::bets
