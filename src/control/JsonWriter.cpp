#include "control/JsonWriter.h"

#include <charconv>
#include <cmath>

namespace tamvek::control {

namespace {

void appendEscape(std::string& out, unsigned code) {
    static constexpr char hex[] = "0123456789abcdef";
    out += "\\u00";
    out += hex[(code >> 4) & 0xF];
    out += hex[code & 0xF];
}

// Latin-1 code point `code` (0x80..0xFF) as two UTF-8 bytes.
void appendLatin1(std::string& out, unsigned code) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
}

// Length of the well-formed UTF-8 sequence at `i`, or 0 if there is none
// (overlong forms, surrogates and code points above U+10FFFF included).
std::size_t utf8Length(std::string_view s, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned lead = byte(i);
    std::size_t n;
    unsigned lo = 0x80, hi = 0xBF;  // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        n = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        n = 3;
        if (lead == 0xE0) lo = 0xA0;
        if (lead == 0xED) hi = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        n = 4;
        if (lead == 0xF0) lo = 0x90;
        if (lead == 0xF4) hi = 0x8F;
    } else {
        return 0;
    }
    if (i + n > s.size()) return 0;
    if (byte(i + 1) < lo || byte(i + 1) > hi) return 0;
    for (std::size_t k = 2; k < n; ++k)
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
    return n;
}

void appendQuoted(std::string& out, std::string_view text) {
    out += '"';
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            switch (c) {
                case '"':
                    out += "\\\"";
                    break;
                case '\\':
                    out += "\\\\";
                    break;
                case '\n':
                    out += "\\n";
                    break;
                case '\r':
                    out += "\\r";
                    break;
                case '\t':
                    out += "\\t";
                    break;
                case '\b':
                    out += "\\b";
                    break;
                case '\f':
                    out += "\\f";
                    break;
                default:
                    if (c < 0x20 || c == 0x7F)
                        appendEscape(out, c);
                    else
                        out += static_cast<char>(c);
            }
            ++i;
            continue;
        }
        if (const std::size_t n = utf8Length(text, i)) {
            out.append(text.substr(i, n));
            i += n;
        } else {
            appendLatin1(out, c);
            ++i;
        }
    }
    out += '"';
}

}  // namespace

std::string jsonQuoted(std::string_view text) {
    std::string out;
    appendQuoted(out, text);
    return out;
}

void JsonWriter::beforeValue() {
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (!m_first.empty()) {
        if (!m_first.back()) m_out += ',';
        m_first.back() = false;
    }
}

JsonWriter& JsonWriter::beginObject() {
    beforeValue();
    m_out += '{';
    m_first.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::endObject() {
    m_out += '}';
    m_first.pop_back();
    return *this;
}

JsonWriter& JsonWriter::beginArray() {
    beforeValue();
    m_out += '[';
    m_first.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::endArray() {
    m_out += ']';
    m_first.pop_back();
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view name) {
    beforeValue();
    appendQuoted(m_out, name);
    m_out += ':';
    m_afterKey = true;
    return *this;
}

JsonWriter& JsonWriter::string(std::string_view text) {
    beforeValue();
    appendQuoted(m_out, text);
    return *this;
}

JsonWriter& JsonWriter::number(double value) {
    if (!std::isfinite(value)) return null();
    beforeValue();
    if (value == 0) value = 0;  // no "-0"
    char buf[32];
    // Shortest form that reads back as the same double, e.g. "3", "0.5", "1e+20".
    const auto result = std::to_chars(buf, buf + sizeof buf, value);
    m_out.append(buf, result.ptr);
    return *this;
}

JsonWriter& JsonWriter::integer(std::int64_t value) {
    beforeValue();
    m_out += std::to_string(value);
    return *this;
}

JsonWriter& JsonWriter::boolean(bool value) {
    beforeValue();
    m_out += value ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::null() {
    beforeValue();
    m_out += "null";
    return *this;
}

}  // namespace tamvek::control
