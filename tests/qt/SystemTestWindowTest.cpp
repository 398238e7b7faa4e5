// The system test window: a run to its end gives the figures of
// `tamvek-cli system` for the same input, a run cancelled midway keeps
// nothing, and a fault in a system file is shown with its file, line and key.

#include <QAreaSeries>
#include <QLineSeries>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "qt/SaldoChart.h"
#include "qt/SystemTestWindow.h"

using tamvek::qt::SystemTestWindow;

namespace {

const QString systems = QStringLiteral(TAMVEK_BIN_DIR "/systems");
const QString martingale = systems + QStringLiteral("/martingale-nach-serie.toml");
const QString spins = QStringLiteral(TAMVEK_TEST_DATA "/spins");

// The rows of `tamvek-cli system`'s table, cells split at runs of blanks.
QList<QStringList> cliRows(const QStringList& args) {
    QProcess cli;
    cli.start(QStringLiteral(TAMVEK_BIN_DIR "/tamvek-cli"), QStringList{"system"} + args);
    cli.waitForFinished(60000);
    QList<QStringList> rows;
    const QStringList lines = QString::fromUtf8(cli.readAllStandardOutput()).split('\n');
    for (const QString& line : lines) {
        if (line.startsWith(QStringLiteral("Datei")) || line.startsWith('-') ||
            !line.contains(QRegularExpression(QStringLiteral("\\d  "))))
            continue;
        rows << line.split(QRegularExpression(QStringLiteral("\\s{2,}")), Qt::SkipEmptyParts);
    }
    return rows;
}

QStringList tableRow(const QTableWidget& table, int row) {
    QStringList cells;
    for (int c = 0; c < table.columnCount(); ++c)
        cells << (table.item(row, c) ? table.item(row, c)->text() : QString());
    return cells;
}

bool runToEnd(SystemTestWindow& window) {
    QSignalSpy finished(&window, &SystemTestWindow::finished);
    window.findChild<QPushButton*>(QStringLiteral("start"))->click();
    return finished.wait(60000) || finished.count() == 1;
}

}  // namespace

class SystemTestWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void aRunGivesTheFiguresOfTheCommandLine() {
        const QString t1 = spins + QStringLiteral("/wiesbaden-t1-head.txt");
        const QString genting = spins + QStringLiteral("/genting-118.txt");
        SystemTestWindow window(systems);
        window.show();
        window.setSystemFile(martingale);
        window.setPermanences({t1, genting});
        window.setBaseline(200);
        window.setSeed(42);
        QVERIFY(runToEnd(window));
        QVERIFY2(window.statusText().startsWith(QStringLiteral("Fertig: ")),
                 qPrintable(window.statusText()));
        QVERIFY(window.statusText().contains(QStringLiteral("Startwert der Zufallszahlen: 42")));

        const QList<QStringList> cli =
            cliRows({martingale, t1, genting, "--baseline", "200", "--seed", "42"});
        QTableWidget& table = *window.table();
        QCOMPARE(table.rowCount(), 3);
        QCOMPARE(cli.size(), 3);
        for (int row = 0; row < 3; ++row) {
            QStringList cells = tableRow(table, row);
            QStringList expected = cli[row];
            // The cli names a file by its path, the table by its name.
            expected[0] = row < 2 ? QFileInfo(expected[0]).fileName() : expected[0];
            while (cells.size() > expected.size() && cells.back().isEmpty())
                cells.removeLast();
            QCOMPARE(cells, expected);
        }

        // The total row is chosen: the curve of both files, and no histogram of
        // its own; a file's row shows its curve and its baseline marked.
        QCOMPARE(table.currentRow(), 2);
        QLineSeries* curve = window.saldoChart()->series();
        QCOMPARE(curve->points().back().x(), double(window.outcome().total.spins));
        QCOMPARE(curve->points().back().y(), double(window.outcome().total.saldo));
        QVERIFY(!window.histogram()->isVisible());
        table.setCurrentCell(1, 0);
        QCOMPARE(curve->points().back().y(), double(window.outcome().files[1].report.saldo));
        QVERIFY(window.histogram()->isVisible());
        QCOMPARE(window.fileMark()->points().front().x(),
                 double(window.outcome().files[1].report.saldo));
        QVERIFY(window.histogram()->chart()->title().endsWith(QStringLiteral("Perzentil ") +
                                                              cli[1][15]));
    }

    void aCancelledRunStopsAndKeepsNothing() {
        SystemTestWindow window(systems);
        window.show();
        window.setSystemFile(martingale);
        window.setRandomSpins(1'000'000'000);
        QSignalSpy finished(&window, &SystemTestWindow::finished);
        auto* start = window.findChild<QPushButton*>(QStringLiteral("start"));
        auto* cancel = window.findChild<QPushButton*>(QStringLiteral("cancel"));
        QVERIFY(!cancel->isEnabled());
        start->click();
        QVERIFY(window.running());
        QVERIFY(!start->isEnabled());
        QVERIFY(cancel->isEnabled());
        QTRY_VERIFY(window.statusText().startsWith(QStringLiteral("Spielt Datei 1 von 1")));
        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(finished.wait(10000));
        QVERIFY(!window.running());
        QVERIFY2(window.statusText().startsWith(QStringLiteral("Abgebrochen")),
                 qPrintable(window.statusText()));
        QCOMPARE(window.table()->rowCount(), 0);
        QVERIFY(window.outcome().files.empty());
        QVERIFY(start->isEnabled());
        QVERIFY(!cancel->isEnabled());
    }

    // A long curve after a short one: the ticks of the short one's axis must
    // not be laid over the long range (that made millions of them and never
    // came back).
    void aLongCurveAfterAShortOneDrawsAtOnce() {
        tamvek::qt::SaldoChart chart;
        chart.resize(600, 400);
        chart.show();
        chart.showCurve(QStringLiteral("kurz"), {{0, 0}, {1, 1}});
        QCoreApplication::processEvents();
        chart.showCurve(QStringLiteral("lang"), {{0, 0}, {1'000'000'000, -5000}});
        QCoreApplication::processEvents();
        QCOMPARE(chart.series()->points().back().x(), 1e9);
    }

    void faultsAreShownWithFileLineAndKey() {
        QTemporaryDir dir;
        const QString bad = dir.filePath(QStringLiteral("s.toml"));
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("name = \"x\"\n[[bet]]\nsied = \"red\"\n");
        file.close();
        SystemTestWindow window(systems);
        window.setSystemFile(bad);
        window.setPermanences({spins + QStringLiteral("/genting-118.txt")});
        QVERIFY(runToEnd(window));
        QVERIFY2(window.statusText().startsWith(QStringLiteral("Fehler: ") + bad +
                                                QStringLiteral(":3: sied: ")),
                 qPrintable(window.statusText()));

        window.setSystemFile(martingale);
        window.setPermanences({dir.filePath(QStringLiteral("fehlt.txt"))});
        QVERIFY(runToEnd(window));
        QVERIFY2(window.statusText().contains(QStringLiteral("fehlt.txt")),
                 qPrintable(window.statusText()));
        QCOMPARE(window.table()->rowCount(), 0);
    }
};

QTEST_MAIN(SystemTestWindowTest)
#include "SystemTestWindowTest.moc"
