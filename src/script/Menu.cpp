#include "script/Menu.h"

#include "output/TableExport.h"
#include "script/SessionRecorder.h"

namespace tamvek::script {

MenuEntry* Menu::find(std::string_view path) {
    for (MenuEntry& entry : m_entries)
        if (entry.path() == path) return &entry;
    return nullptr;
}

void Menu::setRun(std::string_view path,
                  std::function<Result<std::string>(const std::string&)> run) {
    if (MenuEntry* entry = find(path)) entry->run = std::move(run);
}

Menu standardMenu(session::Session& session, const SessionRecorder& recorder, Replay replay) {
    session::Session* s = &session;
    const SessionRecorder* r = &recorder;
    const auto nothing = [](const std::string&) -> Result<std::string> { return std::string(); };
    const auto click = [s](form::Button form::MainForm::*button) {
        return [s, button](const std::string&) -> Result<std::string> {
            (s->form().*button).click();
            return std::string();
        };
    };
    Menu menu;
    menu.add({"Datei", "Tabellen als CSV speichern", true, true, true, "", "",
              [s](const std::string& file) { return output::exportTables(s->game(), file); }});
    menu.add({"Datei", "Sitzung speichern", true, true, true, "Ctrl+S", "",
              [r](const std::string& file) { return r->save(file); }});
    menu.add({"Datei", "Sitzung abspielen", true, true, false, "Ctrl+O", "", std::move(replay)});
    menu.add({"Datei", "Beenden", false, false, false, "Ctrl+Q", "okende",
              click(&form::MainForm::okende)});
    menu.add({"Auswertung", "Saldo-Kurve", false, false, false, "", "", nothing});
    menu.add({"Auswertung", "Statistik der Permanenz", false, false, false, "", "", nothing});
    menu.add({"Auswertung", "Systemtest", true, false, false, "", "", nothing});
    menu.add(
        {"Hilfe", "Info", false, false, false, "F1", "okinfo", click(&form::MainForm::okinfo)});
    menu.add({"Hilfe", "Über Tamvek", false, false, false, "", "", nothing});
    return menu;
}

}  // namespace tamvek::script
