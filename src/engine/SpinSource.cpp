#include "engine/SpinSource.h"

#include <algorithm>
#include <cmath>

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
    return n < 19;
}
bool isHigh(int n) {
    return n > 18;
}
bool isEven(int n) {
    return n % 2 == 0;
}
bool isOdd(int n) {
    return !isEven(n);
}

void fillNumberColours(GameState& state) {
    static constexpr int reds[] = {1,  3,  5,  7,  9,  12, 14, 16, 18,
                                   19, 21, 23, 25, 27, 30, 32, 34, 36};
    static constexpr int blacks[] = {2,  4,  6,  8,  10, 11, 13, 15, 17,
                                     20, 22, 24, 26, 28, 29, 31, 33, 35};
    for (int n : reds)
        state.numberColour[static_cast<std::size_t>(n)] = 1;
    for (int n : blacks)
        state.numberColour[static_cast<std::size_t>(n)] = 2;
}

}  // namespace tamvek::engine
