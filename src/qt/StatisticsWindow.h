#pragma once
// "Statistik der Permanenz": the figures of a permanence beside the game, as
// `tamvek-cli stats` gives them: per chance its count, share, ecart, longest
// series and longest absence; the zeros and the chi-square of the numbers; and
// the series by length against the halving that chance expects, as a bar
// chart. For the numbers played so far in this run, or for the whole imported
// permanence. It recounts only when the run or the import changed.

#include <QVariantMap>
#include <QWidget>
#include <cstdint>
#include <optional>

#include "engine/Game.h"
#include "stats/FileStats.h"

class QBarSeries;
class QBarSet;
class QBarCategoryAxis;
class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QRadioButton;
class QTableWidget;
class QValueAxis;

namespace tamvek::qt {

class StatisticsWindow : public QWidget {
    Q_OBJECT
  public:
    explicit StatisticsWindow(const engine::Game& game, QWidget* parent = nullptr);

    void refresh();

    // What is counted: the spins played so far, or the whole imported permanence.
    void setWholePermanence(bool whole);
    // What the window's own controls are set to, to carry into a new window.
    QVariantMap options() const;
    void setOptions(const QVariantMap& options);
    const stats::FileStats& figures() const { return m_figures; }
    QTableWidget* table() const { return m_table; }
    QBarSet* observed() const { return m_observed; }
    QBarSet* expected() const { return m_expected; }

  private:
    void buildTable();
    QChartView* buildChart();
    void recount();
    void showFigures(const stats::FileStats& s);
    void drawSeries();

    const engine::Game& m_game;
    struct Key {
        bool whole = false;
        std::uint64_t ledger = 0;
        double imported = 0;
        std::size_t permanence = 0;  // a fingerprint of the imported numbers
        bool operator==(const Key&) const = default;
    };
    std::optional<Key> m_counted;
    stats::FileStats m_figures;
    QRadioButton* m_played;
    QRadioButton* m_whole;
    QLabel* m_summary;
    QTableWidget* m_table;
    QComboBox* m_pair;
    QChart* m_chart;
    QBarSet* m_observed;
    QBarSet* m_expected;
    QValueAxis* m_counts;
};

}  // namespace tamvek::qt
