#pragma once
// Plays a script of user actions against a session, one action per line, and
// writes what `dump` lines ask for. The command set is a table of handlers, so
// a new action is one addAction call. The format is described in
// docs/script-format.md.

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <map>
#include <string>
#include <string_view>

#include "formats/ScriptLines.h"
#include "script/RecordingPlatform.h"
#include "session/Session.h"

namespace tamvek::script {

class Menu;

struct ScriptResult {
    bool ok = true;
    std::int64_t line = 0;  // the line that stopped the script, 0 when it ran to the end
    std::string message;
    std::string said;  // what is wrong in German words, where the player knows them
};

// A line that cannot be played, and the arguments of a line after its action
// word: the script format's own (formats/ScriptLines.h). Actions throw
// ScriptError for a bad argument; ScriptPlayer::run catches it.
using ScriptError = formats::ScriptLineError;
using ScriptArgs = formats::ScriptArgs;

class ScriptPlayer {
  public:
    using Handler = std::function<void(ScriptPlayer&, ScriptArgs&)>;

    ScriptPlayer(session::Session& session, RecordingPlatform& recorder, std::ostream& out);

    // Plays every line. Stops at the first bad line or unanswered question
    // (ok = false) or when the program was told to quit (ok = true). Lines are
    // counted from `firstLine`, for a script that goes on from another.
    ScriptResult run(std::istream& in, std::int64_t firstLine = 1);
    // Plays one line; ScriptError or NoAnswerQueued when it cannot.
    void playLine(std::string_view line);

    // Adds or replaces an action.
    void addAction(std::string name, Handler handler);

    // The longest text `type` takes. The window redraws its box after every
    // keystroke, so it types less than the headless player.
    void setLongestTypedText(std::size_t bytes) { m_longestTyped = bytes; }
    // The menu `menu` lines reach; without one every `menu` line is a bad line.
    void setMenu(Menu* menu) { m_menu = menu; }
    Menu* menu() const { return m_menu; }
    std::size_t longestTypedText() const { return m_longestTyped; }

    // For handlers: a control by name, ScriptError if the form has none.
    form::Control& control(std::string_view name) const;
    // The control, which must be of the given kind.
    form::TextBox& textBox(std::string_view name) const;

    session::Session& session() { return m_session; }
    RecordingPlatform& recorder() { return m_recorder; }
    std::ostream& out() { return m_out; }

  private:
    void addStandardActions();
    session::Session& m_session;
    RecordingPlatform& m_recorder;
    std::ostream& m_out;
    std::map<std::string, Handler, std::less<>> m_actions;
    std::size_t m_longestTyped = std::size_t{64} << 20;
    Menu* m_menu = nullptr;
};

}  // namespace tamvek::script
