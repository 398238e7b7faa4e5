#include "qt/SaldoChart.h"

#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "qt/ChartStyle.h"

namespace tamvek::qt {
namespace {

// A round step (1, 2 or 5 times a power of ten) that cuts `range` into about
// four parts.
double roundStep(double range) {
    const double rough = range / 4;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double m : {1.0, 2.0, 5.0})
        if (m * power >= rough) return m * power;
    return 10 * power;
}

}  // namespace

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
    m_spins->setTickInterval(roundStep(std::max(1.0, last)));
    m_spins->setRange(0, std::max(1.0, last));
    m_saldo->setRange(static_cast<double>(low), static_cast<double>(std::max(high, low + 1)));
    m_saldo->applyNiceNumbers();
    chart()->setTitle(title);
}

void SaldoChart::clear(const QString& title) {
    showCurve(title, {});
}

}  // namespace tamvek::qt
