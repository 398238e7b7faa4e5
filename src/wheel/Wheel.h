#pragma once
// The single-zero wheel: the sides of the three pairs that a number brings up,
// for the window's game, the system tester and the statistics alike. Every
// spin is one byte, its class. Classes 0..36 are the numbers themselves; a
// number off the wheel (only a permanence file can hold one) plays by its
// nearest whole number: no colour, low below 19, even or odd by its parity;
// such numbers fall into the four classes 37..40.

#include <array>
#include <cmath>
#include <cstdint>

#include "core/NumberList.h"
#include "core/Numbers.h"

namespace tamvek::wheel {

enum Pair : int { RedBlack = 0, LowHigh = 1, EvenOdd = 2 };
inline constexpr int pairs = 3;

inline constexpr std::array<int, 18> redNumbers{1,  3,  5,  7,  9,  12, 14, 16, 18,
                                                19, 21, 23, 25, 27, 30, 32, 34, 36};

constexpr bool isRed(int n) {
    for (int r : redNumbers)
        if (r == n) return true;
    return false;
}

// The side of each pair that a number brings up: 1 (red, low, even), 2 (black,
// high, odd), or 0 when the pair is not decided (zero; red/black off the wheel).
struct Sides {
    std::array<std::uint8_t, pairs> side{};
};

constexpr Sides sidesOfNumber(int n) {
    Sides s{};
    if (n == 0) return s;
    s.side[RedBlack] = n >= 1 && n <= 36 ? (isRed(n) ? 1 : 2) : 0;
    s.side[LowHigh] = n < 19 ? 1 : 2;
    s.side[EvenOdd] = n % 2 == 0 ? 1 : 2;
    return s;
}

// 37: high and odd (as 37 itself), 38: high and even, 39: low and odd, 40: low
// and even; none has a colour.
inline constexpr std::uint8_t classes = 41;

// The class of a whole number.
constexpr std::uint8_t classOf(int n) {
    if (n >= 0 && n <= 36) return static_cast<std::uint8_t>(n);
    const bool high = n > 18;
    const bool even = n % 2 == 0;
    return static_cast<std::uint8_t>(high ? (even ? 38 : 37) : (even ? 40 : 39));
}
// The class of a number as a permanence holds it: rounded to the nearest whole
// number (halves to the even neighbour); an empty element plays as zero.
inline std::uint8_t classOfValue(double value) {
    return classOf(nearestInt<std::int16_t>(value));
}

constexpr std::array<Sides, classes> makeSides() {
    std::array<Sides, classes> table{};
    constexpr int offTheWheel[] = {37, 38, -1, -2};  // one number of each class 37..40
    for (int c = 0; c < classes; ++c)
        table[static_cast<std::size_t>(c)] = sidesOfNumber(c <= 36 ? c : offTheWheel[c - 37]);
    return table;
}
inline constexpr std::array<Sides, classes> sidesOf = makeSides();

// The classes of a permanence read into a number list, from entry `first` on.
std::vector<std::uint8_t> classesOf(const NumberList& numbers, std::size_t first = 0);

}  // namespace tamvek::wheel
