#pragma once
// A platform that watches another: it notes every wave file played (by file
// name) and every question shown, and, while scripted, answers the questions
// from a queue instead of asking the inner platform. All else passes through.

#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/form/Platform.h"

namespace tamvek::control {

// A question came up while scripted and no answer was queued for it. Thrown
// through the game logic to whoever drives the script; the logic never catches it.
class NoAnswerQueued : public std::runtime_error {
  public:
    explicit NoAnswerQueued(std::string question);
    const std::string& question() const { return m_question; }

  private:
    std::string m_question;
};

class RecordingPlatform : public form::Platform {
  public:
    explicit RecordingPlatform(form::Platform& inner) : m_inner(inner) {}

    form::Answer ask(std::string_view text, std::string_view title, form::Buttons buttons) override;
    void playSound(const std::string& path) override;
    std::string programFolder() const override { return m_inner.programFolder(); }
    std::optional<std::string> readTextFile(const std::string& path) const override {
        return m_inner.readTextFile(path);
    }
    std::string shortDate() const override { return m_inner.shortDate(); }
    void repaintNow(const form::Control& control) override { m_inner.repaintNow(control); }
    std::vector<std::string> drives() const override { return m_inner.drives(); }
    void quit() override;
    // While scripted the set-up dialog is not shown (it would wait for a user);
    // it counts as confirmed.
    bool printerSetup() override;
    form::PrintOutcome printReport(const form::PrintJob& job) override;
    form::PrintOutcome printWindowImage() override;

    void setScripted(bool on) { m_scripted = on; }
    bool scripted() const { return m_scripted; }
    void queueAnswer(form::Answer answer) { m_answers.push_back(answer); }
    std::size_t queuedAnswers() const { return m_answers.size(); }

    // Wave file names without their folder ("g2.wav"), in the order played.
    const std::vector<std::string>& sounds() const { return m_sounds; }
    // Question texts in the order shown, answered or not.
    const std::vector<std::string>& questions() const { return m_questions; }
    bool quitRequested() const { return m_quit; }

    // What went to the printer, in order: the set-up dialog ("setup"), a text
    // printout ("report", with its operations) and a window picture ("copy").
    struct Print {
        std::string kind;
        form::PrintJob job;
    };
    const std::vector<Print>& prints() const { return m_prints; }

  private:
    form::Platform& m_inner;
    bool m_scripted = false;
    bool m_quit = false;
    std::deque<form::Answer> m_answers;
    std::vector<std::string> m_sounds;
    std::vector<std::string> m_questions;
    std::vector<Print> m_prints;
};

}  // namespace tamvek::control
