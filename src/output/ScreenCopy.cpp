#include "output/ScreenCopy.h"

#include "output/Printing.h"

namespace tamvek::output {

void copyPressed(engine::Game& game) {
    if (!confirmPrinting(game)) return;
    tellSavedFile(game, game.platform.printWindowImage());
}

}  // namespace tamvek::output
