#include "qt/GermanFigures.h"

#include <QLocale>
#include <cmath>

namespace tamvek::qt {
namespace {

const QLocale& german() {
    static const QLocale locale(QLocale::German, QLocale::Germany);
    return locale;
}

}  // namespace

QString germanWhole(double value) {
    return german().toString(std::round(value) + 0.0, 'f', 0);
}

QString germanCount(std::uint64_t value) {
    return german().toString(static_cast<qulonglong>(value));
}

QString germanAmount(std::int64_t value) {
    return german().toString(static_cast<qlonglong>(value));
}

QString germanDecimal(double value, int digits, bool sign) {
    QString text = german().toString(value, 'f', digits);
    // "-0,00" and "+0,00" say more than the figure does.
    const double shown = std::round(value * std::pow(10.0, digits));
    if (shown == 0) {
        if (text.startsWith(QLatin1Char('-'))) text.remove(0, 1);
        return text;
    }
    if (sign && value > 0) text.prepend(QLatin1Char('+'));
    return text;
}

QString germanPercent(std::uint64_t part, std::uint64_t all) {
    if (all == 0) return QStringLiteral("-");
    return germanDecimal(100.0 * static_cast<double>(part) / static_cast<double>(all), 2) +
           QStringLiteral(" %");
}

}  // namespace tamvek::qt
