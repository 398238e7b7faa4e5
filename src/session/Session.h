#pragma once
// A running program: the game with every handler bound and the window loaded.
// The Qt window, the command-line player and the tests all start here.

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "engine/Game.h"
#include "session/PlatformSwitch.h"

namespace tamvek::session {

class Session {
  public:
    Session(platform::Platform& platform, engine::RandomSource& random);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    engine::Game& game() { return *m_game; }
    const engine::Game& game() const { return *m_game; }
    form::MainForm& form() { return m_game->form; }
    engine::GameState& state() { return m_game->state; }
    engine::RandomSource& random() { return m_random; }

    // The platform the game talks to from now on.
    void usePlatform(platform::Platform& platform) { m_platform.use(platform); }
    platform::Platform& platform() const { return m_platform.current(); }

    // A fresh game, as if the program had just started: a new window of
    // controls with every handler bound and the window loaded. Whoever holds
    // on to the old controls lets go of them in `before`, and takes up the new
    // ones in `after`.
    void renew();
    void onRenew(std::function<void()> before, std::function<void()> after) {
        m_renewListeners.push_back({std::move(before), std::move(after)});
    }

  private:
    void start();

    PlatformSwitch m_platform;
    engine::RandomSource& m_random;
    std::optional<engine::Game> m_game;
    struct RenewListener {
        std::function<void()> before, after;
    };
    std::vector<RenewListener> m_renewListeners;
};

// Binds every control's handlers to the logic.
void bindHandlers(engine::Game& game);

}  // namespace tamvek::session
