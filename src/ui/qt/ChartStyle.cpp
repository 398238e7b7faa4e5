#include "ui/qt/ChartStyle.h"

#include <QChart>
#include <QGraphicsLayout>
#include <QLocale>

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

}  // namespace tamvek::qt
