#include "qt/SaldoCurveItem.h"

#include <QChart>
#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <algorithm>

namespace tamvek::qt {
namespace {

constexpr qsizetype piece = 32;

}  // namespace

SaldoCurveItem::SaldoCurveItem(QChart* chart, QAbstractSeries* anchor, QColor real,
                               QColor fictitious)
    : QGraphicsItem(chart),
      m_chart(chart),
      m_anchor(anchor),
      m_real(real),
      m_fictitious(fictitious) {}

void SaldoCurveItem::setPoints(QList<QPointF> points, const std::vector<bool>& fictitious) {
    m_points = std::move(points);
    m_stretches.clear();
    for (qsizetype i = 0; i < m_points.size(); ++i) {
        const bool f = static_cast<std::size_t>(i) < fictitious.size() &&
                       fictitious[static_cast<std::size_t>(i)];
        if (m_stretches.empty() || m_stretches.back().fictitious != f)
            m_stretches.push_back({i, i, f});
        else
            m_stretches.back().last = i;
    }
    update();
}

void SaldoCurveItem::plotAreaChanged() {
    prepareGeometryChange();
    m_area = m_chart->plotArea();
    update();
}

QRectF SaldoCurveItem::boundingRect() const {
    // The pen reaches a little beyond the plot area at its edges.
    return m_area.adjusted(-2, -2, 2, 2);
}

void SaldoCurveItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    if (m_points.isEmpty() || m_area.isEmpty()) return;
    // The axes are linear: two mapped points give the whole mapping, where
    // mapping each point through the chart would cost a thousand times more.
    const QPointF origin = m_chart->mapToPosition(QPointF(0, 0), m_anchor);
    const QPointF unit = m_chart->mapToPosition(QPointF(1, 1), m_anchor) - origin;
    QPolygonF line(m_points.size());
    for (qsizetype i = 0; i < m_points.size(); ++i)
        line[i] = QPointF(origin.x() + m_points[i].x() * unit.x(),
                          origin.y() + m_points[i].y() * unit.y());

    painter->save();
    painter->setClipRect(boundingRect());
    QPen pen;
    pen.setWidthF(2);
    pen.setCapStyle(Qt::RoundCap);  // closes the joints between the pieces
    pen.setJoinStyle(Qt::RoundJoin);
    for (const Stretch& s : m_stretches) {
        pen.setColor(colour(s.fictitious));
        painter->setPen(pen);
        const qsizetype from = s.first > 0 ? s.first - 1 : 0;
        if (s.last == from) {
            painter->drawPoint(line[from]);  // a run of one spin
            continue;
        }
        // The raster engine strokes a long antialiased line much slower than
        // the same line in short pieces that share their end points.
        for (qsizetype at = from; at < s.last; at += piece)
            painter->drawPolyline(line.constData() + at,
                                  static_cast<int>(std::min(piece, s.last - at) + 1));
    }
    painter->restore();
}

}  // namespace tamvek::qt
