// The window used with the keyboard alone: the tab chain, the focus frame,
// Enter in the boxes and where the focus goes when the game moves it.

#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "WindowFixture.h"

using namespace tamvek;
using test::Fixture;

namespace {

bool takesFocus(form::ControlKind kind) {
    using form::ControlKind;
    return kind != ControlKind::Label && kind != ControlKind::Frame && kind != ControlKind::Shape &&
           kind != ControlKind::Line;
}

// A control's place on the client area in twips.
form::Geometry onClient(const form::Control& c) {
    form::Geometry g = c.geometry();
    if (const form::Control* frame = c.parent()) {
        g.left += frame->geometry().left;
        g.top += frame->geometry().top;
    }
    return g;
}

bool overlap(const form::Geometry& a, const form::Geometry& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

// What Tab should visit, from the layout tables: every control that takes
// input and the focus, in tab order, except those under a shown panel.
QStringList expectedChain(const form::MainForm& form) {
    const std::vector<const form::Control*> panels = {&form.Frame1, &form.infotext};
    std::vector<std::pair<int, QString>> order;
    for (const form::Control* c : form.controls()) {
        if (c->tabIndex() < 0 || !takesFocus(c->kind()) || !c->takesInput()) continue;
        bool covered = false;
        for (const form::Control* panel : panels)
            if (panel->visible() && panel != c && c->parent() != panel &&
                overlap(onClient(*panel), onClient(*c)))
                covered = true;
        if (!covered) order.emplace_back(c->tabIndex(), QString::fromStdString(c->name()));
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QStringList names;
    for (const auto& entry : order)
        names << entry.second;
    return names;
}

}  // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

    // Presses Tab (or Shift+Tab) until the focus is back where it started and
    // checks the round against the layout tables; on every stop the focus
    // frame lies around the focused control.
    void checkRound(Fixture& f, bool backwards) {
        const QString start = Fixture::focusName();
        QStringList expected = expectedChain(f.form);
        QVERIFY2(expected.contains(start), qPrintable(start));
        if (backwards) std::reverse(expected.begin(), expected.end());
        // The round as it should go from `start` on, ending at `start`.
        const auto at = expected.indexOf(start);
        const QStringList round = expected.mid(at + 1) + expected.mid(0, at + 1);
        QStringList visited;
        while (visited.size() < round.size() + 5) {
            Fixture::key(Qt::Key_Tab, backwards ? Qt::ShiftModifier : Qt::NoModifier);
            visited << Fixture::focusName();
            const qt::FocusFrame* frame = f.window.focusFrame();
            QVERIFY2(frame->framed() == Fixture::focus() && frame->isVisible(),
                     qPrintable(Fixture::focusName()));
            QCOMPARE(frame->geometry(), Fixture::focus()->rect());
            if (visited.last() == start) break;
        }
        QCOMPARE(visited, round);
    }

  private slots:
    void tabWalksEveryEnabledControlOnceAndComesBack() {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        QCOMPARE(Fixture::focusName(), QString("textanzahl"));
        checkRound(f, false);
        QCOMPARE(Fixture::focusName(), QString("textanzahl"));
        checkRound(f, true);
        // The grids are stops like any other: Tab leaves them, and the arrow
        // keys still scroll them.
        QVERIFY(Fixture::tabTo("tabelle2"));
        Fixture::key(Qt::Key_Down);
        QCOMPARE(Fixture::focusName(), QString("tabelle2"));
        Fixture::key(Qt::Key_Tab);
        QCOMPARE(Fixture::focusName(), QString("okcopy"));
    }

    // From a fresh window with the keyboard only: a count, Start, a stake put
    // on and won, played on, taken home, fictitious play, a round of every
    // control, and a new start that hands the focus back to the count box.
    void aWholeGameWithTheKeyboardAlone() {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        Fixture::type("10");
        Fixture::key(Qt::Key_Return);  // Enter presses Start
        QCOMPARE(f.form.lakut.caption(), std::string("1"));

        // Stake on the colour that the second spin brings.
        const double second = f.session.state().spinNumbers.at(2);
        QVERIFY2(second != 0, "the seed's second spin is the zero");
        const bool red = f.session.state().numberColour.at(static_cast<std::size_t>(second)) == 1;
        const char* box = red ? "srot" : "sschwarz";
        QVERIFY(Fixture::tabTo(box));
        Fixture::type("3");
        QVERIFY(f.form.oksetz1.enabled());
        Fixture::key(Qt::Key_Enter);  // the keypad's Enter presses "Setzen"
        QCOMPARE(f.session.state().activeRedBlack, 1);
        QCOMPARE(f.form.gewtotal.caption(), std::string("-3"));
        QCOMPARE(Fixture::focusName(), QString(box));

        QVERIFY(Fixture::tabTo("okstart", true));
        Fixture::key(Qt::Key_Space);
        QCOMPARE(f.form.lakut.caption(), std::string("2"));
        QCOMPARE(f.session.state().stakeRedBlack, 6);  // won, doubled, riding

        QVERIFY(Fixture::tabTo("okabsetz1"));
        Fixture::key(Qt::Key_Space);
        QCOMPARE(f.session.state().activeRedBlack, 0);
        QCOMPARE(f.form.gewtotal.caption(), std::string("3"));

        QVERIFY(Fixture::tabTo("okfiktiv"));
        Fixture::key(Qt::Key_Space);
        QCOMPARE(f.form.okfiktiv.caption(), std::string("Ende Fiktiv"));
        QVERIFY(Fixture::tabTo("okersatz"));
        Fixture::key(Qt::Key_Space);
        QCOMPARE(f.form.lakut.caption(), std::string("3"));
        QVERIFY(Fixture::tabTo("Check1"));
        Fixture::key(Qt::Key_Space);
        QCOMPARE(f.form.Check1.value(), 1);
        QVERIFY(Fixture::tabTo("Option1(2)", true));
        Fixture::key(Qt::Key_Space);
        QVERIFY(f.form.Option1.isSelected(2));

        // Every button that is enabled now is a stop of the round.
        checkRound(f, false);

        f.platform.answer = platform::Answer::Yes;
        QVERIFY(Fixture::tabTo("okabbrechen"));
        Fixture::key(Qt::Key_Space);
        QCOMPARE(f.platform.questions.back(), std::string("Abbruch bitte bestätigen !     "));
        QCOMPARE(f.form.lakut.caption(), std::string());
        QTRY_COMPARE(Fixture::focusName(), QString("textanzahl"));
        Fixture::type("5");
        QCOMPARE(f.form.textanzahl.text(), std::string("5"));
    }

    // The boxes' Enter: only an enabled button is pressed, and the count box
    // is disabled during a run, so Enter there never plays a spin.
    void enterPressesOnlyAnEnabledButton() {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        Fixture::key(Qt::Key_Return);  // no count yet: Start is disabled
        QCOMPARE(f.session.state().runStarted, 0);
        Fixture::type("4");
        Fixture::key(Qt::Key_Return);
        Fixture::key(Qt::Key_Return);  // the focus left the disabled count box
        QCOMPARE(f.form.lakut.caption(), std::string("1"));
        QVERIFY(Fixture::tabTo("sgerade"));
        Fixture::key(Qt::Key_Return);  // an empty box: "Setzen" is disabled
        QCOMPARE(f.session.state().activeEvenOdd, 0);
        // A held key repeats its press; it is still one press of the button.
        Fixture::type("2");
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r", true);
        QApplication::sendEvent(Fixture::focus(), &repeat);
        QCOMPARE(f.session.state().activeEvenOdd, 0);
        QApplication::sendEvent(Fixture::focus(), &press);
        QCOMPARE(f.session.state().activeEvenOdd, 1);
        QCOMPARE(f.form.gewtotal.caption(), std::string("-2"));
    }

    // A shown panel covers controls for the keyboard as for the mouse: the
    // focus moves into it, Tab skips what lies under it, and when it closes
    // the focus goes back.
    void panelsTakeTheFocusAndGiveItBack() {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        QTemporaryDir folder;
        for (const char* name : {"a.txt", "b.txt"}) {
            QFile file(folder.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QVERIFY(Fixture::tabTo("okextern"));
        Fixture::key(Qt::Key_Space);
        QVERIFY(f.form.Frame1.visible());
        QTRY_COMPARE(Fixture::focusName(), QString("Drive1"));
        f.form.Dir1.setPath(folder.path().toStdString());
        checkRound(f, false);
        // Moving through the file list with the keys chooses a file.
        QVERIFY(Fixture::tabTo("File1"));
        QCOMPARE(f.form.File1.listIndex(), -1);  // arriving chooses nothing
        Fixture::key(Qt::Key_Down);
        QCOMPARE(f.form.File1.fileName(), std::string("a.txt"));
        QVERIFY(f.form.okexternok.enabled());
        QVERIFY(Fixture::tabTo("okexternabbruch"));
        Fixture::key(Qt::Key_Space);
        QVERIFY(!f.form.Frame1.visible());
        QTRY_COMPARE(Fixture::focusName(), QString("okextern"));

        QVERIFY(Fixture::tabTo("okinfo"));
        Fixture::key(Qt::Key_Space);
        QVERIFY(f.form.infotext.visible());
        QCOMPARE(Fixture::focusName(), QString("okinfo"));  // not covered: it stays
        checkRound(f, false);
        Fixture::key(Qt::Key_Space);
        QVERIFY(!f.form.infotext.visible());
        checkRound(f, false);
    }
};

QTEST_MAIN(KeyboardTest)
#include "KeyboardTest.moc"
