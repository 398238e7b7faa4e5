#pragma once
// Where a window beside the game stands: wholly inside the free area of the
// screen the main window is on, beside the main window when it is new; and
// what it showed (place, size, options), kept for the program's life when the
// window itself has to be made anew for a replayed game.

#include <QPoint>
#include <QSize>
#include <QVariantMap>
#include <optional>

class QWidget;

namespace tamvek::qt {

struct Remembered {
    std::optional<QPoint> at;  // where its frame began (QWidget::pos)
    QSize size;
    QVariantMap options;  // what the window's own controls were set to
    bool open = false;
};

// The free area of the screen `main` is on (the screen under its middle).
QRect freeArea(const QWidget& main);
// Moves, and where it must shrinks, `window` so that it lies wholly inside
// the free area of the screen `main` is on.
void keepOnScreen(QWidget& window, const QWidget& main);
// Where a new window of `size` goes: right of `main`, else left of it, else
// below, else where it fits best; always on the screen.
QPoint besidePlace(const QWidget& main, QSize size);
// Brings a window back to the front: restored when minimised, shown, raised
// and active.
void bringUp(QWidget& window);

}  // namespace tamvek::qt
