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
#include "script/SessionRecorder.h"
#include "script/StateDump.h"

namespace tamvek::script {

namespace {

using text::isBlank;

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

// --- arguments -------------------------------------------------------------

void ScriptArgs::skipBlanks() {
    while (m_pos < m_rest.size() && isBlank(m_rest[m_pos]))
        ++m_pos;
}

bool ScriptArgs::atEnd() {
    skipBlanks();
    // Only called at the start of a word, so a '#' here follows a blank or
    // the action: a comment.
    return m_pos >= m_rest.size() || m_rest[m_pos] == '#';
}

std::string ScriptArgs::quoted() {
    std::string out;
    ++m_pos;  // the opening quote
    while (m_pos < m_rest.size()) {
        const char c = m_rest[m_pos++];
        if (c == '"') return out;
        if (c != '\\') {
            out += c;
            continue;
        }
        if (m_pos >= m_rest.size()) break;
        const char e = m_rest[m_pos++];
        switch (e) {
            case '"':
                out += '"';
                break;
            case '\\':
                out += '\\';
                break;
            case 'r':
                out += '\r';
                break;
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case 'x': {
                const int hi = m_pos < m_rest.size() ? hexDigit(m_rest[m_pos]) : -1;
                const int lo = m_pos + 1 < m_rest.size() ? hexDigit(m_rest[m_pos + 1]) : -1;
                if (hi < 0 || lo < 0) throw ScriptError("\\x needs two hexadecimal digits");
                out += static_cast<char>(hi * 16 + lo);
                m_pos += 2;
                break;
            }
            default:
                throw ScriptError(std::string("unknown escape \\") + e);
        }
    }
    throw ScriptError("missing closing quote");
}

std::optional<std::string> ScriptArgs::optionalWord() {
    if (atEnd()) return std::nullopt;
    if (m_rest[m_pos] == '"') {
        std::string w = quoted();
        if (m_pos < m_rest.size() && !isBlank(m_rest[m_pos]))
            throw ScriptError("a blank must follow the closing quote");
        return w;
    }
    const std::size_t start = m_pos;
    while (m_pos < m_rest.size() && !isBlank(m_rest[m_pos]))
        ++m_pos;
    return std::string(m_rest.substr(start, m_pos - start));
}

std::string ScriptArgs::word(std::string_view what) {
    if (auto w = optionalWord()) return *w;
    throw ScriptError("missing " + std::string(what));
}

std::optional<std::string> ScriptArgs::text() {
    if (atEnd()) return std::nullopt;
    if (m_rest[m_pos] == '"') {
        std::string t = quoted();
        end();
        return t;
    }
    const std::size_t start = m_pos;
    std::size_t stop = m_rest.size();
    for (std::size_t i = start + 1; i < m_rest.size(); ++i) {
        if (m_rest[i] == '#' && isBlank(m_rest[i - 1])) {
            stop = i;
            break;
        }
    }
    while (stop > start && isBlank(m_rest[stop - 1]))
        --stop;
    m_pos = m_rest.size();
    return std::string(m_rest.substr(start, stop - start));
}

void ScriptArgs::end() {
    if (!atEnd()) {
        const std::size_t start = m_pos;
        while (m_pos < m_rest.size() && !isBlank(m_rest[m_pos]))
            ++m_pos;
        throw ScriptError("unexpected argument '" +
                          std::string(m_rest.substr(start, m_pos - start)) + "'");
    }
}

// --- player ----------------------------------------------------------------

ScriptPlayer::ScriptPlayer(session::Session& session, RecordingPlatform& recorder,
                           std::ostream& out)
    : m_session(session), m_recorder(recorder), m_out(out) {
    addStandardActions();
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
    ScriptArgs args(line);
    const auto action = args.optionalWord();
    if (!action) return;  // blank or comment
    const auto it = m_actions.find(*action);
    if (it == m_actions.end()) throw ScriptError("unknown action '" + *action + "'");
    it->second(*this, args);
}

ScriptResult ScriptPlayer::run(std::istream& in, std::int64_t firstLine) {
    std::string line;
    std::int64_t number = firstLine - 1;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();  // scripts edited on Windows
        try {
            playLine(line);
        } catch (const ScriptError& e) {
            return {false, number, std::string(e.what()) + ": " + line};
        } catch (const NoAnswerQueued& e) {
            return {false, number,
                    "no answer queued for the question \"" + e.question() + "\": " + line};
        }
        if (m_recorder.quitRequested()) return {true, number, "the program was ended"};
    }
    if (in.bad()) return {false, number + 1, "the script cannot be read"};
    return {};
}

void ScriptPlayer::addStandardActions() {
    addAction("type", [](ScriptPlayer& p, ScriptArgs& args) {
        form::TextBox& box = p.textBox(args.word("control name"));
        const auto text = args.text();
        if (!text) throw ScriptError("missing text");
        if (text->size() > p.longestTypedText())
            throw ScriptError("a text of " + std::to_string(text->size()) +
                              " bytes is longer than this player types (at most " +
                              std::to_string(p.longestTypedText()) + ")");
        box.type(*text);
    });
    addAction("paste", [](ScriptPlayer& p, ScriptArgs& args) {
        form::TextBox& box = p.textBox(args.word("control name"));
        box.paste(args.text().value_or(""));
    });
    addAction("key", [](ScriptPlayer& p, ScriptArgs& args) {
        form::TextBox& box = p.textBox(args.word("control name"));
        args.end();
        box.keyUp();
    });
    addAction("enter", [](ScriptPlayer& p, ScriptArgs& args) {
        form::TextBox& box = p.textBox(args.word("control name"));
        args.end();
        box.enter();
        box.keyUp();
    });
    addAction("click", [](ScriptPlayer& p, ScriptArgs& args) {
        const std::string name = args.word("control name");
        args.end();
        form::Control& c = p.control(name);
        if (auto* button = dynamic_cast<form::Button*>(&c)) return button->click();
        if (auto* box = dynamic_cast<form::TextBox*>(&c)) return box->click();
        if (auto* check = dynamic_cast<form::CheckBox*>(&c)) return check->click();
        if (auto* option = dynamic_cast<form::OptionButton*>(&c)) return option->click();
        // A click into the file list where no file is: it switches OK off.
        if (auto* files = dynamic_cast<form::FileList*>(&c)) return files->click(-1);
        throw ScriptError("cannot click the " + std::string(form::kindName(c.kind())) + " '" +
                          name + "'");
    });
    // The import panel's lists. Like a click, both do nothing while the panel
    // is closed; a folder or file the lists cannot show is a bad line.
    addAction("folder", [](ScriptPlayer& p, ScriptArgs& args) {
        const std::string folder = args.word("folder");
        args.end();
        engine::Game& game = p.session().game();
        if (!game.form.Dir1.takesInput()) return;
        if (!import::chooseFolder(game, folder))
            throw ScriptError("cannot open the folder '" + folder + "'");
    });
    addAction("select", [](ScriptPlayer& p, ScriptArgs& args) {
        const std::string name = args.word("file name");
        const auto hash = args.optionalWord();
        args.end();
        engine::Game& game = p.session().game();
        if (!game.form.File1.takesInput()) return;
        // A saved session names the file by its content too: a changed file
        // would play other numbers.
        if (hash && (hash->size() != 16 ||
                     hash->find_first_not_of("0123456789abcdef") != std::string::npos))
            throw ScriptError("a content hash is 16 hex digits, not '" + *hash + "'");
        if (hash) {
            const auto content = fileHash(formats::filePath(game.form.Dir1.path(), name));
            if (!content || *content != *hash)
                throw ScriptError("the file '" + name +
                                  "' is not the one the session was saved with");
        }
        if (!import::clickFile(game, name))
            throw ScriptError("no file '" + name + "' in the file list");
    });
    addAction("drive", [](ScriptPlayer& p, ScriptArgs& args) {
        const std::string drive = args.word("drive");
        args.end();
        form::DriveList& drives = p.session().form().Drive1;
        if (!drives.takesInput()) return;
        const auto& known = drives.drives();
        if (std::find(known.begin(), known.end(), drive) == known.end())
            throw ScriptError("no drive '" + drive + "' in the drive list");
        drives.choose(drive);
    });
    addAction("seed", [](ScriptPlayer& p, ScriptArgs& args) {
        const std::string word = args.word("seed");
        args.end();
        const auto seed = parseSeed(word);
        if (!seed)
            throw ScriptError("a seed is a whole number from 0 to 4294967295, not '" + word + "'");
        p.session().random().fix(*seed);
    });
    addAction("menu", [](ScriptPlayer& p, ScriptArgs& args) {
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
        if (!done) throw ScriptError(done.error().message);
    });
    addAction("answer", [](ScriptPlayer& p, ScriptArgs& args) {
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
    });
    addAction("dump", [](ScriptPlayer& p, ScriptArgs& args) {
        std::vector<const form::Control*> controls;
        while (const auto name = args.optionalWord()) {
            const form::Control* c = &p.control(*name);
            if (std::find(controls.begin(), controls.end(), c) == controls.end())
                controls.push_back(c);
        }
        p.out() << dumpJson(p.session().game(), controls, p.recorder()) << std::endl;
    });
}

Result<std::string> replaySession(session::Session& session, SessionRecorder& recorder,
                                  std::ostream& out, const std::string& file, Menu* menu) {
    // A session that plays itself would never end.
    static bool replaying = false;
    if (replaying) return Error{"Eine Sitzung kann keine Sitzung abspielen: " + file};
    Result<ScriptSource> source = ScriptSource::open(file);
    if (!source) return source.error();

    platform::Platform& before = recorder.inner();
    RecordingPlatform answers(before);
    answers.setScripted(true);
    struct Restore {
        SessionRecorder& recorder;
        platform::Platform& before;
        ~Restore() {
            recorder.setInner(before);
            replaying = false;
        }
    } restore{recorder, before};
    replaying = true;
    recorder.setInner(answers);

    session.renew();
    ScriptPlayer player(session, answers, out);
    player.setMenu(menu);
    const ScriptResult result = player.run(source->stream());
    if (!result.ok)
        return Error{source->shownName() + ":" + std::to_string(result.line) + ": " +
                     result.message};
    return "Sitzung abgespielt: " + file;
}

}  // namespace tamvek::script
