// The system test window: a run to its end gives the figures of
// `tamvek-cli system` for the same input, a run cancelled midway keeps
// nothing, and a fault in a system file is shown with its file, line and key.

#include <QAreaSeries>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGraphicsTextItem>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <map>

#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextLayout>

#include "qt/SaldoChart.h"
#include "qt/SystemEditor.h"
#include "qt/SystemHighlighter.h"
#include "qt/SystemTestWindow.h"
#include "qt/VariantsPage.h"

using tamvek::qt::SystemEditor;
using tamvek::qt::SystemHighlighter;
using tamvek::qt::SystemTestWindow;

namespace {

const QString systems = QStringLiteral(TAMVEK_BIN_DIR "/systems");
const QString martingale = systems + QStringLiteral("/martingale-nach-serie.toml");
const QString spins = QStringLiteral(TAMVEK_TEST_DATA "/spins");

// What `tamvek-cli` prints, a line at a time.
QStringList cliLines(const QStringList& args) {
    QProcess cli;
    cli.start(QStringLiteral(TAMVEK_BIN_DIR "/tamvek-cli"), args);
    cli.waitForFinished(60000);
    return QString::fromUtf8(cli.readAllStandardOutput()).split('\n');
}

// The rows of a table `tamvek-cli` prints, cells split at runs of blanks.
QList<QStringList> cliRows(const QStringList& args, const QString& command = "system") {
    QList<QStringList> rows;
    const QStringList lines = cliLines(QStringList{command} + args);
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

QString writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
    return path;
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// As typed: the text is changed, not loaded.
void retype(QPlainTextEdit& text, const QString& with) {
    text.selectAll();
    text.insertPlainText(with);
}

// Clicks `button` and hands the file dialog it opens to `answer`, which
// accepts or rejects it.
void answerDialog(QPushButton* button, const std::function<void(QFileDialog&)>& answer) {
    bool answered = false;
    std::function<void()> look = [&] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            answer(*dialog);
            answered = true;
        } else {
            QTimer::singleShot(10, look);
        }
    };
    QTimer::singleShot(0, look);
    button->click();
    QVERIFY(answered);
}

