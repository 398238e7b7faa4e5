#include "script/ScriptedSession.h"

#include <iterator>
#include <sstream>
#include <vector>

#include "control/StartUp.h"
#include "engine/RandomSource.h"
#include "formats/ScriptLines.h"
#include "platform/ForwardingPlatform.h"
#include "script/ScriptSource.h"

namespace tamvek::script {

ScriptedSession::ScriptedSession(platform::Platform& platform, std::optional<std::uint32_t> seed,
                                 std::ostream& out)
    : ScriptedSession(platform, engine::makeRandom(seed), out) {}

ScriptedSession::ScriptedSession(platform::Platform& platform,
                                 std::unique_ptr<engine::RandomSource> random, std::ostream& out)
    : ScriptedSession(platform, *random, out) {
    m_ownRandom = std::move(random);
}

ScriptedSession::ScriptedSession(platform::Platform& platform, engine::RandomSource& random,
                                 std::ostream& out)
    : m_random(random),
      m_out(out),
      m_recorder(platform),
      m_session(m_recorder, m_random),
      m_sessionRecorder(m_session),
      m_menu(standardMenu(m_session, m_sessionRecorder,
                          [this](const std::string& file) { return replay(file); })),
      m_player(m_session, m_recorder, m_out) {
    m_recorder.setScripted(true);
    m_player.setMenu(&m_menu);
}

void ScriptedSession::handOver() {
    m_recorder.setScripted(false);
    m_recorder.stopRecording();
}

Result<std::string> ScriptedSession::replay(const std::string& file) {
    // A session that plays itself would never end.
    if (m_replaying) return Error{"Eine Sitzung kann keine Sitzung abspielen: " + file};
    Result<ScriptSource> source = ScriptSource::open(file);
    if (!source) return source.error();
    const std::string text(std::istreambuf_iterator<char>(source->stream()), {});
    if (source->stream().bad()) return Error{file + ": kann nicht gelesen werden"};
    // The whole file is tried first: a faulty one leaves the game as it was.
    if (std::optional<Error> fault = tryReplay(text, source->shownName())) return *fault;
    if (!mayReplaceGame()) return std::string("Sitzung nicht abgespielt: das Spiel geht weiter.");
    return playReplay(text, source->shownName());
}

namespace {

// The machine as a replay tried on the side sees it: its files, and nothing it
// could change. It answers no question: the session answers its own.
class SidePlatform : public platform::ForwardingPlatform {
  public:
    using ForwardingPlatform::ForwardingPlatform;
    platform::Answer ask(std::string_view, std::string_view, platform::Buttons) override {
        return platform::Answer::No;
    }
    void playSound(const std::string&) override {}
    void repaintNow(const form::Control&) override {}
    void focus(const form::Control&) override {}
    bool printerSetup() override { return true; }
    platform::PrintOutcome printReport(const platform::PrintJob&) override { return {}; }
    platform::PrintOutcome printWindowImage() override { return {}; }
    void quit() override {}
};

// What went wrong in words, the script's own reason as the detail.
Error replayFault(const ScriptResult& result, const std::string& shown) {
    const std::string said =
        !result.said.empty()
            ? result.said
            : "Die Datei ist keine gespeicherte Sitzung, oder sie wurde verändert: Zeile " +
                  std::to_string(result.line) + " ist nicht zu verstehen.";
    return Error{said +
                 " (Einzelheit: " + formats::scriptPlace(shown, result.line, result.message) + ")"};
}

std::string counted(int n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

// The menu of a replay: it writes no file; what it would have written is
// counted in `skipped`.
Menu ScriptedSession::replayMenu(int& skipped) const {
    Menu menu = m_menu;
    for (const MenuEntry& entry : m_menu.entries())
        if (entry.saves)
            menu.setRun(entry.path(), [&skipped](const std::string&) -> Result<std::string> {
                ++skipped;
                return std::string();
            });
    return menu;
}

std::optional<Error> ScriptedSession::tryReplay(const std::string& text, const std::string& shown) {
    SidePlatform machine(m_sessionRecorder.inner());
    std::ostringstream dumps;
    ScriptedSession side(machine, std::nullopt, dumps);
    side.m_replaying = true;
    int files = 0;
    Menu menu = side.replayMenu(files);
    side.m_player.setMenu(&menu);
    std::istringstream in(text);
    const ScriptResult result = side.m_player.run(in);
    if (result.ok) return std::nullopt;
    return replayFault(result, shown);
}

bool ScriptedSession::mayReplaceGame() {
    // Only a game that has begun has anything to lose: the same question as "Abbruch".
    if (!m_session.form().okabbrechen.enabled()) return true;
    return m_sessionRecorder.inner().ask(control::newStartQuestion, control::newStartTitle,
                                         platform::Buttons::YesNo) == platform::Answer::Yes;
}

Result<std::string> ScriptedSession::playReplay(const std::string& text, const std::string& shown) {
    // The platform behind the record answers the replay's questions from its
    // script, keeps its side effects from the machine, and takes its place
    // again afterwards, however the replay ends.
    platform::Platform& before = m_sessionRecorder.inner();
    RecordingPlatform answers(before);
    answers.setScripted(true);
    answers.setQuiet(true);
    struct Restore {
        ScriptedSession& scripted;
        platform::Platform& before;
        ~Restore() {
            scripted.m_sessionRecorder.setInner(before);
            scripted.m_replaying = false;
        }
    } restore{*this, before};
    m_replaying = true;
    m_sessionRecorder.setInner(answers);

    int files = 0;
    Menu menu = replayMenu(files);
    m_session.renew();
    ScriptPlayer player(m_session, answers, m_out);
    player.setMenu(&menu);
    std::istringstream in(text);
    const ScriptResult result = player.run(in);
    if (!result.ok) return replayFault(result, shown);

    const RecordingPlatform::Skipped& skipped = answers.skipped();
    std::vector<std::string> kept;
    if (skipped.printouts > 0) kept.push_back(counted(skipped.printouts, "Ausdruck", "Ausdrucke"));
    if (skipped.copies > 0) kept.push_back(counted(skipped.copies, "Kopie", "Kopien"));
    if (files > 0) kept.push_back(counted(files, "gespeicherte Datei", "gespeicherte Dateien"));
    if (skipped.sounds > 0) kept.push_back(counted(skipped.sounds, "Ton", "Töne"));
    std::string done = "Sitzung abgespielt: " + shown;
    for (std::size_t i = 0; i < kept.size(); ++i)
        done += (i == 0 ? " (nicht wiederholt: " : ", ") + kept[i];
    return kept.empty() ? done : done + ")";
}

}  // namespace tamvek::script
