#pragma once
// A platform that watches another: it notes every wave file played, every
// question shown and everything sent to the printer. While scripted it answers
// questions from a queue instead of asking the inner platform, takes the
// printer set-up dialog as answered, and may hand out a chosen printing
// outcome. All else passes through. The script player plays on it, and the
// tests build their sessions on it.

#include <deque>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace tamvek::script {

// A question came up while scripted and no answer was queued for it. Thrown
// through the game logic to whoever drives the script; the logic never catches it.
class NoAnswerQueued : public std::runtime_error {
  public:
    explicit NoAnswerQueued(std::string question);
    const std::string& question() const { return m_question; }

  private:
    std::string m_question;
};

class RecordingPlatform : public platform::Platform {
  public:
    explicit RecordingPlatform(platform::Platform& inner) : m_inner(inner) {}
    // A recorder over a recorder watches it; it never copies one.
    explicit RecordingPlatform(RecordingPlatform& inner) : m_inner(inner) {}
    RecordingPlatform(const RecordingPlatform&) = delete;
    RecordingPlatform& operator=(const RecordingPlatform&) = delete;

    platform::Answer ask(std::string_view text, std::string_view title,
                         platform::Buttons buttons) override;
    void playSound(const std::string& path) override;
    std::string programFolder() const override { return m_inner.programFolder(); }
    Result<platform::InputFile> openFile(const std::string& path) const override {
        return m_inner.openFile(path);
    }
    Result<std::string> readFile(const std::string& path) const override {
        return m_inner.readFile(path);
    }
    std::string shortDate() const override { return m_inner.shortDate(); }
    void repaintNow(const form::Control& control) override { m_inner.repaintNow(control); }
    void focus(const form::Control& control) override { m_inner.focus(control); }
    std::vector<std::string> drives() const override { return m_inner.drives(); }
    void quit() override;
    bool printerSetup() override;
    platform::PrintOutcome printReport(const platform::PrintJob& job) override;
    platform::PrintOutcome printWindowImage() override;

    // What a quiet platform kept from the machine.
    struct Skipped {
        int sounds = 0;
        int printouts = 0;
        int copies = 0;
    };
    // While quiet, sounds, printouts and window copies do not reach the inner
    // platform: a replay plays the game again, not its side effects.
    void setQuiet(bool on) { m_quiet = on; }
    const Skipped& skipped() const { return m_skipped; }

    void setScripted(bool on) { m_scripted = on; }
    bool scripted() const { return m_scripted; }
    // From now on everything passes through and nothing more is noted: for a
    // window that goes on after its script.
    void stopRecording() { m_recording = false; }
    void queueAnswer(platform::Answer answer) { m_answers.push_back(answer); }
    // While scripted: what the printer set-up dialog answers (confirmed unless
    // told otherwise), and the outcome of every printout instead of the inner
    // platform's.
    void setSetupAccepted(bool accepted) { m_setupAccepted = accepted; }
    void setPrintOutcome(platform::PrintOutcome outcome) { m_printOutcome = std::move(outcome); }

    // The wave files in the order played, as the logic named them.
    const std::vector<std::string>& sounds() const { return m_sounds; }
    // Question texts and their titles in the order shown, answered or not.
    const std::vector<std::string>& questions() const { return m_questions; }
    const std::vector<std::string>& titles() const { return m_titles; }
    bool quitRequested() const { return m_quit; }

    // What went to the printer, in order: the set-up dialog ("setup"), a text
    // printout ("report", with its operations) and a window picture ("copy").
    struct Print {
        std::string kind;
        platform::PrintJob job;
    };
    const std::vector<Print>& prints() const { return m_prints; }

  private:
    platform::Platform& m_inner;
    bool m_scripted = false;
    bool m_recording = true;
    bool m_quiet = false;
    Skipped m_skipped;
    bool m_quit = false;
    bool m_setupAccepted = true;
    std::optional<platform::PrintOutcome> m_printOutcome;
    std::deque<platform::Answer> m_answers;
    std::vector<std::string> m_sounds;
    std::vector<std::string> m_questions;
    std::vector<std::string> m_titles;
    std::vector<Print> m_prints;
};

}  // namespace tamvek::script