// Whether an axis of `chart` shows one figure twice ("0 0 0 1 1").
bool figuresRepeat(const QChartView& chart) {
    std::map<QGraphicsItem*, QSet<QString>> axes;  // the figures of an axis share a parent
    for (QGraphicsItem* item : chart.scene()->items()) {
        auto* text = dynamic_cast<QGraphicsTextItem*>(item);
        if (text == nullptr || !text->isVisible()) continue;
        const QString shown = text->toPlainText();
        if (!QRegularExpression(QStringLiteral("^-?[0-9][0-9.]*$")).match(shown).hasMatch())
            continue;
        QSet<QString>& figures = axes[text->parentItem()];
        if (figures.contains(shown)) return true;
        figures.insert(shown);
    }
    return false;
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

        // The verdict of the row chosen as the command line says it, and the
        // capital 95 % of the random runs needed marked in the histogram.
        const QStringList said =
            cliLines({"system", martingale, t1, genting, "--baseline", "200", "--seed", "42"});
        const auto sentence = [&](const QString& name) {
            for (const QString& line : said)
                if (line.startsWith("  " + name + ": ")) return line.mid(name.size() + 4);
            return QString("(keins für ") + name + ")";
        };
        auto* verdict = window.findChild<QLabel*>(QStringLiteral("verdict"));
        QVERIFY2(verdict->text().contains(sentence(genting).toHtmlEscaped()),
                 qPrintable(verdict->text()));
        table.setCurrentCell(2, 0);
        QVERIFY2(verdict->text().contains(sentence("Summe").toHtmlEscaped()),
                 qPrintable(verdict->text()));
        table.setCurrentCell(1, 0);
        int capitalColumn = 0;
        while (table.horizontalHeaderItem(capitalColumn)->text() != QStringLiteral("95 %"))
            ++capitalColumn;
        const QString capital = QStringLiteral("Kapital 95 %: ") + cli[1][capitalColumn];
        bool marked = false;
        for (QAbstractSeries* series : window.histogram()->chart()->series())
            marked = marked || (series->name() == capital && series->isVisible());
        QVERIFY2(marked, qPrintable(capital));
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

    // A system in Lua opens in the editor, in colour, and plays as its system
    // file does.
    void aLuaSystemIsShownAndPlaysAsItsSystemFile() {
        SystemTestWindow window(systems);
        window.show();
        window.setPermanences({spins + QStringLiteral("/genting-118.txt"),
                               spins + QStringLiteral("/wiesbaden-t1-head.txt")});
        QList<QStringList> rows[2];
        for (int i = 0; i < 2; ++i) {
            window.setSystemFile(systems + (i == 0 ? QStringLiteral("/paroli-rot.lua")
                                                   : QStringLiteral("/paroli-rot.toml")));
            QVERIFY(runToEnd(window));
            QVERIFY2(window.statusText().startsWith(QStringLiteral("Fertig: Paroli auf Rot")),
                     qPrintable(window.statusText()));
            for (int row = 0; row < window.table()->rowCount(); ++row)
                rows[i] << tableRow(*window.table(), row);
        }
        QCOMPARE(rows[0], rows[1]);
        QCOMPARE(rows[0].size(), 3);

        window.setSystemFile(systems + QStringLiteral("/paroli-rot.lua"));
        SystemEditor& editor = *window.editor();
        QVERIFY(editor.text()->toPlainText().contains(QStringLiteral("function place(g)")));
        QCOMPARE(editor.highlighter()->language(), SystemHighlighter::Language::Lua);
        const QTextBlock block = editor.text()->document()->findBlockByNumber(5);
        QVERIFY(block.text().startsWith(QStringLiteral("function place")));
        bool bold = false;
        for (const QTextLayout::FormatRange& range : block.layout()->formats())
            bold = bold || (range.start == 0 && range.format.fontWeight() == QFont::Bold);
        QVERIFY2(bold, "a keyword is set off");
    }

    // A fault of a script is said under the buttons and marked at its line in
    // the editor; the window stays usable, and a mended script, saved by
    // "Start", plays.
    void aFaultyScriptIsMarkedAndTheWindowStaysUsable() {
        QTemporaryDir dir;
        const QString script = writeFile(dir.filePath(QStringLiteral("s.lua")),
                                         "function place(g)\n  while true do end\nend\n");
        SystemTestWindow window(systems);
        window.show();
        window.setSystemFile(script);
        window.setPermanences({spins + QStringLiteral("/genting-118.txt")});
        QVERIFY(runToEnd(window));
        QVERIFY2(window.statusText().startsWith(QStringLiteral("Fehler: ") + script +
                                                QStringLiteral(":2: place läuft länger als 1 s")),
                 qPrintable(window.statusText()));
        QVERIFY(window.statusText().endsWith(QStringLiteral("(Datei genting-118.txt, Wurf 1)")));
        QCOMPARE(window.editor()->markedLine(), 2);
        QCOMPARE(window.pages()->currentWidget(), window.editor());
        QCOMPARE(window.table()->rowCount(), 0);
        QVERIFY(window.outcome().files.empty());

        retype(*window.editor()->text(),
               QStringLiteral("function place(g)\n  g:stake('red', 1\nend\n"));
        QCOMPARE(window.editor()->markedLine(), 0);
        QVERIFY(runToEnd(window));
        QVERIFY2(window.statusText().startsWith(QStringLiteral("Fehler: ") + script +
                                                QStringLiteral(":3: Syntaxfehler: ")),
                 qPrintable(window.statusText()));
        QCOMPARE(window.editor()->markedLine(), 3);

        retype(
            *window.editor()->text(),
            QStringLiteral(
                "function place(g)\n  if g:free('red-black') then g:stake('red', 1) end\nend\n"));
        QVERIFY(runToEnd(window));
        QVERIFY2(window.statusText().startsWith(QStringLiteral("Fertig: ")),
                 qPrintable(window.statusText()));
        QVERIFY(readFile(script).contains("g:free('red-black')"));
        QVERIFY(!window.editor()->modified());
    }

    // "Permanenzen wählen" opens in the samples, "Ordner …" in the folder of
    // the files chosen last with nothing typed in (so "Auswählen" takes it),
    // the system's dialog in the systems.
    void dialogsOpenWhereTheFilesAre() {
        QTemporaryDir samples;
        const QString t1 = writeFile(samples.filePath(QStringLiteral("t1.txt")), "1\n2\n");
        SystemTestWindow window(systems, samples.path());
        window.show();
        QString openedIn;
        answerDialog(window.findChild<QPushButton*>(QStringLiteral("pickFiles")),
                     [&](QFileDialog& d) {
                         openedIn = d.directory().absolutePath();
                         d.selectFile(t1);
                         QMetaObject::invokeMethod(&d, "accept");
                     });
        QCOMPARE(openedIn, samples.path());
        answerDialog(window.findChild<QPushButton*>(QStringLiteral("pickFolder")),
                     [&](QFileDialog& d) {
                         openedIn = d.directory().absolutePath();
                         auto* name = d.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                         QVERIFY(name != nullptr);
                         QCOMPARE(name->text(), QString());
                         QPushButton* choose =
                             d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open);
                         QVERIFY(choose->isEnabled());
                         choose->click();
                     });
        QCOMPARE(openedIn, samples.path());
        QCOMPARE(window.findChild<QLineEdit*>(QStringLiteral("permanences"))->text(),
                 QFileInfo(samples.path()).fileName());
        answerDialog(window.findChild<QPushButton*>(QStringLiteral("pickSystem")),
                     [&](QFileDialog& d) {
                         openedIn = d.directory().absolutePath();
                         d.reject();
                     });
        QCOMPARE(openedIn, QFileInfo(systems).absoluteFilePath());
    }

    // A run over random spins reads well: the name with thousands dots, every
    // column of the table in sight, the histogram's title whole; counts show
    // their dots as they are typed, the axes of an empty chart no figures that
    // read alike, and an old error goes when new files are chosen.
    void aRandomRunReadsWell() {
        SystemTestWindow window(systems);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!figuresRepeat(*window.saldoChart()));

        window.setRandomSpins(5);
        auto* count = window.findChild<QSpinBox*>(QStringLiteral("randomSpins"));
        auto* typed = count->findChild<QLineEdit*>();
        count->setFocus();
        count->selectAll();
        QTest::keyClicks(typed, QStringLiteral("100000"));
        QCOMPARE(typed->text(), QStringLiteral("100.000 Würfe"));
        QCOMPARE(count->value(), 100000);
        typed->setCursorPosition(1);
        QTest::keyClick(typed, Qt::Key_Delete);
        QCOMPARE(typed->text(), QStringLiteral("10.000 Würfe"));
        QCOMPARE(typed->cursorPosition(), 1);
        count->setValue(1);
        QCOMPARE(typed->text(), QStringLiteral("1 Wurf"));

        window.setSystemFile(martingale);
        window.setRandomSpins(100000);
        window.setBaseline(50);
        window.setSeed(18446744073709551615u);
        QVERIFY(runToEnd(window));
        QTableWidget& table = *window.table();
        QCOMPARE(table.item(0, 0)->text(),
                 QStringLiteral("zufällig (100.000 Würfe, Startwert 18446744073709551615)"));
        int last = table.columnCount() - 1;
        while (table.isColumnHidden(last))  // the verdict's: said below the table
            --last;
        QCOMPARE(table.horizontalHeaderItem(last)->text(), QStringLiteral("Perzentil"));
        QVERIFY2(table.columnViewportPosition(last) + table.columnWidth(last) <=
                     table.viewport()->width(),
                 "the percentile is in sight");
        QChart* histogram = window.histogram()->chart();
        QVERIFY(histogram->title().contains(QStringLiteral("Perzentil")));
        QVERIFY2(QFontMetrics(histogram->titleFont()).horizontalAdvance(histogram->title()) <=
                     histogram->size().width(),
                 qPrintable(histogram->title()));
        QVERIFY(!figuresRepeat(*qobject_cast<QChartView*>(histogram->scene()->views().front())));

        window.setRandomSpins(1);
        window.setBaseline(0);
        QVERIFY(runToEnd(window));
        QCOMPARE(table.item(0, 0)->text().left(17), QStringLiteral("zufällig (1 Wurf,"));
        QVERIFY(!figuresRepeat(*window.saldoChart()));

        window.setPermanences({spins + QStringLiteral("/fehlt.txt")});
        QVERIFY(runToEnd(window));
        QVERIFY(window.statusText().startsWith(QStringLiteral("Fehler: ")));
        window.setPermanences({spins + QStringLiteral("/genting-118.txt")});
        QVERIFY2(!window.statusText().contains(QStringLiteral("fehlt.txt")),
                 qPrintable(window.statusText()));
        window.setSystemFile(spins + QStringLiteral("/kein-system.toml"));
        QVERIFY(runToEnd(window));
        QVERIFY(window.statusText().startsWith(QStringLiteral("Fehler: ")));
        window.setSystemFile(martingale);
        QVERIFY2(!window.statusText().startsWith(QStringLiteral("Fehler: ")),
                 qPrintable(window.statusText()));
    }

    // The page "Varianten" ranks the variants as `tamvek-cli sweep` does and
    // judges the best one alike; a line of values without a key is refused
    // by its number.
    void variantsAreRankedAsByTheCommandLine() {
        const QString t1 = spins + QStringLiteral("/wiesbaden-t1-head.txt");
        const QString genting = spins + QStringLiteral("/genting-118.txt");
        const QString paroli = systems + QStringLiteral("/paroli-rot.toml");
        SystemTestWindow window(systems);
        window.show();
        window.setSystemFile(paroli);
        window.setPermanences({t1, genting});
        window.setBaseline(100);
        window.setSeed(5);
        window.pages()->setCurrentWidget(window.variants());
        window.variants()->setKeys(QStringLiteral("bet1.ride 1, 2"));
        window.start();  // refused before it runs
        QVERIFY(!window.running());
        QVERIFY2(window.statusText().startsWith(QStringLiteral("Fehler: Zeile 1 der Werte")),
                 qPrintable(window.statusText()));

        window.variants()->setKeys(QStringLiteral("bet1.ride = 1, 2, 3\n"));
        QVERIFY(runToEnd(window));
        QVERIFY2(window.statusText().startsWith(QStringLiteral("Fertig: ")),
                 qPrintable(window.statusText()));
        const QStringList args{paroli,       "--vary", "bet1.ride=1,2,3", t1, genting,
                               "--baseline", "100",    "--seed",          "5"};
        const QList<QStringList> ranked = cliRows(args, "sweep").mid(0, 3);
        QTableWidget& table = *window.variants()->table();
        QCOMPARE(table.rowCount(), 3);
        for (int row = 0; row < 3; ++row)
            QCOMPARE(tableRow(table, row), ranked[row]);
        QString judged;
        for (const QString& line : cliLines(QStringList{"sweep"} + args))
            if (line.startsWith(QStringLiteral("Urteil: "))) judged = line.mid(8);
        QVERIFY(!judged.isEmpty());
        QVERIFY2(window.variants()->best()->text().contains(judged.toHtmlEscaped()),
                 qPrintable(window.variants()->best()->text()));
    }

    // "Neu aus Vorlage" copies an example into the user's folder, numbered on
    // rather than over a file there, and opens the copy.
    void aCopyOfAnExampleNeverOverwritesAFile() {
        QTemporaryDir dir;
        const QString mine =
            writeFile(dir.filePath(QStringLiteral("paroli-rot.lua")), "-- meins\n");
        SystemTestWindow window(systems);
        window.editor()->setUserFolder(dir.path());
        QVERIFY(!window.editor()->copyExample(systems + QStringLiteral("/paroli-rot.lua")));
        const QString copy = dir.filePath(QStringLiteral("paroli-rot-2.lua"));
        QCOMPARE(window.editor()->path(), copy);
        QCOMPARE(readFile(copy), readFile(systems + QStringLiteral("/paroli-rot.lua")));
        QCOMPARE(readFile(mine), QByteArray("-- meins\n"));
        QVERIFY(!window.editor()->copyExample(systems + QStringLiteral("/paroli-rot.toml")));
        QCOMPARE(window.editor()->highlighter()->language(), SystemHighlighter::Language::Toml);
        QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("paroli-rot.toml"))));

        window.editor()->text()->appendPlainText(QStringLiteral("# geändert"));
        QVERIFY(window.editor()->modified());
        QVERIFY(!window.editor()->save());
        QVERIFY(readFile(dir.filePath(QStringLiteral("paroli-rot.toml"))).endsWith("# geändert"));
    }
};

QTEST_MAIN(SystemTestWindowTest)
#include "SystemTestWindowTest.moc"
