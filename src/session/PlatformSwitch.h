#pragma once
// The platform a session's game talks to, which can be handed to another
// while the game goes on: a saved session replayed in the window answers its
// questions from the script, and the user answers again afterwards.

#include "platform/Platform.h"

namespace tamvek::session {

class PlatformSwitch : public platform::Platform {
  public:
    explicit PlatformSwitch(platform::Platform& target) : m_target(&target) {}
    void use(platform::Platform& target) { m_target = &target; }
    platform::Platform& current() const { return *m_target; }

    platform::Answer ask(std::string_view text, std::string_view title,
                         platform::Buttons buttons) override {
        return m_target->ask(text, title, buttons);
    }
    void playSound(const std::string& path) override { m_target->playSound(path); }
    std::string programFolder() const override { return m_target->programFolder(); }
    Result<platform::InputFile> openFile(const std::string& path) const override {
        return m_target->openFile(path);
    }
    Result<std::string> readFile(const std::string& path) const override {
        return m_target->readFile(path);
    }
    std::string shortDate() const override { return m_target->shortDate(); }
    void repaintNow(const form::Control& control) override { m_target->repaintNow(control); }
    void focus(const form::Control& control) override { m_target->focus(control); }
    std::vector<std::string> drives() const override { return m_target->drives(); }
    bool printerSetup() override { return m_target->printerSetup(); }
    platform::PrintOutcome printReport(const platform::PrintJob& job) override {
        return m_target->printReport(job);
    }
    platform::PrintOutcome printWindowImage() override { return m_target->printWindowImage(); }
    void quit() override { m_target->quit(); }

  private:
    platform::Platform* m_target;
};

}  // namespace tamvek::session
