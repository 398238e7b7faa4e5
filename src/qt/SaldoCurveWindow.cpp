#include "qt/SaldoCurveWindow.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGraphicsSimpleTextItem>
#include <QHBoxLayout>
#include <QImage>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QSaveFile>
#include <QScatterSeries>
#include <QSpinBox>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "core/Figures.h"
#include "qt/ChartStyle.h"
#include "qt/FileDialogs.h"
#include "qt/QtPrinter.h"
#include "qt/QtText.h"
#include "qt/SaldoCurveItem.h"
#include "wheel/Names.h"

namespace tamvek::qt {
namespace {

const QColor realColour(0x30, 0x30, 0x30);
const QColor fictitiousColour(0x00, 0xC0, 0xC0);  // as the fictitious rows of both tables
const QColor highestColour(0xC0, 0x00, 0x00);     // the "G" of the profit/loss table
const QColor lowestColour(0x00, 0x00, 0xC0);      // its "V"

const QColor pairColours[3] = {QColor(0xE0, 0x60, 0x60), QColor(0x50, 0x80, 0xE0),
                               QColor(0x40, 0xA0, 0x40)};

const char* const emptyHint = "Noch kein Wurf gespielt. Die Kurve zeigt den Saldo nach jedem Wurf.";

QScatterSeries* makeMarker(const QColor& colour) {
    auto* s = new QScatterSeries;
    s->setColor(colour);
    s->setBorderColor(colour);
    s->setMarkerSize(9);
    return s;
}

// The size of a PNG picture of the curve, asked before it is saved; none
// when the player cancels.
std::optional<QSize> askPictureSize(QWidget* parent) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Größe des Bildes"));
    auto* width = new QSpinBox(&dialog);
    auto* height = new QSpinBox(&dialog);
    for (QSpinBox* box : {width, height}) {
        box->setRange(320, 8000);
        box->setSuffix(QStringLiteral(" Pixel"));
    }
    width->setValue(pictureSize.width());
    height->setValue(pictureSize.height());
    auto* form = new QFormLayout(&dialog);
    form->addRow(QStringLiteral("Breite:"), width);
    form->addRow(QStringLiteral("Höhe:"), height);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return QSize(width->value(), height->value());
}

}  // namespace

