#include "script/RecordingPlatform.h"

namespace tamvek::script {

NoAnswerQueued::NoAnswerQueued(std::string question)
    : std::runtime_error("no answer queued for the question: " + question),
      m_question(std::move(question)) {}

platform::Answer RecordingPlatform::ask(std::string_view text, std::string_view title,
                                        platform::Buttons buttons) {
    if (m_recording) {
        m_questions.emplace_back(text);
        m_titles.emplace_back(title);
    }
    if (!m_scripted) return m_inner.ask(text, title, buttons);
    if (m_answers.empty()) throw NoAnswerQueued(std::string(text));
    const platform::Answer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

void RecordingPlatform::playSound(const std::string& path) {
    if (m_recording) m_sounds.push_back(path);
    if (m_quiet)
        ++m_skipped.sounds;
    else
        m_inner.playSound(path);
}

bool RecordingPlatform::printerSetup() {
    if (m_recording) m_prints.push_back({"setup", {}});
    // While scripted the dialog is not shown: it would wait for a user.
    return m_scripted ? m_setupAccepted : m_inner.printerSetup();
}

platform::PrintOutcome RecordingPlatform::printReport(const platform::PrintJob& job) {
    if (m_recording) m_prints.push_back({"report", job});
    if (m_quiet) {
        ++m_skipped.printouts;
        return {};
    }
    if (m_scripted && m_printOutcome) return *m_printOutcome;
    return m_inner.printReport(job);
}

platform::PrintOutcome RecordingPlatform::printWindowImage() {
    if (m_recording) m_prints.push_back({"copy", {}});
    if (m_quiet) {
        ++m_skipped.copies;
        return {};
    }
    if (m_scripted && m_printOutcome) return *m_printOutcome;
    return m_inner.printWindowImage();
}

void RecordingPlatform::quit() {
    m_quit = true;
    m_inner.quit();
}

}  // namespace tamvek::script
