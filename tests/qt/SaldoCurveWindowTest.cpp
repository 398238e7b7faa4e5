// The Saldo curve window: what it draws of a ledger, and the files it saves.

#include <QChart>
#include <QCheckBox>
#include <QFile>
#include <QGraphicsSimpleTextItem>
#include <QImage>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QTemporaryDir>
#include <QValueAxis>
#include <QtTest>

#include "engine/RandomSource.h"
#include "platform/HeadlessPlatform.h"
#include "qt/SaldoCurveItem.h"
#include "qt/SaldoCurveWindow.h"
#include "session/Session.h"

using namespace tamvek;
using qt::SaldoCurveItem;
using qt::SaldoCurveWindow;

namespace {

struct Spin {
    double saldo;
    bool fictitious;
};

void fill(engine::SpinLedger& ledger, std::initializer_list<Spin> spins) {
    auto n = static_cast<std::uint32_t>(ledger.spins().size());
    for (const Spin& s : spins) {
        ledger.book(0, 1);
        ledger.book(2, -2);
        ledger.spinPlayed(++n, s.saldo, s.fictitious);
    }
}

QScatterSeries* marker(const SaldoCurveWindow& w, const char* name) {
    for (QAbstractSeries* s : w.chart()->series())
        if (s->name() == QString::fromUtf8(name)) return qobject_cast<QScatterSeries*>(s);
    qFatal("no series %s", name);
}

QList<QLineSeries*> pairSeries(const SaldoCurveWindow& w) {
    QList<QLineSeries*> out;
    for (const char* name : {"Rot/Schwarz", "Manque/Passe", "Gerade/Ungerade"})
        for (QAbstractSeries* s : w.chart()->series())
            if (s->name() == QString::fromUtf8(name)) out << qobject_cast<QLineSeries*>(s);
    return out;
}

// The legend's entries are visible only once the window is.
// The visible captions drawn on the chart that begin with `start`.
QStringList texts(const SaldoCurveWindow& w, const QString& start) {
    QStringList out;
    for (QGraphicsItem* item : w.chart()->childItems())
        if (auto* text = dynamic_cast<QGraphicsSimpleTextItem*>(item))
            if (text->isVisible() && text->text().startsWith(start)) out << text->text();
    return out;
}

bool legendShows(SaldoCurveWindow& w, QAbstractSeries* s) {
    w.show();
    return w.chart()->legend()->markers(s).value(0)->isVisible();
}

}  // namespace

class SaldoCurveWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void anEmptyLedgerShowsAHintAndNoMarks() {
        engine::SpinLedger ledger;
        SaldoCurveWindow w(ledger);
        QCOMPARE(w.windowTitle(), QString("Tamvek – Saldo-Kurve"));
        QVERIFY(w.curve().points().isEmpty());
        QVERIFY(marker(w, "Höchster Saldo")->points().isEmpty());
        QVERIFY(texts(w, "Tiefster Saldo").isEmpty());
        QCOMPARE(texts(w, "Noch kein Wurf").size(), 1);
    }

    void stretchesFollowTheKindOfPlay() {
        engine::SpinLedger ledger;
        fill(ledger, {{0, false}, {5, false}, {-3, true}, {12, true}, {12, false}, {7, false}});
        SaldoCurveWindow w(ledger);
        const SaldoCurveItem& curve = w.curve();
        QCOMPARE(curve.points().size(), 6);
        QCOMPARE(curve.points()[3], QPointF(4, 12));
        const auto& s = curve.stretches();
        QCOMPARE(s.size(), std::size_t{3});
        QVERIFY(!s[0].fictitious && s[0].first == 0 && s[0].last == 1);
        QVERIFY(s[1].fictitious && s[1].first == 2 && s[1].last == 3);
        QVERIFY(!s[2].fictitious && s[2].first == 4 && s[2].last == 5);
        QCOMPARE(curve.colour(true), QColor(0x00, 0xC0, 0xC0));
        QVERIFY(curve.colour(false).lightness() < 80);
        QVERIFY(legendShows(w, w.chart()->series().value(1)));  // "Fiktivspiel"
    }

    void highestAndLowestAreMarkedWhereFirstReached() {
        engine::SpinLedger ledger;
        fill(ledger, {{0, false}, {1234, false}, {-3, true}, {1234, false}, {-3, false}});
        SaldoCurveWindow w(ledger);
        QScatterSeries* high = marker(w, "Höchster Saldo");
        QScatterSeries* low = marker(w, "Tiefster Saldo");
        QCOMPARE(high->points(), QList<QPointF>{QPointF(2, 1234)});
        QCOMPARE(texts(w, "Höchster"), QStringList{"Höchster Saldo: 1.234 (Wurf 2)"});
        QCOMPARE(low->points(), QList<QPointF>{QPointF(3, -3)});
        QCOMPARE(texts(w, "Tiefster"), QStringList{"Tiefster Saldo: -3 (Wurf 3)"});
        QVERIFY(texts(w, "Noch kein Wurf").isEmpty());
        auto* saldo = qobject_cast<QValueAxis*>(w.chart()->axes(Qt::Vertical).value(0));
        QVERIFY(saldo->min() < -3 && saldo->max() > 1234);
    }

    void aFlatCurveHasOneMark() {
        engine::SpinLedger ledger;
        fill(ledger, {{0, false}, {0, false}});
        SaldoCurveWindow w(ledger);
        QCOMPARE(marker(w, "Höchster Saldo")->points().size(), 1);
        QVERIFY(marker(w, "Tiefster Saldo")->points().isEmpty());
        QVERIFY(texts(w, "Tiefster").isEmpty());
        QVERIFY(!legendShows(w, w.chart()->series().value(1)));  // nothing fictitious
    }

    void refreshRedrawsOnlyAChangedLedger() {
        engine::SpinLedger ledger;
        fill(ledger, {{0, false}, {2, false}});
        SaldoCurveWindow w(ledger);
        const QPointF* drawn = w.curve().points().constData();
        w.refresh();
        QCOMPARE(w.curve().points().constData(), drawn);
        fill(ledger, {{4, true}});
        w.refresh();
        QCOMPARE(w.curve().points().size(), 3);
        QCOMPARE(w.curve().stretches().size(), std::size_t{2});
        ledger.clear();
        w.refresh();
        QVERIFY(w.curve().points().isEmpty());
        QVERIFY(marker(w, "Höchster Saldo")->points().isEmpty());
    }

    void thePairsShowTheirOwnResults() {
        engine::SpinLedger ledger;
        fill(ledger, {{1, false}, {2, false}, {3, false}});
        SaldoCurveWindow w(ledger);
        const QList<QLineSeries*> pairs = pairSeries(w);
        QCOMPARE(pairs.size(), 3);
        for (QLineSeries* s : pairs)
            QVERIFY(!s->isVisible() && !legendShows(w, s));
        w.findChild<QCheckBox*>("showPairs")->setChecked(true);
        for (QLineSeries* s : pairs)
            QVERIFY(s->isVisible() && legendShows(w, s));
        QCOMPARE(pairs[0]->points().value(2), QPointF(3, 3));   // +1 a spin
        QCOMPARE(pairs[1]->points().value(2), QPointF(3, 0));   // never staked
        QCOMPARE(pairs[2]->points().value(2), QPointF(3, -6));  // -2 a spin
        auto* saldo = qobject_cast<QValueAxis*>(w.chart()->axes(Qt::Vertical).value(0));
        QVERIFY(saldo->min() < -6);
        fill(ledger, {{4, false}});
        w.refresh();
        QCOMPARE(pairs[2]->points().size(), 4);
    }

    void aPlayedRunGrowsTheCurve() {
        platform::HeadlessPlatform platform;
        engine::Mt19937Random random{3};
        session::Session session{platform, random};
        form::MainForm& f = session.form();
        SaldoCurveWindow w(session.game().ledger);
        f.textanzahl.type("30");
        f.okstart.click();
        f.srot.type("5");
        f.oksetz1.click();
        for (int i = 0; i < 9; ++i)
            f.okstart.click();
        w.refresh();
        QCOMPARE(w.curve().points().size(), 10);
        f.okfiktiv.click();
        for (int i = 0; i < 5; ++i)
            f.okstart.click();
        w.refresh();
        QCOMPARE(w.curve().points().size(), 15);
        QCOMPARE(w.curve().stretches().size(), std::size_t{2});
        QCOMPARE(w.curve().stretches().back().first, 10);
        QCOMPARE(w.curve().points().back().x(), 15.0);
    }

    void savesPngAndSvgAndFailsCleanly() {
        engine::SpinLedger ledger;
        fill(ledger, {{0, false}, {5, true}, {-2, false}});
        SaldoCurveWindow w(ledger);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTemporaryDir dir;
        const QString png = dir.filePath("kurve.png");
        const QString svg = dir.filePath("kurve.svg");
        QVERIFY(w.savePng(png));
        QVERIFY(w.saveSvg(svg));
        QImage image(png);
        QVERIFY(!image.isNull());
        QVERIFY(image.width() > 300 && image.height() > 200);
        QFile file(svg);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY(text.contains("<svg"));
        QVERIFY(text.contains("Tiefster Saldo: -2 (Wurf 3)"));
        QVERIFY(text.toLower().contains("#00c0c0"));

        const QString missing = dir.filePath("fehlt/kurve");
        QVERIFY(!w.savePng(missing + ".png"));
        QVERIFY(!w.saveSvg(missing + ".svg"));
        QVERIFY(!QFile::exists(missing + ".png") && !QFile::exists(missing + ".svg"));
    }
};

QTEST_MAIN(SaldoCurveWindowTest)
#include "SaldoCurveWindowTest.moc"
