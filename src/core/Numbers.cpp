#include "core/Numbers.h"

#include "core/Text.h"

#include <array>
#include <charconv>
#include <limits>

namespace tamvek {
namespace {

using text::isBlank;
using text::isDigit;

// The characters of a number as from_chars takes them; never longer than the
// text it came from, which numericValue bounds.
class NumberChars {
  public:
    NumberChars& operator+=(char c) {
        if (m_size < m_chars.size()) m_chars[m_size++] = c;
        return *this;
    }
    NumberChars& operator+=(const NumberChars& more) {
        for (std::size_t i = 0; i < more.m_size; ++i)
            *this += more.m_chars[i];
        return *this;
    }
    const char* data() const { return m_chars.data(); }
    std::size_t size() const { return m_size; }
    char front() const { return m_chars[0]; }
    char operator[](std::size_t i) const { return m_chars[i]; }

  private:
    std::array<char, numberTextLimit + 8> m_chars;
    std::size_t m_size = 0;
};

struct Scan {
    NumberChars number;   // sign, digits, point, exponent: ready for from_chars
    std::size_t end = 0;  // index of the first character not taken
    bool hasDigits = false;
    long long decimalExponent = 0;  // rough magnitude, for out-of-range results
};

// Reads the leading number of a text, skipping blanks between its characters.
class NumberScanner {
  public:
    explicit NumberScanner(std::string_view text) : m_text(text) {}

    Scan scan() {
        skipBlanks(m_i);
        sign();
        integerPart();
        m_afterMantissa = m_i;
        skipBlanks(m_i);
        if (m_i < m_text.size() && m_text[m_i] == '.') fraction();
        if (!m_scan.hasDigits) return Scan{};
        m_i = m_afterMantissa;
        exponent();
        m_scan.decimalExponent += m_intDigits > 0 ? m_intDigits : -m_leadingFractionZeros;
        if (!m_seenNonZero) m_scan.decimalExponent = std::numeric_limits<long long>::min();
        m_scan.end = m_i;
        return m_scan;
    }

  private:
    static constexpr long long countLimit = 1LL << 40;

    void skipBlanks(std::size_t& i) const {
        while (i < m_text.size() && isBlank(m_text[i]))
            ++i;
    }
    bool digitAt(std::size_t i) const { return i < m_text.size() && isDigit(m_text[i]); }

    void sign() {
        if (m_i >= m_text.size() || (m_text[m_i] != '+' && m_text[m_i] != '-')) return;
        if (m_text[m_i] == '-') m_scan.number += '-';
        ++m_i;
        skipBlanks(m_i);
    }

    void integerPart() {
        for (skipBlanks(m_i); digitAt(m_i); skipBlanks(m_i)) {
            if (m_text[m_i] != '0') m_seenNonZero = true;
            if (m_seenNonZero && m_intDigits < countLimit) ++m_intDigits;
            m_scan.number += m_text[m_i++];
            m_scan.hasDigits = true;
        }
    }

    void fraction() {
        ++m_i;
        m_scan.number += '.';
        for (skipBlanks(m_i); digitAt(m_i); skipBlanks(m_i)) {
            if (!m_seenNonZero && m_text[m_i] == '0' && m_leadingFractionZeros < countLimit)
                ++m_leadingFractionZeros;
            if (m_text[m_i] != '0') m_seenNonZero = true;
            m_scan.number += m_text[m_i++];
            m_scan.hasDigits = true;
        }
        m_afterMantissa = m_i;
    }

    // An exponent only counts when digits follow it; "5e" is 5 with "e" left over.
    void exponent() {
        std::size_t j = m_i;
        skipBlanks(j);
        if (j >= m_text.size() || (m_text[j] != 'e' && m_text[j] != 'E')) return;
        ++j;
        NumberChars exp;
        exp += 'e';
        skipBlanks(j);
        if (j < m_text.size() && (m_text[j] == '+' || m_text[j] == '-')) exp += m_text[j++];
        long long value = 0;
        bool digits = false;
        for (skipBlanks(j); digitAt(j); skipBlanks(j)) {
            digits = true;
            if (value < countLimit) value = value * 10 + (m_text[j] - '0');
            exp += m_text[j++];
        }
        if (!digits) return;
        m_scan.number += exp;
        m_i = j;
        m_scan.decimalExponent = exp.size() > 1 && exp[1] == '-' ? -value : value;
    }

    std::string_view m_text;
    std::size_t m_i = 0;
    std::size_t m_afterMantissa = 0;
    Scan m_scan;
    long long m_intDigits = 0;
    bool m_seenNonZero = false;
    long long m_leadingFractionZeros = 0;
};

Scan scanNumber(std::string_view text) {
    return NumberScanner(text).scan();
}

}  // namespace

double numericValue(std::string_view text) {
    // A box typed full a character at a time is read after every keystroke: a
    // bounded read keeps that linear. No number needs more characters.
    const Scan s = scanNumber(text.substr(0, numberTextLimit));
    if (!s.hasDigits) return 0.0;
    double value = 0.0;
    const char* first = s.number.data();
    const char* last = first + s.number.size();
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec == std::errc::result_out_of_range) {
        const bool negative = s.number.front() == '-';
        const double magnitude =
            s.decimalExponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        return negative ? -magnitude : magnitude;
    }
    if (ec != std::errc{}) return 0.0;
    return value;
}

std::optional<std::uint64_t> parseWhole(std::string_view text) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    std::uint64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::string numberText(std::int64_t value) {
    return std::to_string(value);
}

std::string numberText(double value) {
    if (value == 0.0 || std::isnan(value)) return "0";  // also turns -0 into "0"
    if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
    if (value == std::trunc(value) && std::fabs(value) < 1e21) {
        std::array<char, 64> buf{};
        auto [ptr, ec] =
            std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::fixed, 0);
        return ec == std::errc{} ? std::string(buf.data(), ptr) : std::string("0");
    }
    // The shortest text that reads back as the same double.
    std::array<char, 64> buf{};
    auto [ptr, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), value);
    return ec == std::errc{} ? std::string(buf.data(), ptr) : std::string("0");
}

double roundHalfEven(double value) {
    // Exactly halfway: take the even neighbour. Independent of the FPU rounding mode.
    if (std::fabs(value - std::trunc(value)) == 0.5) return 2.0 * std::round(value / 2.0);
    return std::round(value);
}

}  // namespace tamvek
