#pragma once
// Every value that outlives one event handler. The window holds one for its
// whole life; every part of the logic reads and writes it directly.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/NumberList.h"
#include "core/Numbers.h"

namespace tamvek::engine {

struct GameState {
    // Run counters. Counts are doubles: a typed count may hold a fraction.
    double wantedSpins = 0;
    double currentSpin = 0;
    double haltAtSpin = 0;
    std::int16_t runStarted = 0;
    std::int16_t currentNumber = 0;

    // Numbers drawn for the run, index = spin; never-written elements read 0.
    std::vector<double> spinNumbers;
    std::int16_t permanenceLoaded = 0;
    // Numbers of the imported permanence, index = spin; empty elements play 0.
    NumberList permanenceNumbers;
    double importedCount = 0;

    // 1 = red, 2 = black, 0 = no colour; filled once at window load.
    std::array<std::int16_t, 38> numberColour{};

    // Money. The balance label is the book of record in real play; `balance` is
    // its working copy. Amounts are wide so that nothing ever wraps.
    double balance = 0;
    Amount highestBalance = 0;
    Amount lowestBalance = 0;
    std::int32_t profitRow = 0;

    // The three chance pairs: units on the table, activated, staked side
    // (0 none, 1 red/low/even, 2 black/high/odd) and held by a zero.
    Amount stakeRedBlack = 0, stakeLowHigh = 0, stakeEvenOdd = 0;
    std::int16_t activeRedBlack = 0, activeLowHigh = 0, activeEvenOdd = 0;
    std::int16_t sideRedBlack = 0, sideLowHigh = 0, sideEvenOdd = 0;
    std::int16_t heldRedBlack = 0, heldLowHigh = 0, heldEvenOdd = 0;

    std::int16_t fictitiousPlay = 0;
    // +100 per winning pair, -95 per losing pair of the current spin.
    std::int16_t spinScore = 0;
    std::string soundFile;
};

}  // namespace tamvek::engine
