#pragma once
// A colour as red, green and blue, 0..255 each.

#include <cstdint>
#include <cstdio>
#include <string>

namespace tamvek {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend constexpr bool operator==(const Rgb&, const Rgb&) = default;

    // "RRGGBB" in upper-case hexadecimal.
    std::string hex() const {
        char buf[8];
        std::snprintf(buf, sizeof buf, "%02X%02X%02X", r, g, b);
        return buf;
    }
};

// The colours the program paints with.
namespace colours {
inline constexpr Rgb windowGrey{224, 224, 224};     // window background, emptied cells
inline constexpr Rgb stakeNeutral{255, 255, 192};   // stake box, no stake
inline constexpr Rgb stakeRejected{255, 255, 255};  // stake box after an entry above 999
inline constexpr Rgb stakeOn{0, 192, 0};            // stake box, stake on the table
inline constexpr Rgb stakeHeld{240, 0, 0};          // stake box, stake held by a zero
inline constexpr Rgb zeroCell{0, 192, 0};           // spin log pair cells on zero
inline constexpr Rgb side1Cell{192, 0, 0};          // red / low / even came up
inline constexpr Rgb side2Cell{0, 0, 128};          // black / high / odd came up
inline constexpr Rgb winCell{255, 255, 0};          // the staked side came up
inline constexpr Rgb fictitious{0, 192, 192};       // fictitious rows, balance in fictitious play
inline constexpr Rgb balanceReal{128, 255, 128};    // balance labels in real play
inline constexpr Rgb white{255, 255, 255};
inline constexpr Rgb silver{192, 192, 192};
inline constexpr Rgb black{0, 0, 0};
inline constexpr Rgb captionBlue{0, 0, 192};
inline constexpr Rgb darkText{64, 64, 64};
inline constexpr Rgb paleGreen{192, 255, 192};
inline constexpr Rgb profitRed{192, 0, 0};
}  // namespace colours

}  // namespace tamvek
