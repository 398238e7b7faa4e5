#include "engine/FictitiousPlay.h"

namespace tamvek::engine {

void fictitiousPressed(Game& game) {
    auto& f = game.form;
    if (f.okfiktiv.caption() == "Fiktivspiel") {
        game.state.fictitiousPlay = 1;
        f.okfiktiv.setCaption("Ende Fiktiv");
        f.gewtotal.setBackColour(colours::fictitious);
    } else {
        endFictitiousPlay(game);
    }
}

void endFictitiousPlay(Game& game) {
    game.form.okfiktiv.setCaption("Fiktivspiel");
    game.state.fictitiousPlay = 0;
    game.form.gewtotal.setBackColour(colours::balanceReal);
}

}  // namespace tamvek::engine
