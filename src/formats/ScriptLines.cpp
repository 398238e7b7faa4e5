#include "formats/ScriptLines.h"

#include <cstdio>
#include <istream>

#include "core/Text.h"
#include "platform/InputFile.h"

namespace tamvek::formats {

namespace {

using text::isBlank;

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The escape for `c` inside quotes, or nothing when it stands as it is.
std::optional<std::string> escape(char c) {
    switch (c) {
        case '"':
            return "\\\"";
        case '\\':
            return "\\\\";
        case '\r':
            return "\\r";
        case '\n':
            return "\\n";
        case '\t':
            return "\\t";
        default:
            break;
    }
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte != 0x7F) return std::nullopt;
    char hex[5];
    std::snprintf(hex, sizeof hex, "\\x%02X", byte);
    return std::string(hex);
}

}  // namespace

std::string scriptQuoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (const auto escaped = escape(c))
            out += *escaped;
        else
            out += c;
    }
    return out + '"';
}

// --- arguments -------------------------------------------------------------

void ScriptArgs::skipBlanks() {
    while (m_pos < m_rest.size() && isBlank(m_rest[m_pos]))
        ++m_pos;
}

bool ScriptArgs::atEnd() {
    skipBlanks();
    // Only called at the start of a word, so a '#' here follows a blank or
    // the action: a comment.
    return m_pos >= m_rest.size() || m_rest[m_pos] == '#';
}

std::string ScriptArgs::quoted() {
    std::string out;
    ++m_pos;  // the opening quote
    while (m_pos < m_rest.size()) {
        const char c = m_rest[m_pos++];
        if (c == '"') return out;
        if (c != '\\') {
            out += c;
            continue;
        }
        if (m_pos >= m_rest.size()) break;
        const char e = m_rest[m_pos++];
        switch (e) {
            case '"':
                out += '"';
                break;
            case '\\':
                out += '\\';
                break;
            case 'r':
                out += '\r';
                break;
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case 'x': {
                const int hi = m_pos < m_rest.size() ? hexDigit(m_rest[m_pos]) : -1;
                const int lo = m_pos + 1 < m_rest.size() ? hexDigit(m_rest[m_pos + 1]) : -1;
                if (hi < 0 || lo < 0) throw ScriptLineError("\\x needs two hexadecimal digits");
                out += static_cast<char>(hi * 16 + lo);
                m_pos += 2;
                break;
            }
            default:
                throw ScriptLineError(std::string("unknown escape \\") + e);
        }
    }
    throw ScriptLineError("missing closing quote");
}

std::optional<std::string> ScriptArgs::optionalWord() {
    if (atEnd()) return std::nullopt;
    if (m_rest[m_pos] == '"') {
        std::string w = quoted();
        if (m_pos < m_rest.size() && !isBlank(m_rest[m_pos]))
            throw ScriptLineError("a blank must follow the closing quote");
        return w;
    }
    const std::size_t start = m_pos;
    while (m_pos < m_rest.size() && !isBlank(m_rest[m_pos]))
        ++m_pos;
    return std::string(m_rest.substr(start, m_pos - start));
}

std::string ScriptArgs::word(std::string_view what) {
    if (auto w = optionalWord()) return *w;
    throw ScriptLineError("missing " + std::string(what));
}

std::optional<std::string> ScriptArgs::text() {
    if (atEnd()) return std::nullopt;
    if (m_rest[m_pos] == '"') {
        std::string t = quoted();
        end();
        return t;
    }
    const std::size_t start = m_pos;
    std::size_t stop = m_rest.size();
    for (std::size_t i = start + 1; i < m_rest.size(); ++i) {
        if (m_rest[i] == '#' && isBlank(m_rest[i - 1])) {
            stop = i;
            break;
        }
    }
    while (stop > start && isBlank(m_rest[stop - 1]))
        --stop;
    m_pos = m_rest.size();
    return std::string(m_rest.substr(start, stop - start));
}

void ScriptArgs::end() {
    if (!atEnd()) {
        const std::size_t start = m_pos;
        while (m_pos < m_rest.size() && !isBlank(m_rest[m_pos]))
            ++m_pos;
        throw ScriptLineError("unexpected argument '" +
                              std::string(m_rest.substr(start, m_pos - start)) + "'");
    }
}

// --- lines -----------------------------------------------------------------

std::optional<ScriptAction> splitAction(std::string_view line) {
    ScriptArgs args(line);
    auto name = args.optionalWord();
    if (!name) return std::nullopt;
    return ScriptAction{std::move(*name), args};
}

ScriptLines::ScriptLines(std::istream& in, std::int64_t firstLine)
    : m_in(in), m_number(firstLine - 1) {}

std::optional<std::string_view> ScriptLines::next() {
    if (!std::getline(m_in, m_line)) return std::nullopt;
    ++m_number;
    if (!m_line.empty() && m_line.back() == '\r') m_line.pop_back();
    return std::string_view(m_line);
}

bool ScriptLines::unreadable() const {
    return m_in.bad();
}

std::string ScriptLines::failure(std::string_view reason) const {
    return text::shortened(reason, shownReason) + ": " + text::shortened(m_line, shownLine);
}

std::string scriptPlace(std::string_view script, std::int64_t line, std::string_view message) {
    return std::string(script) + ":" + std::to_string(line) + ": " + std::string(message);
}

// --- content hashes --------------------------------------------------------

Result<std::string> contentHash(const std::string& path) {
    Result<platform::InputFile> file = platform::InputFile::open(path);
    if (!file) return file.error();
    std::uint64_t hash = 0xcbf29ce484222325ull;
    char chunk[1 << 16];
    for (;;) {
        const Result<std::size_t> got = file->read(chunk, sizeof chunk);
        if (!got) return got.error();
        if (*got == 0) break;
        for (std::size_t i = 0; i < *got; ++i) {
            hash ^= static_cast<unsigned char>(chunk[i]);
            hash *= 0x100000001b3ull;
        }
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return std::string(text);
}

bool isContentHash(std::string_view word) {
    return word.size() == 16 && word.find_first_not_of("0123456789abcdef") == std::string::npos;
}

}  // namespace tamvek::formats
