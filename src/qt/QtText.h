#pragma once
// The small conversions between the form model and Qt, in one place: UTF-8
// text, captions with carriage returns, colours, fonts and alignment.

#include <QColor>
#include <QFont>
#include <QString>
#include <string>
#include <string_view>

#include "core/Rgb.h"
#include "form/Control.h"

namespace tamvek::qt {

inline QString qstr(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

inline std::string utf8(const QString& s) {
    return s.toUtf8().toStdString();
}

// Captions and the info text break lines with a lone carriage return; Qt with
// a line feed.
inline QString lineText(std::string_view s) {
    QString text = qstr(s);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

inline QColor qcolour(const Rgb& c) {
    return QColor(c.r, c.g, c.b);
}

inline Qt::Alignment horizontal(form::Align a) {
    switch (a) {
        case form::Align::Centre:
            return Qt::AlignHCenter;
        case form::Align::Right:
            return Qt::AlignRight;
        case form::Align::Left:
            break;
    }
    return Qt::AlignLeft;
}

// The old faces were bitmap sans-serif fonts. Liberation Sans (Arial's
// metrics; Debian's fonts-liberation2) stands in at the same point sizes,
// narrowed a little to their widths; a plain sans-serif face where it is missing.
QFont makeFont(const form::Font& font);

// Twips to logical pixels: 15 twips are one pixel at 96 dpi.
int px(int twips);

}  // namespace tamvek::qt
