#include "qt/SaldoChart.h"

#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>

#include "qt/ChartStyle.h"

namespace tamvek::qt {

SaldoChart::SaldoChart(QWidget* parent) : QChartView(parent), m_series(new QLineSeries) {
    auto* chart = new QChart;
    styleChart(*chart);
    chart->legend()->hide();
    chart->addSeries(m_series);
    m_spins = wholeAxis(*chart, QStringLiteral("Wurf"), Qt::AlignBottom);
    m_saldo = wholeAxis(*chart, QStringLiteral("Saldo"), Qt::AlignLeft);
    m_spins->setTickType(QValueAxis::TicksDynamic);
    m_spins->setTickAnchor(0);
    m_series->attachAxis(m_spins);
    m_series->attachAxis(m_saldo);
    QPen pen(QColor(0, 90, 170));
    pen.setWidthF(1.2);
    m_series->setPen(pen);
    setChart(chart);
    setRenderHint(QPainter::Antialiasing);
    clear(QStringLiteral("Saldo"));
}

void SaldoChart::showCurve(const QString& title,
                           const std::vector<tester::SaldoCurve::Point>& points) {
    QList<QPointF> list;
    list.reserve(static_cast<qsizetype>(points.size()));
    Amount low = 0, high = 0;
    for (const tester::SaldoCurve::Point& p : points) {
        list.append(QPointF(static_cast<double>(p.spin), static_cast<double>(p.saldo)));
        low = std::min(low, p.saldo);
        high = std::max(high, p.saldo);
    }
    m_series->replace(list);
    const double last = points.empty() ? 0 : static_cast<double>(points.back().spin);
    // The spins run to the last one exactly, with round figures on the way.
    // The step goes first: the old step over the new range could make
    // millions of ticks.
    m_spins->setTickInterval(wholeStep(last, 4));
    m_spins->setRange(0, std::max(1.0, last));
    setWholeScale(*m_saldo, static_cast<double>(low), static_cast<double>(high), 4);
    // Without a curve the axes have nothing to count: only the title shows.
    for (QValueAxis* axis : {m_spins, m_saldo})
        axis->setVisible(!points.empty());
    chart()->setTitle(title);
}

void SaldoChart::clear(const QString& title) {
    showCurve(title, {});
}

}  // namespace tamvek::qt
