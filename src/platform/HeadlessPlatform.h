#pragma once
// The platform of a run without a window: no dialogs, no sound, no printer,
// files read from disk. Questions are not its job (a recording platform answers
// them from a script); unasked, it says "No". The program folder is found
// beside the binary or in the installed data folder (programFolderFor); it and
// today's date can be pinned, so a test sees the same folder and date every day.

#include <optional>
#include <string>

#include "platform/Platform.h"

namespace tamvek::platform {

class HeadlessPlatform : public Platform {
  public:
    // `argv0` locates the program when /proc/self/exe cannot be read.
    explicit HeadlessPlatform(std::string argv0 = {});

    Answer ask(std::string_view text, std::string_view title, Buttons buttons) override;
    void playSound(const std::string& path) override { (void)path; }
    std::string programFolder() const override { return m_folder; }
    std::string shortDate() const override;
    // The program ends with its script; the recording platform notes the quit.
    void quit() override {}

    void setProgramFolder(std::string folder) { m_folder = std::move(folder); }
    void setToday(std::string date) { m_today = std::move(date); }

  private:
    std::string m_folder;
    std::optional<std::string> m_today;
};

}  // namespace tamvek::platform
