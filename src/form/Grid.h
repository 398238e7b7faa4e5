#pragma once
// A grid of text cells with fills, a current cell and a first visible row.
// Writes address the current cell, as the logic does. Selecting a row or a
// column the grid does not have is refused (the call returns false), so the
// current cell is always one the grid has.

#include <optional>
#include <string>
#include <vector>

#include "form/Control.h"

namespace tamvek::form {

class Grid : public Control {
  public:
    struct Cell {
        std::string text;
        std::optional<Rgb> fill;
    };

    Grid(std::string name, Geometry geometry, int tabIndex, int rows, int cols);

    int rows() const { return m_rows; }
    int cols() const { return m_cols; }
    // Existing rows keep their cells; new rows are empty.
    void setRows(int rows);

    int row() const { return m_row; }
    int col() const { return m_col; }
    bool setRow(int row);
    bool setCol(int col);
    int topRow() const { return m_topRow; }
    bool setTopRow(int row);

    // The current cell.
    void setText(std::string text);
    void setFill(Rgb fill);
    const std::string& text() const override;

    const Cell& cell(int row, int col) const;
    bool hasCell(int row, int col) const {
        return row >= 0 && row < m_rows && col >= 0 && col < m_cols;
    }

    int colWidth(int col) const { return m_widths.at(static_cast<std::size_t>(col)); }
    void setColWidth(int col, int twips);
    Align colAlignment(int col) const { return m_aligns.at(static_cast<std::size_t>(col)); }
    void setColAlignment(int col, Align align);
    int rowHeight() const { return 240; }  // twips

  private:
    Cell& at(int row, int col);
    int m_rows;
    int m_cols;
    int m_row = 0;
    int m_col = 0;
    int m_topRow = 0;
    std::vector<Cell> m_cells;
    std::vector<int> m_widths;
    std::vector<Align> m_aligns;
};

}  // namespace tamvek::form
