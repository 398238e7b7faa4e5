#include "core/Figures.h"

#include <cmath>
#include <cstdio>

namespace tamvek::figures {
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

std::string rounded(double value) {
    return decimal(std::round(value), 0);
}

std::string decimal(double value, int digits, bool sign) {
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*f", digits, std::fabs(value));
    const std::string text = buffer;
    const std::size_t point = text.find('.');
    std::string out = groupDigits(text.substr(0, point));
    if (point != std::string::npos) out += ',' + text.substr(point + 1);
    // "-0,00" and "+0,00" say more than the figure does.
    const bool zero = text.find_first_not_of("0.") == std::string::npos;
    if (!zero && value < 0) return '-' + out;
    if (!zero && sign) return '+' + out;
    return out;
}

std::string percent(std::uint64_t part, std::uint64_t all) {
    if (all == 0) return "-";
    return decimal(100.0 * static_cast<double>(part) / static_cast<double>(all), 2) + " %";
}

}  // namespace tamvek::figures
