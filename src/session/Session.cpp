#include "session/Session.h"

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

namespace tamvek::session {

Session::Session(platform::Platform& platform, engine::RandomSource& random)
    : m_platform(platform), m_random(random) {
    start();
}

void Session::start() {
    m_game.emplace(m_platform, m_random);
    bindHandlers(*m_game);
    control::windowLoad(*m_game);
}

void Session::renew() {
    for (const RenewListener& l : m_renewListeners)
        if (l.before) l.before();
    m_game.reset();
    start();
    for (const RenewListener& l : m_renewListeners)
        if (l.after) l.after();
}

void bindHandlers(engine::Game& game) {
    auto& f = game.form;
    engine::Game* g = &game;

    for (const engine::ChancePair& pair : engine::chancePairs) {
        const engine::ChancePair* p = &pair;
        for (int side : {1, 2}) {
            form::TextBox* box = &pair.box(f, side);
            box->onChange = [box] { bets::rangeRule(*box); };
            box->onClick = [g] { bets::scrollRule(*g); };
            box->onKeyUp = [g, p, side] { bets::partnerRule(*g, *p, side); };
            // Enter presses the pair's "Setzen"; a disabled button takes no click.
            box->onEnter = [g, p] { (g->form.*p->activateButton).click(); };
        }
        (f.*pair.activateButton).onClick = [g, p] { bets::activatePair(*g, *p); };
        (f.*pair.withdrawButton).onClick = [g, p] { bets::withdrawPair(*g, *p); };
    }

    f.okstart.onClick = [g] { engine::pressStart(*g); };
    f.okersatz.onClick = [g] { control::extraSpinPressed(*g); };
    f.okende.onClick = [g] { control::exitPressed(*g); };
    f.okabbrechen.onClick = [g] { control::newStart(*g); };
    f.okfiktiv.onClick = [g] { engine::fictitiousPressed(*g); };
    f.textanzahl.onChange = [g] { control::countChanged(*g); };
    f.textanzahl.onEnter = [g] { g->form.okstart.click(); };
    f.haltbei.onChange = [g] { control::haltChanged(*g); };
    f.Option1.onClick = [g](int) { control::modeChanged(*g); };
    f.okdruck.onClick = [g] { output::printPressed(*g); };
    f.okcopy.onClick = [g] { output::copyPressed(*g); };
    f.okinfo.onClick = [g] { output::infoPressed(*g); };
    tamvek::import::bindPanel(game);
}

}  // namespace tamvek::session
