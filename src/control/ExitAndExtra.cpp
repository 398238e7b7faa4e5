#include "control/ExitAndExtra.h"

#include "engine/RunDriver.h"

namespace tamvek::control {

void exitPressed(engine::Game& game) {
    if (game.platform.ask("Soll das Programm beendet werden ?     ", " Beenden",
                          platform::Buttons::YesNo) == platform::Answer::Yes)
        game.platform.quit();
}

void extraSpinPressed(engine::Game& game) {
    engine::pressStart(game);
}

}  // namespace tamvek::control
