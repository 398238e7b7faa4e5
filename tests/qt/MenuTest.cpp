// The menu bar of the real window: entries that follow their buttons, shortcuts,
// and sessions saved in the window that the command-line player and the window
// play to the same end.

#include <QAction>
#include <QFile>
#include <QMenuBar>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>

#include "ProgramFixture.h"
#include "control/StartUp.h"
#include "qt/MenuBar.h"
#include "script/Menu.h"
#include "script/RecordingPlatform.h"
#include "script/SessionRecorder.h"
#include "script/StateDump.h"

namespace tamvek::test {
namespace {

struct MenuFixture : ProgramFixture {
    template <typename W>
    W* widget(const char* name) {
        auto* w = window.findChild<W*>(QString::fromLatin1(name));
        if (w == nullptr) qFatal("no widget %s", name);
        return w;
    }
    void click(const char* name) { QTest::mouseClick(widget<QPushButton>(name), Qt::LeftButton); }
    void typeInto(const char* name, const char* text) {
        auto* box = widget<QLineEdit>(name);
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClicks(box, QString::fromLatin1(text));
    }
    // The game and its controls, without the questions asked so far (a replay
    // asks one more before it replaces a running game).
    std::string dump() {
        auto json = nlohmann::json::parse(script::dumpJson(session.game(), {}, watch));
        json.erase("questions");
        return json.dump();
    }
    void saveAs(const QString& file) {
        chosen = file;
        action("Datei/Sitzung speichern")->trigger();
    }
};

// A game played with the mouse and keyboard: a count, stakes, Enter, a run,
// fictitious play, a question answered.
void playAGame(MenuFixture& f) {
    f.typeInto("textanzahl", "25");
    QTest::keyClick(f.widget<QLineEdit>("textanzahl"), Qt::Key_Return);
    f.typeInto("srot", "5");
    f.click("oksetz1");
    f.typeInto("sungerade", "2");
    QTest::keyClick(f.widget<QLineEdit>("sungerade"), Qt::Key_Return);
    for (int i = 0; i < 4; ++i)
        f.click("okstart");
    f.click("okfiktiv");
    f.click("okstart");
    f.click("okabsetz1");
    f.qt.answer = platform::Answer::No;
    f.click("okabbrechen");  // asked, and kept going
    f.click("okstart");
}

}  // namespace

class MenuTest : public QObject {
    Q_OBJECT
  private slots:
    void sitsAboveTheUnchangedClientArea() {
        MenuFixture f;
        QMenuBar* bar = f.window.menuBar();
        QCOMPARE(f.window.clientArea()->size(), QSize(638, 477));
        QVERIFY(f.window.clientArea()->mapTo(&f.window, QPoint(0, 0)).y() >= bar->height());
        QStringList menus;
        for (QAction* a : bar->actions())
            menus << a->text();
        QCOMPARE(menus, QStringList({"&Datei", "&Auswertung", "&Hilfe"}));
        QCOMPARE(f.action("Datei/Sitzung speichern")->text(), QString("Sitzung speichern …"));
        QCOMPARE(f.action("Datei/Sitzung speichern")->shortcut(), QKeySequence("Ctrl+S"));
    }

