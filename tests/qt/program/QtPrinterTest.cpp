// The Qt printer writing PDF files, read back with poppler's command-line tools.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <map>

#include "output/TextReport.h"
#include "qt/QtPrinter.h"
#include "support/TestSupport.h"

namespace tamvek::test {
namespace {

// Runs a poppler tool on a file; nothing when the tool is not installed.
std::optional<QString> poppler(const QString& tool, QStringList args) {
    const QString exe = QStandardPaths::findExecutable(tool);
    if (exe.isEmpty()) return std::nullopt;
    QProcess p;
    p.start(exe, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return std::nullopt;
    return QString::fromUtf8(p.readAllStandardOutput());
}

struct Word {
    QString text;
    double x;
    double y;
};

// Every word of the first page with its left edge and top, in points.
std::vector<Word> words(const QString& pdf) {
    std::vector<Word> out;
    const auto html = poppler("pdftotext", {"-bbox", pdf, "-"});
    if (!html) return out;
    static const QRegularExpression re(
        QStringLiteral(R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="[0-9.]+" )re"
                       R"re(yMax="[0-9.]+">([^<]*)</word>)re"));
    for (auto it = re.globalMatch(*html); it.hasNext();) {
        const auto m = it.next();
        out.push_back({m.captured(3), m.captured(1).toDouble(), m.captured(2).toDouble()});
    }
    return out;
}

const Word* find(const std::vector<Word>& ws, const QString& text, int nth = 0) {
    for (const Word& w : ws)
        if (w.text == text && nth-- == 0) return &w;
    return nullptr;
}

// A platform whose printer is the real Qt printer; it answers every question
// with "No".
class QtPrintingPlatform : public platform::HeadlessPlatform {
  public:
    platform::PrintOutcome printReport(const platform::PrintJob& job) override {
        return printer.printReport(job);
    }
    platform::PrintOutcome printWindowImage() override { return printer.printWindow(window); }
    qt::QtPrinter printer;
    QWidget* window = nullptr;
};

class QtPrinterTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            GTEST_SKIP() << "pdftotext is not installed";
    }
    void TearDown() override { qt::setPrintTarget({}); }
    QString path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

// A run of 100 spins with 37 played, printed into a PDF and read back.
TEST_F(QtPrinterTest, ReportLandsOnOnePageAtItsColumns) {
    TestSession t;
    t.playUpTo(100, 37);
    const platform::PrintJob job = output::buildReport(t.game);

    qt::setPrintTarget(path("report.pdf"));
    qt::QtPrinter printer;
    const platform::PrintOutcome outcome = printer.printReport(job);
    EXPECT_TRUE(outcome.printed);
    EXPECT_EQ(QString::fromStdString(outcome.savedFile), path("report.pdf"));

    const auto text = poppler("pdftotext", {"-layout", path("report.pdf"), "-"});
    ASSERT_TRUE(text);
    EXPECT_EQ(text->count('\f'), 1) << "one page";
    QStringList lines;
    for (const QString& l : text->split('\n'))
        if (!l.trimmed().isEmpty()) lines << l.trimmed().simplified();
    ASSERT_GE(lines.size(), 25) << text->toStdString();
    EXPECT_TRUE(lines[0].startsWith("Datum: 07.12.2026")) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].endsWith("Vrask 02.1")) << lines[0].toStdString();
    EXPECT_EQ(lines[1], "Der Computer erzeugt die Zahlen...");
    EXPECT_EQ(lines[2], "Anzahl Würfe: 100");
    EXPECT_EQ(lines[3], "Anzahl akut : 37");
    EXPECT_EQ(lines[4], "Stelle Figur");
    for (int i = 1; i <= 20; ++i)
        EXPECT_EQ(lines[4 + i], QString::number(i));
    EXPECT_EQ(lines.size(), 25);

    // Columns: column n starts n - 1 average character widths of the current
    // font from the margin; the bold header line has its own, wider width.
    const auto ws = words(path("report.pdf"));
    const Word* datum = find(ws, "Datum:");
    const Word* stelle = find(ws, "Stelle");
    const Word* figur = find(ws, "Figur");
    ASSERT_TRUE(datum && stelle && figur);
    const double cw = (figur->x - stelle->x) / 11;  // columns 19 and 30
    ASSERT_GT(cw, 3.0);                             // 12 points: some 5 to 7 points a character
    ASSERT_LT(cw, 9.0);
    const double margin = stelle->x - 18 * cw;
    auto column = [&](int n) { return margin + (n - 1) * cw; };
    for (int k : {0, 1}) {
        const Word* anzahl = find(ws, "Anzahl", k);
        ASSERT_TRUE(anzahl);
        EXPECT_NEAR(anzahl->x, column(15), 0.5);
    }
    const double boldCw = (datum->x - margin) / 14;
    EXPECT_GE(boldCw, cw - 0.01);
    EXPECT_LT(boldCw, cw * 1.3);
    // Items with a leading blank start a blank's width after their column.
    auto afterBlank = [&](const Word* w, double x) {
        ASSERT_TRUE(w);
        EXPECT_GT(w->x, x + 0.5) << w->text.toStdString();
        EXPECT_LT(w->x, x + cw) << w->text.toStdString();
    };
    const Word* q = nullptr;
    for (const Word& w : ws)
        if (w.text.startsWith("Q") && std::abs(w.y - datum->y) < 0.5) q = &w;
    afterBlank(q, margin + 38 * boldCw);
    afterBlank(find(ws, "Der"), column(15));
    std::map<QString, const Word*> table;  // the numbers under the headings
    for (const Word& w : ws)
        if (w.y > figur->y) table.emplace(w.text, &w);
    for (int i = 1; i <= 20; ++i)
        afterBlank(table[QString::number(i)], column(20));
    // The value follows its caption on the same line.
    const Word* hundred = find(ws, "100");
    ASSERT_TRUE(hundred);
    EXPECT_NEAR(hundred->y, find(ws, "Anzahl", 0)->y, 0.5);
}

