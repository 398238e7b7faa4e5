#include "qt/QtText.h"

#include <cmath>

namespace tamvek::qt {

QFont makeFont(const form::Font& f) {
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(f.points);
    font.setBold(f.bold);
    // The old faces were a little narrower than Arial's metrics at the same
    // height; the texts were fitted to them.
    font.setStretch(96);
    return font;
}

int px(int twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}

}  // namespace tamvek::qt
