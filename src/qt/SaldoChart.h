#pragma once
// The Saldo curve of one file (or of all files one after another): the Saldo
// after every spin over the spin number, as SaldoCurve keeps it. Figures on the
// axes are German.

#include <QChartView>
#include <vector>

#include "tester/SaldoCurve.h"

class QLineSeries;
class QValueAxis;

namespace tamvek::qt {

class SaldoChart : public QChartView {
    Q_OBJECT
  public:
    explicit SaldoChart(QWidget* parent = nullptr);

    void showCurve(const QString& title, const std::vector<tester::SaldoCurve::Point>& points);
    // No curve, only a title saying why.
    void clear(const QString& title);

    QLineSeries* series() const { return m_series; }

  private:
    QLineSeries* m_series;
    QValueAxis* m_spins;
    QValueAxis* m_saldo;
};

}  // namespace tamvek::qt
