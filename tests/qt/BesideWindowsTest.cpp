// The windows beside the game: the Saldo curve and the statistics, opened from
// the menu, following the game after every press, and made anew for a
// replayed session.

#include <QAction>
#include <QBarSet>
#include <QCheckBox>
#include <QGraphicsSimpleTextItem>
#include <QLineSeries>
#include <QScatterSeries>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtCharts>
#include <fstream>
#include <memory>
#include <sstream>

#include "ProgramFixture.h"
#include "qt/BesidePlace.h"
#include "qt/MenuBar.h"
#include "qt/SaldoCurveItem.h"
#include "qt/SaldoCurveWindow.h"
#include "qt/StatisticsWindow.h"
#include "qt/SystemTestWindow.h"

namespace tamvek::test {
namespace {

struct BesideFixture : ProgramFixture {
    BesideFixture() : ProgramFixture(11) {}

    // A seeded run: stakes on red, a fictitious stretch from spin 10 to 20.
    void playStakesAndFiction(int spins) {
        play("seed 5\npaste textanzahl " + std::to_string(spins) +
             "\nclick okstart\npaste srot 2\nkey srot\nclick oksetz1\n");
        for (int spin = 2; spin <= spins; ++spin) {
            std::string line;
            if (spin == 10 || spin == 20) line += "click okfiktiv\n";
            if (session.form().oksetz1.takesInput())
                line += "paste srot 2\nkey srot\nclick oksetz1\n";
            play(line + "click okstart\n");
        }
    }
};

// A series of the curve's chart by its name.
template <typename S>
S* seriesNamed(const qt::SaldoCurveWindow& w, const char* name) {
    for (QAbstractSeries* s : w.chart()->series())
        if (s->name() == QString::fromUtf8(name)) return qobject_cast<S*>(s);
    qFatal("no series %s", name);
}

}  // namespace

class BesideWindowsTest : public QObject {
    Q_OBJECT
  private slots:
    // Beside a main window in the screen's corner, a window beside still lies
    // wholly on the screen; it keeps its place and options when it is closed
    // and opened again and over a replayed game, and the menu brings it back
    // from the task bar.
    void windowsBesideStayOnTheScreenAndKeepTheirPlace() {
        BesideFixture f;
        const QRect area = qt::freeArea(f.window);
        f.window.move(area.bottomRight() -
                      QPoint(f.window.frameGeometry().width(), f.window.frameGeometry().height()));
        f.action("Auswertung/Saldo-Kurve")->trigger();
        f.action("Auswertung/Statistik der Permanenz")->trigger();
        f.action("Auswertung/Systemtest")->trigger();
        for (QWidget* w : std::initializer_list<QWidget*>{
                 f.window.saldoCurve(), f.window.statistics(), f.window.systemTest()})
            QVERIFY2(area.contains(w->frameGeometry()), qPrintable(w->objectName()));

        qt::SaldoCurveWindow* curve = f.window.saldoCurve();
        const QPointer<qt::SaldoCurveWindow> old = curve;
        curve->move(area.topLeft() + QPoint(10, 20));
        const QRect placed = curve->geometry();
        curve->findChild<QCheckBox*>("showPairs")->setChecked(true);
        curve->close();
        f.action("Auswertung/Saldo-Kurve")->trigger();
        QCOMPARE(f.window.saldoCurve()->geometry(), placed);
        curve->showMinimized();
        f.action("Auswertung/Saldo-Kurve")->trigger();
        QVERIFY(!(curve->windowState() & Qt::WindowMinimized));

        f.playStakesAndFiction(3);
        const QString saved = f.folder.filePath("sitzung.txt");
        f.play("menu \"Datei/Sitzung speichern\" \"" + saved.toStdString() + "\"\n" +
               "answer ja\nmenu \"Datei/Sitzung abspielen\" \"" + saved.toStdString() + "\"\n");
        // Made anew for the new game (a new one may well get the old one's address).
        QVERIFY(old.isNull());
        QVERIFY(f.window.saldoCurve() != nullptr);
        QCOMPARE(f.window.saldoCurve()->geometry(), placed);
        QVERIFY(f.window.saldoCurve()->findChild<QCheckBox*>("showPairs")->isChecked());
    }

