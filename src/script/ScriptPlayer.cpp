#include "script/ScriptPlayer.h"

#include <algorithm>
#include <istream>
#include <ostream>
#include <vector>

#include "core/Text.h"
#include "formats/FolderListing.h"
#include "import/ImportPanel.h"
#include "script/Menu.h"
#include "script/ScriptSource.h"
#include "script/StateDump.h"

namespace tamvek::script {

namespace {

// --- keys and clicks ---------------------------------------------------------

void typeText(ScriptPlayer& p, ScriptArgs& args) {
    form::TextBox& box = p.textBox(args.word("control name"));
    const auto text = args.text();
    if (!text) throw ScriptError("missing text");
    if (text->size() > p.longestTypedText())
        throw ScriptError("a text of " + std::to_string(text->size()) +
                          " bytes is longer than this player types (at most " +
                          std::to_string(p.longestTypedText()) + ")");
    box.type(*text);
}

void pasteText(ScriptPlayer& p, ScriptArgs& args) {
    form::TextBox& box = p.textBox(args.word("control name"));
    box.paste(args.text().value_or(""));
}

void releaseKey(ScriptPlayer& p, ScriptArgs& args) {
    form::TextBox& box = p.textBox(args.word("control name"));
    args.end();
    box.keyUp();
}

void pressEnter(ScriptPlayer& p, ScriptArgs& args) {
    form::TextBox& box = p.textBox(args.word("control name"));
    args.end();
    box.enter();
    box.keyUp();
}

void clickControl(ScriptPlayer& p, ScriptArgs& args) {
    const std::string name = args.word("control name");
    args.end();
    form::Control& c = p.control(name);
    if (auto* button = dynamic_cast<form::Button*>(&c)) return button->click();
    if (auto* box = dynamic_cast<form::TextBox*>(&c)) return box->click();
    if (auto* check = dynamic_cast<form::CheckBox*>(&c)) return check->click();
    if (auto* option = dynamic_cast<form::OptionButton*>(&c)) return option->click();
    // A click into the file list where no file is: it switches OK off.
    if (auto* files = dynamic_cast<form::FileList*>(&c)) return files->click(-1);
    throw ScriptError("cannot click the " + std::string(form::kindName(c.kind())) + " '" + name +
                      "'");
}

// --- the import panel's lists ------------------------------------------------
// Like a click, these do nothing while the panel is closed; a folder or file
// the lists cannot show is a bad line.

void chooseFolder(ScriptPlayer& p, ScriptArgs& args) {
    const std::string folder = args.word("folder");
    args.end();
    engine::Game& game = p.session().game();
    if (!game.form.Dir1.takesInput()) return;
    if (!import::chooseFolder(game, folder))
        throw ScriptError("cannot open the folder '" + folder + "'",
                          "Den Ordner " + folder + " gibt es hier nicht.");
}

void selectFile(ScriptPlayer& p, ScriptArgs& args) {
    const std::string name = args.word("file name");
    const auto hash = args.optionalWord();
    args.end();
    engine::Game& game = p.session().game();
    if (!game.form.File1.takesInput()) return;
    // A saved session names the file by its content too: a changed file
    // would play other numbers.
    if (hash && !formats::isContentHash(*hash))
        throw ScriptError("a content hash is 16 hex digits, not '" + *hash + "'");
    if (hash) {
        const auto content = formats::contentHash(formats::filePath(game.form.Dir1.path(), name));
        if (!content)
            throw ScriptError("the file '" + name + "' cannot be read: " + content.error().message,
                              "Die Datei " + name + " " + content.error().message + ".");
        if (*content != *hash)
            throw ScriptError(
                "the file '" + name + "' is not the one the session was saved with",
                "Die Datei " + name + " hat sich seit dem Speichern der Sitzung geändert.");
    }
    if (!import::clickFile(game, name))
        throw ScriptError(
            "no file '" + name + "' in the file list",
            "Die Datei " + name + " gibt es im Ordner " + game.form.Dir1.path() + " nicht mehr.");
}

void chooseDrive(ScriptPlayer& p, ScriptArgs& args) {
    const std::string drive = args.word("drive");
    args.end();
    form::DriveList& drives = p.session().form().Drive1;
    if (!drives.takesInput()) return;
    const auto& known = drives.drives();
    if (std::find(known.begin(), known.end(), drive) == known.end())
        throw ScriptError("no drive '" + drive + "' in the drive list",
                          "Das Laufwerk " + drive + " gibt es hier nicht.");
    drives.choose(drive);
}

// --- numbers, menu, questions and dumps --------------------------------------

void fixSeed(ScriptPlayer& p, ScriptArgs& args) {
    const std::string word = args.word("seed");
    args.end();
    const auto seed = parseSeed(word);
    if (!seed)
        throw ScriptError("a seed is a whole number from 0 to 4294967295, not '" + word + "'");
    p.session().random().fix(*seed);
}

void runMenuEntry(ScriptPlayer& p, ScriptArgs& args) {
    const std::string path = args.word("menu entry");
    const auto file = args.optionalWord();
    args.end();
    MenuEntry* entry = p.menu() != nullptr ? p.menu()->find(path) : nullptr;
    if (entry == nullptr) throw ScriptError("no menu entry '" + path + "'");
    if (entry->takesFile && !file) throw ScriptError("'" + path + "' needs a file");
    if (!entry->takesFile && file) throw ScriptError("'" + path + "' takes no file");
    // An entry whose button is disabled is disabled too.
    if (!entry->button.empty() && !p.control(entry->button).takesInput()) return;
    const Result<std::string> done = entry->run(file.value_or(""));
    if (!done) throw ScriptError(done.error().message, done.error().message);
}

void queueAnswer(ScriptPlayer& p, ScriptArgs& args) {
    const std::string word = text::lowerAscii(args.word("answer (ja, nein or abbrechen)"));
    args.end();
    if (word == "ja")
        p.recorder().queueAnswer(platform::Answer::Yes);
    else if (word == "nein")
        p.recorder().queueAnswer(platform::Answer::No);
    else if (word == "abbrechen")
        p.recorder().queueAnswer(platform::Answer::Cancel);
    else
        throw ScriptError("answer must be ja, nein or abbrechen, not '" + word + "'");
}

void dumpControls(ScriptPlayer& p, ScriptArgs& args) {
    std::vector<const form::Control*> controls;
    while (const auto name = args.optionalWord()) {
        const form::Control* c = &p.control(*name);
        if (std::find(controls.begin(), controls.end(), c) == controls.end()) controls.push_back(c);
    }
    p.out() << dumpJson(p.session().game(), controls, p.recorder()) << std::endl;
}

}  // namespace

ScriptPlayer::ScriptPlayer(session::Session& session, RecordingPlatform& recorder,
                           std::ostream& out)
    : m_session(session), m_recorder(recorder), m_out(out) {
    addStandardActions();
}

void ScriptPlayer::addStandardActions() {
    addAction("type", typeText);
    addAction("paste", pasteText);
    addAction("key", releaseKey);
    addAction("enter", pressEnter);
    addAction("click", clickControl);
    addAction("folder", chooseFolder);
    addAction("select", selectFile);
    addAction("drive", chooseDrive);
    addAction("seed", fixSeed);
    addAction("menu", runMenuEntry);
    addAction("answer", queueAnswer);
    addAction("dump", dumpControls);
}

void ScriptPlayer::addAction(std::string name, Handler handler) {
    m_actions[std::move(name)] = std::move(handler);
}

form::Control& ScriptPlayer::control(std::string_view name) const {
    form::Control* c = m_session.form().find(name);
    if (c == nullptr) throw ScriptError("unknown control '" + std::string(name) + "'");
    return *c;
}

form::TextBox& ScriptPlayer::textBox(std::string_view name) const {
    form::Control& c = control(name);
    if (auto* box = dynamic_cast<form::TextBox*>(&c)) return *box;
    throw ScriptError("'" + std::string(name) + "' is a " + form::kindName(c.kind()) +
                      ", not a text box");
}

void ScriptPlayer::playLine(std::string_view line) {
    auto action = formats::splitAction(line);
    if (!action) return;  // blank or comment
    const auto it = m_actions.find(action->name);
    if (it == m_actions.end()) throw ScriptError("unknown action '" + action->name + "'");
    it->second(*this, action->args);
}

ScriptResult ScriptPlayer::run(std::istream& in, std::int64_t firstLine) {
    formats::ScriptLines lines(in, firstLine);
    while (const auto line = lines.next()) {
        try {
            playLine(*line);
        } catch (const ScriptError& e) {
            return {false, lines.number(), lines.failure(e.what()), e.said()};
        } catch (const NoAnswerQueued& e) {
            return {false, lines.number(),
                    lines.failure("no answer queued for the question \"" + e.question() + "\""),
                    "Die Sitzung bricht ab, wo eine Frage noch ohne Antwort ist (\"" +
                        std::string(text::trimmed(e.question())) + "\")."};
        }
        if (m_recorder.quitRequested()) return {true, lines.number(), "the program was ended", {}};
    }
    if (lines.unreadable())
        return {false, lines.number() + 1, "the script cannot be read",
                "Die Datei kann nicht weiter gelesen werden."};
    return {};
}

}  // namespace tamvek::script
