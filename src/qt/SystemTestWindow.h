#pragma once
// The system test in a window of its own: a system file played over chosen
// permanences (files or a folder) or over random spins, the figures of
// `tamvek-cli system` in a table with one row per file and the total, the
// Saldo curve of the file chosen in the table and, with "Baseline", the spread
// of the same system over random permanences of the file's length as a
// histogram with the file's own Saldo marked. The test runs on the thread of
// a tester::Runner, which a timer looks at; the window stays responsive, shows
// the progress and can cancel it. It only shows what the runner hands over: the
// table's cells come as tester::ReportTable writes them.
// A cancelled or failed run keeps nothing, and what went wrong (file, line,
// key) is shown as the readers say it. A system is a system file or a script
// in Lua; the "Bearbeiten" page (SystemEditor) shows its text to edit, and
// marks the line of a fault the run reports in it. "Start" saves the text
// first when it was changed.

#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "tester/Runner.h"
#include "tester/SweepRunner.h"

class QAreaSeries;
class QCheckBox;
class QChartView;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QLineSeries;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableWidget;
class QTabWidget;
class QTimer;
class QValueAxis;

namespace tamvek::qt {

class SaldoChart;
class SystemEditor;
class VariantsPage;

class SystemTestWindow : public QWidget {
    Q_OBJECT
  public:
    // Where the dialogs start before one was used: `systemsFolder` for the
    // system file, `samplesFolder` for the permanences.
    explicit SystemTestWindow(const QString& systemsFolder, const QString& samplesFolder = {},
                              QWidget* parent = nullptr);
    ~SystemTestWindow() override;

    // What the user picks, set as a program would.
    void setSystemFile(const QString& path);
    void setPermanences(const QStringList& names);    // files or folders
    void setRandomSpins(std::uint64_t spins);         // 0: the permanences
    void setBaseline(int runs);                       // 0: none
    void setSeed(std::optional<std::uint64_t> seed);  // none: a new one each run

    bool running() const;
    QString statusText() const;
    QTableWidget* table() const { return m_table; }
    SaldoChart* saldoChart() const { return m_saldo; }
    QAreaSeries* histogram() const { return m_histogram; }
    QLineSeries* fileMark() const { return m_mark; }
    // The figures of the last finished run; empty before.
    const tester::Outcome& outcome() const { return m_outcome; }
    SystemEditor* editor() const { return m_editor; }
    QTabWidget* pages() const { return m_pages; }
    VariantsPage* variants() const { return m_variants; }

  public slots:
    void start();
    void cancel();

  signals:
    // A run ended: done, cancelled or failed.
    void finished();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QGridLayout* buildInputs();
    QHBoxLayout* buildControls();
    void buildTable();
    void buildHistogram();
    QTabWidget* buildPages();
    void connectInputs();
    std::optional<tester::Job> jobOfInputs();
    std::optional<tester::SweepJob> sweepOfInputs();
    bool readPermanences(std::vector<std::string>& names);
    bool readSeed(std::optional<std::uint64_t>& seed);
    void startSweep();
    void showProgress(std::uint64_t done, std::uint64_t total);
    bool ended(const std::string& error, bool cancelled, const QString& nothingKept);
    void pollSweep();
    void finishSweep();
    void chooseSystem();
    void showSystemInEditor();
    bool saveBeforeStart();
    void markFault(const std::string& error);
    void chooseFiles();
    void chooseFolder();
    void poll();
    void finish();
    void showOutcome(const tester::ReportTable& table, bool random);
    void showFile(int row);
    void showBaseline(const tester::FileResult* file);
    void nameBaseline(const system::Baseline& b, Amount saldo, std::optional<Amount> capital);
    void showVerdict(int row);
    void fitHistogramTitle(int width);
    void fitColumns(int width);
    void widenForColumns();
    void setStatus(const QString& text, bool error = false);
    void forgetError();
    void updateInputs();

    QString m_systemsFolder;
    QString m_samplesFolder;
    QStringList m_permanences;

    QLineEdit* m_system;
    QLineEdit* m_permanenceNames;
    QRadioButton* m_fromFiles;
    QRadioButton* m_fromRandom;
    QSpinBox* m_randomCount;
    QCheckBox* m_baseline;
    QSpinBox* m_baselineRuns;
    QLineEdit* m_seed;
    QPushButton* m_pickSystem;
    QPushButton* m_pickFiles;
    QPushButton* m_pickFolder;
    QPushButton* m_start;
    QPushButton* m_cancel;
    QProgressBar* m_progress;
    QLabel* m_status;
    bool m_error = false;
    QTableWidget* m_table;
    SaldoChart* m_saldo;
    QChartView* m_histogramView;
    QAreaSeries* m_histogram;
    QLineSeries* m_histogramTop;
    QLineSeries* m_mark;
    QAreaSeries* m_lowest;  // each random run's lowest Saldo
    QLineSeries* m_lowestTop;
    QLineSeries* m_capital;  // the capital 95 % of them needed
    QLabel* m_verdict;
    int m_firstVerdictColumn = -1;  // the table's verdict columns are hidden from here on
    QValueAxis* m_histogramX;
    QValueAxis* m_histogramY;
    // The title's parts: the name between them is shortened to fit.
    std::array<QString, 3> m_histogramTitle;
    QTimer* m_poll;
    QTabWidget* m_pages;
    SystemEditor* m_editor;

    std::unique_ptr<tester::Runner> m_run;
    std::unique_ptr<tester::SweepRunner> m_sweep;
    VariantsPage* m_variants;
    tester::Outcome m_outcome;
};

}  // namespace tamvek::qt
