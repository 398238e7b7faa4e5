#pragma once
// A running program: the game with every handler bound and the window loaded.
// The Qt window, the command-line player and the tests all start here.

#include <memory>

#include "engine/Game.h"

namespace tamvek::session {

class Session {
  public:
    Session(platform::Platform& platform, engine::RandomSource& random);
    engine::Game& game() { return m_game; }
    form::MainForm& form() { return m_game.form; }
    engine::GameState& state() { return m_game.state; }

  private:
    engine::Game m_game;
};

// Binds every control's handlers to the logic.
void bindHandlers(engine::Game& game);

}  // namespace tamvek::session
