#include "wheel/Wheel.h"

namespace tamvek::wheel {

std::vector<std::uint8_t> classesOf(const NumberList& numbers, std::size_t first) {
    // What a number list's byte means, for the bytes that are whole numbers.
    static const std::array<std::uint8_t, 256> byCode = [] {
        std::array<std::uint8_t, 256> t{};
        for (int code = 0; code <= NumberList::largestSmall; ++code)
            t[static_cast<std::size_t>(code)] = classOf(static_cast<std::int16_t>(code));
        t[NumberList::emptyMark] = 0;
        return t;
    }();
    const std::vector<std::uint8_t>& codes = numbers.codes();
    std::vector<std::uint8_t> out;
    if (first >= codes.size()) return out;
    out.resize(codes.size() - first);
    for (std::size_t i = first; i < codes.size(); ++i) {
        const std::uint8_t code = codes[i];
        out[i - first] =
            code == NumberList::otherMark ? classOfValue(numbers.otherValue(i)) : byCode[code];
    }
    return out;
}

}  // namespace tamvek::wheel
