#pragma once
// What the logic needs of the machine around the window: question boxes, sound,
// the program's folder, the date, an immediate repaint and quitting. The Qt
// window, the command-line player and the tests each supply one.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/form/PrintJob.h"

namespace tamvek::form {

class Control;

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
    // The whole content of a text file, or nothing if it cannot be read.
    virtual std::optional<std::string> readTextFile(const std::string& path) const = 0;
    // Today's date in the short form of the user's settings.
    virtual std::string shortDate() const = 0;
    // Paint the control now, in the middle of a long-running handler.
    virtual void repaintNow(const Control& control) { (void)control; }
    // The machine's drives or mounted volumes, for the import panel.
    virtual std::vector<std::string> drives() const { return {"/"}; }
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

}  // namespace tamvek::form
