#include "qt/StatusLine.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QUrl>

namespace tamvek::qt {

StatusLine::StatusLine(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("statusLine"));
    setTextFormat(Qt::PlainText);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setIndent(4);
    setFocusPolicy(Qt::NoFocus);
    // A long message must not widen the window: it is cut to the line instead.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    setMinimumWidth(1);
    m_opener = [](const QString& file) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(file));
    };
}

void StatusLine::showMessage(const QString& message, const QString& file) {
    m_message = message;
    m_file = file;
    const bool opens = !file.isEmpty();
    setFocusPolicy(opens ? Qt::TabFocus : Qt::NoFocus);
    setCursor(opens ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QFont f = font();
    f.setUnderline(opens);
    setFont(f);
    setToolTip(opens ? QStringLiteral("%1\nEin Klick öffnet die Datei.").arg(message) : message);
    showFitting();
}

void StatusLine::openFile() {
    if (m_file.isEmpty()) return;
    if (!QFileInfo::exists(m_file)) {
        showMessage(QStringLiteral("Die Datei gibt es nicht mehr: %1").arg(m_file));
    } else if (!m_opener(m_file)) {
        showMessage(QStringLiteral("Kein Programm gefunden, das %1 anzeigen kann").arg(m_file));
    }
}

void StatusLine::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        openFile();
    QLabel::mouseReleaseEvent(event);
}

void StatusLine::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            if (!event->isAutoRepeat()) openFile();
            event->accept();
            return;
        default:
            QLabel::keyPressEvent(event);
    }
}

void StatusLine::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    showFitting();
}

void StatusLine::showFitting() {
    // The whole path where it fits; a path too long for the line loses its
    // middle, and the tool tip holds it whole.
    const int room = contentsRect().width() - 2 * margin() - indent();
    setText(room > 0 ? fontMetrics().elidedText(m_message, Qt::ElideMiddle, room) : m_message);
}

}  // namespace tamvek::qt