SaldoCurveWindow::SaldoCurveWindow(const engine::SpinLedger& ledger, QWidget* parent)
    : QWidget(parent, Qt::Window), m_ledger(ledger) {
    setWindowTitle(QStringLiteral("Tamvek – Saldo-Kurve"));
    setObjectName(QStringLiteral("saldoCurve"));

    m_chart = new QChart;
    m_chart->setTitle(QStringLiteral("Saldo nach jedem Wurf"));
    m_chart->legend()->setAlignment(Qt::AlignBottom);
    m_spinAxis = wholeAxis(*m_chart, QStringLiteral("Wurf"), Qt::AlignBottom);
    m_saldoAxis = wholeAxis(*m_chart, QStringLiteral("Saldo (Stücke)"), Qt::AlignLeft);
    addSeries();
    addTexts();
    connect(m_chart, &QChart::plotAreaChanged, this, [this] {
        m_curve->plotAreaChanged();
        placeTexts();
    });

    m_view = new QChartView(m_chart);
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setObjectName(QStringLiteral("saldoChart"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addLayout(buildButtons());
    // Smaller, the axes would have no room for their figures.
    setMinimumSize(560, 380);
    resize(760, 500);
    refresh();
}

void SaldoCurveWindow::addSeries() {
    auto attach = [this](QAbstractSeries* s) {
        m_chart->addSeries(s);
        s->attachAxis(m_spinAxis);
        s->attachAxis(m_saldoAxis);
    };
    m_realKey = new QLineSeries;
    m_realKey->setName(QStringLiteral("Saldo"));
    m_realKey->setPen(QPen(realColour, 2));
    attach(m_realKey);
    m_fictitiousKey = new QLineSeries;
    m_fictitiousKey->setName(QStringLiteral("Fiktivspiel"));
    m_fictitiousKey->setPen(QPen(fictitiousColour, 2));
    attach(m_fictitiousKey);
    for (int p = 0; p < wheel::pairs; ++p) {
        m_pairs[p] = new QLineSeries;
        m_pairs[p]->setName(qstr(wheel::pairNames[static_cast<std::size_t>(p)]));
        m_pairs[p]->setPen(QPen(pairColours[p], 1.5));
        attach(m_pairs[p]);
        m_pairs[p]->setVisible(false);
    }
    m_highest = makeMarker(highestColour);
    m_highest->setName(QStringLiteral("Höchster Saldo"));
    attach(m_highest);
    m_lowest = makeMarker(lowestColour);
    m_lowest->setName(QStringLiteral("Tiefster Saldo"));
    attach(m_lowest);
    // The marks carry their own captions, which the chart's point labels
    // would centre over the point and cut off at the edge.
    for (QScatterSeries* s : {m_highest, m_lowest})
        m_chart->legend()->markers(s).value(0)->setVisible(false);
}

void SaldoCurveWindow::addTexts() {
    m_highestLabel = new QGraphicsSimpleTextItem(m_chart);
    m_highestLabel->setBrush(highestColour);
    m_highestLabel->setZValue(10);
    m_lowestLabel = new QGraphicsSimpleTextItem(m_chart);
    m_lowestLabel->setBrush(lowestColour);
    m_lowestLabel->setZValue(10);

    m_curve = new SaldoCurveItem(m_chart, m_realKey, realColour, fictitiousColour);
    // Over the pairs' lines and the grid, under the markers and their labels.
    m_curve->setZValue(4.5);
    m_hint = new QGraphicsSimpleTextItem(QString::fromUtf8(emptyHint), m_chart);
    m_hint->setBrush(QColor(0x40, 0x40, 0x40));
    m_hint->setZValue(10);
}

QLayout* SaldoCurveWindow::buildButtons() {
    m_showPairs = new QCheckBox(QStringLiteral("Ergebnis je Chancenpaar"));
    m_showPairs->setObjectName(QStringLiteral("showPairs"));
    m_showPairs->setToolTip(
        QStringLiteral(" Zeigt, was die Sätze jedes Chancenpaares gewonnen "
                       "und verloren haben "));
    connect(m_showPairs, &QCheckBox::toggled, this, [this](bool on) {
        for (QLineSeries* s : m_pairs)
            s->setVisible(on);
        fillPairs();
        setRanges();
    });
    auto* png = new QPushButton(QStringLiteral("Als PNG speichern …"));
    png->setObjectName(QStringLiteral("savePng"));
    connect(png, &QPushButton::clicked, this, [this] {
        saveAs(QStringLiteral("PNG"), QStringLiteral("PNG-Bilder (*.png)"),
               [this](const QString& path) {
                   const std::optional<QSize> size = askPictureSize(this);
                   return !size || savePng(path, *size);
               });
    });
    auto* svg = new QPushButton(QStringLiteral("Als SVG speichern …"));
    svg->setObjectName(QStringLiteral("saveSvg"));
    connect(svg, &QPushButton::clicked, this, [this] {
        saveAs(QStringLiteral("SVG"), QStringLiteral("SVG-Grafiken (*.svg)"),
               [this](const QString& path) { return saveSvg(path); });
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_showPairs);
    buttons->addStretch();
    buttons->addWidget(png);
    buttons->addWidget(svg);
    return buttons;
}

QVariantMap SaldoCurveWindow::options() const {
    return {{QStringLiteral("pairs"), m_showPairs->isChecked()}};
}

void SaldoCurveWindow::setOptions(const QVariantMap& options) {
    m_showPairs->setChecked(options.value(QStringLiteral("pairs"), false).toBool());
}

void SaldoCurveWindow::refresh() {
    if (m_shownVersion == m_ledger.version()) return;
    m_shownVersion = m_ledger.version();
    redraw();
}

void SaldoCurveWindow::redraw() {
    const std::vector<engine::SpinRecord>& spins = m_ledger.spins();
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(spins.size()));
    std::vector<bool> fictitious;
    fictitious.reserve(spins.size());
    std::optional<QPointF> highest, lowest;
    bool anyFictitious = false;
    for (const engine::SpinRecord& r : spins) {
        const QPointF p(r.spin, r.saldo);
        points.append(p);
        fictitious.push_back(r.fictitious);
        anyFictitious = anyFictitious || r.fictitious;
        // The first time a value is reached is the one marked.
        if (!highest || p.y() > highest->y()) highest = p;
        if (!lowest || p.y() < lowest->y()) lowest = p;
    }
    m_curve->setPoints(std::move(points), fictitious);
    if (highest && lowest && highest->y() == lowest->y()) lowest.reset();  // a flat curve
    marker(m_highest, m_highestLabel, QStringLiteral("Höchster Saldo: "), highest);
    marker(m_lowest, m_lowestLabel, QStringLiteral("Tiefster Saldo: "), lowest);
    m_chart->legend()->markers(m_fictitiousKey).value(0)->setVisible(anyFictitious);
    m_hint->setVisible(spins.empty());
    m_pairsFilled = false;
    fillPairs();
    setRanges();
}

void SaldoCurveWindow::marker(QScatterSeries* series, QGraphicsSimpleTextItem* label,
                              const QString& caption, std::optional<QPointF> at) {
    label->setVisible(at.has_value());
    if (!at) {
        series->clear();
        return;
    }
    series->replace(QList<QPointF>{*at});
    label->setText(caption + qstr(figures::rounded(at->y())) + QStringLiteral(" (Wurf ") +
                   qstr(figures::rounded(at->x())) + QLatin1Char(')'));
}

void SaldoCurveWindow::fillPairs() {
    const bool shown = m_showPairs->isChecked();
    for (QLineSeries* s : m_pairs)
        m_chart->legend()->markers(s).value(0)->setVisible(shown);
    // Three more lines of every spin are drawn only when asked for.
    if (!shown || m_pairsFilled) return;
    const std::vector<engine::SpinRecord>& spins = m_ledger.spins();
    for (std::size_t p = 0; p < 3; ++p) {
        QList<QPointF> points;
        points.reserve(static_cast<qsizetype>(spins.size()));
        for (const engine::SpinRecord& r : spins)
            points.append(QPointF(r.spin, r.pairResult[p]));
        m_pairs[p]->replace(points);
    }
    m_pairsFilled = true;
}

void SaldoCurveWindow::setRanges() {
    const std::vector<engine::SpinRecord>& spins = m_ledger.spins();
    double low = 0, high = 0;
    for (const engine::SpinRecord& r : spins) {
        low = std::min(low, r.saldo);
        high = std::max(high, r.saldo);
        if (m_showPairs->isChecked()) {
            for (double v : r.pairResult) {
                low = std::min(low, v);
                high = std::max(high, v);
            }
        }
    }
    // Room above and below for the marks' captions, and a scale even for a flat line.
    const double margin = std::max(2.0, (high - low) * 0.12);
    setWholeScale(*m_saldoAxis, low - margin, high + margin, 6);
    const double last = spins.empty() ? 0 : spins.back().spin;
    const double first = spins.empty() ? 0 : std::max(0.0, spins.front().spin - 1.0);
    setWholeScale(*m_spinAxis, first, std::max(first + 10, last), 8);
    placeTexts();
}

void SaldoCurveWindow::placeTexts() {
    const QRectF area = m_chart->plotArea();
    const QRectF hint = m_hint->boundingRect();
    m_hint->setPos(area.center() - QPointF(hint.width() / 2, hint.height() / 2));
    // Over the highest point and under the lowest, inside the plot area.
    const auto place = [&](QGraphicsSimpleTextItem* label, QScatterSeries* series, bool above) {
        if (series->count() == 0) return;
        const QPointF at = m_chart->mapToPosition(series->at(0), series);
        const QRectF text = label->boundingRect();
        const double x = std::clamp(at.x() - text.width() / 2, area.left() + 2,
                                    std::max(area.left() + 2, area.right() - text.width() - 2));
        double y = above ? at.y() - text.height() - 6 : at.y() + 6;
        y = std::clamp(y, area.top() + 2,
                       std::max(area.top() + 2, area.bottom() - text.height() - 2));
        label->setPos(x, y);
    };
    place(m_highestLabel, m_highest, true);
    place(m_lowestLabel, m_lowest, false);
}

QImage SaldoCurveWindow::picture(QSize size) {
    // The chart is laid out anew at the picture's size, drawn, and given back
    // to the window: its texts keep their size whatever the picture's.
    const QSizeF shown = m_chart->size();
    m_chart->resize(size);
    QCoreApplication::processEvents();  // the plot area follows the new size
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    m_chart->scene()->render(&painter, QRectF(QPointF(), size), QRectF(m_chart->pos(), size));
    painter.end();
    m_chart->resize(shown);
    return image;
}

bool SaldoCurveWindow::savePng(const QString& path, QSize size) {
    // Written beside the target and moved over it when complete, so a failed
    // save leaves no half file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (!picture(size).save(&file, "PNG")) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool SaldoCurveWindow::saveSvg(const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(m_view->size());
    svg.setViewBox(QRect(QPoint(0, 0), m_view->size()));
    svg.setTitle(windowTitle());
    QPainter painter;
    if (!painter.begin(&svg)) {
        file.cancelWriting();
        return false;
    }
    m_view->render(&painter);
    painter.end();
    return file.commit();
}

void SaldoCurveWindow::saveAs(const QString& kind, const QString& filter,
                              const std::function<bool(const QString&)>& save) {
    const QString path =
        saveFile(this, {FilesOf::Pictures, QStringLiteral("Saldo-Kurve als %1 speichern").arg(kind),
                        filter, printFolder(), QStringLiteral("saldo-kurve.") + kind.toLower()});
    if (path.isEmpty()) return;
    if (!save(path))
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("Kann die Datei %1 nicht schreiben.").arg(path));
}

}  // namespace tamvek::qt
