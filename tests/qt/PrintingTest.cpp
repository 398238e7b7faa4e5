// Printing from the window without a printer: every printout a PDF file of
// its own, named in the status line, which opens it; the game's message label
// is only read.

#include <QDir>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QtTest>

#include "WindowFixture.h"

using namespace tamvek;
using test::Fixture;

class PrintingTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("a printer is installed: printouts would go to it");
        QVERIFY(folder.isValid());
        // The documents folder is where the user's settings say.
        QVERIFY(QDir(folder.path()).mkpath("config"));
        QVERIFY(QDir(folder.path()).mkpath("Dokumente"));
        QFile dirs(folder.filePath("config/user-dirs.dirs"));
        QVERIFY(dirs.open(QIODevice::WriteOnly));
        dirs.write(QStringLiteral("XDG_DOCUMENTS_DIR=\"%1\"\n")
                       .arg(folder.filePath("Dokumente"))
                       .toUtf8());
        dirs.close();
        qputenv("XDG_CONFIG_HOME", folder.filePath("config").toUtf8());
    }

    void everyPrintoutIsANewFileNamedInTheStatusLine() {
        Fixture f;
        f.startRun("10");
        const std::string message = f.form.text.caption();
        qt::StatusLine* line = f.window.statusLine();
        QVERIFY(line->message().isEmpty());
        QStringList files;
        const struct {
            const char* button;
            const char* said;
        } presses[] = {{"okdruck", "Ausdruck gespeichert: "},
                       {"okdruck", "Ausdruck gespeichert: "},
                       {"okcopy", "Copy gespeichert: "}};
        for (const auto& press : presses) {
            QTest::mouseClick(f.widget<QPushButton>(press.button), Qt::LeftButton);
            QCOMPARE(f.form.text.caption(), message);
            const QString file = line->file();
            QVERIFY2(line->message() == press.said + file, qPrintable(line->message()));
            QCOMPARE(QFileInfo(file).absolutePath(), folder.filePath("Dokumente"));
            QVERIFY2(QFileInfo(file).size() > 0, qPrintable(file));
            QVERIFY2(!files.contains(file), qPrintable(file));
            files << file;
        }
        QCOMPARE(f.platform.questions.size(), std::size_t{3});

        // A click on the line opens the file; so does Enter once it has the focus.
        QStringList opened;
        line->setOpener([&](const QString& file) {
            opened << file;
            return true;
        });
        QTest::mouseClick(line, Qt::LeftButton);
        QCOMPARE(opened, QStringList{files.last()});
        line->setFocus();
        QCOMPARE(QApplication::focusWidget(), line);
        QTest::keyClick(line, Qt::Key_Return);
        QCOMPARE(opened.size(), 2);
        // A viewer that cannot be started, or a file gone meanwhile, is said.
        line->setOpener([](const QString&) { return false; });
        QTest::mouseClick(line, Qt::LeftButton);
        QVERIFY(line->message().startsWith("Kein Programm gefunden"));
        QVERIFY(line->file().isEmpty());
    }

    void aPathTooLongForTheLineIsShortenedInItsMiddle() {
        Fixture f;
        qt::StatusLine* line = f.window.statusLine();
        const QString file = "/" + QString("sehr-langer-ordner/").repeated(12) + "Tamvek-Copy.pdf";
        line->showMessage("Copy gespeichert: " + file, file);
        QVERIFY(line->fontMetrics().horizontalAdvance(line->text()) <=
                line->contentsRect().width());
        QVERIFY(line->text().startsWith("Copy gespeichert: /sehr-langer"));
        QVERIFY(line->text().endsWith("Tamvek-Copy.pdf"));
        QVERIFY(line->toolTip().contains(file));
        QCOMPARE(f.window.width(), 638);  // the window does not grow with it
    }

  private:
    QTemporaryDir folder;
};

QTEST_MAIN(PrintingTest)
#include "PrintingTest.moc"
