#pragma once
// Sessions for tests: the headless platform in a pinned folder on a pinned day,
// watched by the recording platform that answers questions from a queue and
// notes every sound, question and printout; numbers drawn in a chosen order.

#include <deque>
#include <string>
#include <vector>

#include "engine/RandomSource.h"
#include "platform/HeadlessPlatform.h"
#include "script/RecordingPlatform.h"
#include "session/Session.h"

namespace tamvek::test {

struct HeadlessHolder {
    platform::HeadlessPlatform headless;
};

// Scripted from the start: a question without a queued answer throws, and so
// fails the test that did not expect it.
class TestPlatform : private HeadlessHolder, public script::RecordingPlatform {
  public:
    explicit TestPlatform(std::string folder = "/prog");

    // The printouts of one kind ("setup", "report", "copy") so far.
    int count(const std::string& kind) const;
    std::vector<platform::PrintJob> reports() const;
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
    // `folder` is the program's folder, where the info file and the sounds are.
    explicit TestSession(std::string folder = "/prog") : platform(std::move(folder)) {}

    TestPlatform platform;
    ScriptedRandom random;
    session::Session session{platform, random};
    engine::Game& game = session.game();
    form::MainForm& form = session.form();
    engine::GameState& state = session.state();

    // Types a count, queues the numbers and plays the first spin.
    void startRun(int spins, std::initializer_list<int> numbers);
    // A run of `spins` drawn numbers, played up to spin `halt` in halt-at mode.
    void playUpTo(int spins, int halt);
    // Types a stake into box `name` and activates its pair.
    void stake(form::TextBox& box, const std::string& units);
    void press() { form.okstart.click(); }
};

}  // namespace tamvek::test
