#pragma once
// The machine around the window, served by Qt: German question boxes, wave
// files played without waiting, the program's folder (beside the binary or
// the installed data folder, as programFolderFor finds it), a throttled repaint
// during long runs, the keyboard focus, the printer (telling in the window's
// status line where a page went), the mounted volumes and quitting. Files and
// the date come from the platform's shared defaults.

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>
#include <deque>
#include <memory>

#include "platform/Platform.h"
#include "qt/QtPrinter.h"

class QSoundEffect;

namespace tamvek::qt {

class QtPlatform : public platform::Platform {
  public:
    // Needs the application object: the program's folder is found from its binary.
    QtPlatform();
    ~QtPlatform() override;
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    // The window that parents the question boxes and the printer dialog, is
    // repainted, printed by "Copy" and closed.
    void setWindow(QWidget* window) {
        m_window = window;
        m_printer.setParent(window);
    }

    platform::Answer ask(std::string_view text, std::string_view title,
                         platform::Buttons buttons) override;
    void playSound(const std::string& path) override;
    std::string programFolder() const override { return m_folder; }
    void repaintNow(const form::Control& control) override;
    void focus(const form::Control& control) override;
    std::vector<std::string> drives() const override;
    // The import panel starts where the last import came from, else in the
    // samples beside the program, else in the home folder; in the current
    // folder, as tamvek-cli does, for a script that names its folders from
    // there.
    std::string importFolder() const override;
    void importedFrom(const std::string& folder) override { m_importedFrom = folder; }
    void startInCurrentFolder(bool on) { m_startInCurrentFolder = on; }
    void quit() override;
    bool printerSetup() override { return m_printer.setup(); }
    // Both say in the window's status line where the page went.
    platform::PrintOutcome printReport(const platform::PrintJob& job) override;
    platform::PrintOutcome printWindowImage() override;

  private:
    void tellWhere(const platform::PrintOutcome& outcome, const QString& what);

    std::string m_folder;
    std::string m_importedFrom;
    bool m_startInCurrentFolder = false;
    QPointer<QWidget> m_window;
    QElapsedTimer m_sinceRepaint;
    // A few effects stay alive so a sound is not cut off by the next one.
    std::deque<std::unique_ptr<QSoundEffect>> m_effects;
    int m_audio = -1;  // -1 not yet known, 0 no output device, 1 present
    QtPrinter m_printer;
};

}  // namespace tamvek::qt
