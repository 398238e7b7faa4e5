#include "script/ScriptedSession.h"

#include "engine/RandomSource.h"
#include "formats/ScriptLines.h"
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

    // The platform behind the record answers the replay's questions from its
    // script, and takes its place again afterwards, however the replay ends.
    platform::Platform& before = m_sessionRecorder.inner();
    RecordingPlatform answers(before);
    answers.setScripted(true);
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

    m_session.renew();
    ScriptPlayer player(m_session, answers, m_out);
    player.setMenu(&m_menu);
    const ScriptResult result = player.run(source->stream());
    if (!result.ok)
        return Error{formats::scriptPlace(source->shownName(), result.line, result.message)};
    return "Sitzung abgespielt: " + file;
}

}  // namespace tamvek::script
