#pragma once
// Where the number of a spin comes from, and how a number sorts into the sides
// of the three pairs.
//
// Numbers outside 0..36 can only come from a permanence file. 37 has no colour
// (red/black undecided) but is high and odd. Any other number below 0 or above
// 37 is treated the same way: no colour, and low/high and even/odd decided by
// the usual tests (so -5 is low and odd, 99 high and odd). Nothing reads
// outside the colour table for them.

#include <cstdint>

#include "engine/Game.h"

namespace tamvek::engine {

// Fills spinNumbers[1..wantedSpins] with numbers 0..36 from the random source.
void drawNumbers(Game& game);
// The number of spin s (counted from 1); an element never written, or beyond
// the array, plays 0.
std::int16_t nextNumber(const Game& game, double s);

// 1 red, 2 black, 0 none (zero, 37 and every number outside the table).
int colourOf(const GameState& state, int n);
bool isRed(const GameState& state, int n);
bool isBlack(const GameState& state, int n);
bool isLow(int n);
bool isHigh(int n);
bool isEven(int n);
bool isOdd(int n);

void fillNumberColours(GameState& state);

}  // namespace tamvek::engine
