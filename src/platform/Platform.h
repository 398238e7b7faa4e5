#pragma once
// What the logic needs of the machine around the window: question boxes, sound,
// files, the program's folder, the date, an immediate repaint, the keyboard
// focus, the printer and quitting. The Qt window and the command-line player each supply one; the
// recording platform of the script player watches another.

#include <string>
#include <string_view>
#include <vector>

#include "core/Result.h"
#include "platform/InputFile.h"
#include "platform/PrintJob.h"

namespace tamvek::form {
class Control;
}

namespace tamvek::platform {

enum class Answer { Yes, No, Cancel };
enum class Buttons { YesNo, YesNoCancel };

class Platform {
  public:
    virtual ~Platform() = default;

    // A modal question box with a question-mark icon; returns the button pressed.
    virtual Answer ask(std::string_view text, std::string_view title, Buttons buttons) = 0;
    // Starts playing a wave file and returns at once; failures stay silent.
    virtual void playSound(const std::string& path) = 0;
    // The folder that holds the program, without a trailing separator.
    virtual std::string programFolder() const = 0;
    // A file opened for reading, or why it cannot be (see InputFile).
    virtual Result<InputFile> openFile(const std::string& path) const {
        return InputFile::open(path);
    }
    // The whole content of a small file (see readWholeFile).
    virtual Result<std::string> readFile(const std::string& path) const {
        return readWholeFile(path);
    }
    // Today's date in the German short form, "07.12.2026".
    virtual std::string shortDate() const;
    // Paint the control now, in the middle of a long-running handler.
    virtual void repaintNow(const form::Control& control) { (void)control; }
    // Put the keyboard focus into the control; without a window there is none.
    virtual void focus(const form::Control& control) { (void)control; }
    // The machine's drives or mounted volumes, for the import panel.
    virtual std::vector<std::string> drives() const { return {"/"}; }
    // The folder the import panel starts in: the current folder, unless the
    // platform knows a better one. `importedFrom` tells it where a file was
    // imported from.
    virtual std::string importFolder() const;
    virtual void importedFrom(const std::string& folder) { (void)folder; }
    // The printer set-up dialog; false when the user cancelled it.
    virtual bool printerSetup() { return true; }
    // Carries out a text printout on the printer (or into a file when there is
    // no printer). Printer failures are the platform's to report.
    virtual PrintOutcome printReport(const PrintJob& job) {
        (void)job;
        return {};
    }
    // Prints a picture of the window's client area scaled to the page; failures
    // stay silent (nothing printed).
    virtual PrintOutcome printWindowImage() { return {}; }
    // Close the window and end the program.
    virtual void quit() = 0;
};

}  // namespace tamvek::platform