    void theCurveFollowsTheGame() {
        BesideFixture f;
        f.action("Auswertung/Saldo-Kurve")->trigger();
        qt::SaldoCurveWindow* curve = f.window.saldoCurve();
        QVERIFY(curve != nullptr && curve->isVisible());
        QVERIFY(curve->curve().points().isEmpty());

        f.playStakesAndFiction(30);
        const auto& spins = f.session.game().ledger.spins();
        QCOMPARE(spins.size(), std::size_t{30});
        // Real, fictitious from spin 10 on, real again from 20: three stretches,
        // each starting at the spin after the last one's end (the line joins them).
        const auto& stretches = curve->curve().stretches();
        QCOMPARE(stretches.size(), std::size_t{3});
        QVERIFY(!stretches[0].fictitious && stretches[1].fictitious && !stretches[2].fictitious);
        QCOMPARE(curve->curve().colour(stretches[1].fictitious), QColor(0x00, 0xC0, 0xC0));
        QVERIFY(curve->curve().colour(false) != curve->curve().colour(true));
        QCOMPARE(stretches[0].last + 1, stretches[1].first);
        QCOMPARE(stretches[1].last + 1, stretches[2].first);
        QCOMPARE(curve->curve().points().size(), qsizetype{30});  // every spin

        // The extremes of the spins played, marked where first reached.
        double high = spins.front().saldo, low = spins.front().saldo;
        for (const engine::SpinRecord& r : spins) {
            high = std::max(high, r.saldo);
            low = std::min(low, r.saldo);
        }
        QCOMPARE(seriesNamed<QScatterSeries>(*curve, "Höchster Saldo")->at(0).y(), high);
        QCOMPARE(seriesNamed<QScatterSeries>(*curve, "Tiefster Saldo")->at(0).y(), low);
        bool lowLabelled = false;
        for (QGraphicsItem* item : curve->chart()->childItems())
            if (auto* text = dynamic_cast<QGraphicsSimpleTextItem*>(item))
                lowLabelled |= text->isVisible() && text->text().startsWith("Tiefster Saldo: ");
        QVERIFY(lowLabelled);

        // The pairs' own results, on request.
        curve->findChild<QCheckBox*>("showPairs")->setChecked(true);
        auto* redBlack = seriesNamed<QLineSeries>(*curve, "Rot/Schwarz");
        QCOMPARE(redBlack->count(), 30);  // one point a spin
        QCOMPARE(redBlack->at(29).y(), spins.back().pairResult[0]);

        const QString png = f.folder.filePath("kurve.png");
        const QString svg = f.folder.filePath("kurve.svg");
        QVERIFY(curve->savePng(png));
        QVERIFY(curve->saveSvg(svg));
        QVERIFY(QFileInfo(png).size() > 1000);
        QVERIFY(QFileInfo(svg).size() > 1000);
        QVERIFY(!curve->savePng(f.folder.filePath("kein/ordner/kurve.png")));
        QVERIFY(!curve->saveSvg(f.folder.filePath("kein/ordner/kurve.svg")));
        if (const QByteArray shots = qgetenv("TAMVEK_SHOTS"); !shots.isEmpty()) {
            curve->findChild<QCheckBox*>("showPairs")->setChecked(false);
            curve->savePng(QString::fromUtf8(shots) + "/saldo-kurve-30.png");
        }
    }

