#pragma once
// Figures as a German reader writes them, for every table, label and report of
// the program: digits grouped in threes with a point ("1.089.156"), a decimal
// comma ("0,48"), a per cent sign after a blank ("12,50 %"). The command line
// prints these texts as they are; the windows show the same ones.

#include <cstdint>
#include <string>

namespace tamvek::figures {

std::string whole(std::uint64_t n);
// Exact however large; with a minus when negative.
std::string amount(std::int64_t n);
// Rounded to a whole number, halves away from zero; with a minus when negative.
std::string rounded(double value);
// `digits` places after the comma. `sign` puts a plus before a positive value;
// a value that rounds to zero has no sign.
std::string decimal(double value, int digits, bool sign = false);
// `part` of `all` in per cent with two places, "-" of nothing.
std::string percent(std::uint64_t part, std::uint64_t all);

}  // namespace tamvek::figures
