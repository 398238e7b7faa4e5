#include "control/StartUp.h"

#include "engine/Balance.h"
#include "engine/ChancePair.h"
#include "engine/FictitiousPlay.h"
#include "engine/SpinSource.h"
#include "engine/StakeTable.h"

namespace tamvek::control {

namespace {

// Nothing stays on the table; the boxes are empty and locked until a run begins.
void clearTable(engine::Game& game) {
    for (const engine::ChancePair& pair : engine::chancePairs)
        engine::takeOffTable(game, pair, engine::Emptied::BothBoxes, engine::BoxesAfter::Locked);
}

void resetFigures(engine::GameState& s) {
    s.wantedSpins = 0;
    s.haltAtSpin = 0;
    s.currentSpin = 0;
    s.balance = 0;
    s.permanenceLoaded = 0;
    s.highestBalance = 0;
    s.lowestBalance = 0;
}

// Clears every row the spin log has, and no more.
void clearSpinLog(form::Grid& log) {
    for (int r = 0; r < log.rows(); ++r) {
        log.setRow(r);
        for (int c = 0; c < log.cols(); ++c) {
            log.setCol(c);
            log.setText("");
            log.setFill(colours::windowGrey);
        }
    }
    log.setRow(0);
    log.setTopRow(0);
}

// Clears the rows of the profit/loss table the run has written.
void clearProfitTable(form::Grid& table, int profitRow) {
    for (int r = 0; r <= profitRow && r < table.rows(); ++r) {
        table.setRow(r);
        table.setCol(0);
        table.setText("");
        table.setFill(colours::windowGrey);
        table.setCol(1);
        table.setFill(colours::windowGrey);
        table.setCol(2);
        table.setText("");
        table.setCol(3);
        table.setText("");
    }
    table.setRow(0);
    table.setTopRow(0);
    table.setRows(engine::profitTableRows);
}

// The buttons and boxes as at start-up, the count box ready for a new count.
void resetRunControls(form::MainForm& f) {
    f.okextern.setEnabled(true);
    f.okstart.setCaption("Start");
    f.okstart.setEnabled(false);
    f.okabbrechen.setEnabled(false);
    f.okdruck.setEnabled(false);
    f.textanzahl.setEnabled(true);
    f.textanzahl.setText("");
    f.lakut.setCaption("");
    f.lzahl.setCaption("");
    f.text.setCaption(form::introText);
}

}  // namespace

void windowLoad(engine::Game& game) {
    auto& s = game.state;
    auto& f = game.form;
    resetFigures(s);
    f.haltbei.setText("0");  // the halt-at handling empties it again; no money moves
    s.runStarted = 0;
    clearTable(game);
    s.fictitiousPlay = 0;
    s.profitRow = 0;

    const int widths1[] = {400, 150, 490, 490};
    for (int c = 0; c < 4; ++c)
        f.tabelle1.setColWidth(c, widths1[c]);
    for (int c : {0, 2, 3})
        f.tabelle1.setColAlignment(c, form::Align::Centre);
    const int widths2[] = {550, 200, 200, 400, 200, 200, 400, 200, 200, 100, 300};
    for (int c = 0; c < 11; ++c)
        f.tabelle2.setColWidth(c, widths2[c]);
    for (int c : {0, 10})
        f.tabelle2.setColAlignment(c, form::Align::Centre);
    f.tabelle2.setCol(0);

    game.random.seedFromClock();
    engine::fillNumberColours(s);
    f.text.setCaption(form::introText);
}

void newStart(engine::Game& game) {
    auto& s = game.state;
    auto& f = game.form;
    if (game.platform.ask(newStartQuestion, newStartTitle, platform::Buttons::YesNo) !=
        platform::Answer::Yes)
        return;

    game.ledger.clear();
    f.gewtotal.setCaption("0");
    f.gewhoch.setCaption("");
    f.gewtief.setCaption("");
    clearSpinLog(f.tabelle2);
    clearProfitTable(f.tabelle1, s.profitRow);

    resetFigures(s);
    // A new start opens a fresh game: what was on the table is not carried
    // into it (a stake held at the end must not block the next run either),
    // and fictitious play ends visibly so flag and caption agree.
    clearTable(game);
    engine::endFictitiousPlay(game);
    f.haltbei.setText("0");

    s.runStarted = 0;
    s.fictitiousPlay = 0;
    s.profitRow = 0;

    resetRunControls(f);
    // The next key the player types is the new count.
    game.platform.focus(f.textanzahl);
}

}  // namespace tamvek::control
