#pragma once
// Figures in the windows beside the main window as a German reader writes
// them, the same as the command-line statistics: digits grouped in threes
// with a point ("1.089.156"), a decimal comma ("0,48").

#include <QString>
#include <cstdint>

namespace tamvek::qt {

// Rounded to a whole number; with a minus when negative.
QString germanWhole(double value);
QString germanCount(std::uint64_t value);
// Exact however large; with a minus when negative.
QString germanAmount(std::int64_t value);
// `sign` puts a plus before a positive value; one that rounds to zero has none.
QString germanDecimal(double value, int digits, bool sign = false);
// part of all in per cent with two decimals, "-" of nothing.
QString germanPercent(std::uint64_t part, std::uint64_t all);

}  // namespace tamvek::qt
