#include "engine/ChancePair.h"

#include "wheel/Wheel.h"

namespace tamvek::engine {

using form::MainForm;

const std::array<ChancePair, 3> chancePairs{{
    {0, "red/black", 1, 2, &MainForm::srot, &MainForm::sschwarz, &MainForm::oksetz1,
     &MainForm::okabsetz1, &GameState::stakeRedBlack, &GameState::activeRedBlack,
     &GameState::sideRedBlack, &GameState::heldRedBlack},
    {1, "low/high", 4, 5, &MainForm::sklein, &MainForm::sgross, &MainForm::oksetz2,
     &MainForm::okabsetz2, &GameState::stakeLowHigh, &GameState::activeLowHigh,
     &GameState::sideLowHigh, &GameState::heldLowHigh},
    {2, "even/odd", 7, 8, &MainForm::sgerade, &MainForm::sungerade, &MainForm::oksetz3,
     &MainForm::okabsetz3, &GameState::stakeEvenOdd, &GameState::activeEvenOdd,
     &GameState::sideEvenOdd, &GameState::heldEvenOdd},
}};

int ChancePair::sideOf(int n) const {
    return wheel::sidesOfNumber(n).side[static_cast<std::size_t>(index)];
}

}  // namespace tamvek::engine
