#include "form/Grid.h"

#include <algorithm>

namespace tamvek::form {

Grid::Grid(std::string name, Geometry geometry, int tabIndex, int rows, int cols)
    : Control(std::move(name), ControlKind::Grid, geometry, tabIndex),
      m_rows(std::max(rows, 1)),
      m_cols(std::max(cols, 1)),
      m_cells(static_cast<std::size_t>(m_rows) * static_cast<std::size_t>(m_cols)),
      m_widths(static_cast<std::size_t>(m_cols), 960),
      m_aligns(static_cast<std::size_t>(m_cols), Align::Left) {}

void Grid::setRows(int rows) {
    rows = std::max(rows, 1);  // a grid always keeps one row
    if (rows == m_rows) return;
    m_cells.resize(static_cast<std::size_t>(rows) * static_cast<std::size_t>(m_cols));
    m_rows = rows;
    if (m_row >= m_rows) m_row = m_rows - 1;
    if (m_topRow >= m_rows) m_topRow = m_rows - 1;
    notify(Change::Rows);
}

bool Grid::setRow(int row) {
    if (row < 0 || row >= m_rows) return false;
    update(m_row, row, Change::Current);
    return true;
}

bool Grid::setCol(int col) {
    if (col < 0 || col >= m_cols) return false;
    update(m_col, col, Change::Current);
    return true;
}

bool Grid::setTopRow(int row) {
    if (row < 0 || row >= m_rows) return false;
    update(m_topRow, row, Change::TopRow);
    return true;
}

Grid::Cell& Grid::at(int row, int col) {
    return m_cells[static_cast<std::size_t>(row) * static_cast<std::size_t>(m_cols) +
                   static_cast<std::size_t>(col)];
}

const Grid::Cell& Grid::cell(int row, int col) const {
    static const Cell none;
    if (!hasCell(row, col)) return none;
    return m_cells[static_cast<std::size_t>(row) * static_cast<std::size_t>(m_cols) +
                   static_cast<std::size_t>(col)];
}

void Grid::setText(std::string text) {
    Cell& c = at(m_row, m_col);
    if (c.text == text) return;
    c.text = std::move(text);
    notify(Change::Cell, m_row, m_col);
}

void Grid::setFill(Rgb fill) {
    Cell& c = at(m_row, m_col);
    if (c.fill == fill) return;
    c.fill = fill;
    notify(Change::Cell, m_row, m_col);
}

const std::string& Grid::text() const {
    return cell(m_row, m_col).text;
}

void Grid::setColWidth(int col, int twips) {
    if (col < 0 || col >= m_cols) return;
    m_widths[static_cast<std::size_t>(col)] = twips;
    notify(Change::Look);
}

void Grid::setColAlignment(int col, Align align) {
    if (col < 0 || col >= m_cols) return;
    m_aligns[static_cast<std::size_t>(col)] = align;
    notify(Change::Look);
}

}  // namespace tamvek::form