// The message label is read, never written: the second report prints the
// same header line, into a file of its own.
TEST_F(QtPrinterTest, ImportHeaderPrintsAsOneLineEveryTime) {
    QtPrintingPlatform platform;
    ScriptedRandom random;
    session::Session session(platform, random);
    auto& f = session.form();
    const std::string header = "Spielbank Hamburg\rTisch 3\r07.12.2026";
    f.text.setCaption(header);
    session.state().permanenceLoaded = 1;
    session.state().permanenceNumbers.assign(24, 17.0);
    f.textanzahl.type("3");
    f.okstart.click();

    qt::setPrintTarget(path("import.pdf"));
    f.okdruck.click();  // "No" to the set-up question
    f.okdruck.click();
    EXPECT_EQ(f.text.caption(), header);
    for (const QString name : {"import.pdf", "import-2.pdf"}) {
        const auto text = poppler("pdftotext", {"-layout", path(name), "-"});
        ASSERT_TRUE(text) << name.toStdString();
        EXPECT_TRUE(text->contains("Spielbank Hamburg / Tisch 3 / 07.12.2026"))
            << text->toStdString();
        EXPECT_FALSE(text->contains("gespeichert"));
    }
}

// A message line too long for the page goes on at column 15 of the next line
// and never runs past the right margin.
TEST_F(QtPrinterTest, LongMessageLineWrapsAtColumnFifteen) {
    TestSession t;
    t.form.text.setCaption("Spielbank Hamburg\rTisch 1 Spätspiel\r16.03.2025");
    t.state.permanenceLoaded = 1;
    t.state.permanenceNumbers.assign(24, 17.0);
    t.form.textanzahl.type("1");
    t.press();
    t.press();                // the end line
    t.form.okersatz.click();  // "+" after the end: a second end line
    ASSERT_GT(output::messageLine(t.form.text.caption()).size(), 110u);
    const platform::PrintJob job = output::buildReport(t.game);

    qt::setPrintTarget(path("long.pdf"));
    qt::QtPrinter printer;
    ASSERT_TRUE(printer.printReport(job).printed);
    const auto html = poppler("pdftotext", {"-bbox", path("long.pdf"), "-"});
    ASSERT_TRUE(html);
    static const QRegularExpression pageRe(QStringLiteral(R"re(<page width="([0-9.]+)")re"));
    const double pageWidth = pageRe.match(*html).captured(1).toDouble();
    ASSERT_GT(pageWidth, 500);
    const double right = pageWidth - 6.35 / 25.4 * 72;
    static const QRegularExpression xMaxRe(QStringLiteral(R"re(xMax="([0-9.]+)")re"));
    for (auto it = xMaxRe.globalMatch(*html); it.hasNext();)
        EXPECT_LE(it.next().captured(1).toDouble(), right + 0.5);

    const auto ws = words(path("long.pdf"));
    const Word* house = find(ws, "Spielbank");
    const Word* anzahl = find(ws, "Anzahl");
    ASSERT_TRUE(house && anzahl);
    std::vector<const Word*> starts;  // the first word of each line of the message
    for (const Word& w : ws) {
        if (w.y < house->y - 0.5 || w.y > anzahl->y - 0.5) continue;
        if (starts.empty() || w.y > starts.back()->y + 0.5) starts.push_back(&w);
    }
    ASSERT_GE(starts.size(), 2u) << "the line did not wrap";
    for (const Word* w : starts)
        EXPECT_NEAR(w->x, house->x, 0.5) << w->text.toStdString();
    // Nothing of the message is lost at the breaks.
    int ends = 0;
    for (const Word& w : ws)
        ends += w.text == "ENDE" ? 1 : 0;
    EXPECT_EQ(ends, 2);
}

