#include "output/InfoText.h"

#include "core/Text.h"
#include "platform/ProgramFolder.h"

namespace tamvek::output {

void infoPressed(engine::Game& game) {
    auto& f = game.form;
    if (f.okinfo.caption() == infoCaption) {
        f.infotext.setVisible(true);
        const Result<std::string> content =
            game.platform.readFile(game.platform.programFolder() + "/" + platform::infoFileName);
        f.infotext.setText(content ? text::toUtf8(*content)
                                   : std::string("Problem:") + "\n" +
                                         "Kann die Datei Info_Tamvek1.txt nicht finden.");
        f.okinfo.setCaption(endInfoCaption);
    } else if (f.okinfo.caption() == endInfoCaption) {
        f.infotext.setVisible(false);
        f.okinfo.setCaption(infoCaption);
        f.infotext.setText("");
    }
}

}  // namespace tamvek::output
