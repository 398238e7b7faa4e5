#pragma once
// The user's steps of an import, and what the panel says meanwhile.

#include <gtest/gtest.h>

#include <string>

#include "import/ImportPanel.h"
#include "support/ScratchFolder.h"
#include "support/TestSupport.h"

namespace tamvek::test {

inline const char* const panelText =
    "  Geben Sie den Ort an, wo sich die Datei\r"
    "   mit den Permanenzen der Hamburger Spiel-\r"
    "   bank befindet und drücken Sie anschl. OK";

// Opens the panel, goes to `folder`, clicks `name` and presses OK.
inline void importFile(TestSession& t, const std::string& folder, const std::string& name) {
    t.form.okextern.click();
    EXPECT_TRUE(import::chooseFolder(t.game, folder)) << folder;
    EXPECT_TRUE(import::clickFile(t.game, name)) << name;
    t.form.okexternok.click();
}

}  // namespace tamvek::test