    void theStatisticsCountWhatWasPlayedOrTheWholePermanence() {
        BesideFixture f;
        const std::string samples = std::string(TAMVEK_TEST_DATA) + "/../../samples";
        f.play("click okextern\nfolder \"" + samples +
               "\"\nselect hamburg-tisch3-118.txt\nclick okexternok\n");
        QVERIFY(f.session.state().permanenceLoaded != 0);
        f.action("Auswertung/Statistik der Permanenz")->trigger();
        qt::StatisticsWindow* statistics = f.window.statistics();
        QVERIFY(statistics != nullptr);
        QCOMPARE(statistics->figures().spins, std::uint64_t{0});

        f.play("click okstart\nclick okstart\nclick okstart\n");
        QCOMPARE(statistics->figures().spins, std::uint64_t(f.session.state().currentSpin));
        std::uint64_t sum = statistics->figures().zero;
        for (int k : {0, 1})
            sum += statistics->figures().counts[static_cast<std::size_t>(k)];
        QVERIFY(sum <= 3);

        statistics->setWholePermanence(true);
        QCOMPARE(statistics->figures().spins,
                 static_cast<std::uint64_t>(f.session.state().importedCount));
        QCOMPARE(statistics->table()->item(0, 0)->text().toULongLong(),
                 statistics->figures().counts[0]);
        double observed = 0;
        for (int i = 0; i < statistics->observed()->count(); ++i)
            observed += statistics->observed()->at(i);
        double series = 0;
        for (const auto& pair : statistics->figures().series)
            for (const std::uint64_t n : pair)
                series += static_cast<double>(n);
        QCOMPARE(observed, series);
        // Another permanence of as many numbers is counted anew.
        std::ifstream in(samples + "/hamburg-tisch3-118.txt", std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const auto first = text.find("\r\n23\r\n");
        QVERIFY(first != std::string::npos);
        text.replace(first, 6, "\r\n0\r\n");
        std::ofstream(f.folder.filePath("andere.txt").toStdString(), std::ios::binary) << text;
        const std::uint64_t zeros = statistics->figures().zero;
        f.play("answer ja\nclick okabbrechen\nclick okextern\nfolder \"" +
               f.folder.path().toStdString() + "\"\nselect andere.txt\nclick okexternok\n");
        statistics->setWholePermanence(true);
        QCOMPARE(statistics->figures().spins, std::uint64_t{118});
        QCOMPARE(statistics->figures().zero, zeros + 1);
        if (const QByteArray shots = qgetenv("TAMVEK_SHOTS"); !shots.isEmpty())
            statistics->grab().save(QString::fromUtf8(shots) + "/statistik.png");
    }

    void aReplayedSessionGetsWindowsOfItsOwn() {
        BesideFixture f;
        f.playStakesAndFiction(8);
        const QString saved = f.folder.filePath("sitzung.txt");
        f.play("menu \"Datei/Sitzung speichern\" \"" + saved.toStdString() + "\"\n");
        f.action("Auswertung/Saldo-Kurve")->trigger();
        f.action("Auswertung/Statistik der Permanenz")->trigger();
        f.action("Auswertung/Systemtest")->trigger();
        const QPointer<qt::SystemTestWindow> systemTest = f.window.systemTest();
        QVERIFY(systemTest != nullptr && systemTest->isVisible());
        f.play("answer ja\nmenu \"Datei/Sitzung abspielen\" \"" + saved.toStdString() + "\"\n");
        qt::SaldoCurveWindow* curve = f.window.saldoCurve();
        QVERIFY(curve != nullptr && curve->isVisible());
        QVERIFY(f.window.statistics() != nullptr);
        QCOMPARE(curve->curve().points().size(), qsizetype{8});
        QCOMPARE(f.window.statistics()->figures().spins, std::uint64_t{8});
        // The system test does not hang on the game: it stays as it was.
        QCOMPARE(f.window.systemTest(), systemTest.data());
    }
};

}  // namespace tamvek::test

QTEST_MAIN(tamvek::test::BesideWindowsTest)
#include "BesideWindowsTest.moc"
