#include "core/Text.h"

namespace tamvek::text {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string lowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = lowerAscii(c);
    return out;
}

std::size_t sequenceLength(std::string_view s) {
    if (s.empty()) return 0;
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned lead = byte(0);
    if (lead < 0x80) return 1;
    std::size_t n;
    unsigned lo = 0x80, hi = 0xBF;  // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        n = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        n = 3;
        if (lead == 0xE0) lo = 0xA0;  // overlong
        if (lead == 0xED) hi = 0x9F;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        n = 4;
        if (lead == 0xF0) lo = 0x90;  // overlong
        if (lead == 0xF4) hi = 0x8F;  // above U+10FFFF
    } else {
        return 0;
    }
    if (s.size() < n || byte(1) < lo || byte(1) > hi) return 0;
    for (std::size_t k = 2; k < n; ++k)
        if (!isContinuation(s[k])) return 0;
    return n;
}

bool isValidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = sequenceLength(s.substr(i));
        if (n == 0) return false;
        i += n;
    }
    return true;
}

namespace {

void appendLatin1(std::string& out, unsigned char c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
        return;
    }
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
}

}  // namespace

std::string toUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        if (const std::size_t n = sequenceLength(bytes.substr(i))) {
            out.append(bytes.substr(i, n));
            i += n;
        } else {
            appendLatin1(out, static_cast<unsigned char>(bytes[i++]));
        }
    }
    return out;
}

std::string latin1ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes)
        appendLatin1(out, static_cast<unsigned char>(c));
    return out;
}

std::size_t characterCount(std::string_view s) {
    std::size_t n = 0;
    for (const char c : s)
        if (!isContinuation(c)) ++n;
    return n;
}

std::string_view headOf(std::string_view s, std::size_t bytes) {
    if (s.size() <= bytes) return s;
    std::size_t cut = bytes;
    while (cut > 0 && isContinuation(s[cut]))
        --cut;
    return s.substr(0, cut);
}

std::string shortened(std::string_view s, std::size_t characters) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (isContinuation(s[i])) continue;
        if (seen++ == characters) return std::string(s.substr(0, i)) + "…";
    }
    return std::string(s);
}

std::string escapeControls(std::string_view bytes) {
    constexpr char hex[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F) {
            out += c;
            continue;
        }
        out += "\\x";
        out += hex[byte >> 4];
        out += hex[byte & 0xF];
    }
    return out;
}

}  // namespace tamvek::text
