#pragma once
// A window of its own beside the main window: the Saldo after every spin of
// the run as a curve, real and fictitious stretches in their colours, the
// highest and the lowest Saldo marked, and on request each chance pair's own
// result. It only reads the ledger; refresh() is cheap when the ledger has not
// changed, so it may be called after every input. The chart can be saved as a
// PNG or SVG file.

#include <QSize>
#include <QString>
#include <QVariantMap>
#include <QWidget>
#include <cstdint>
#include <functional>
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

// The size a PNG picture of the Saldo curve is offered at.
inline const QSize pictureSize(1600, 900);

class SaldoCurveItem;

class SaldoCurveWindow : public QWidget {
    Q_OBJECT
  public:
    explicit SaldoCurveWindow(const engine::SpinLedger& ledger, QWidget* parent = nullptr);

    // Redraws when the ledger changed since the last call.
    void refresh();

    // A picture of the chart laid out at `size` (PNG), or at the size it is
    // shown (SVG); false when the file cannot be written.
    bool savePng(const QString& path, QSize size = pictureSize);
    bool saveSvg(const QString& path);
    QImage picture(QSize size);

    // What the window's own controls are set to, to carry into a new window.
    QVariantMap options() const;
    void setOptions(const QVariantMap& options);

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
                const std::function<bool(const QString&)>& save);

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
