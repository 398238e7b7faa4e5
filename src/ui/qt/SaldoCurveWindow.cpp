#include "ui/qt/SaldoCurveWindow.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <QtCharts>
#include <algorithm>

#include "core/Numbers.h"
#include "ui/qt/QtPrinter.h"
#include "ui/qt/QtText.h"

namespace tamvek::qt {
namespace {

const QColor realColour(0x00, 0x00, 0x80);
const QColor fictitiousColour(0x00, 0xC0, 0xC0);  // as the spin log marks such spins
const QColor pairColours[3] = {QColor(0xC0, 0x00, 0x00), QColor(0x80, 0x60, 0x00),
                               QColor(0x00, 0x80, 0x00)};
const char* const pairNames[3] = {"Rot/Schwarz", "Manque/Passe", "Gerade/Ungerade"};

QString figure(double value) {
    QString text = qstr(numberText(value));
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    if (value < 0) text.replace(0, 1, QChar(0x2212));  // a real minus sign
    return text;
}

QScatterSeries* marker(const QColor& colour) {
    auto* s = new QScatterSeries;
    s->setMarkerSize(9);
    s->setColor(colour);
    s->setBorderColor(colour);
    s->setPointLabelsVisible(true);
    s->setPointLabelsClipping(false);
    s->setPointLabelsColor(colour);
    return s;
}

}  // namespace

SaldoCurveWindow::SaldoCurveWindow(const engine::SpinLedger& ledger, QWidget* parent)
    : QWidget(parent, Qt::Window), m_ledger(ledger) {
    setObjectName(QStringLiteral("saldoCurve"));
    setWindowTitle(QStringLiteral("Tamvek – Saldo-Kurve"));
    m_chart = new QChart;
    m_chart->legend()->setAlignment(Qt::AlignBottom);
    m_chart->setMargins(QMargins(6, 6, 6, 6));
    m_spins = new QValueAxis;
    m_spins->setTitleText(QStringLiteral("Wurf"));
    m_spins->setLabelFormat(QStringLiteral("%d"));
    m_saldo = new QValueAxis;
    m_saldo->setTitleText(QStringLiteral("Saldo (Stücke)"));
    m_saldo->setLabelFormat(QStringLiteral("%d"));
    m_chart->addAxis(m_spins, Qt::AlignBottom);
    m_chart->addAxis(m_saldo, Qt::AlignLeft);

    m_highest = marker(QColor(0x00, 0x80, 0x00));
    m_lowest = marker(QColor(0xC0, 0x00, 0x00));
    for (QScatterSeries* s : {m_highest, m_lowest}) {
        m_chart->addSeries(s);
        s->attachAxis(m_spins);
        s->attachAxis(m_saldo);
    }
    for (int p = 0; p < 3; ++p) {
        auto* s = new QLineSeries;
        s->setName(QString::fromUtf8(pairNames[p]));
        s->setPen(QPen(pairColours[p], 1.2, Qt::DashLine));
        s->setVisible(false);
        m_chart->addSeries(s);
        s->attachAxis(m_spins);
        s->attachAxis(m_saldo);
        m_pairs.push_back(s);
    }

    m_view = new QChartView(m_chart, this);
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setMinimumSize(560, 340);
    m_hint = new QLabel(
        QStringLiteral("Noch kein Wurf gespielt: die Kurve beginnt mit dem ersten Wurf."), this);
    m_pairToggle = new QCheckBox(QStringLiteral("Ergebnis je Chancenpaar"), this);
    auto* png = new QPushButton(QStringLiteral("Als PNG speichern …"), this);
    auto* svg = new QPushButton(QStringLiteral("Als SVG speichern …"), this);
    connect(m_pairToggle, &QCheckBox::toggled, this, [this] {
        m_drawn = ~std::uint64_t{0};
        refresh();
    });
    connect(png, &QPushButton::clicked, this, [this] { saveAs(false); });
    connect(svg, &QPushButton::clicked, this, [this] { saveAs(true); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_pairToggle);
    buttons->addStretch(1);
    buttons->addWidget(png);
    buttons->addWidget(svg);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_hint);
    layout->addLayout(buttons);
    resize(760, 480);
    refresh();
}

QLineSeries* SaldoCurveWindow::stretchSeries(std::size_t index, bool fictitious) {
    while (m_stretches.size() <= index) {
        auto* s = new QLineSeries;
        m_chart->addSeries(s);
        s->attachAxis(m_spins);
        s->attachAxis(m_saldo);
        m_stretches.push_back(s);
    }
    QLineSeries* s = m_stretches[index];
    s->setPen(QPen(fictitious ? fictitiousColour : realColour, 2));
    s->setName(fictitious ? QStringLiteral("Saldo, fiktiv") : QStringLiteral("Saldo"));
    return s;
}

void SaldoCurveWindow::refresh() {
    if (m_ledger.version() == m_drawn) return;
    m_drawn = m_ledger.version();
    redraw();
}

void SaldoCurveWindow::redraw() {
    const auto& spins = m_ledger.spins();
    m_hint->setVisible(spins.empty());
    // One series per stretch of real or of fictitious spins; a stretch starts
    // where the one before ended, so the curve has no gaps.
    std::size_t used = 0;
    QList<QPointF> points;
    QPointF last(0, 0);
    bool fictitious = spins.empty() ? false : spins.front().fictitious;
    double low = 0, high = 0;
    QPointF lowAt(0, 0), highAt(0, 0);
    points.append(last);
    const auto flush = [&](bool fict) {
        stretchSeries(used++, fict)->replace(points);
        points.clear();
        points.append(last);
    };
    for (const engine::SpinRecord& r : spins) {
        if (r.fictitious != fictitious) {
            flush(fictitious);
            fictitious = r.fictitious;
        }
        last = QPointF(r.spin, r.saldo);
        points.append(last);
        if (r.saldo > high) highAt = last, high = r.saldo;
        if (r.saldo < low) lowAt = last, low = r.saldo;
    }
    if (!spins.empty()) flush(fictitious);
    for (std::size_t i = used; i < m_stretches.size(); ++i)
        m_stretches[i]->clear();
    // The legend names each colour once.
    bool realNamed = false, fictNamed = false;
    for (std::size_t i = 0; i < m_stretches.size(); ++i) {
        const bool fict = m_stretches[i]->name() == QStringLiteral("Saldo, fiktiv");
        bool& named = fict ? fictNamed : realNamed;
        const bool show = i < used && !named;
        named = named || i < used;
        if (auto* marker = m_chart->legend()->markers(m_stretches[i]).value(0))
            marker->setVisible(show);
    }

    m_highest->clear();
    m_lowest->clear();
    m_highest->setName(QStringLiteral("Höchster Saldo"));
    m_lowest->setName(QStringLiteral("Tiefster Saldo"));
    if (!spins.empty()) {
        m_highest->append(highAt);
        m_highest->setPointLabelsFormat(QStringLiteral("Höchster Saldo: ") + figure(high));
        m_lowest->append(lowAt);
        m_lowest->setPointLabelsFormat(QStringLiteral("Tiefster Saldo: ") + figure(low));
    }

    const bool pairs = m_pairToggle->isChecked();
    double pairLow = 0, pairHigh = 0;
    for (int p = 0; p < 3; ++p) {
        QList<QPointF> line;
        if (pairs) {
            line.reserve(static_cast<qsizetype>(spins.size()) + 1);
            line.append(QPointF(0, 0));
            for (const engine::SpinRecord& r : spins) {
                const double v = r.pairResult[static_cast<std::size_t>(p)];
                line.append(QPointF(r.spin, v));
                pairLow = std::min(pairLow, v);
                pairHigh = std::max(pairHigh, v);
            }
        }
        m_pairs[static_cast<std::size_t>(p)]->replace(line);
        m_pairs[static_cast<std::size_t>(p)]->setVisible(pairs);
    }

    const double lastSpin = spins.empty() ? 10 : std::max<double>(10, spins.back().spin);
    m_spins->setRange(0, lastSpin);
    const double top = std::max(high, pairHigh), bottom = std::min(low, pairLow);
    const double pad = std::max(1.0, (top - bottom) * 0.08);
    m_saldo->setRange(bottom - pad, top + pad);
    m_spins->applyNiceNumbers();
    m_saldo->applyNiceNumbers();
}

bool SaldoCurveWindow::savePng(const QString& path) {
    refresh();
    return m_view->grab().save(path, "PNG");
}

bool SaldoCurveWindow::saveSvg(const QString& path) {
    refresh();
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(m_view->size());
    svg.setViewBox(QRect(QPoint(0, 0), m_view->size()));
    svg.setTitle(windowTitle());
    QPainter painter;
    if (!painter.begin(&svg)) return false;
    m_view->render(&painter);
    return painter.end();
}

void SaldoCurveWindow::saveAs(bool svg) {
    const QString filter =
        svg ? QStringLiteral("SVG-Bilder (*.svg)") : QStringLiteral("PNG-Bilder (*.png)");
    const QString start =
        QDir(printFolder())
            .filePath(svg ? QStringLiteral("Saldo-Kurve.svg") : QStringLiteral("Saldo-Kurve.png"));
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Saldo-Kurve speichern"), start, filter);
    if (path.isEmpty()) return;
    if (!(svg ? saveSvg(path) : savePng(path)))
        QMessageBox::warning(
            this, QStringLiteral("Tamvek"),
            QStringLiteral("Die Saldo-Kurve kann nicht gespeichert werden: ") + path);
}

}  // namespace tamvek::qt
