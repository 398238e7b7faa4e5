#include "qt/ShapeWidget.h"

#include <QPainter>

namespace tamvek::qt {

ShapeWidget::ShapeWidget(Form form, QWidget* parent) : QWidget(parent), m_form(form) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

void ShapeWidget::setColour(const QColor& colour) {
    if (colour == m_colour) return;
    m_colour = colour;
    update();
}

void ShapeWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(QPen(m_colour, 1));
    if (m_form == Form::Line) {
        // A horizontal line through the widget's one-pixel height, or a vertical one.
        if (width() >= height())
            p.drawLine(0, 0, width() - 1, 0);
        else
            p.drawLine(0, 0, 0, height() - 1);
        return;
    }
    if (width() <= 1 || height() <= 1) {
        p.fillRect(rect(), m_colour);  // a bar one pixel thin
        return;
    }
    p.drawRect(0, 0, width() - 1, height() - 1);
}

}  // namespace tamvek::qt
