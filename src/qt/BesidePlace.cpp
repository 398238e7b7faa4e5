#include "qt/BesidePlace.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace tamvek::qt {
namespace {

// The room a window's frame takes around its client area; a guess before the
// window manager has framed it.
QMargins frameOf(const QWidget& window) {
    const QRect frame = window.frameGeometry();
    const QRect inner = window.geometry();
    if (frame != inner)
        return {inner.left() - frame.left(), inner.top() - frame.top(),
                frame.right() - inner.right(), frame.bottom() - inner.bottom()};
    return {4, 28, 4, 4};
}

}  // namespace

QRect freeArea(const QWidget& main) {
    QScreen* screen = QGuiApplication::screenAt(main.frameGeometry().center());
    if (screen == nullptr) screen = main.screen();
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

void keepOnScreen(QWidget& window, const QWidget& main) {
    const QRect area = freeArea(main);
    const QMargins frame = frameOf(window);
    const QSize room = area.size().shrunkBy(frame);
    const QSize size = window.size().boundedTo(room).expandedTo(window.minimumSize());
    if (size != window.size()) window.resize(size);
    const QSize outer = size.grownBy(frame);
    QPoint at = window.frameGeometry().topLeft();
    at.setX(
        std::clamp(at.x(), area.left(), std::max(area.left(), area.right() + 1 - outer.width())));
    at.setY(
        std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() + 1 - outer.height())));
    window.move(at);
}

QPoint besidePlace(const QWidget& main, QSize size) {
    const QRect area = freeArea(main);
    const QRect m = main.frameGeometry();
    const QSize outer = size.grownBy(QMargins(4, 28, 4, 4));
    const int gap = 8;
    if (m.right() + gap + outer.width() <= area.right() + 1) return {m.right() + gap, m.top()};
    if (m.left() - gap - outer.width() >= area.left())
        return {m.left() - gap - outer.width(), m.top()};
    if (m.bottom() + gap + outer.height() <= area.bottom() + 1) return {m.left(), m.bottom() + gap};
    // No free side: the right edge of the screen, where the main window shows most.
    return {area.right() + 1 - outer.width(), m.top()};
}

void bringUp(QWidget& window) {
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

}  // namespace tamvek::qt
