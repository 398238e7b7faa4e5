#pragma once
// The Saldo curve inside a chart: one line through every spin's Saldo, drawn
// stretch by stretch in the colour of real or of fictitious play. A line
// series of the chart has one pen, so each stretch would need a series of its
// own, and a run that switches a thousand times would draw a thousand series;
// this item draws any number of stretches as cheaply as one. It maps the
// values through the axes of `anchor`, a series of the same chart, and keeps
// to the plot area.

#include <QColor>
#include <QGraphicsItem>
#include <QList>
#include <QPointF>
#include <vector>

class QChart;
class QAbstractSeries;

namespace tamvek::qt {

class SaldoCurveItem : public QGraphicsItem {
  public:
    // A run of points of one kind of play: indexes first..last of the points.
    struct Stretch {
        qsizetype first = 0;
        qsizetype last = 0;
        bool fictitious = false;
    };

    SaldoCurveItem(QChart* chart, QAbstractSeries* anchor, QColor real, QColor fictitious);

    // The points (x = spin, y = Saldo) and whether each spin was fictitious.
    // A stretch begins at the spin played in its kind of play and is joined to
    // the spin before, so the line has no gaps where the colour changes.
    void setPoints(QList<QPointF> points, const std::vector<bool>& fictitious);
    const QList<QPointF>& points() const { return m_points; }
    const std::vector<Stretch>& stretches() const { return m_stretches; }
    QColor colour(bool fictitious) const { return fictitious ? m_fictitious : m_real; }

    // The plot area moved or the axes changed.
    void plotAreaChanged();

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

  private:
    QChart* m_chart;
    QAbstractSeries* m_anchor;
    QColor m_real, m_fictitious;
    QList<QPointF> m_points;
    std::vector<Stretch> m_stretches;
    QRectF m_area;
};

}  // namespace tamvek::qt
