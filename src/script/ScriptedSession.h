#pragma once
// A session a script plays, wired in this one place for everything that plays
// one: the window (`tamvek --script`), `tamvek-cli play`, the fuzzer, the
// benchmarks and the tests. A recording platform stands before the platform
// given: while scripted it answers questions from the script, and it notes what
// the dumps show. Everything the user does is written down (for "Sitzung
// speichern"), `menu` lines reach the session's menu, and "Sitzung abspielen"
// plays a saved session on a fresh game of this one, but never while it plays
// one already. Scripted from the start; handOver() gives the session to a user.

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "core/Result.h"
#include "script/Menu.h"
#include "script/RecordingPlatform.h"
#include "script/ScriptPlayer.h"
#include "script/SessionRecorder.h"
#include "session/Session.h"

namespace tamvek::script {

class ScriptedSession {
  public:
    // The numbers from `seed`, or from the clock without one. Dumps go to `out`.
    ScriptedSession(platform::Platform& platform, std::optional<std::uint32_t> seed,
                    std::ostream& out);
    // The numbers from `random`, which outlives the session.
    ScriptedSession(platform::Platform& platform, engine::RandomSource& random, std::ostream& out);
    ScriptedSession(const ScriptedSession&) = delete;
    ScriptedSession& operator=(const ScriptedSession&) = delete;

    session::Session& session() { return m_session; }
    RecordingPlatform& recorder() { return m_recorder; }
    SessionRecorder& sessionRecorder() { return m_sessionRecorder; }
    Menu& menu() { return m_menu; }
    ScriptPlayer& player() { return m_player; }

    // Plays the script to its end (ScriptPlayer::run).
    ScriptResult play(std::istream& in) { return m_player.run(in); }
    // A user goes on: questions go to the platform again, and nothing more is
    // noted.
    void handOver();
    // Plays the saved session in `file` on a fresh game: "Sitzung abspielen".
    // The whole file is tried on the side first, so a faulty one changes
    // nothing; a game that has begun is replaced only when the player says so
    // (the question of "Abbruch"). Its questions are answered from the file,
    // its printouts, copies, sounds and saved files are not repeated (the text
    // says how many); afterwards the platform behind answers again.
    Result<std::string> replay(const std::string& file);

  private:
    std::optional<Error> tryReplay(const std::string& text, const std::string& shown);
    bool mayReplaceGame();
    Result<std::string> playReplay(const std::string& text, const std::string& shown);
    Menu replayMenu(int& skipped) const;

    ScriptedSession(platform::Platform& platform, std::unique_ptr<engine::RandomSource> random,
                    std::ostream& out);

    std::unique_ptr<engine::RandomSource> m_ownRandom;  // none when the caller's is used
    engine::RandomSource& m_random;
    std::ostream& m_out;
    RecordingPlatform m_recorder;
    session::Session m_session;
    SessionRecorder m_sessionRecorder;
    Menu m_menu;
    ScriptPlayer m_player;
    bool m_replaying = false;
};

}  // namespace tamvek::script
