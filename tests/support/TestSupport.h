#pragma once
// A platform that records what the logic asked of it, and a session built on it.

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "control/Session.h"
#include "engine/RandomSource.h"
#include "ui/form/Platform.h"

namespace tamvek::test {

class FakePlatform : public form::Platform {
  public:
    form::Answer ask(std::string_view text, std::string_view title, form::Buttons buttons) override;
    void playSound(const std::string& path) override { sounds.push_back(path); }
    std::string programFolder() const override { return folder; }
    std::optional<std::string> readTextFile(const std::string& path) const override;
    std::string shortDate() const override { return "07.12.2026"; }
    void quit() override { quitCalled = true; }
    // The printer: set-up dialogs, reports and window pictures, with chosen outcomes.
    bool printerSetup() override {
        ++setups;
        return setupGoesOn;
    }
    form::PrintOutcome printReport(const form::PrintJob& job) override {
        reports.push_back(job);
        return outcome;
    }
    form::PrintOutcome printWindowImage() override {
        ++windowImages;
        return outcome;
    }

    std::deque<form::Answer> answers;  // answers to the next question boxes
    std::vector<std::string> questions;
    std::vector<std::string> titles;
    std::vector<std::string> sounds;
    std::map<std::string, std::string> files;
    std::string folder = "/prog";
    bool quitCalled = false;
    int setups = 0;
    bool setupGoesOn = true;
    std::vector<form::PrintJob> reports;
    int windowImages = 0;
    form::PrintOutcome outcome{true, ""};
};

// Numbers that come out of the random source in a given order.
class ScriptedRandom : public engine::RandomSource {
  public:
    void seedFromClock() override {}
    float next() override;
    // The next draws give these numbers (0..36).
    void queueNumbers(std::initializer_list<int> numbers);

  private:
    std::deque<int> m_numbers;
};

struct TestSession {
    FakePlatform platform;
    ScriptedRandom random;
    control::Session session{platform, random};
    engine::Game& game = session.game();
    form::MainForm& form = session.form();
    engine::GameState& state = session.state();

    // Types a count, queues the numbers and plays the first spin.
    void startRun(int spins, std::initializer_list<int> numbers);
    // Types a stake into box `name` and activates its pair.
    void stake(form::TextBox& box, const std::string& units);
    void press() { form.okstart.click(); }
};

}  // namespace tamvek::test
