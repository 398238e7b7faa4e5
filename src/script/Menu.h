#pragma once
// The menu bar's entries, "Datei", "Auswertung" and "Hilfe", as one table that
// the window shows as menus and that a script reaches with
// `menu "Datei/Tabellen als CSV speichern" FILE`. An entry runs the same
// handler as its button does, and follows that button's enabled state. The
// entries that need no window work headless too; the window gives the others
// theirs (the Saldo curve, the statistics, the system test, the about box).

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Result.h"
#include "session/Session.h"

namespace tamvek::script {

class SessionRecorder;

struct MenuEntry {
    std::string menu;        // "Datei"
    std::string text;        // "Tabellen als CSV speichern", without the trailing " …"
    bool ellipsis = false;   // shown with " …": it asks for more before it acts
    bool takesFile = false;  // a file the window asks for in a dialog, a script names
    bool saves = false;      // that file is written, not read
    std::string shortcut;    // in Qt's portable form ("Ctrl+S"), or empty
    std::string button;      // the control whose enabled state the entry follows, or empty
    // Runs the entry; the text is for the status line, the error for the user.
    std::function<Result<std::string>(const std::string& file)> run;

    std::string path() const { return menu + "/" + text; }
    std::string shown() const { return ellipsis ? text + " …" : text; }
};

class Menu {
  public:
    void add(MenuEntry entry) { m_entries.push_back(std::move(entry)); }
    MenuEntry* find(std::string_view path);
    const std::vector<MenuEntry>& entries() const { return m_entries; }
    // Gives an entry another action (the window does for its windows).
    void setRun(std::string_view path, std::function<Result<std::string>(const std::string&)> run);

  private:
    std::vector<MenuEntry> m_entries;
};

// Plays a saved session on a fresh game: what "Sitzung abspielen" does.
using Replay = std::function<Result<std::string>(const std::string& file)>;

// Every entry, with the actions that need no window.
Menu standardMenu(session::Session& session, const SessionRecorder& recorder, Replay replay);

}  // namespace tamvek::script
