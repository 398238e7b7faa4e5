#include "qt/FileDialogs.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>
#include <functional>
#include <map>

namespace tamvek::qt {
namespace {

std::map<FilesOf, QString>& lastFolders() {
    static std::map<FilesOf, QString> folders;
    return folders;
}

// Qt's file model writes dates and sizes in the system's locale, which on a
// machine without one is English ("8 Dec"): these two columns in German.
class GermanColumns : public QIdentityProxyModel {
  public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (files == nullptr || role != Qt::DisplayRole ||
            (index.column() != 1 && index.column() != 3))
            return QIdentityProxyModel::data(index, role);
        const QFileInfo info = files->fileInfo(mapToSource(index));
        const QLocale german(QLocale::German, QLocale::Germany);
        if (index.column() == 3) return german.toString(info.lastModified(), QLocale::ShortFormat);
        if (info.isDir()) return QVariant();
        return german.formattedDataSize(info.size(), 1, QLocale::DataSizeTraditionalFormat);
    }
};

// Asks with a dialog set up by `setUp`; what was chosen, its folder
// remembered for the next dialog of the kind.
QStringList ask(QWidget* parent, const FileQuestion& question,
                const std::function<void(QFileDialog&)>& setUp) {
    QFileDialog dialog(parent);
    setUpDialog(dialog, question);
    setUp(dialog);
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList chosen = dialog.selectedFiles();
    if (!chosen.isEmpty()) {
        const QFileInfo first(chosen.front());
        lastFolders()[question.kind] =
            first.isDir() ? first.absoluteFilePath() : first.absolutePath();
    }
    return chosen;
}

QString first(const QStringList& chosen) {
    return chosen.isEmpty() ? QString() : chosen.front();
}

}  // namespace

QString startFolder(FilesOf kind, const QString& folder) {
    const auto last = lastFolders().find(kind);
    if (last != lastFolders().end() && QFileInfo(last->second).isDir()) return last->second;
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) return folder;
    return QDir::homePath();
}

void setUpDialog(QFileDialog& dialog, const FileQuestion& question) {
    dialog.setWindowTitle(question.title);
    dialog.setDirectory(startFolder(question.kind, question.folder));
    dialog.setNameFilters(question.filter.split(QStringLiteral(";;")));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setProxyModel(new GermanColumns(&dialog));
}

QString openFile(QWidget* parent, const FileQuestion& question) {
    return first(
        ask(parent, question, [](QFileDialog& d) { d.setFileMode(QFileDialog::ExistingFile); }));
}

QStringList openFiles(QWidget* parent, const FileQuestion& question) {
    return ask(parent, question, [](QFileDialog& d) { d.setFileMode(QFileDialog::ExistingFiles); });
}

QString saveFile(QWidget* parent, const FileQuestion& question) {
    return first(ask(parent, question, [&](QFileDialog& d) {
        d.setAcceptMode(QFileDialog::AcceptSave);
        d.setFileMode(QFileDialog::AnyFile);
        if (!question.suggestion.isEmpty()) d.selectFile(question.suggestion);
        d.setOption(QFileDialog::DontConfirmOverwrite, !question.confirmOverwrite);
    }));
}

QString chooseFolder(QWidget* parent, const FileQuestion& question) {
    return first(ask(parent, question, [](QFileDialog& d) {
        d.setFileMode(QFileDialog::Directory);
        d.setOption(QFileDialog::ShowDirsOnly);
    }));
}

}  // namespace tamvek::qt
