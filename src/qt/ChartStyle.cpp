#include "qt/ChartStyle.h"

#include <QChart>
#include <QGraphicsLayout>
#include <QLocale>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace tamvek::qt {

void styleChart(QChart& chart) {
    chart.setTheme(QChart::ChartThemeLight);
    chart.setAnimationOptions(QChart::NoAnimation);
    // Axis labels through the locale: "1.089.156", not "1089156".
    chart.setLocale(QLocale(QLocale::German, QLocale::Germany));
    chart.setLocalizeNumbers(true);
    chart.setMargins(QMargins(4, 4, 4, 4));
    chart.layout()->setContentsMargins(0, 0, 0, 0);
    chart.setBackgroundRoundness(0);
}

QValueAxis* wholeAxis(QChart& chart, const QString& title, Qt::Alignment side) {
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setLabelFormat(QStringLiteral("%.0f"));
    chart.addAxis(axis, side);
    return axis;
}

double wholeStep(double span, int parts) {
    const double raw = std::max(span / parts, 1.0);
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (raw <= m * power) return m * power;
    return 10 * power;
}

void setWholeScale(QValueAxis& axis, double low, double high, int parts) {
    const double step = wholeStep(high - low, parts);
    const double first = std::floor(low / step) * step;
    // The step goes first: the old step over the new range could make
    // millions of ticks.
    axis.setTickType(QValueAxis::TicksDynamic);
    axis.setTickAnchor(0);
    axis.setTickInterval(step);
    axis.setRange(first, std::max(std::ceil(high / step) * step, first + step));
}

}  // namespace tamvek::qt
