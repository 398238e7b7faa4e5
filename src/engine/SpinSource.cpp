#include "engine/SpinSource.h"

#include <algorithm>
#include <cmath>

#include "wheel/Wheel.h"

namespace tamvek::engine {

void drawNumbers(Game& game) {
    GameState& s = game.state;
    for (std::size_t i = 1; static_cast<double>(i) <= s.wantedSpins && i < s.spinNumbers.size();
         ++i) {
        const double r = static_cast<double>(game.random.next());
        s.spinNumbers[i] = std::min(36.0, std::floor(r * 37.0));
    }
}

std::int16_t nextNumber(const Game& game, double s) {
    const GameState& st = game.state;
    const auto index = nearestInt<std::int64_t>(s);
    if (index < 0) return 0;
    const auto i = static_cast<std::size_t>(index);
    if (st.permanenceLoaded == 0) {
        return i < st.spinNumbers.size() ? nearestInt<std::int16_t>(st.spinNumbers[i]) : 0;
    }
    const std::optional<double> n = st.permanenceNumbers[i];  // empty beyond the end
    return n ? nearestInt<std::int16_t>(*n) : std::int16_t{0};
}

int colourOf(const GameState& state, int n) {
    if (n < 0 || n >= static_cast<int>(state.numberColour.size())) return 0;
    return state.numberColour[static_cast<std::size_t>(n)];
}

bool isRed(const GameState& state, int n) {
    return colourOf(state, n) == 1;
}
bool isBlack(const GameState& state, int n) {
    return colourOf(state, n) == 2;
}
bool isLow(int n) {
    return wheel::sidesOfNumber(n).side[wheel::LowHigh] == 1;
}
bool isHigh(int n) {
    return wheel::sidesOfNumber(n).side[wheel::LowHigh] == 2;
}
bool isEven(int n) {
    return wheel::sidesOfNumber(n).side[wheel::EvenOdd] == 1;
}
bool isOdd(int n) {
    return wheel::sidesOfNumber(n).side[wheel::EvenOdd] == 2;
}

void fillNumberColours(GameState& state) {
    for (int n = 1; n <= 36; ++n)
        state.numberColour[static_cast<std::size_t>(n)] = wheel::isRed(n) ? 1 : 2;
}

}  // namespace tamvek::engine
