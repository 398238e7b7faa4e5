#pragma once
// The real window on the offscreen platform, for the tests that drive its
// widgets as a user would: with the mouse, or with the keyboard alone.

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>
#include <algorithm>
#include <string>
#include <vector>

#include "engine/RandomSource.h"
#include "qt/MainWindow.h"
#include "qt/QtPlatform.h"
#include "qt/StatusLine.h"
#include "session/Session.h"

namespace tamvek::test {

// The Qt services, except that question boxes are answered without a dialog.
class QuietPlatform : public qt::QtPlatform {
  public:
    platform::Answer ask(std::string_view text, std::string_view, platform::Buttons) override {
        questions.emplace_back(text);
        return answer;
    }
    std::vector<std::string> questions;
    platform::Answer answer = platform::Answer::No;
};

struct Fixture {
    QuietPlatform platform;
    engine::Mt19937Random random{7};
    session::Session session{platform, random};
    qt::MainWindow window{session};
    form::MainForm& form = session.form();

    Fixture() {
        platform.setWindow(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    template <typename W>
    W* widget(const char* name) {
        auto* w = window.findChild<W*>(QString::fromLatin1(name));
        if (w == nullptr) qFatal("no widget %s", name);
        return w;
    }
    QString cell(const char* grid, int row, int col) {
        auto* view = widget<QTableView>(grid);
        return view->model()->index(row, col).data().toString();
    }
    // Types a count and plays the first spin through the widgets.
    void startRun(const char* count) {
        QTest::keyClicks(widget<QLineEdit>("textanzahl"), QString::fromLatin1(count));
        QTest::mouseClick(widget<QPushButton>("okstart"), Qt::LeftButton);
    }

    // The keyboard: every press goes to the widget with the focus, and so does
    // its release, which may be another widget by then (after a Tab).
    static QWidget* focus() { return QApplication::focusWidget(); }
    static QString focusName() { return focus() ? focus()->objectName() : QString("(none)"); }
    static void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyPress(focus(), k, modifiers);
        QTest::keyRelease(focus(), k, modifiers);
    }
    static void type(const QString& text) {
        for (const QChar c : text)
            QTest::keyClick(focus(), c.toLatin1());
    }
    // Tab (or Shift+Tab) until `name` has the focus; false after a whole
    // round without it.
    static bool tabTo(const QString& name, bool backwards = false) {
        for (int presses = 0; presses < 80; ++presses) {
            if (focusName() == name) return true;
            key(Qt::Key_Tab, backwards ? Qt::ShiftModifier : Qt::NoModifier);
        }
        return focusName() == name;
    }
};

inline QRect pixels(const form::Geometry& g) {
    return QRect(qt::MainWindow::px(g.left), qt::MainWindow::px(g.top),
                 std::max(1, qt::MainWindow::px(g.width)),
                 std::max(1, qt::MainWindow::px(g.height)));
}

}  // namespace tamvek::test
