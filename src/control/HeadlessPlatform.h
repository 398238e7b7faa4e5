#pragma once
// The platform of a run without a window: no dialogs, no sound, files read
// from disk, today's date from the system clock. Questions are not its job
// (a RecordingPlatform answers them from a script); unasked, it says "No".

#include <string>

#include "ui/form/Platform.h"

namespace tamvek::control {

class HeadlessPlatform : public form::Platform {
  public:
    // `argv0` locates the program when /proc/self/exe cannot be read.
    explicit HeadlessPlatform(std::string argv0 = {});

    form::Answer ask(std::string_view text, std::string_view title, form::Buttons buttons) override;
    void playSound(const std::string& path) override { (void)path; }
    std::string programFolder() const override { return m_folder; }
    std::optional<std::string> readTextFile(const std::string& path) const override;
    std::string shortDate() const override;
    void quit() override { m_quit = true; }

    bool quitRequested() const { return m_quit; }

  private:
    std::string m_folder;
    bool m_quit = false;
};

}  // namespace tamvek::control
