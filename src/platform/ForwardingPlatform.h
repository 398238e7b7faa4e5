#pragma once
// A platform that hands every call to another one, which can change while the
// game goes on. Platforms that stand between the game and the machine derive
// from it and override only what they add.

#include "platform/Platform.h"

namespace tamvek::platform {

class ForwardingPlatform : public Platform {
  public:
    explicit ForwardingPlatform(Platform& target) : m_target(&target) {}

    Platform& target() const { return *m_target; }

    Answer ask(std::string_view text, std::string_view title, Buttons buttons) override {
        return m_target->ask(text, title, buttons);
    }
    void playSound(const std::string& path) override { m_target->playSound(path); }
    std::string programFolder() const override { return m_target->programFolder(); }
    Result<InputFile> openFile(const std::string& path) const override {
        return m_target->openFile(path);
    }
    Result<std::string> readFile(const std::string& path) const override {
        return m_target->readFile(path);
    }
    std::string shortDate() const override { return m_target->shortDate(); }
    void repaintNow(const form::Control& control) override { m_target->repaintNow(control); }
    void focus(const form::Control& control) override { m_target->focus(control); }
    std::vector<std::string> drives() const override { return m_target->drives(); }
    std::string importFolder() const override { return m_target->importFolder(); }
    void importedFrom(const std::string& folder) override { m_target->importedFrom(folder); }
    bool printerSetup() override { return m_target->printerSetup(); }
    PrintOutcome printReport(const PrintJob& job) override { return m_target->printReport(job); }
    PrintOutcome printWindowImage() override { return m_target->printWindowImage(); }
    void quit() override { m_target->quit(); }

  protected:
    void retarget(Platform& target) { m_target = &target; }

  private:
    Platform* m_target;
};

}  // namespace tamvek::platform
