#pragma once
// The window's menu bar, made from the session's menu table (script::Menu):
// one menu per table menu, one action per entry with its shortcut. An entry
// that follows a button is enabled exactly when that button takes a click, and
// its shortcut does nothing otherwise; an entry that needs a file asks for it
// in a file dialog. What an entry did goes to the status line, what went wrong
// into a message box. The entries run the table's own actions, so the menu in
// the window and a script's `menu` line do the same.

#include <QMenuBar>
#include <QString>
#include <functional>
#include <map>
#include <string>

#include "script/Menu.h"
#include "session/Session.h"

class QAction;
class QMainWindow;

namespace tamvek::qt {

class StatusLine;

class MenuBar : public QObject {
    Q_OBJECT
  public:
    MenuBar(QMainWindow& window, session::Session& session, script::Menu& menu, StatusLine& status);

    // Brings the entries' enabled states up to date with their buttons.
    void update();
    // The action of an entry, named as a script names it ("Datei/Beenden").
    QAction* action(const std::string& path) const;

    // Asks for the file of an entry; an empty answer cancels. A file dialog
    // unless a test puts something else in.
    using FileChooser = std::function<QString(const script::MenuEntry& entry)>;
    void setFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }
    // Whether a failure is shown in a message box too (tests hear `failed` only).
    void setShowFailures(bool show) { m_showFailures = show; }

  signals:
    // An entry could not do its work: the message the user was shown.
    void failed(const QString& message);

  private:
    void trigger(const std::string& path);
    bool enabled(const script::MenuEntry& entry) const;
    QString askForFile(const script::MenuEntry& entry) const;

    QMainWindow& m_window;
    session::Session& m_session;
    script::Menu& m_menu;
    StatusLine& m_status;
    std::map<std::string, QAction*> m_actions;
    FileChooser m_chooser;
    bool m_showFailures = true;
};

}  // namespace tamvek::qt
