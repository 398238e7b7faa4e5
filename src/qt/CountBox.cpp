#include "qt/CountBox.h"

#include <QLocale>

namespace tamvek::qt {
namespace {

// The digits of `text` without the suffix and the dots; empty when there is
// anything else in it.
QString digitsOf(QString text, const QString& suffix, int* pos = nullptr) {
    if (text.endsWith(suffix)) text.chop(suffix.size());
    QString digits;
    int before = 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('.') || c == QLatin1Char(' ')) continue;
        if (!c.isDigit()) return {};
        digits += c;
        if (pos != nullptr && i < *pos) ++before;
    }
    if (pos != nullptr) *pos = before;
    return digits;
}

}  // namespace

CountBox::CountBox(int most, int value, const QString& suffix, QWidget* parent) : QSpinBox(parent) {
    setLocale(QLocale(QLocale::German, QLocale::Germany));
    setRange(1, most);
    setValue(value);
    setGroupSeparatorShown(true);
    setSuffix(suffix);
}

QValidator::State CountBox::validate(QString& input, int& pos) const {
    int digitsBefore = pos;
    const QString digits = digitsOf(input, suffix(), &digitsBefore);
    if (digits.isEmpty()) return input == suffix() ? QValidator::Intermediate : QValidator::Invalid;
    bool ok = false;
    const qlonglong value = digits.toLongLong(&ok);
    if (!ok || value > maximum()) return QValidator::Invalid;
    // Written anew with its dots; the cursor goes behind the digit it was behind.
    const QString shown = locale().toString(value);
    int at = 0;
    for (int seen = 0; at < shown.size() && seen < digitsBefore; ++at)
        if (shown[at].isDigit()) ++seen;
    input = shown + suffix();
    pos = at;
    return value < minimum() ? QValidator::Intermediate : QValidator::Acceptable;
}

int CountBox::valueFromText(const QString& text) const {
    return digitsOf(text, suffix()).toInt();
}

}  // namespace tamvek::qt
