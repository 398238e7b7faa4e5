#include "cli/TextTable.h"

#include <algorithm>

#include "core/Text.h"

namespace tamvek::cli {

void TextTable::column(std::string heading, bool figures) {
    m_headings.push_back(std::move(heading));
    m_right.push_back(figures);
}

void TextTable::row(std::vector<std::string> cells) {
    cells.resize(m_headings.size());
    m_rows.push_back(std::move(cells));
}

void TextTable::rule() {
    m_rows.emplace_back();
}

void TextTable::write(std::ostream& out) const {
    std::vector<std::size_t> widths;
    for (const std::string& h : m_headings)
        widths.push_back(text::characterCount(h));
    for (const auto& r : m_rows)
        for (std::size_t c = 0; c < r.size(); ++c)
            widths[c] = std::max(widths[c], text::characterCount(r[c]));
    std::size_t total = 0;
    for (std::size_t w : widths)
        total += w + 2;
    const auto line = [&](const std::vector<std::string>& cells) {
        std::string text;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            const std::string pad(widths[c] - text::characterCount(cells[c]), ' ');
            text += c == 0 ? "" : "  ";
            text += m_right[c] ? pad + cells[c] : cells[c] + pad;
        }
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        out << text << '\n';
    };
    line(m_headings);
    const std::string rule(total > 2 ? total - 2 : 0, '-');
    out << rule << '\n';
    for (const auto& r : m_rows) {
        if (r.empty())
            out << rule << '\n';
        else
            line(r);
    }
}

}  // namespace tamvek::cli
