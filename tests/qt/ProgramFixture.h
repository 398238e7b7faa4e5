#pragma once
// The window as the program makes it: every input written down, the menu bar
// made from the session's menu, failures of its entries heard instead of shown
// in a box, file dialogs answered with `chosen`. The recording platform only
// watches (its dump lists the sounds and questions), the quiet one answers;
// play() answers from the script, as `tamvek --script` does.

#include <QTemporaryDir>
#include <optional>
#include <sstream>

#include "WindowFixture.h"
#include "qt/MenuBar.h"
#include "script/ScriptedSession.h"

namespace tamvek::test {

struct ProgramFixture {
    // Without a seed the numbers are seeded by the clock, as the program's are.
    explicit ProgramFixture(std::optional<std::uint32_t> seed = std::nullopt) : random(seed) {
        watch.setScripted(false);
        window.setMenu(*menu);
        window.menu()->setShowFailures(false);
        window.menu()->setFileChooser([this](const script::MenuEntry&) { return chosen; });
        qt.setWindow(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }

    QuietPlatform qt;
    engine::Mt19937Random random;
    std::ostringstream out;
    script::ScriptedSession scripted{qt, random, out};
    script::RecordingPlatform& watch = scripted.recorder();
    session::Session& session = scripted.session();
    script::SessionRecorder& recorder = scripted.sessionRecorder();
    script::Menu* menu = &scripted.menu();
    qt::MainWindow window{session};
    QTemporaryDir folder;
    QString chosen;  // what the file dialog answers

    form::MainForm& form() { return session.form(); }
    // Plays script lines on the window's game, as `tamvek --script` does; what
    // they print goes nowhere.
    void play(const std::string& lines) {
        watch.setScripted(true);
        watch.setPrintOutcome({});
        std::istringstream in(lines);
        const auto result = scripted.play(in);
        watch.setScripted(false);
        QVERIFY2(result.ok, result.message.c_str());
        QCoreApplication::processEvents();  // the windows beside follow once the loop is back
    }
    QAction* action(const char* path) { return window.menu()->action(path); }
};

}  // namespace tamvek::test
