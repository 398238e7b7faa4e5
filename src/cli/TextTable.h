#pragma once
// A plain text table for the terminal: a heading row, a rule, the rows; every
// column as wide as its widest cell (counted in characters, not bytes), text
// left-aligned and figures right-aligned.

#include <ostream>
#include <string>
#include <vector>

namespace tamvek::cli {

class TextTable {
  public:
    // A column's heading; figures are aligned right.
    void column(std::string heading, bool figures = true);
    void row(std::vector<std::string> cells);
    // A rule before the next row, as before a total.
    void rule();
    void write(std::ostream& out) const;

  private:
    std::vector<std::string> m_headings;
    std::vector<bool> m_right;
    std::vector<std::vector<std::string>> m_rows;  // an empty row is a rule
};

}  // namespace tamvek::cli
