#include "qt/GridDelegate.h"

#include <QPainter>

namespace tamvek::qt {

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    const QVariant fill = index.data(Qt::BackgroundRole);
    painter->fillRect(option.rect,
                      fill.isValid() ? fill.value<QColor>() : option.palette.color(QPalette::Base));
    const QString text = index.data(Qt::DisplayRole).toString();
    if (text.isEmpty()) return;
    painter->save();
    painter->setClipRect(option.rect);
    painter->setFont(option.font);
    painter->setPen(option.palette.color(QPalette::Text));
    const int align = index.data(Qt::TextAlignmentRole).toInt();
    painter->drawText(option.rect.adjusted(2, 0, -1, 0), align, text);
    painter->restore();
}

}  // namespace tamvek::qt
