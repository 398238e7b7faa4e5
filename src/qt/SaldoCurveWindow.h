#pragma once
// A window of its own beside the main window: the Saldo after every spin of
// the run as a curve, real and fictitious stretches in their colours, the
// highest and the lowest Saldo marked, and on request each chance pair's own
// result. It only reads the ledger; refresh() is cheap when the ledger has not
// changed, so it may be called after every input. The chart can be saved as a
// PNG or SVG file.

#include <QString>
#include <QWidget>
#include <cstdint>
#include <optional>

#include "engine/SpinLedger.h"
#include "wheel/Wheel.h"

class QChart;
class QChartView;
class QCheckBox;
class QGraphicsSimpleTextItem;
class QLayout;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace tamvek::qt {

class SaldoCurveItem;

class SaldoCurveWindow : public QWidget {
    Q_OBJECT
  public:
    explicit SaldoCurveWindow(const engine::SpinLedger& ledger, QWidget* parent = nullptr);

    // Redraws when the ledger changed since the last call.
    void refresh();

    // The chart as it is shown, at the size it is shown; false when the file
    // cannot be written.
    bool savePng(const QString& path);
    bool saveSvg(const QString& path);

    QChart* chart() const { return m_chart; }
    const SaldoCurveItem& curve() const { return *m_curve; }

  private:
    void addSeries();
    void addTexts();
    QLayout* buildButtons();
    void redraw();
    void fillPairs();
    void setRanges();
    void placeTexts();
    void marker(QScatterSeries* series, QGraphicsSimpleTextItem* label, const QString& caption,
                std::optional<QPointF> at);
    void saveAs(const QString& kind, const QString& filter,
                bool (SaldoCurveWindow::*save)(const QString&));

    const engine::SpinLedger& m_ledger;
    std::optional<std::uint64_t> m_shownVersion;
    bool m_pairsFilled = false;

    QChart* m_chart;
    QChartView* m_view;
    QValueAxis* m_spinAxis;
    QValueAxis* m_saldoAxis;
    QLineSeries* m_realKey;        // no points: the legend's entry and the curve's axes
    QLineSeries* m_fictitiousKey;  // no points: the legend's entry
    SaldoCurveItem* m_curve;
    QScatterSeries* m_highest;
    QScatterSeries* m_lowest;
    QGraphicsSimpleTextItem* m_highestLabel;
    QGraphicsSimpleTextItem* m_lowestLabel;
    QLineSeries* m_pairs[wheel::pairs];
    QGraphicsSimpleTextItem* m_hint;
    QCheckBox* m_showPairs;
};

}  // namespace tamvek::qt
