#include "qt/CountBox.h"

#include <QLocale>

namespace tamvek::qt {

QString CountBox::digitsOf(QString text, int* pos) const {
    if (text.endsWith(m_many))
        text.chop(m_many.size());
    else if (text.endsWith(m_one))
        text.chop(m_one.size());
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

CountBox::CountBox(int most, int value, const QString& one, const QString& many, QWidget* parent)
    : QSpinBox(parent), m_one(one), m_many(many) {
    setLocale(QLocale(QLocale::German, QLocale::Germany));
    setRange(1, most);
    setGroupSeparatorShown(true);
    setValue(value);
}

QValidator::State CountBox::validate(QString& input, int& pos) const {
    int digitsBefore = pos;
    const QString digits = digitsOf(input, &digitsBefore);
    if (digits.isEmpty())
        return input == m_one || input == m_many ? QValidator::Intermediate : QValidator::Invalid;
    bool ok = false;
    const qlonglong value = digits.toLongLong(&ok);
    if (!ok || value > maximum()) return QValidator::Invalid;
    // Written anew with its dots; the cursor goes behind the digit it was behind.
    const QString shown = locale().toString(value);
    int at = 0;
    for (int seen = 0; at < shown.size() && seen < digitsBefore; ++at)
        if (shown[at].isDigit()) ++seen;
    input = shown + wordFor(value);
    pos = at;
    return value < minimum() ? QValidator::Intermediate : QValidator::Acceptable;
}

int CountBox::valueFromText(const QString& text) const {
    return digitsOf(text).toInt();
}

QString CountBox::textFromValue(int value) const {
    return locale().toString(value) + wordFor(value);
}

}  // namespace tamvek::qt
