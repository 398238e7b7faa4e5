#pragma once
// Text <-> number rules shared by every box, label, grid cell and permanence file.

#include <cmath>
#include <concepts>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace tamvek {

// Amounts (stakes, highest and lowest balance) are whole units. They are kept
// 64 bits wide so that a long winning streak never wraps, and every figure that
// fits 16 bits reads the same.
using Amount = std::int64_t;

// No stake rides above this: a win that would double a stake past it takes the
// stake home instead. Far below the 64-bit limit and below 2^53, so the balance
// (a double) and every figure beside it stay exact and agree with each other.
inline constexpr Amount largestStake = Amount{1} << 50;

// Only this many characters of a text are read for its number: enough for every
// double (an integer part this long is infinite, a fraction digit this far out
// changes nothing), and short enough that reading a box after every keystroke
// stays fast however long its text grows.
inline constexpr std::size_t numberTextLimit = 400;

// The value of the number at the start of `text`: leading blanks skipped, an
// optional sign, digits, an optional point with fraction digits and an optional
// exponent (e/E); blanks between these characters are ignored. Reading stops at
// the first character that cannot continue the number (a comma ends it), and
// after numberTextLimit characters. A text that does not start with a number
// has the value 0. Overflow gives +-infinity.
double numericValue(std::string_view text);

// Plain decimal form: "-" for negatives, no leading blank, no grouping, no point
// for whole numbers below 1e21; any other finite value in the shortest form
// that numericValue reads back as the same double ("0.1", "1e+21",
// "1.7976931348623157e+308").
std::string numberText(double value);
std::string numberText(std::int64_t value);
inline std::string numberText(int value) {
    return numberText(static_cast<std::int64_t>(value));
}

// A whole number as a command line or a script takes it: decimal digits only
// (no sign, blank, point or exponent; leading zeros are decimal too), at most
// the largest 64-bit value. Anything else is none.
std::optional<std::uint64_t> parseWhole(std::string_view text);

// Round to the nearest whole number, a half to the even neighbour (1.5 and 2.5
// give 2). NaN gives 0.
double roundHalfEven(double value);

// Rounds like roundHalfEven and converts to T. Values outside T's range SATURATE
// to T's minimum or maximum (NaN gives 0), so the conversion is never undefined.
template <std::integral T>
T nearestInt(double value) {
    const double r = roundHalfEven(value);
    if (std::isnan(r)) return T{0};
    // The limits as doubles: max may round up (2^63), hence >=.
    constexpr double hi = static_cast<double>(std::numeric_limits<T>::max());
    constexpr double lo = static_cast<double>(std::numeric_limits<T>::min());
    if (r >= hi) return std::numeric_limits<T>::max();
    if (r <= lo) return std::numeric_limits<T>::min();
    return static_cast<T>(r);
}

}  // namespace tamvek
