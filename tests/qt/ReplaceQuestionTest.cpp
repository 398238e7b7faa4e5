// The window's entries that save: over files that exist only after one
// question naming every one of them, in the window's question box; what went
// wrong in words, with the reason.

#include <QFile>
#include <QSignalSpy>
#include <QtTest>

#include "ProgramFixture.h"
#include "qt/StatusLine.h"

namespace tamvek::test {
namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

}  // namespace

class ReplaceQuestionTest : public QObject {
    Q_OBJECT
  private slots:
    void theCsvPairIsOneQuestion() {
        ProgramFixture f(3);
        const QString spins = f.folder.filePath(QStringLiteral("Tabellen-Würfe.csv"));
        const QString profit = f.folder.filePath(QStringLiteral("Tabellen-Gewinn-Verlust.csv"));
        write(spins, "alt");
        write(profit, "alt");
        f.chosen = f.folder.filePath(QStringLiteral("Tabellen.csv"));

        f.qt.answer = platform::Answer::No;
        f.action("Datei/Tabellen als CSV speichern")->trigger();
        QCOMPARE(f.qt.questions.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(f.qt.questions[0]), "Diese Dateien gibt es schon:\n" +
                                                                spins + "\n" + profit +
                                                                "\n\nSollen sie ersetzt werden?");
        QCOMPARE(contents(spins), QByteArray("alt"));
        QCOMPARE(contents(profit), QByteArray("alt"));

        f.qt.answer = platform::Answer::Yes;
        f.action("Datei/Tabellen als CSV speichern")->trigger();
        QCOMPARE(f.qt.questions.size(), std::size_t{2});
        QVERIFY(contents(spins).startsWith("Wurf,Zahl,"));
        QVERIFY(contents(profit).startsWith("Wurf,Gewinn/Verlust,"));
        QCOMPARE(f.window.statusLine()->message(),
                 "Tabellen gespeichert: " + spins + ", " + profit);
    }

    void aSessionOverAnotherAsksToo() {
        ProgramFixture f(3);
        const QString saved = f.folder.filePath(QStringLiteral("sitzung.txt"));
        write(saved, "alt");
        f.chosen = saved;
        f.qt.answer = platform::Answer::No;
        f.action("Datei/Sitzung speichern")->trigger();
        QCOMPARE(f.qt.questions.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(f.qt.questions[0]),
                 "Die Datei gibt es schon:\n" + saved + "\n\nSoll sie ersetzt werden?");
        QCOMPARE(contents(saved), QByteArray("alt"));
        f.qt.answer = platform::Answer::Yes;
        f.action("Datei/Sitzung speichern")->trigger();
        QVERIFY(contents(saved).startsWith("# Tamvek-Sitzung"));
    }

    void aTargetThatIsNoFileIsRefusedWithItsReason() {
        ProgramFixture f(3);
        QSignalSpy failed(f.window.menu(), &qt::MenuBar::failed);
        f.chosen = f.folder.path();  // a folder
        f.action("Datei/Sitzung speichern")->trigger();
        QCOMPARE(failed.count(), 1);
        QCOMPARE(failed.at(0).at(0).toString(), f.folder.path() + ": ist ein Ordner");
        QVERIFY(f.qt.questions.empty());
    }
};

}  // namespace tamvek::test

QTEST_MAIN(tamvek::test::ReplaceQuestionTest)
#include "ReplaceQuestionTest.moc"
