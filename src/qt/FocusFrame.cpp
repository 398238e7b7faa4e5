#include "qt/FocusFrame.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>

namespace tamvek::qt {

namespace {

// The window's caption blue, two pixels wide: it shows on white, yellow,
// green and grey alike.
const QColor frameColour(0x00, 0x00, 0xC0);
constexpr int frameWidth = 2;

}  // namespace

FocusFrame::FocusFrame(QWidget* window) : QWidget(window), m_window(window) {
    setObjectName(QStringLiteral("FocusFrame"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { follow(now); });
}

FocusFrame::~FocusFrame() {
    if (m_framed) m_framed->removeEventFilter(this);
}

void FocusFrame::follow(QWidget* now) {
    if (m_framed) m_framed->removeEventFilter(this);
    m_framed = nullptr;
    if (now == nullptr || m_window.isNull() || !m_window->isAncestorOf(now)) {
        hide();
        setParent(m_window);  // parked, hidden, until a control has the focus again
        return;
    }
    m_framed = now;
    setParent(now);
    setGeometry(now->rect());
    now->installEventFilter(this);
    show();
    raise();
}

bool FocusFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_framed && event->type() == QEvent::Resize) setGeometry(m_framed->rect());
    return QWidget::eventFilter(watched, event);
}

void FocusFrame::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(QPen(frameColour, frameWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    const qreal inset = frameWidth / 2.0;
    p.drawRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset));
}

}  // namespace tamvek::qt
