#include "control/RunOptions.h"

#include "engine/Balance.h"
#include "engine/ChancePair.h"
#include "engine/StakeTable.h"

namespace tamvek::control {
namespace {

// The value stored from an accepted count or halt-at text. A text that starts
// with a number but goes on with something else ("12a") counts as its leading
// number, read the same way everywhere, so no text can stop the program.
double wholeTextValue(const std::string& text) {
    return numericValue(text);
}

}  // namespace

void countChanged(engine::Game& game) {
    auto& f = game.form;
    const double v = numericValue(f.textanzahl.text());
    if (v <= 0 || v >= 10000) {
        f.okstart.setEnabled(false);
        f.okersatz.setEnabled(false);
        f.textanzahl.setText("");
        return;
    }
    game.state.wantedSpins = wholeTextValue(f.textanzahl.text());
    f.okstart.setEnabled(true);
    f.okersatz.setEnabled(true);
}

void modeChanged(engine::Game& game) {
    auto& f = game.form;
    if (f.Option1.isSelected(0))
        for (form::TextBox* box : f.stakeBoxes())
            box->setLocked(false);
    if (f.Option1.isSelected(2)) {
        f.haltbei.setBackColour(colours::white);
        f.haltbei.setEnabled(true);
    } else {
        f.haltbei.setBackColour(colours::silver);
        f.haltbei.setText("");
        f.haltbei.setEnabled(false);
    }
}

void haltChanged(engine::Game& game) {
    auto& s = game.state;
    auto& f = game.form;
    if (numericValue(f.haltbei.text()) > 0) {
        s.haltAtSpin = wholeTextValue(f.haltbei.text());
    } else {
        f.haltbei.setText("");
    }

    // Every stake on the table goes back into the balance. Only units that are
    // on the table count: a stake typed but never activated was never taken.
    // In real play the booking starts from the balance label, like every other.
    double refund = 0;
    for (const engine::ChancePair& pair : engine::chancePairs) {
        if (s.*pair.active != 1) continue;
        refund += static_cast<double>(s.*pair.stake);
    }
    s.balance = (s.fictitiousPlay == 0 ? engine::readBalanceLabel(game) : s.balance) + refund;
    if (s.fictitiousPlay == 0) {
        engine::noteHighest(game, s.balance);
        engine::noteLowest(game, s.balance);
        engine::showBalance(game);
    }
    for (const engine::ChancePair& pair : engine::chancePairs) {
        if (s.*pair.held == 1) {
            // Given back, a held stake is no longer held and its boxes are free.
            pair.box(f, 1).setEnabled(true);
            pair.box(f, 2).setEnabled(true);
        }
        engine::takeOffTable(game, pair, engine::Emptied::BothBoxes, engine::BoxesAfter::AsTheyAre);
    }
}

}  // namespace tamvek::control
