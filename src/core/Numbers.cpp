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

// Reads the leading number of `text`, skipping blanks between its characters.
Scan scanNumber(std::string_view text) {
    Scan s;
    std::size_t i = 0;
    const auto skip = [&] {
        while (i < text.size() && isBlank(text[i]))
            ++i;
    };
    skip();
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
        skip();
    }
    if (negative) s.number += '-';
    long long intDigits = 0;
    bool seenNonZero = false;
    long long leadingFractionZeros = 0;
    for (;;) {
        skip();
        if (i < text.size() && isDigit(text[i])) {
            if (text[i] != '0') seenNonZero = true;
            if (seenNonZero && intDigits < (1LL << 40)) ++intDigits;
            s.number += text[i++];
            s.hasDigits = true;
        } else {
            break;
        }
    }
    std::size_t afterMantissa = i;
    skip();
    if (i < text.size() && text[i] == '.') {
        ++i;
        s.number += '.';
        bool any = false;
        for (;;) {
            skip();
            if (i < text.size() && isDigit(text[i])) {
                if (!seenNonZero && text[i] == '0' && leadingFractionZeros < (1LL << 40))
                    ++leadingFractionZeros;
                if (text[i] != '0') seenNonZero = true;
                s.number += text[i++];
                any = true;
            } else {
                break;
            }
        }
        s.hasDigits = s.hasDigits || any;
        afterMantissa = i;
    }
    if (!s.hasDigits) return Scan{};
    i = afterMantissa;
    // An exponent only counts when digits follow it; "5e" is 5 with "e" left over.
    std::size_t j = i;
    while (j < text.size() && isBlank(text[j]))
        ++j;
    if (j < text.size() && (text[j] == 'e' || text[j] == 'E')) {
        ++j;
        NumberChars exp;
        exp += 'e';
        while (j < text.size() && isBlank(text[j]))
            ++j;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) exp += text[j++];
        long long expValue = 0;
        bool expDigits = false;
        for (;;) {
            while (j < text.size() && isBlank(text[j]))
                ++j;
            if (j < text.size() && isDigit(text[j])) {
                expDigits = true;
                if (expValue < (1LL << 40)) expValue = expValue * 10 + (text[j] - '0');
                exp += text[j++];
            } else {
                break;
            }
        }
        if (expDigits) {
            s.number += exp;
            i = j;
            if (exp.size() > 1 && exp[1] == '-') expValue = -expValue;
            s.decimalExponent = expValue;
        }
    }
    s.decimalExponent += intDigits > 0 ? intDigits : -leadingFractionZeros;
    if (!seenNonZero) s.decimalExponent = std::numeric_limits<long long>::min();
    s.end = i;
    return s;
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
