#pragma once
// Shows a form grid in a QTableView. Reads cells straight from the form model;
// the view hears about every change through the grid's observers: one
// dataChanged per changed cell and row inserts or removals for a new row count,
// so a log of ten thousand rows never rebuilds the view.

#include <QAbstractTableModel>
#include <QFont>

#include "form/Grid.h"

namespace tamvek::qt {

class GridModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit GridModel(const form::Grid& grid, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Called from the grid's observer.
    void cellChanged(int row, int col);
    // Brings the row and column counts in step with the grid.
    void shapeChanged();
    // Column alignments changed: repaint, no new rows.
    void lookChanged();

  private:
    const form::Grid& m_grid;
    int m_rows;
    int m_cols;
};

}  // namespace tamvek::qt