    void entriesFollowTheirButtons() {
        MenuFixture f;
        QVERIFY(f.action("Hilfe/Info")->isEnabled());
        // F1 is the Info button, and its second press hides the text again.
        QTest::keyClick(&f.window, Qt::Key_F1);
        QCOMPARE(f.widget<QPushButton>("okinfo")->text(), QString("Ende Info"));
        f.action("Hilfe/Info")->trigger();
        QCOMPARE(f.widget<QPushButton>("okinfo")->text(), QString("Info"));

        // A disabled button disables its entry and its shortcut.
        f.form().okende.setEnabled(false);
        f.window.menu()->update();
        QVERIFY(!f.action("Datei/Beenden")->isEnabled());
        QTest::keyClick(&f.window, Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(f.qt.questions.empty());
        f.form().okende.setEnabled(true);
        f.click("okstart");  // any input brings the entries up to date
        QTRY_VERIFY(f.action("Datei/Beenden")->isEnabled());
        f.action("Datei/Beenden")->trigger();
        QCOMPARE(f.qt.questions.size(), std::size_t{1});  // the Ende button's question
    }

    void aSavedSessionEndsTheSameInTheCommandLinePlayer() {
        MenuFixture f;
        playAGame(f);
        const QString saved = f.folder.filePath("sitzung.txt");
        f.saveAs(saved);
        QCOMPARE(f.window.statusLine()->file(), saved);
        // The volumes of the drive list are the machine's: the window lists the
        // mounted ones, the command-line player the root alone.
        std::vector<const form::Control*> controls;
        std::string dumpLine = "dump";
        for (const form::Control* c : f.form().controls())
            if (c->name() != "Drive1") {
                controls.push_back(c);
                dumpLine += " " + c->name();
            }
        std::ofstream(saved.toStdString(), std::ios::app) << dumpLine << "\n";
        const std::string window = script::dumpJson(f.session.game(), controls, f.watch);

        QProcess cli;
        cli.start(QStringLiteral(TAMVEK_BIN_DIR "/tamvek-cli"), {"play", saved});
        QVERIFY(cli.waitForFinished(30000));
        QCOMPARE(cli.exitCode(), 0);
        const std::string replayed =
            QString::fromUtf8(cli.readAllStandardOutput()).trimmed().toStdString();
        QCOMPARE(replayed, window);
    }

    void aSessionReplaysInTheWindowOnAFreshGame() {
        MenuFixture f;
        playAGame(f);
        const std::string played = f.dump();
        const QString saved = f.folder.filePath("sitzung.txt");
        f.saveAs(saved);

        f.click("okstart");  // one spin more, gone again after the replay
        f.chosen = saved;
        // The running game goes only when the player says so, as with "Abbruch".
        f.qt.questions.clear();
        f.qt.answer = platform::Answer::No;
        const std::string running = f.dump();
        f.action("Datei/Sitzung abspielen")->trigger();
        QCOMPARE(f.qt.questions, std::vector<std::string>{control::newStartQuestion});
        QCOMPARE(f.dump(), running);
        f.qt.answer = platform::Answer::Yes;
        f.action("Datei/Sitzung abspielen")->trigger();
        QCOMPARE(f.window.statusLine()->message(), QString("Sitzung abgespielt: ") + saved);
        QCOMPARE(f.dump(), played);
        // The widgets show the new game, and take input for it.
        QCOMPARE(f.widget<QPushButton>("okstart")->text(),
                 QString::fromStdString(f.form().okstart.caption()));
        QCOMPARE(f.window.clientArea()->size(), QSize(638, 477));
        const double spin = f.session.state().currentSpin;
        f.click("okstart");
        QCOMPARE(f.session.state().currentSpin, spin + 1.0);
    }

    // A file that is no session, or one whose imported file has changed since,
    // is found out before anything of the running game changes, and said in
    // German words; a replay prints nothing again and says what it left out.
    void aReplayChecksTheWholeFileFirstAndRepeatsNoPrintout() {
        MenuFixture f;
        QSignalSpy failed(f.window.menu(), &qt::MenuBar::failed);
        const QString table = f.folder.filePath("t3.txt");
        QFile::copy(QStringLiteral(TAMVEK_TEST_DATA "/basic.txt"), table);
        f.play("click okextern\nfolder \"" + f.folder.path().toStdString() +
               "\"\nselect t3.txt\nclick okexternok\n");
        f.click("okstart");
        f.play("answer nein\nclick okdruck\nanswer nein\nclick okcopy\n");
        const QString saved = f.folder.filePath("sitzung.txt");
        f.saveAs(saved);
        f.click("okstart");
        const std::string running = f.dump();

        const QString notASession = f.folder.filePath("brief.txt");
        std::ofstream(notASession.toStdString()) << "Das ist ein Brief.\n";
        f.chosen = notASession;
        f.action("Datei/Sitzung abspielen")->trigger();
        QCOMPARE(failed.count(), 1);
        QVERIFY(failed.at(0).at(0).toString().startsWith(
            "Die Datei ist keine gespeicherte Sitzung, oder sie wurde verändert: Zeile 1"));
        QCOMPARE(f.dump(), running);

        std::ofstream(table.toStdString(), std::ios::app) << "17\n";
        f.chosen = saved;
        f.action("Datei/Sitzung abspielen")->trigger();
        QCOMPARE(failed.count(), 2);
        QVERIFY(failed.at(1).at(0).toString().startsWith(
            "Die Datei t3.txt hat sich seit dem Speichern der Sitzung geändert. (Einzelheit: "));
        QCOMPARE(f.dump(), running);
        QCOMPARE(f.form().Frame1.visible(), false);

        QFile::remove(table);
        QFile::copy(QStringLiteral(TAMVEK_TEST_DATA "/basic.txt"), table);
        const std::size_t printed = f.watch.prints().size();
        f.qt.answer = platform::Answer::Yes;
        f.action("Datei/Sitzung abspielen")->trigger();
        QCOMPARE(f.window.statusLine()->message(),
                 "Sitzung abgespielt: " + saved + " (nicht wiederholt: 1 Ausdruck, 1 Kopie)");
        QCOMPARE(f.watch.prints().size(), printed);  // nothing reached the printer
    }

    void aFailedEntryTellsWhy() {
        MenuFixture f;
        QSignalSpy failed(f.window.menu(), &qt::MenuBar::failed);
        f.chosen = f.folder.filePath("gibt-es-nicht.txt");
        f.action("Datei/Sitzung abspielen")->trigger();
        QCOMPARE(failed.count(), 1);
        QVERIFY(failed.at(0).at(0).toString().contains("gibt-es-nicht.txt"));
        // Nothing of the game was touched.
        QCOMPARE(f.form().okstart.caption(), std::string("Start"));
    }
};

}  // namespace tamvek::test

QTEST_MAIN(tamvek::test::MenuTest)
#include "MenuTest.moc"
