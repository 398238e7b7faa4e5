#pragma once
// One game: the window's controls, the game state, and the services around
// them. Every handler of the program works on a Game.

#include "engine/GameState.h"
#include "engine/RandomSource.h"
#include "engine/SpinLedger.h"
#include "form/MainForm.h"
#include "platform/Platform.h"

namespace tamvek::engine {

struct Game {
    Game(platform::Platform& p, RandomSource& r) : platform(p), random(r) {}
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    form::MainForm form;
    GameState state;
    platform::Platform& platform;
    RandomSource& random;
    SpinLedger ledger;
};

}  // namespace tamvek::engine
