// Where the program's dialogs open, and that they speak German: a player
// reaches the files with few clicks and reads every date.

#include <QDateTime>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>
#include <fstream>

#include "WindowFixture.h"
#include "qt/FileDialogs.h"

namespace tamvek::test {

class DialogsTest : public QObject {
    Q_OBJECT
  private slots:
    void fileDialogsShowGermanDates() {
        QTemporaryDir folder;
        const QString file = folder.filePath("tisch.txt");
        std::ofstream(file.toStdString()) << "Spielbank\n";
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadWrite));
        const QDateTime when(QDate(2026, 12, 8), QTime(17, 41));
        QVERIFY(f.setFileTime(when, QFileDevice::FileModificationTime));
        f.close();

        QFileDialog dialog;
        qt::setUpDialog(dialog, {qt::FilesOf::Permanences,
                                 "Permanenzen wählen",
                                 "Permanenzen (*.txt)",
                                 folder.path(),
                                 {}});
        dialog.show();
        auto* view = dialog.findChild<QTreeView*>("treeView");
        QVERIFY(view != nullptr);
        QModelIndex row;
        QTRY_VERIFY((row =
                         [&] {
                             for (int r = 0; r < view->model()->rowCount(view->rootIndex()); ++r) {
                                 const QModelIndex i =
                                     view->model()->index(r, 0, view->rootIndex());
                                 if (i.data().toString() == "tisch.txt") return i;
                             }
                             return QModelIndex();
                         }())
                        .isValid());
        QCOMPARE(row.siblingAtColumn(3).data().toString(), QString("08.12.26 17:41"));
        QCOMPARE(row.siblingAtColumn(1).data().toString(), QString("10 Bytes"));
    }

    // A dialog opens in the folder last used for its kind of file, else the
    // one given (the samples, the systems), else the home folder.
    void dialogsOpenWhereTheirFilesAre() {
        QTemporaryDir samples;
        QCOMPARE(qt::startFolder(qt::FilesOf::Tables, samples.path()), samples.path());
        QCOMPARE(qt::startFolder(qt::FilesOf::Tables, "/gibt/es/nicht"), QDir::homePath());
    }

    // The import panel of the window starts in the samples beside the program;
    // typing a name in its folder list goes to that folder.
    void theImportPanelStartsInTheSamplesAndFindsByName() {
        Fixture f;
        const std::string samples = f.platform.programFolder() + "/samples";
        if (!QFileInfo(QString::fromStdString(samples)).isDir())
            QSKIP("no samples beside the program");
        QCOMPARE(f.form.Dir1.path(), samples);
        QTest::mouseClick(f.widget<QPushButton>("okextern"), Qt::LeftButton);
        f.form.Dir1.setPath(f.platform.programFolder());
        auto* folders = f.widget<QListWidget>("Dir1");
        folders->setFocus();
        QTest::keyClicks(folders, "sam");
        QCOMPARE(folders->currentItem()->text().trimmed(), QString("samples"));
    }
};

}  // namespace tamvek::test

QTEST_MAIN(tamvek::test::DialogsTest)
#include "DialogsTest.moc"
