#pragma once
// A session whose platform also records the printer: set-up dialogs, reports
// and window pictures, with chosen outcomes.

#include <vector>

#include "support/TestSupport.h"

namespace tamvek::test {

class PrintingPlatform : public FakePlatform {
  public:
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

    int setups = 0;
    bool setupGoesOn = true;
    std::vector<form::PrintJob> reports;
    int windowImages = 0;
    form::PrintOutcome outcome{true, ""};
};

struct PrintSession {
    PrintingPlatform platform;
    ScriptedRandom random;
    control::Session session{platform, random};
    engine::Game& game = session.game();
    form::MainForm& form = session.form();
    engine::GameState& state = session.state();

    void startRun(int spins, std::initializer_list<int> numbers) {
        random.queueNumbers(numbers);
        form.textanzahl.type(std::to_string(spins));
        form.okstart.click();
    }
};

}  // namespace tamvek::test
