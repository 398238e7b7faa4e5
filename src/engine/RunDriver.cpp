#include "engine/RunDriver.h"

#include "engine/Balance.h"
#include "engine/ChancePair.h"
#include "engine/Settlement.h"
#include "engine/SpinSource.h"

namespace tamvek::engine {

void pressStart(Game& game) {
    if (game.state.runStarted != 1) prepareRun(game);
    while (playSpin(game)) {
    }
}

void prepareRun(Game& game) {
    GameState& s = game.state;
    auto& f = game.form;
    game.ledger.clear();
    s.spinNumbers.assign(static_cast<std::size_t>(nearestInt<std::int32_t>(s.wantedSpins + 20)) + 1,
                         0.0);

    // Column 0 numbers the spins "1", "2", ...; row k - 1 belongs to spin k.
    f.tabelle2.setRows(nearestInt<int>(s.wantedSpins + 1));
    f.tabelle2.setCol(0);
    for (int i = 0; i <= s.wantedSpins && i < f.tabelle2.rows(); ++i) {
        f.tabelle2.setRow(i);
        f.tabelle2.setText(numberText(i + 1));
    }

    if (s.permanenceLoaded == 0) {
        game.random.seedFromClock();
        drawNumbers(game);
    }

    f.okdruck.setEnabled(true);
    f.okabbrechen.setEnabled(true);
    f.okextern.setEnabled(false);
    f.textanzahl.setEnabled(false);
    f.okstart.setCaption("Weiter");
    for (form::TextBox* box : f.stakeBoxes())
        box->setLocked(false);

    if (s.permanenceLoaded == 0) f.text.setCaption(" Der Computer erzeugt die Zahlen...");
    s.runStarted = 1;
}

bool playSpin(Game& game) {
    GameState& s = game.state;
    auto& f = game.form;
    if (s.currentSpin >= s.wantedSpins) {
        endRun(game);
        return false;
    }
    s.currentSpin += 1;
    f.tabelle2.setRow(nearestInt<int>(s.currentSpin - 1));
    f.lakut.setCaption(numberText(s.currentSpin));
    s.currentNumber = nextNumber(game, s.currentSpin);
    f.lzahl.setCaption(numberText(static_cast<int>(s.currentNumber)));
    f.tabelle2.setCol(10);
    f.tabelle2.setText(numberText(static_cast<int>(s.currentNumber)));
    if (s.fictitiousPlay == 1) {
        f.tabelle2.setCol(0);
        f.tabelle2.setFill(colours::fictitious);
    }
    settleSpin(game);
    double onTable = 0;
    for (const ChancePair& pair : chancePairs)
        onTable += static_cast<double>(s.*pair.stake);
    game.ledger.spinPlayed(nearestInt<std::uint32_t>(s.currentSpin),
                           readBalanceLabel(game) + onTable, s.fictitiousPlay == 1);
    scrollTables(game);
    playSpinSound(game);
    s.spinScore = 0;
    game.platform.repaintNow(f.lakut);

    if (!f.Option1.isSelected(2)) return false;
    if (s.haltAtSpin != s.currentSpin) return true;
    s.haltAtSpin = 0;
    f.Option1.select(0);  // runs the mode handling: boxes writable, halt box emptied
    return false;
}

void endRun(Game& game) {
    auto& f = game.form;
    f.text.setCaption(f.text.caption() + "\r" + endLine);
    f.okstart.setCaption("Start");
    f.okstart.setEnabled(false);
}

void scrollTables(Game& game) {
    auto& t1 = game.form.tabelle1;
    auto& t2 = game.form.tabelle2;
    if (t1.row() < 16) t1.setTopRow(0);
    if (t2.row() < 22) t2.setTopRow(0);
    if (t1.row() > 15) t1.setTopRow(t1.row() - 15);
    if (t2.row() > 21) t2.setTopRow(t2.row() - 21);
}

void playSpinSound(Game& game) {
    GameState& s = game.state;
    if (game.form.Check1.value() != 1) return;
    if (s.spinScore == 0) return;
    const char* file = s.spinScore > 5 ? "g2.wav" : s.spinScore == 5 ? "vg2.wav" : "v2.wav";
    s.soundFile = game.platform.programFolder() + "/" + file;
    game.platform.playSound(s.soundFile);
}

}  // namespace tamvek::engine