TEST_F(QtPrinterTest, ScreenCopyPrintsThePictureOfTheWindow) {
    QLabel window("Tamvek");
    window.resize(640, 480);
    qt::setPrintTarget(path("copy.pdf"));
    qt::QtPrinter printer;
    const platform::PrintOutcome outcome = printer.printWindow(&window);
    EXPECT_TRUE(outcome.printed);
    const auto list = poppler("pdfimages", {"-list", path("copy.pdf")});
    ASSERT_TRUE(list);
    // A heading of two lines, then one line per image.
    EXPECT_EQ(list->trimmed().split('\n').size(), 3) << list->toStdString();
}

TEST_F(QtPrinterTest, ScreenCopyFailsSilently) {
    qt::setPrintTarget(path("no/such/folder/copy.pdf"));
    qt::QtPrinter printer;
    QLabel window("Tamvek");
    const platform::PrintOutcome outcome = printer.printWindow(&window);
    EXPECT_FALSE(outcome.printed);
    EXPECT_TRUE(outcome.savedFile.empty());
}

// The window program with --print-to: a scripted "Druck" lands in the file,
// the next one beside it, and the message label is left alone.
TEST_F(QtPrinterTest, WindowProgramPrintsIntoTheGivenFile) {
    QFile script(path("print.txt"));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(
        "type textanzahl 10\nclick okstart\nclick okstart\n"
        "answer nein\nclick okdruck\nanswer nein\nclick okdruck\ndump text\n"
        "answer ja\nclick okende\n");
    script.close();
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(env);
    program.start(TAMVEK_BIN_DIR "/tamvek",
                  {"--seed", "1", "--script", path("print.txt"), "--print-to", path("window.pdf")});
    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    // The message label still holds the game's own text.
    EXPECT_TRUE(program.readAllStandardOutput().contains(
        R"("text":{"kind":"label","caption":" Der Computer erzeugt die Zahlen...")"));

    // Two printouts, two files: the given one, then its numbered variant.
    for (const QString name : {"window.pdf", "window-2.pdf"}) {
        const auto text = poppler("pdftotext", {"-layout", path(name), "-"});
        ASSERT_TRUE(text) << name.toStdString();
        const QString flat = text->simplified();
        EXPECT_TRUE(flat.contains("Der Computer erzeugt die Zahlen...")) << flat.toStdString();
        EXPECT_TRUE(flat.contains("Anzahl Würfe: 10")) << flat.toStdString();
        EXPECT_TRUE(flat.contains("Anzahl akut : 2")) << flat.toStdString();
    }
}

// Where a printout goes without a printer: the documents folder, else the
// home folder; a name taken already gets a number.
TEST_F(QtPrinterTest, PdfNameCarriesDateAndTimeAndNeverOverwrites) {
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    ASSERT_TRUE(QDir(dir.path()).mkpath("config"));
    ASSERT_TRUE(QDir(dir.path()).mkpath("docs"));
    auto documents = [&](const QString& folder) {
        QFile f(path("config/user-dirs.dirs"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("XDG_DOCUMENTS_DIR=\"%1\"\n").arg(folder).toUtf8());
    };
    qputenv("XDG_CONFIG_HOME", path("config").toUtf8());
    const QDateTime when(QDate(2026, 12, 7), QTime(8, 15, 42));

    documents(path("docs"));
    const QString first = qt::pdfPathFor("Ausdruck", when);
    EXPECT_EQ(first, path("docs/Tamvek-Ausdruck-2026-12-07-0815.pdf"));
    QFile(first).open(QIODevice::WriteOnly);
    EXPECT_EQ(qt::pdfPathFor("Ausdruck", when), path("docs/Tamvek-Ausdruck-2026-12-07-0815-2.pdf"));
    EXPECT_EQ(qt::pdfPathFor("Copy", when), path("docs/Tamvek-Copy-2026-12-07-0815.pdf"));

    documents(path("missing"));
    const QByteArray oldHome = qgetenv("HOME");
    ASSERT_TRUE(QDir(dir.path()).mkpath("home"));
    qputenv("HOME", path("home").toUtf8());
    EXPECT_EQ(qt::pdfPathFor("Ausdruck", when), path("home/Tamvek-Ausdruck-2026-12-07-0815.pdf"));
    qputenv("HOME", oldHome);

    // With no printer on the machine a report goes into the documents folder.
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        documents(path("docs"));
        qt::QtPrinter printer;
        const platform::PrintOutcome outcome = printer.printReport(
            platform::PrintJob{{platform::print::Text{"x"}, platform::print::EndDocument{}}});
        EXPECT_TRUE(outcome.printed);
        const QString saved = QString::fromStdString(outcome.savedFile);
        EXPECT_TRUE(saved.startsWith(path("docs/Tamvek-Ausdruck-"))) << outcome.savedFile;
        EXPECT_TRUE(QFile::exists(saved));
    }
    if (oldConfig.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", oldConfig);
}

}  // namespace
}  // namespace tamvek::test

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
