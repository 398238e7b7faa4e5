#pragma once
// The "Bearbeiten" pane of the system test: the chosen system's text, in
// colour (SystemHighlighter), to edit and save; "Neu aus Vorlage" copies an
// example system into the user's own folder (under its name, or numbered on
// when that is taken: never over a file) and opens the copy. A fault the run
// reports at a line of this file is marked there. Saving goes through
// platform::OutputFile: the file is the old one or the whole new one.

#include <QString>
#include <QWidget>
#include <optional>

class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace tamvek::qt {

class SystemHighlighter;

class SystemEditor : public QWidget {
    Q_OBJECT
  public:
    // `examples`: where the example systems are; `userFolder`: where copies go.
    SystemEditor(const QString& examples, const QString& userFolder, QWidget* parent = nullptr);

    // Shows the file at `path` (empty: none); the reason when it cannot be read.
    std::optional<QString> open(const QString& path);
    const QString& path() const { return m_path; }
    bool modified() const;
    // Writes the text to its file; the reason when that fails.
    std::optional<QString> save();
    // A copy of `example` in the user's folder, opened; the reason when that fails.
    std::optional<QString> copyExample(const QString& example);
    void setUserFolder(const QString& folder) { m_userFolder = folder; }
    const QString& userFolder() const { return m_userFolder; }

    // Marks line `line` (from 1) as the place of `fault`, and shows it.
    void markLine(int line, const QString& fault);
    void clearMark();
    int markedLine() const { return m_marked; }
    QPlainTextEdit* text() const { return m_text; }
    SystemHighlighter* highlighter() const { return m_highlighter; }

  signals:
    // A copy of an example was made and opened: the system to test now.
    void opened(const QString& path);
    // What became of a save or a copy, for the window's status line.
    void message(const QString& text, bool error);

  private:
    void buildButtons();
    void fillExamples();
    void saveClicked();

    QString m_examples;
    QString m_userFolder;
    QString m_path;
    QPushButton* m_save;
    QToolButton* m_fromTemplate;
    QMenu* m_templates;
    QLabel* m_fileName;
    QPlainTextEdit* m_text;
    SystemHighlighter* m_highlighter;
    int m_marked = 0;
};

// The folder where a user's own systems go: "Tamvek/Systeme" in the documents
// folder (the home folder when there is none).
QString userSystemsFolder();

}  // namespace tamvek::qt
