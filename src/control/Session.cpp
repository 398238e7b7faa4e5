#include "control/Session.h"

#include "bets/StakeBoxes.h"
#include "bets/Stakes.h"
#include "control/ExitAndExtra.h"
#include "control/RunOptions.h"
#include "control/StartUp.h"
#include "engine/FictitiousPlay.h"
#include "engine/RunDriver.h"
#include "import/ImportPanel.h"
#include "output/InfoText.h"
#include "output/ScreenCopy.h"
#include "output/TextReport.h"

namespace tamvek::control {

Session::Session(form::Platform& platform, engine::RandomSource& random)
    : m_game(platform, random) {
    bindHandlers(m_game);
    windowLoad(m_game);
}

void bindHandlers(engine::Game& game) {
    auto& f = game.form;
    engine::Game* g = &game;

    for (int i = 0; i < 6; ++i) {
        form::TextBox* box = f.stakeBox(i);
        box->onChange = [g, box] { bets::rangeRule(*g, *box); };
        box->onClick = [g] { bets::scrollRule(*g); };
        box->onKeyUp = [g, i] { bets::partnerRule(*g, i); };
    }
    for (const engine::ChancePair& pair : engine::chancePairs) {
        const engine::ChancePair* p = &pair;
        (f.*pair.activateButton).onClick = [g, p] { bets::activatePair(*g, *p); };
        (f.*pair.withdrawButton).onClick = [g, p] { bets::withdrawPair(*g, *p); };
    }

    f.okstart.onClick = [g] { engine::pressStart(*g); };
    f.okersatz.onClick = [g] { extraSpinPressed(*g); };
    f.okende.onClick = [g] { exitPressed(*g); };
    f.okabbrechen.onClick = [g] { newStart(*g); };
    f.okfiktiv.onClick = [g] { engine::fictitiousPressed(*g); };
    f.textanzahl.onChange = [g] { countChanged(*g); };
    f.haltbei.onChange = [g] { haltChanged(*g); };
    f.Option1.onClick = [g](int) { modeChanged(*g); };
    f.okdruck.onClick = [g] { output::printPressed(*g); };
    f.okcopy.onClick = [g] { output::copyPressed(*g); };
    f.okinfo.onClick = [g] { output::infoPressed(*g); };
    tamvek::import::bindPanel(game);
}

}  // namespace tamvek::control
