#pragma once
// The names of the three pairs and six chances: the keys that files and JSON
// use, and the German names the player reads. A chance is numbered by its
// pair and side: 0 red, 1 black, 2 low, 3 high, 4 even, 5 odd.

#include <array>
#include <string_view>

#include "wheel/Wheel.h"

namespace tamvek::wheel {

inline constexpr int chances = 2 * pairs;

constexpr int chanceOf(Pair pair, int side) {
    return 2 * static_cast<int>(pair) + side - 1;
}

inline constexpr std::array<std::string_view, pairs> pairKeys{"red-black", "low-high", "even-odd"};
inline constexpr std::array<std::string_view, chances> chanceKeys{"red",  "black", "low",
                                                                  "high", "even",  "odd"};
inline constexpr std::array<std::string_view, pairs> pairNames{"Rot/Schwarz", "Manque/Passe",
                                                               "Gerade/Ungerade"};
inline constexpr std::array<std::string_view, chances> chanceNames{"Rot",   "Schwarz", "Manque",
                                                                   "Passe", "Gerade",  "Ungerade"};

}  // namespace tamvek::wheel
