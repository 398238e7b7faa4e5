#pragma once
// Plays a script of user actions against a session, one action per line, and
// writes what `dump` lines ask for. The command set is a table of handlers, so
// a new action is one addAction call. The format is described in
// docs/script-format.md.

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "script/RecordingPlatform.h"
#include "session/Session.h"

namespace tamvek::script {

class Menu;

struct ScriptResult {
    bool ok = true;
    std::int64_t line = 0;  // the line that stopped the script, 0 when it ran to the end
    std::string message;
};

// A line that cannot be played: thrown by argument readers and control look-ups
// inside an action, caught by ScriptPlayer::run.
class ScriptError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The arguments of one line after its action word. Words are separated by
// blanks or tabs; a word or text starting with a double quote runs to the
// closing quote and may hold escapes. A '#' at the start of a word begins a comment.
class ScriptArgs {
  public:
    explicit ScriptArgs(std::string_view rest) : m_rest(rest) {}
    // The next word; ScriptError if there is none.
    std::string word(std::string_view what);
    std::optional<std::string> optionalWord();
    // Everything up to the comment, without outer blanks, or one quoted string;
    // nothing when the line ends here.
    std::optional<std::string> text();
    bool atEnd();
    // ScriptError if anything but blanks and a comment is left.
    void end();

  private:
    void skipBlanks();
    std::string quoted();
    std::string_view m_rest;
    std::size_t m_pos = 0;
};

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

class SessionRecorder;

// Plays the saved session in `file` on a fresh game of `session`:
// "Sitzung abspielen". Its questions are answered from the file; afterwards
// the platform behind `recorder` answers again. A session cannot play another
// one while it plays.
Result<std::string> replaySession(session::Session& session, SessionRecorder& recorder,
                                  std::ostream& out, const std::string& file, Menu* menu);

}  // namespace tamvek::script
