#include "output/Printing.h"

namespace tamvek::output {

bool confirmPrinting(engine::Game& game) {
    switch (game.platform.ask(printQuestion, printTitle, platform::Buttons::YesNoCancel)) {
        case platform::Answer::Cancel:
            return false;
        case platform::Answer::Yes:
            // A cancelled set-up dialog means the user changed their mind.
            return game.platform.printerSetup();
        case platform::Answer::No:
            break;
    }
    return true;
}

}  // namespace tamvek::output
