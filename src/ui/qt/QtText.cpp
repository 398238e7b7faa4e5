#include "ui/qt/QtText.h"

#include <cmath>

namespace tamvek::qt {

QFont makeFont(const form::Font& f) {
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(f.points);
    font.setBold(f.bold);
    return font;
}

int px(int twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}

}  // namespace tamvek::qt
