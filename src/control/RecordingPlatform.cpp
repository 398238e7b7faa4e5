#include "control/RecordingPlatform.h"

namespace tamvek::control {

NoAnswerQueued::NoAnswerQueued(std::string question)
    : std::runtime_error("no answer queued for the question: " + question),
      m_question(std::move(question)) {}

form::Answer RecordingPlatform::ask(std::string_view text, std::string_view title,
                                    form::Buttons buttons) {
    m_questions.emplace_back(text);
    if (!m_scripted) return m_inner.ask(text, title, buttons);
    if (m_answers.empty()) throw NoAnswerQueued(std::string(text));
    const form::Answer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

void RecordingPlatform::playSound(const std::string& path) {
    // Either separator: the folder comes from the platform and may be a Windows one.
    const auto slash = path.find_last_of("/\\");
    m_sounds.push_back(slash == std::string::npos ? path : path.substr(slash + 1));
    m_inner.playSound(path);
}

bool RecordingPlatform::printerSetup() {
    m_prints.push_back({"setup", {}});
    return m_scripted || m_inner.printerSetup();
}

form::PrintOutcome RecordingPlatform::printReport(const form::PrintJob& job) {
    m_prints.push_back({"report", job});
    return m_inner.printReport(job);
}

form::PrintOutcome RecordingPlatform::printWindowImage() {
    m_prints.push_back({"copy", {}});
    return m_inner.printWindowImage();
}

void RecordingPlatform::quit() {
    m_quit = true;
    m_inner.quit();
}

}  // namespace tamvek::control
