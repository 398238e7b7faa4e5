#pragma once
// "Saldo-Kurve": a window beside the game that draws the Saldo after every
// spin of the run (the balance label plus the stakes on the table) over the
// spin number. Stretches played fictitiously are drawn in the fictitious
// colour, the highest and the lowest Saldo are marked with their values, and
// on request each pair's own result runs beside it. It reads the game's spin
// ledger only, and redraws only when the ledger changed since it last drew.

#include <QWidget>
#include <cstdint>
#include <vector>

#include "engine/SpinLedger.h"

class QChart;
class QChartView;
class QCheckBox;
class QLabel;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace tamvek::qt {

class SaldoCurveWindow : public QWidget {
    Q_OBJECT
  public:
    explicit SaldoCurveWindow(const engine::SpinLedger& ledger, QWidget* parent = nullptr);

    // Draws the ledger anew if it changed: cheap when it did not.
    void refresh();
    // The chart as a picture; false when the file cannot be written.
    bool savePng(const QString& path);
    bool saveSvg(const QString& path);

    QChart* chart() const { return m_chart; }
    // The series of the Saldo, one per stretch of real or fictitious spins.
    const std::vector<QLineSeries*>& stretches() const { return m_stretches; }
    QScatterSeries* highest() const { return m_highest; }
    QScatterSeries* lowest() const { return m_lowest; }
    const std::vector<QLineSeries*>& pairSeries() const { return m_pairs; }
    QCheckBox* pairToggle() const { return m_pairToggle; }

  private:
    void redraw();
    void saveAs(bool svg);
    QLineSeries* stretchSeries(std::size_t index, bool fictitious);

    const engine::SpinLedger& m_ledger;
    std::uint64_t m_drawn = ~std::uint64_t{0};
    QChart* m_chart;
    QChartView* m_view;
    QValueAxis* m_spins;
    QValueAxis* m_saldo;
    std::vector<QLineSeries*> m_stretches;  // the first ones in use; the rest empty
    QScatterSeries* m_highest;
    QScatterSeries* m_lowest;
    std::vector<QLineSeries*> m_pairs;
    QCheckBox* m_pairToggle;
    QLabel* m_hint;
};

}  // namespace tamvek::qt
