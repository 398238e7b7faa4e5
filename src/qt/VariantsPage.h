#pragma once
// The page "Varianten" of the system test: a few values typed for each key of
// the system ("bet1.ride = 1, 2, 3", a line a key), the share of every file
// that is the Entwicklung, and after the sweep the variants ranked by their
// Entwicklung Saldo with their Gegenprobe beside, and the best one's verdict.
// The window runs the sweep (tester::SweepRunner) with its own system,
// permanences, baseline and seed, its progress and its cancel.

#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

#include "tester/SweepRunner.h"

class QLabel;
class QPlainTextEdit;
class QSpinBox;
class QTableWidget;

namespace tamvek::qt {

class VariantsPage : public QWidget {
    Q_OBJECT
  public:
    explicit VariantsPage(QWidget* parent = nullptr);

    // The keys and their values as typed; a German error names the line.
    std::optional<std::vector<tester::Vary>> vary(QString& error) const;
    double split() const;
    void setKeys(const QString& text);

    void clear();
    void show(const tester::SweepRunner::Finished& done);

    QTableWidget* table() const { return m_table; }
    QLabel* best() const { return m_best; }

  private:
    QPlainTextEdit* m_keys;
    QSpinBox* m_split;
    QTableWidget* m_table;
    QLabel* m_best;
};

}  // namespace tamvek::qt
