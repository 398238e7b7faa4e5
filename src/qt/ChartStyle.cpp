#include "qt/ChartStyle.h"

#include <QChart>
#include <QGraphicsLayout>
#include <QLocale>
#include <QValueAxis>

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

}  // namespace tamvek::qt
