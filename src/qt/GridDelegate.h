#pragma once
// Paints grid cells the way the old flex grid did: a flat fill, the text close
// to the cell edges and clipped rather than elided, no focus or selection marks.

#include <QStyledItemDelegate>

namespace tamvek::qt {

class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

}  // namespace tamvek::qt
