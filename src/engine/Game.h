#pragma once
// One game: the window's controls, the game state, and the services around
// them. Every handler of the program works on a Game.

#include "engine/GameState.h"
#include "engine/RandomSource.h"
#include "ui/form/MainForm.h"
#include "ui/form/Platform.h"

namespace tamvek::engine {

struct Game {
    Game(form::Platform& p, RandomSource& r) : platform(p), random(r) {}
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    form::MainForm form;
    GameState state;
    form::Platform& platform;
    RandomSource& random;
};

}  // namespace tamvek::engine
