#pragma once
// The three lists of the import panel: drives, folders of the chosen drive and
// the files of the chosen folder that match a pattern. They hold what the
// panel logic put into them; listing the disk is the panel's job.

#include <string>
#include <vector>

#include "form/Control.h"

namespace tamvek::form {

class DriveList : public Control {
  public:
    DriveList(std::string name, Geometry geometry, int tabIndex)
        : Control(std::move(name), ControlKind::DriveList, geometry, tabIndex) {}
    const std::string& text() const override { return m_drive; }
    const std::string& drive() const { return m_drive; }
    // Runs the change handler when the drive really changes.
    void setDrive(std::string drive) {
        if (!update(m_drive, std::move(drive), Change::Text)) return;
        if (onChange) onChange();
    }
    // The user picks a drive in the list.
    void choose(std::string drive) {
        const auto scope = report(UserInput::Kind::Choose, drive);
        if (takesInput()) setDrive(std::move(drive));
    }
    const std::vector<std::string>& drives() const { return m_drives; }
    void setDrives(std::vector<std::string> drives) {
        m_drives = std::move(drives);
        notify(Change::Items);
    }
    std::function<void()> onChange;

  private:
    std::string m_drive;
    std::vector<std::string> m_drives;
};

class DirList : public Control {
  public:
    DirList(std::string name, Geometry geometry, int tabIndex)
        : Control(std::move(name), ControlKind::DirList, geometry, tabIndex) {}
    const std::string& text() const override { return m_path; }
    const std::string& path() const { return m_path; }
    void setPath(std::string path) {
        if (!update(m_path, std::move(path), Change::Text)) return;
        if (onChange) onChange();
    }
    // The user enters a folder.
    void choose(std::string path) {
        const auto scope = report(UserInput::Kind::Choose, path);
        if (takesInput()) setPath(std::move(path));
    }
    // The entries the view lists, all full paths: the folders from the root
    // down to the path itself, then its sub-folders. A click on an entry sets
    // the path to it.
    const std::vector<std::string>& folders() const { return m_folders; }
    void setFolders(std::vector<std::string> folders) {
        m_folders = std::move(folders);
        notify(Change::Items);
    }
    std::function<void()> onChange;

  private:
    std::string m_path;
    std::vector<std::string> m_folders;
};

class FileList : public Control {
  public:
    FileList(std::string name, Geometry geometry, int tabIndex, std::string pattern)
        : Control(std::move(name), ControlKind::FileList, geometry, tabIndex),
          m_pattern(std::move(pattern)) {}
    const std::string& text() const override { return fileName(); }
    const std::string& pattern() const { return m_pattern; }
    const std::string& path() const { return m_path; }
    void setPath(std::string path) {
        if (!update(m_path, std::move(path), Change::Text)) return;
    }
    const std::vector<std::string>& files() const { return m_files; }
    void setFiles(std::vector<std::string> files) {
        m_files = std::move(files);
        m_index = -1;
        notify(Change::Items);
    }
    int listCount() const { return static_cast<int>(m_files.size()); }
    int listIndex() const { return m_index; }
    // The selected file's name, empty when none is selected.
    const std::string& fileName() const {
        static const std::string none;
        return m_index >= 0 && m_index < listCount() ? m_files[static_cast<std::size_t>(m_index)]
                                                     : none;
    }
    // A click on the list; `index` is the entry under the mouse (-1 for none).
    void click(int index) {
        const auto scope = report(UserInput::Kind::Click, {}, index);
        if (!takesInput()) return;
        if (index >= -1 && index < listCount() && index != m_index) {
            m_index = index;
            notify(Change::Current);
        }
        if (onClick) onClick();
    }
    std::function<void()> onClick;

  private:
    std::string m_pattern;
    std::string m_path;
    std::vector<std::string> m_files;
    int m_index = -1;
};

}  // namespace tamvek::form
