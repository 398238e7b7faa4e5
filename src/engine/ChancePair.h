#pragma once
// The constant description of the three even-money chance pairs, always handled
// in the order red/black, low/high, even/odd. Procedures that work on "a pair"
// take one of these and reach the pair's controls and fields through it.

#include <array>
#include <cstdint>

#include "core/Numbers.h"
#include "engine/GameState.h"
#include "form/MainForm.h"
#include "wheel/Wheel.h"

namespace tamvek::engine {

struct ChancePair {
    int index;             // 0, 1, 2
    const char* name;      // "red/black", ...
    int column1, column2;  // spin-log columns of side 1 / side 2
    form::TextBox form::MainForm::*box1;
    form::TextBox form::MainForm::*box2;
    form::Button form::MainForm::*activateButton;
    form::Button form::MainForm::*withdrawButton;
    Amount GameState::*stake;
    std::int16_t GameState::*active;
    std::int16_t GameState::*side;
    std::int16_t GameState::*held;

    // Which side number n brings up: 1, 2, or 0 when neither (zero, or a number
    // without colour for red/black).
    int sideOf(int n) const;
    wheel::Pair wheelPair() const { return static_cast<wheel::Pair>(index); }

    // The stake box and the spin-log column of side 1 or 2.
    form::TextBox& box(form::MainForm& form, int which) const {
        return form.*(which == 1 ? box1 : box2);
    }
    int column(int which) const { return which == 1 ? column1 : column2; }
};

extern const std::array<ChancePair, 3> chancePairs;

}  // namespace tamvek::engine
