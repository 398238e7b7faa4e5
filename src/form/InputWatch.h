#pragma once
// Hears what a user does to the window's controls: every input method of a
// control (typing, pasting, a key release, Enter, a click, a choice in a list)
// reports itself here before it is carried out, and says when it is done. Only
// the outermost input is reported: a click that a handler gives another
// control (Enter pressing Start, say) is part of the input that caused it. A
// session recorder writes these down; a view refreshes its figures after them.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tamvek::form {

class Control;

struct UserInput {
    enum class Kind {
        Type,    // keystrokes: `text` is what was typed
        Paste,   // the whole text replaced at once: `text`
        KeyUp,   // a key released without a change
        Enter,   // the Enter key
        Click,   // a click; in a file list `index` is the entry hit (-1: none)
        Choose,  // a drive or folder chosen in a list: `text` is it
    };
    Kind kind;
    const Control& control;
    std::string_view text = {};
    int index = -1;
};

class InputWatch {
  public:
    using Begin = std::function<void(const UserInput&)>;
    using End = std::function<void()>;

    void listen(Begin begin, End end) { m_listeners.push_back({std::move(begin), std::move(end)}); }

    // Reports an input for as long as it lives.
    class Scope {
      public:
        Scope(InputWatch* watch, const UserInput& input);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

      private:
        InputWatch* m_watch;
        bool m_outermost = false;
    };

  private:
    struct Listener {
        Begin begin;
        End end;
    };
    std::vector<Listener> m_listeners;
    int m_depth = 0;
};

}  // namespace tamvek::form
