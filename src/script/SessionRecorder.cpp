#include "script/SessionRecorder.h"

#include "form/FileLists.h"
#include "formats/FolderListing.h"
#include "formats/ScriptLines.h"

namespace tamvek::script {

SessionRecorder::SessionRecorder(session::Session& session)
    : ForwardingPlatform(session.platform()), m_session(session) {
    session.usePlatform(*this);
    listen();
    session.onRenew({}, [this] {
        m_lines.clear();
        m_folder.clear();
        m_inAction = false;
        m_enterIn = nullptr;
        listen();
    });
}

void SessionRecorder::listen() {
    m_session.form().inputWatch().listen([this](const form::UserInput& input) { begin(input); },
                                         [this] { end(); });
    // Numbers from a fixed seed: the replay starts from it.
    m_seedings = m_session.random().seedings();
    if (const auto seed = m_session.random().seed())
        m_lines.push_back("seed " + std::to_string(*seed));
}

void SessionRecorder::noteSeed(std::size_t at) {
    const std::uint64_t seedings = m_session.random().seedings();
    if (seedings == m_seedings) return;
    m_seedings = seedings;
    if (const auto seed = m_session.random().seed())
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at),
                       "seed " + std::to_string(*seed));
}

void SessionRecorder::begin(const form::UserInput& input) {
    using Kind = form::UserInput::Kind;
    noteSeed(m_lines.size());  // a seed set between inputs, by a script
    // The script's `enter` is the press and the release of the key: the
    // release that follows the press in the same box is part of it.
    const bool release = input.kind == Kind::KeyUp && &input.control == m_enterIn;
    m_enterIn = input.kind == Kind::Enter ? &input.control : nullptr;
    m_actionAt = m_lines.size();
    m_inAction = true;
    if (release) return;
    const std::string& name = input.control.name();
    std::string line;
    switch (input.kind) {
        case Kind::Type:
            line = "type " + name + " " + formats::scriptQuoted(input.text);
            break;
        case Kind::Paste:
            line = "paste " + name + " " + formats::scriptQuoted(input.text);
            break;
        case Kind::KeyUp:
            line = "key " + name;
            break;
        case Kind::Enter:
            line = "enter " + name;
            break;
        case Kind::Click:
            if (const auto* files = dynamic_cast<const form::FileList*>(&input.control);
                files != nullptr && input.index >= 0 && input.index < files->listCount()) {
                const std::string& file = files->files()[static_cast<std::size_t>(input.index)];
                const std::string& folder = m_session.form().Dir1.path();
                const Result<std::string> hash =
                    formats::contentHash(formats::filePath(folder, file));
                // The file is named in its folder, wherever the panel started.
                if (folder != m_folder) {
                    m_lines.push_back("folder " + formats::scriptQuoted(folder));
                    m_folder = folder;
                }
                line = "select " + formats::scriptQuoted(file) + (hash ? " " + *hash : "");
            } else {
                line = "click " + name;
            }
            break;
        case Kind::Choose:
            line = (input.control.kind() == form::ControlKind::DriveList ? "drive " : "folder ") +
                   formats::scriptQuoted(input.text);
            m_folder = m_session.form().Dir1.path();
            break;
    }
    m_lines.push_back(std::move(line));
}

void SessionRecorder::end() {
    // A run drawn during the input seeded the numbers: the seed comes before it.
    noteSeed(m_actionAt);
    m_inAction = false;
}

platform::Answer SessionRecorder::ask(std::string_view text, std::string_view title,
                                      platform::Buttons buttons) {
    const platform::Answer answer = inner().ask(text, title, buttons);
    const char* word = answer == platform::Answer::Yes  ? "answer ja"
                       : answer == platform::Answer::No ? "answer nein"
                                                        : "answer abbrechen";
    // The answer is queued before the action that asks.
    if (m_inAction) {
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(m_actionAt), word);
        ++m_actionAt;
    } else {
        m_lines.emplace_back(word);
    }
    return answer;
}

std::string SessionRecorder::script() const {
    std::string out = "# Tamvek-Sitzung, am " + inner().shortDate() +
                      " gespeichert; abspielen mit \"Sitzung abspielen\" oder tamvek-cli play\n";
    for (const std::string& line : m_lines)
        out += line + "\n";
    return out;
}

Result<std::string> SessionRecorder::save(const std::string& path,
                                          platform::Overwrite overwrite) const {
    Result<platform::OutputFile> file = platform::OutputFile::create(path, overwrite);
    if (!file) return file.error();
    if (auto error = file->write(script())) return *error;
    if (auto error = file->commit()) return *error;
    return "Sitzung gespeichert: " + path;
}

}  // namespace tamvek::script
