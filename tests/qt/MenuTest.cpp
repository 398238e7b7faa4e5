// The menu bar of the real window: entries that follow their buttons, shortcuts,
// and sessions saved in the window that the command-line player and the window
// play to the same end.

#include <QAction>
#include <QMenuBar>
#include <QProcess>
#include <QTemporaryDir>
#include <fstream>
#include <memory>
#include <sstream>

#include "ProgramFixture.h"
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
    std::string dump() { return script::dumpJson(session.game(), {}, watch); }
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
