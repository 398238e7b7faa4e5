#include "output/ScreenCopy.h"

#include "output/Printing.h"

namespace tamvek::output {

void copyPressed(engine::Game& game) {
    if (!confirmPrinting(game)) return;
    game.platform.printWindowImage();
}

}  // namespace tamvek::output
