#pragma once
// The program's file dialogs: German throughout, their dates and sizes too,
// and each opening where its files are: the folder last used for the same kind
// of file while the program runs, else the folder given (the samples or the
// systems beside the program, the documents folder), else the home folder.

#include <QString>
#include <QStringList>

class QFileDialog;
class QWidget;

namespace tamvek::qt {

// What a dialog is for; each remembers its own last folder.
enum class FilesOf { Sessions, Tables, Pictures, Systems, Permanences };

struct FileQuestion {
    FilesOf kind;
    QString title;
    QString filter;      // "CSV-Dateien (*.csv);;Alle Dateien (*)"
    QString folder;      // where to start when nothing was used yet
    QString suggestion;  // a file name to save under
    // Whether the save dialog asks before a file is replaced; off where the
    // program asks itself, naming every file it would write.
    bool confirmOverwrite = true;
};

// An empty answer (or list) when the player cancels.
QString openFile(QWidget* parent, const FileQuestion& question);
QStringList openFiles(QWidget* parent, const FileQuestion& question);
QString saveFile(QWidget* parent, const FileQuestion& question);
QString chooseFolder(QWidget* parent, const FileQuestion& question);

// Where a dialog for `kind` opens now.
QString startFolder(FilesOf kind, const QString& folder);
// Sets up a dialog as the functions above do before they show it.
void setUpDialog(QFileDialog& dialog, const FileQuestion& question);

}  // namespace tamvek::qt
