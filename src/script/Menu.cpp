#include "script/Menu.h"

#include "output/TableExport.h"
#include "platform/OutputFile.h"
#include "script/SessionRecorder.h"

namespace tamvek::script {
namespace {

using platform::Overwrite;

// Before an entry writes: one question naming every file it would replace.
// Nothing when none of them exists; Yes when the user lets them go, No when
// not (the entry then writes nothing).
std::optional<Overwrite> mayReplace(platform::Platform& platform,
                                    const std::vector<std::string>& targets) {
    std::vector<std::string> existing;
    for (const std::string& target : targets)
        if (platform::plainFileExists(target)) existing.push_back(target);
    if (existing.empty()) return Overwrite::No;
    const bool one = existing.size() == 1;
    std::string question = one ? "Die Datei gibt es schon:\n" : "Diese Dateien gibt es schon:\n";
    for (const std::string& file : existing)
        question += file + "\n";
    question += one ? "\nSoll sie ersetzt werden?" : "\nSollen sie ersetzt werden?";
    if (platform.ask(question, " Speichern", platform::Buttons::YesNo) != platform::Answer::Yes)
        return std::nullopt;
    return Overwrite::Yes;
}

}  // namespace

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
    // The question goes to the platform behind the record: it belongs to the
    // menu entry, which a saved session does not hold either.
    menu.add({"Datei", "Tabellen als CSV speichern", true, true, true, "", "",
              [s, r](const std::string& file) -> Result<std::string> {
                  const auto [spins, profit] = output::tableFiles(file);
                  const auto overwrite = mayReplace(r->inner(), {spins, profit});
                  if (!overwrite) return std::string();
                  return output::exportTables(s->game(), file, *overwrite);
              }});
    menu.add({"Datei", "Sitzung speichern", true, true, true, "Ctrl+S", "",
              [r](const std::string& file) -> Result<std::string> {
                  const auto overwrite = mayReplace(r->inner(), {file});
                  if (!overwrite) return std::string();
                  return r->save(file, *overwrite);
              }});
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
