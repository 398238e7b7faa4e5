#pragma once
// Figures as a German reader expects them in the command's text tables:
// digits grouped in threes with a point ("1.089.156"), a decimal comma.

#include <cstdint>
#include <string>

namespace tamvek::cli {

std::string whole(std::uint64_t n);
std::string amount(std::int64_t n);  // with a minus when negative
// `sign` puts a plus before positive values; a value that rounds to zero has no sign.
std::string decimal(double value, int digits, bool sign = false);

}  // namespace tamvek::cli
