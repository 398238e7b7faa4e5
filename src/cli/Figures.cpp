#include "cli/Figures.h"

#include <cmath>
#include <cstdio>

namespace tamvek::cli {
namespace {

std::string groupDigits(const std::string& digits) {
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += '.';
        out += digits[i];
    }
    return out;
}

}  // namespace

std::string whole(std::uint64_t n) {
    return groupDigits(std::to_string(n));
}

std::string amount(std::int64_t n) {
    const std::uint64_t magnitude =
        n < 0 ? ~static_cast<std::uint64_t>(n) + 1 : static_cast<std::uint64_t>(n);
    return (n < 0 ? "-" : "") + whole(magnitude);
}

std::string decimal(double value, int digits, bool sign) {
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*f", digits, std::fabs(value));
    const std::string text = buffer;
    const std::size_t point = text.find('.');
    std::string out = groupDigits(text.substr(0, point));
    if (point != std::string::npos) out += ',' + text.substr(point + 1);
    const bool zero = text.find_first_not_of("0.") == std::string::npos;
    if (!zero && value < 0) return '-' + out;
    if (!zero && sign) return '+' + out;
    return out;
}

}  // namespace tamvek::cli
