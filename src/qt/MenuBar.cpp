#include "qt/MenuBar.h"

#include <QAction>
#include <QDir>
#include <QKeySequence>
#include <QMainWindow>
#include <QMessageBox>

#include "output/TableExport.h"
#include "qt/FileDialogs.h"
#include "qt/QtPrinter.h"
#include "qt/QtText.h"
#include "qt/StatusLine.h"

namespace tamvek::qt {
namespace {

// The file types a file entry reads or writes, and the name it suggests.
struct FileKind {
    FilesOf files;
    QString filter;
    QString suggested;
};

FileKind fileKind(const script::MenuEntry& entry) {
    if (entry.text.find("CSV") != std::string::npos)
        return {FilesOf::Tables, QStringLiteral("CSV-Dateien (*.csv);;Alle Dateien (*)"),
                QStringLiteral("Tamvek-Tabellen.csv")};
    return {FilesOf::Sessions, QStringLiteral("Tamvek-Sitzungen (*.txt);;Alle Dateien (*)"),
            QStringLiteral("Tamvek-Sitzung.txt")};
}

}  // namespace

MenuBar::MenuBar(QMainWindow& window, session::Session& session, script::Menu& menu,
                 StatusLine& status)
    : QObject(&window), m_window(window), m_session(session), m_menu(menu), m_status(status) {
    QMenuBar* bar = window.menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));
    std::map<std::string, QMenu*> menus;
    for (const script::MenuEntry& entry : menu.entries()) {
        QMenu*& shown = menus[entry.menu];
        if (shown == nullptr) {
            // The first letter is the menu's Alt key, as on every desktop.
            shown = bar->addMenu(QStringLiteral("&") + qstr(entry.menu));
            connect(shown, &QMenu::aboutToShow, this, &MenuBar::update);
        }
        QAction* action = shown->addAction(qstr(entry.shown()));
        action->setObjectName(qstr(entry.path()));
        if (!entry.shortcut.empty())
            action->setShortcut(QKeySequence(QString::fromStdString(entry.shortcut)));
        const std::string path = entry.path();
        connect(action, &QAction::triggered, this, [this, path] { trigger(path); });
        m_actions[path] = action;
    }
    update();
}

QAction* MenuBar::action(const std::string& path) const {
    const auto it = m_actions.find(path);
    return it == m_actions.end() ? nullptr : it->second;
}

bool MenuBar::enabled(const script::MenuEntry& entry) const {
    if (entry.button.empty()) return true;
    const form::Control* button = m_session.form().find(entry.button);
    return button != nullptr && button->takesInput();
}

void MenuBar::update() {
    for (const script::MenuEntry& entry : m_menu.entries())
        if (QAction* a = action(entry.path())) a->setEnabled(enabled(entry));
}

QString MenuBar::askForFile(const script::MenuEntry& entry) const {
    if (m_chooser) return m_chooser(entry);
    const FileKind kind = fileKind(entry);
    // The entry itself asks once about every file it would replace (the CSV
    // export writes two beside the name picked), so the dialog does not.
    FileQuestion question{kind.files, qstr(entry.text), kind.filter, printFolder(), kind.suggested};
    question.confirmOverwrite = false;
    return entry.saves ? saveFile(&m_window, question) : openFile(&m_window, question);
}

void MenuBar::trigger(const std::string& path) {
    script::MenuEntry* entry = m_menu.find(path);
    // A shortcut works while the menu is closed: the button decides even then.
    if (entry == nullptr || !enabled(*entry)) return;
    std::string file;
    if (entry->takesFile) {
        const QString picked = askForFile(*entry);
        if (picked.isEmpty()) return;
        file = utf8(picked);
    }
    const Result<std::string> done = entry->run(file);
    if (!done) {
        const QString message = qstr(done.error().message);
        if (m_showFailures) QMessageBox::warning(&m_window, QStringLiteral("Tamvek"), message);
        emit failed(message);
    } else if (!done->empty()) {
        // A click on the line opens what was written: the spin log of an export.
        const std::string written = !entry->saves ? std::string()
                                    : fileKind(*entry).suggested.endsWith(".csv")
                                        ? output::tableFiles(file).first
                                        : file;
        m_status.showMessage(qstr(*done), qstr(written));
    }
    update();
}

}  // namespace tamvek::qt
