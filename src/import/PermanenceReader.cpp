#include "import/PermanenceReader.h"

#include "core/Numbers.h"
#include "core/Text.h"

namespace tamvek::import {
namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view casinoMark = "Spielbank";

using text::isBlank;

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}
bool isDelimiter(char c) {
    return c == ',' || isLineEnd(c);
}

enum class EntryKind { Number, Separator, End };

EntryKind kindOf(std::string_view field) {
    if (!field.empty() && field.front() == '-') return EntryKind::Separator;
    if (!field.empty() && field.front() == '=') return EntryKind::End;
    return EntryKind::Number;
}

// Nearly every entry of a real file is one or two plain digits; they skip the
// general number scan, which gives the same value for them.
double entryValue(std::string_view field) {
    if (!field.empty() && field.size() <= 3) {
        double v = 0;
        bool plain = true;
        for (char c : field) {
            if (c < '0' || c > '9') {
                plain = false;
                break;
            }
            v = v * 10 + (c - '0');
        }
        if (plain) return v;
    }
    return numericValue(field);
}

}  // namespace

FieldScanner::FieldScanner(std::string_view text) : m_text(text), m_end(text.size()) {
    while (m_end > 0) {
        const char c = m_text[m_end - 1];
        if (!isBlank(c) && !isLineEnd(c)) break;
        --m_end;
    }
}

std::optional<std::string_view> FieldScanner::next() {
    while (m_pos < m_end && isBlank(m_text[m_pos]))
        ++m_pos;
    if (m_pos >= m_end) return std::nullopt;

    std::string_view field;
    if (m_text[m_pos] == '"') {
        const std::size_t start = m_pos + 1;
        std::size_t close = m_text.find('"', start);
        if (close == std::string_view::npos || close >= m_end) close = m_end;
        field = m_text.substr(start, close - start);
        m_pos = close < m_end ? close + 1 : m_end;
        while (m_pos < m_end && !isDelimiter(m_text[m_pos]))
            ++m_pos;
    } else {
        const std::size_t start = m_pos;
        while (m_pos < m_end && !isDelimiter(m_text[m_pos]))
            ++m_pos;
        field = m_text.substr(start, m_pos - start);
    }
    skipDelimiter();
    return field;
}

void FieldScanner::skipDelimiter() {
    if (m_pos >= m_text.size()) return;
    const char c = m_text[m_pos++];
    if (c == '\r' && m_pos < m_text.size() && m_text[m_pos] == '\n') ++m_pos;
}

ReadResult readPermanence(std::string_view bytes) {
    if (bytes.empty()) return ReadFailure::EmptyFile;
    const bool declaredUtf8 = bytes.starts_with(byteOrderMark);
    if (declaredUtf8) bytes.remove_prefix(byteOrderMark.size());

    FieldScanner scanner(bytes);
    std::array<std::string_view, 4> raw;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const auto field = scanner.next();
        if (!field) return ReadFailure::TooFewFields;
        // The first field decides before any other is read: a foreign file of
        // one field is rejected, not taken for a broken permanence.
        if (i == 0 && !field->starts_with(casinoMark)) return ReadFailure::NotCasinoFile;
        raw[i] = *field;
    }

    // Count first, so the numbers are stored without the vector ever growing.
    const FieldScanner data = scanner;
    std::size_t count = 0;
    for (auto field = scanner.next(); field; field = scanner.next()) {
        const EntryKind kind = kindOf(*field);
        if (kind == EntryKind::End) break;
        if (kind == EntryKind::Number) ++count;
    }

    Permanence result;
    for (std::size_t i = 0; i < raw.size(); ++i)
        result.header[i] = headerText(raw[i], declaredUtf8);
    result.numbers.reserve(count);
    scanner = data;
    for (auto field = scanner.next(); field; field = scanner.next()) {
        const EntryKind kind = kindOf(*field);
        if (kind == EntryKind::End) break;
        if (kind == EntryKind::Number) result.numbers.push_back(entryValue(*field));
    }
    return result;
}

std::string headerText(std::string_view field, bool declaredUtf8) {
    std::string out =
        declaredUtf8 && text::isValidUtf8(field) ? std::string(field) : text::latin1ToUtf8(field);
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return out;
}

}  // namespace tamvek::import
