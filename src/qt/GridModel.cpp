#include "qt/GridModel.h"

#include <QColor>

#include "qt/QtText.h"

namespace tamvek::qt {

GridModel::GridModel(const form::Grid& grid, QObject* parent)
    : QAbstractTableModel(parent), m_grid(grid), m_rows(grid.rows()), m_cols(grid.cols()) {}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_cols;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !m_grid.hasCell(index.row(), index.column())) return {};
    const form::Grid::Cell& cell = m_grid.cell(index.row(), index.column());
    switch (role) {
        case Qt::DisplayRole:
            return qstr(cell.text);
        case Qt::BackgroundRole:
            if (cell.fill) return qcolour(*cell.fill);
            return {};
        case Qt::TextAlignmentRole: {
            return static_cast<int>(horizontal(m_grid.colAlignment(index.column())) |
                                    Qt::AlignVCenter);
        }
        default:
            return {};
    }
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled : Qt::NoItemFlags;
}

void GridModel::cellChanged(int row, int col) {
    if (row < 0 || row >= m_rows || col < 0 || col >= m_cols) return;
    const QModelIndex i = index(row, col);
    emit dataChanged(i, i, {Qt::DisplayRole, Qt::BackgroundRole});
}

void GridModel::shapeChanged() {
    if (m_grid.cols() != m_cols) {
        // Columns are set once at start-up; a full reset is cheap then.
        beginResetModel();
        m_rows = m_grid.rows();
        m_cols = m_grid.cols();
        endResetModel();
        return;
    }
    const int rows = m_grid.rows();
    if (rows > m_rows) {
        beginInsertRows({}, m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    } else if (rows < m_rows) {
        beginRemoveRows({}, rows, m_rows - 1);
        m_rows = rows;
        endRemoveRows();
    }
}

void GridModel::lookChanged() {
    if (m_rows > 0 && m_cols > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, m_cols - 1), {Qt::TextAlignmentRole});
}

}  // namespace tamvek::qt
