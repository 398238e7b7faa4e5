// The number rules against the C library: numericValue reads what strtod reads
// wherever both read a plain decimal number, nearestInt rounds as nearbyint,
// and numberText writes a text that reads back as the same double.

#include <cfenv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "core/Numbers.h"

namespace {

// A sign, digits with at most one point, an optional exponent: all of it.
bool plainDecimal(const std::string& s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    bool point = false;
    for (; i < s.size(); ++i) {
        if (s[i] >= '0' && s[i] <= '9') {
            ++digits;
        } else if (s[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        std::size_t exponent = 0;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9' && exponent < 6) {
            ++i;
            ++exponent;
        }
        if (exponent == 0) return false;
    }
    return i == s.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tamvek;
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (plainDecimal(text) && text.size() <= numberTextLimit) {
        const double expected = std::strtod(text.c_str(), nullptr);
        const double got = numericValue(text);
        if (!(got == expected || (std::isnan(got) && std::isnan(expected)))) std::abort();
    }
    (void)numericValue(text);  // anything at all: no crash, no hang

    if (size >= sizeof(double)) {
        double d;
        std::memcpy(&d, data, sizeof d);
        if (std::isfinite(d)) {
            if (numericValue(numberText(d)) != d) std::abort();
            std::fesetround(FE_TONEAREST);
            constexpr double top = 9.2e18;
            if (std::fabs(d) < top &&
                nearestInt<std::int64_t>(d) != static_cast<std::int64_t>(std::nearbyint(d)))
                std::abort();
        }
        if (std::isnan(d) && nearestInt<std::int16_t>(d) != 0) std::abort();
    }
    return 0;
}
