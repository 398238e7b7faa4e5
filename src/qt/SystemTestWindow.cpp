#include "qt/SystemTestWindow.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QResizeEvent>
#include <QScrollBar>
#include <QShortcut>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <charconv>

#include "core/Figures.h"
#include "qt/BesidePlace.h"
#include "qt/ChartStyle.h"
#include "qt/CountBox.h"
#include "qt/FileDialogs.h"
#include "qt/QtText.h"
#include "qt/SaldoChart.h"
#include "qt/SystemEditor.h"
#include "qt/VariantsPage.h"

namespace tamvek::qt {
namespace {

const char* const title = "Tamvek – Systemtest";
constexpr int histogramBins = 40;

// The bins of a histogram: the first begins at `low`, each `width` wide.
struct Bins {
    double low;
    double width;

    // The outline of the histogram of `values`; `most` grows to its highest bin.
    QList<QPointF> outline(const std::vector<Amount>& values, int& most) const {
        std::vector<int> counts(histogramBins, 0);
        for (Amount v : values) {
            const auto bin = static_cast<int>((static_cast<double>(v) - low) / width);
            ++counts[static_cast<std::size_t>(std::clamp(bin, 0, histogramBins - 1))];
        }
        QList<QPointF> top;
        top.reserve(2 * histogramBins + 2);
        top.append(QPointF(low, 0));
        for (int i = 0; i < histogramBins; ++i) {
            const int count = counts[static_cast<std::size_t>(i)];
            top.append(QPointF(low + i * width, count));
            top.append(QPointF(low + (i + 1) * width, count));
            most = std::max(most, count);
        }
        top.append(QPointF(low + histogramBins * width, 0));
        return top;
    }
};

QString prompt() {
    return QStringLiteral("Eine Systemdatei und Permanenzen wählen, dann „Start“.");
}

QString fromPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string toPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString seconds(double s) {
    return qstr(figures::decimal(s, s < 10 ? 2 : 1)) + QStringLiteral(" s");
}

QStringList headingTexts(const std::vector<tester::ReportTable::Heading>& headings) {
    QStringList texts;
    for (const tester::ReportTable::Heading& h : headings)
        texts << qstr(h.text);
    return texts;
}

}  // namespace

SystemTestWindow::SystemTestWindow(const QString& systemsFolder, const QString& samplesFolder,
                                   QWidget* parent)
    : QWidget(parent, Qt::Window), m_systemsFolder(systemsFolder), m_samplesFolder(samplesFolder) {
    setWindowTitle(QString::fromUtf8(title));
    QGridLayout* inputs = buildInputs();
    QHBoxLayout* controls = buildControls();
    buildTable();
    m_saldo = new SaldoChart;
    m_saldo->clear(QStringLiteral("Saldo"));
    buildHistogram();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(inputs);
    layout->addLayout(controls);
    layout->addWidget(m_status);
    layout->addWidget(buildPages(), 1);

    m_poll = new QTimer(this);
    m_poll->setInterval(50);
    connect(m_poll, &QTimer::timeout, this, &SystemTestWindow::poll);
    connectInputs();
    setStatus(prompt());
    updateInputs();
    resize(1180, 780);
}

QGridLayout* SystemTestWindow::buildInputs() {
    auto* inputs = new QGridLayout;
    auto* systemLabel = new QLabel(QStringLiteral("&Systemdatei:"));
    m_system = new QLineEdit;
    m_system->setObjectName(QStringLiteral("systemFile"));
    m_system->setPlaceholderText(QStringLiteral("ein System des Systemtesters (TOML oder Lua)"));
    systemLabel->setBuddy(m_system);
    m_pickSystem = new QPushButton(QStringLiteral("&Wählen …"));
    m_pickSystem->setObjectName(QStringLiteral("pickSystem"));
    inputs->addWidget(systemLabel, 0, 0);
    inputs->addWidget(m_system, 0, 1, 1, 3);
    inputs->addWidget(m_pickSystem, 0, 4);

    m_fromFiles = new QRadioButton(QStringLiteral("&Permanenzen:"));
    m_fromFiles->setChecked(true);
    m_permanenceNames = new QLineEdit;
    m_permanenceNames->setObjectName(QStringLiteral("permanences"));
    m_permanenceNames->setReadOnly(true);
    m_permanenceNames->setPlaceholderText(QStringLiteral("Dateien oder ein Ordner"));
    m_pickFiles = new QPushButton(QStringLiteral("&Dateien …"));
    m_pickFolder = new QPushButton(QStringLiteral("&Ordner …"));
    m_pickFiles->setObjectName(QStringLiteral("pickFiles"));
    m_pickFolder->setObjectName(QStringLiteral("pickFolder"));
    inputs->addWidget(m_fromFiles, 1, 0);
    inputs->addWidget(m_permanenceNames, 1, 1, 1, 2);
    inputs->addWidget(m_pickFiles, 1, 3);
    inputs->addWidget(m_pickFolder, 1, 4);

    m_fromRandom = new QRadioButton(QStringLiteral("&Zufallszahlen:"));
    m_randomCount =
        new CountBox(1'000'000'000, 1'000'000, QStringLiteral(" Wurf"), QStringLiteral(" Würfe"));
    m_randomCount->setObjectName(QStringLiteral("randomSpins"));
    inputs->addWidget(m_fromRandom, 2, 0);
    inputs->addWidget(m_randomCount, 2, 1);

    m_baseline = new QCheckBox(QStringLiteral("&Baseline:"));
    m_baseline->setToolTip(QStringLiteral(
        "Dasselbe System über zufällige Permanenzen der Länge jeder Datei: wie viel Glück "
        "hatte die Datei?"));
    m_baselineRuns = new CountBox(100'000, 1000, QStringLiteral(" zufällige Permanenz"),
                                  QStringLiteral(" zufällige Permanenzen"));
    inputs->addWidget(m_baseline, 3, 0);
    inputs->addWidget(m_baselineRuns, 3, 1);
    auto* seedLabel = new QLabel(QStringLiteral("S&tartwert:"));
    m_seed = new QLineEdit;
    m_seed->setObjectName(QStringLiteral("seed"));
    m_seed->setPlaceholderText(QStringLiteral("neu bei jedem Lauf"));
    m_seed->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,20}")), m_seed));
    m_seed->setToolTip(QStringLiteral(
        "Derselbe Startwert gibt dieselben Zufallszahlen, wie bei tamvek-cli system --seed."));
    seedLabel->setBuddy(m_seed);
    inputs->addWidget(seedLabel, 3, 2, Qt::AlignRight);
    inputs->addWidget(m_seed, 3, 3, 1, 2);
    inputs->setColumnStretch(1, 1);
    inputs->setColumnStretch(2, 1);
    return inputs;
}

QHBoxLayout* SystemTestWindow::buildControls() {
    auto* controls = new QHBoxLayout;
    m_start = new QPushButton(QStringLiteral("&Start"));
    m_start->setObjectName(QStringLiteral("start"));
    m_cancel = new QPushButton(QStringLiteral("Abb&rechen"));
    m_cancel->setObjectName(QStringLiteral("cancel"));
    m_cancel->setToolTip(QStringLiteral("Bricht den Test ab (Esc); er behält dann nichts."));
    m_progress = new QProgressBar;
    m_progress->setRange(0, 1000);
    m_progress->setValue(0);
    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_status->setWordWrap(true);
    controls->addWidget(m_start);
    controls->addWidget(m_cancel);
    controls->addWidget(m_progress, 1);
    return controls;
}

void SystemTestWindow::buildTable() {
    m_table = new QTableWidget;
    m_table->setObjectName(QStringLiteral("results"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->hide();
    // Before the first run, the headings of a run without a baseline.
    const QStringList headings = headingTexts(tester::headingsOf(false));
    m_table->setColumnCount(static_cast<int>(headings.size()));
    m_table->setHorizontalHeaderLabels(headings);
    m_table->horizontalHeader()->setStretchLastSection(false);
    m_table->resizeColumnsToContents();
    m_table->setTextElideMode(Qt::ElideMiddle);
    m_table->setWordWrap(false);
    m_table->viewport()->installEventFilter(this);
}

void SystemTestWindow::buildHistogram() {
    auto* histogram = new QChart;
    styleChart(*histogram);
    m_histogramTop = new QLineSeries;
    m_histogram = new QAreaSeries(m_histogramTop);
    m_histogram->setName(QStringLiteral("Zufall"));
    m_histogram->setColor(QColor(120, 160, 210));
    m_histogram->setBorderColor(QColor(40, 80, 140));
    m_mark = new QLineSeries;
    QPen markPen(QColor(200, 30, 30));
    markPen.setWidthF(2.5);
    m_mark->setPen(markPen);
    m_mark->setName(QStringLiteral("diese Datei"));
    m_lowestTop = new QLineSeries;
    m_lowest = new QAreaSeries(m_lowestTop);
    m_lowest->setColor(QColor(230, 150, 60, 140));
    m_lowest->setBorderColor(QColor(170, 90, 20));
    m_capital = new QLineSeries;
    QPen capitalPen(QColor(120, 60, 0));
    capitalPen.setWidthF(2);
    capitalPen.setStyle(Qt::DashLine);
    m_capital->setPen(capitalPen);
    histogram->addSeries(m_histogram);
    histogram->addSeries(m_lowest);
    histogram->addSeries(m_mark);
    histogram->addSeries(m_capital);
    m_histogramX = wholeAxis(*histogram, QStringLiteral("Saldo am Ende"), Qt::AlignBottom);
    m_histogramY = wholeAxis(*histogram, QStringLiteral("Permanenzen"), Qt::AlignLeft);
    for (QAbstractSeries* s : histogram->series()) {
        s->attachAxis(m_histogramX);
        s->attachAxis(m_histogramY);
    }
    histogram->legend()->setAlignment(Qt::AlignBottom);
    m_histogramView = new QChartView(histogram);
    m_histogramView->setRenderHint(QPainter::Antialiasing);
    m_histogramView->installEventFilter(this);
    showBaseline(nullptr);
}

// "Ergebnis": the table and the charts; "Bearbeiten": the system's text.
QTabWidget* SystemTestWindow::buildPages() {
    auto* results = new QWidget;
    auto* charts = new QHBoxLayout;
    charts->addWidget(m_saldo, 1);
    charts->addWidget(m_histogramView, 1);
    auto* layout = new QVBoxLayout(results);
    layout->setContentsMargins(0, 0, 0, 0);
    m_verdict = new QLabel;
    m_verdict->setObjectName(QStringLiteral("verdict"));
    m_verdict->setWordWrap(true);
    m_verdict->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_verdict->hide();
    layout->addWidget(m_table, 1);
    layout->addWidget(m_verdict);
    layout->addLayout(charts, 3);
    m_editor = new SystemEditor(m_systemsFolder, userSystemsFolder());
    m_pages = new QTabWidget;
    m_pages->setObjectName(QStringLiteral("pages"));
    m_pages->addTab(results, QStringLiteral("&Ergebnis"));
    m_variants = new VariantsPage;
    m_pages->addTab(m_variants, QStringLiteral("&Varianten"));
    m_pages->addTab(m_editor, QStringLiteral("Bearbei&ten"));
    connect(m_editor, &SystemEditor::opened, this, &SystemTestWindow::setSystemFile);
    connect(m_editor, &SystemEditor::message, this, [this](const QString& text, bool error) {
        setStatus(error ? QStringLiteral("Fehler: ") + text : text, error);
    });
    return m_pages;
}

void SystemTestWindow::connectInputs() {
    connect(m_pickSystem, &QPushButton::clicked, this, &SystemTestWindow::chooseSystem);
    connect(m_pickFiles, &QPushButton::clicked, this, &SystemTestWindow::chooseFiles);
    connect(m_pickFolder, &QPushButton::clicked, this, &SystemTestWindow::chooseFolder);
    connect(m_start, &QPushButton::clicked, this, &SystemTestWindow::start);
    connect(m_cancel, &QPushButton::clicked, this, &SystemTestWindow::cancel);
    connect(m_system, &QLineEdit::returnPressed, this, &SystemTestWindow::start);
    connect(m_system, &QLineEdit::editingFinished, this, &SystemTestWindow::showSystemInEditor);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &SystemTestWindow::cancel);
    for (QAbstractButton* b :
         {static_cast<QAbstractButton*>(m_fromFiles), static_cast<QAbstractButton*>(m_fromRandom),
          static_cast<QAbstractButton*>(m_baseline)})
        connect(b, &QAbstractButton::toggled, this, &SystemTestWindow::updateInputs);
    connect(m_table, &QTableWidget::currentCellChanged, this, [this](int row) { showFile(row); });
}

// The histogram's title and the table's columns fit the width they get.
bool SystemTestWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) {
        const int width = static_cast<QResizeEvent*>(event)->size().width();
        if (watched == m_histogramView) fitHistogramTitle(width);
        if (watched == m_table->viewport()) fitColumns(width);
    }
    return QWidget::eventFilter(watched, event);
}

// A name too long for the width is shortened in its middle; the percentile
// after it stays whole.
void SystemTestWindow::fitHistogramTitle(int width) {
    QChart* chart = m_histogramView->chart();
    const auto& [head, name, tail] = m_histogramTitle;
    const QFontMetrics metrics(chart->titleFont());
    const int room = width - 24 - metrics.horizontalAdvance(head + tail);
    chart->setTitle(head + metrics.elidedText(name, Qt::ElideMiddle, std::max(room, 0)) + tail);
}

// A table wider than the window widens it, as far as the screen allows.
void SystemTestWindow::widenForColumns() {
    m_table->resizeColumnsToContents();
    int needed = 2 * m_table->frameWidth() + m_table->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < m_table->columnCount(); ++c)
        if (!m_table->isColumnHidden(c)) needed += m_table->columnWidth(c);
    const int missing = needed - m_table->width();
    const int most = freeArea(*this).width() - (frameGeometry().width() - width());
    if (missing <= 0 || most <= width()) return;
    resize(std::min(width() + missing, most), height());
    keepOnScreen(*this, *this);
}

// Every column as wide as its figures; when they do not all fit, the names
// give up room (shortened in the middle, whole in their tips) before a
// figure goes out of sight.
void SystemTestWindow::fitColumns(int width) {
    m_table->resizeColumnsToContents();
    int figures = 0;
    for (int c = 1; c < m_table->columnCount(); ++c)
        if (!m_table->isColumnHidden(c)) figures += m_table->columnWidth(c);
    const int shortest = m_table->fontMetrics().horizontalAdvance(QStringLiteral("zufällig (1.0…"));
    if (figures + m_table->columnWidth(0) > width)
        m_table->setColumnWidth(0, std::max(width - figures, shortest));
}

// The runner cancels its run and waits for it.
SystemTestWindow::~SystemTestWindow() = default;

void SystemTestWindow::setSystemFile(const QString& path) {
    forgetError();
    m_system->setText(path);
    showSystemInEditor();
}

// The editor follows the system chosen; changes not yet saved are saved,
// dropped or kept as the user says.
void SystemTestWindow::showSystemInEditor() {
    const QString path = m_system->text().trimmed();
    if (path == m_editor->path()) return;
    forgetError();
    if (m_editor->modified()) {
        const auto answer = QMessageBox::question(
            this, QString::fromUtf8(title),
            QStringLiteral("Die Änderungen an %1 sind nicht gespeichert. Speichern?")
                .arg(QFileInfo(m_editor->path()).fileName()),
            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        if (answer == QMessageBox::Cancel) {
            m_system->setText(m_editor->path());
            return;
        }
        if (answer == QMessageBox::Save) {
            if (const std::optional<QString> why = m_editor->save()) {
                setStatus(QStringLiteral("Fehler: ") + *why, true);
                m_system->setText(m_editor->path());
                return;
            }
        }
    }
    if (const std::optional<QString> why = m_editor->open(path))
        setStatus(QStringLiteral("Fehler: ") + *why, true);
}

void SystemTestWindow::setPermanences(const QStringList& names) {
    m_permanences = names;
    QStringList shown;
    for (const QString& n : names)
        shown << QFileInfo(n).fileName();
    m_permanenceNames->setText(shown.join(QStringLiteral(", ")));
    m_permanenceNames->setToolTip(names.join(QLatin1Char('\n')));
    m_fromFiles->setChecked(true);
    forgetError();
}

void SystemTestWindow::setRandomSpins(std::uint64_t spins) {
    if (spins == 0) {
        m_fromFiles->setChecked(true);
        return;
    }
    m_randomCount->setValue(static_cast<int>(
        std::min<std::uint64_t>(spins, static_cast<std::uint64_t>(m_randomCount->maximum()))));
    m_fromRandom->setChecked(true);
}

void SystemTestWindow::setBaseline(int runs) {
    m_baseline->setChecked(runs > 0);
    if (runs > 0) m_baselineRuns->setValue(runs);
}

void SystemTestWindow::setSeed(std::optional<std::uint64_t> seed) {
    m_seed->setText(seed ? QString::number(*seed) : QString());
}

bool SystemTestWindow::running() const {
    return m_run != nullptr || m_sweep != nullptr;
}

QString SystemTestWindow::statusText() const {
    return m_status->text();
}

void SystemTestWindow::chooseSystem() {
    const QString file =
        openFile(this, {FilesOf::Systems,
                        QStringLiteral("Systemdatei wählen"),
                        QStringLiteral("Systemdateien (*.toml *.lua);;Alle Dateien (*)"),
                        m_systemsFolder,
                        {}});
    if (!file.isEmpty()) setSystemFile(QDir::toNativeSeparators(file));
}

void SystemTestWindow::chooseFiles() {
    const QStringList files =
        openFiles(this, {FilesOf::Permanences,
                         QStringLiteral("Permanenzen wählen"),
                         QStringLiteral("Permanenzen (*.txt);;Alle Dateien (*)"),
                         m_samplesFolder,
                         {}});
    if (!files.isEmpty()) setPermanences(files);
}

void SystemTestWindow::chooseFolder() {
    const QString folder = qt::chooseFolder(
        this,
        {FilesOf::Permanences, QStringLiteral("Ordner mit Permanenzen"), {}, m_samplesFolder, {}});
    if (!folder.isEmpty()) setPermanences({folder});
}

void SystemTestWindow::updateInputs() {
    const bool idle = !running();
    for (QWidget* w : findChildren<QWidget*>()) {
        if (w == m_cancel || w == m_progress || w == m_status || w == m_pages ||
            w->parentWidget() != this)
            continue;
        if (qobject_cast<QChartView*>(w)) continue;
        w->setEnabled(idle);
    }
    m_cancel->setEnabled(!idle);
    if (idle) {
        m_randomCount->setEnabled(m_fromRandom->isChecked());
        m_permanenceNames->setEnabled(m_fromFiles->isChecked());
        m_baselineRuns->setEnabled(m_baseline->isChecked());
    }
}

void SystemTestWindow::setStatus(const QString& text, bool error) {
    m_status->setText(text);
    m_status->setStyleSheet(error ? QStringLiteral("color: #b00000;") : QString());
    m_error = error;
}

// An error belongs to the files it was about: a new choice takes it away.
void SystemTestWindow::forgetError() {
    if (m_error) setStatus(prompt());
}

std::optional<tester::Job> SystemTestWindow::jobOfInputs() {
    tester::Job job;
    job.systemFile = toPath(m_system->text().trimmed());
    if (job.systemFile.empty()) {
        setStatus(QStringLiteral("Fehler: Keine Systemdatei gewählt."), true);
        return std::nullopt;
    }
    if (m_fromRandom->isChecked())
        job.randomSpins = static_cast<std::uint64_t>(m_randomCount->value());
    else if (!readPermanences(job.permanences))
        return std::nullopt;
    if (m_baseline->isChecked())
        job.baselineRuns = static_cast<std::size_t>(m_baselineRuns->value());
    if (!readSeed(job.seed)) return std::nullopt;
    job.curves = true;
    return job;
}

bool SystemTestWindow::readPermanences(std::vector<std::string>& names) {
    if (m_permanences.isEmpty()) {
        setStatus(QStringLiteral("Fehler: Keine Permanenz gewählt (Dateien oder ein Ordner)."),
                  true);
        return false;
    }
    // "-" would be standard input to the reader; here it is a file of that name.
    for (const QString& name : m_permanences)
        names.push_back(name == QStringLiteral("-") ? "./-" : toPath(name));
    return true;
}

bool SystemTestWindow::readSeed(std::optional<std::uint64_t>& seed) {
    const std::string text = m_seed->text().toStdString();
    if (text.empty()) return true;
    std::uint64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) {
        setStatus(QStringLiteral("Fehler: Der Startwert muss eine ganze Zahl von 0 bis "
                                 "18446744073709551615 sein."),
                  true);
        return false;
    }
    seed = value;
    return true;
}

// The sweep of the page "Varianten": the window's system, permanences (not
// random spins: a variant is judged on spins it was not chosen on),
// baseline and seed.
std::optional<tester::SweepJob> SystemTestWindow::sweepOfInputs() {
    tester::SweepJob job;
    job.systemFile = toPath(m_system->text().trimmed());
    if (job.systemFile.empty()) {
        setStatus(QStringLiteral("Fehler: Keine Systemdatei gewählt."), true);
        return std::nullopt;
    }
    if (m_fromRandom->isChecked()) {
        setStatus(QStringLiteral("Fehler: Die Varianten brauchen Permanenzen (Dateien oder einen "
                                 "Ordner), keine Zufallszahlen."),
                  true);
        return std::nullopt;
    }
    QString error;
    std::optional<std::vector<tester::Vary>> vary = m_variants->vary(error);
    if (!vary) setStatus(QStringLiteral("Fehler: ") + error, true);
    if (!vary || !readPermanences(job.permanences) || !readSeed(job.seed)) return std::nullopt;
    job.vary = std::move(*vary);
    job.split = m_variants->split();
    if (m_baseline->isChecked())
        job.baselineRuns = static_cast<std::size_t>(m_baselineRuns->value());
    return job;
}

void SystemTestWindow::start() {
    if (running()) return;
    if (m_pages->currentWidget() == m_variants) {
        startSweep();
        return;
    }
    std::optional<tester::Job> job = jobOfInputs();
    if (!job || !saveBeforeStart()) return;

    // A new run shows only its own figures.
    m_outcome = {};
    m_table->setRowCount(0);
    m_verdict->hide();
    m_saldo->clear(QStringLiteral("Saldo"));
    showBaseline(nullptr);

    m_run = std::make_unique<tester::Runner>(std::move(*job));
    m_progress->setValue(0);
    setStatus(QStringLiteral("Liest die Dateien …"));
    updateInputs();
    m_cancel->setFocus();
    m_poll->start();
}

// The run plays the file as it is saved: changes in the editor go there first.
bool SystemTestWindow::saveBeforeStart() {
    m_editor->clearMark();
    if (m_editor->path() != m_system->text().trimmed() || !m_editor->modified()) return true;
    const std::optional<QString> why = m_editor->save();
    if (why) setStatus(QStringLiteral("Fehler: ") + *why, true);
    return !why;
}

// A fault at a line of the system ("datei.lua:14: …") is marked in the
// editor, which then shows.
void SystemTestWindow::markFault(const std::string& error) {
    const QString message = QString::fromUtf8(error);
    const QString system = m_system->text().trimmed() + QLatin1Char(':');
    if (!message.startsWith(system) || m_editor->path() != m_system->text().trimmed()) return;
    const qsizetype end = message.indexOf(QLatin1Char(':'), system.size());
    bool isLine = false;
    const int line = message.mid(system.size(), end - system.size()).toInt(&isLine);
    if (!isLine || line < 1) return;
    m_editor->markLine(line, message.mid(end + 1).trimmed());
    m_pages->setCurrentWidget(m_editor);
}

void SystemTestWindow::startSweep() {
    std::optional<tester::SweepJob> job = sweepOfInputs();
    if (!job || !saveBeforeStart()) return;
    m_variants->clear();
    m_sweep = std::make_unique<tester::SweepRunner>(std::move(*job));
    m_progress->setValue(0);
    setStatus(QStringLiteral("Liest die Varianten und die Dateien …"));
    updateInputs();
    m_cancel->setFocus();
    m_poll->start();
}

void SystemTestWindow::cancel() {
    if (m_run) m_run->cancel();
    if (m_sweep) m_sweep->cancel();
    if (running()) setStatus(QStringLiteral("Bricht ab …"));
}

void SystemTestWindow::poll() {
    if (m_sweep) {
        pollSweep();
        return;
    }
    if (!m_run) return;
    if (m_run->finished()) {
        finish();
        return;
    }
    const tester::Runner::Progress now = m_run->progress();
    showProgress(now.done, now.total);
    if (m_run->cancelled() || now.reading) return;
    const QString file = QString::number(now.file + 1);
    const QString files = QString::number(now.files);
    setStatus(now.baseline
                  ? QStringLiteral("Zufallsvergleich für Datei %1 von %2 …").arg(file, files)
                  : QStringLiteral("Spielt Datei %1 von %2 …").arg(file, files));
}

void SystemTestWindow::showProgress(std::uint64_t done, std::uint64_t total) {
    if (total > 0)
        m_progress->setValue(
            static_cast<int>(1000.0 * static_cast<double>(done) / static_cast<double>(total)));
}

// The end of a test or a sweep: the inputs free again, an error or a cancel
// said; true when there is something to show.
bool SystemTestWindow::ended(const std::string& error, bool cancelled, const QString& nothingKept) {
    m_poll->stop();
    updateInputs();
    m_start->setFocus();
    if (!error.empty()) {
        m_progress->setValue(0);
        setStatus(QStringLiteral("Fehler: ") + QString::fromUtf8(error), true);
        markFault(error);
        return false;
    }
    if (cancelled) {
        m_progress->setValue(0);
        setStatus(QStringLiteral("Abgebrochen: ") + nothingKept);
        return false;
    }
    m_progress->setValue(m_progress->maximum());
    return true;
}

void SystemTestWindow::pollSweep() {
    if (m_sweep->finished()) {
        finishSweep();
        return;
    }
    const tester::SweepRunner::Progress now = m_sweep->progress();
    showProgress(now.done, now.total);
    if (m_sweep->cancelled() || now.reading) return;
    setStatus(QStringLiteral("Spielt die Varianten: %1 von %2 fertig …")
                  .arg(qstr(figures::whole(now.variantsDone)), qstr(figures::whole(now.variants))));
}

void SystemTestWindow::finishSweep() {
    tester::SweepRunner::Finished done = m_sweep->take();
    const bool wasCancelled = m_sweep->cancelled() || done.cancelled;
    m_sweep.reset();
    if (ended(done.error, wasCancelled,
              QStringLiteral("Die Varianten haben keine Ergebnisse behalten."))) {
        m_variants->show(done);
        QString text =
            QStringLiteral("Fertig: %1, %2 Varianten in %3.")
                .arg(QString::fromUtf8(done.sweep.name),
                     qstr(figures::whole(done.outcome.variants.size())), seconds(done.seconds));
        if (done.sweep.baselineRuns > 0)
            text += QStringLiteral(" Startwert der Zufallszahlen: %1.").arg(done.sweep.seed);
        setStatus(text);
    }
    emit finished();
}

void SystemTestWindow::finish() {
    tester::Runner::Finished done = m_run->take();
    const bool wasCancelled = m_run->cancelled() || done.cancelled;
    m_run.reset();
    if (ended(done.error, wasCancelled,
              QStringLiteral("Der Test hat keine Ergebnisse behalten."))) {
        m_outcome = std::move(done.outcome);
        const bool random = done.options.randomSpins > 0;
        showOutcome(done.table, random);
        QString text =
            QStringLiteral("Fertig: %1, %2 %3 über %4 Würfe in %5.")
                .arg(QString::fromUtf8(done.systemName), QString::number(m_outcome.files.size()),
                     m_outcome.files.size() == 1 ? QStringLiteral("Datei")
                                                 : QStringLiteral("Dateien"),
                     qstr(figures::whole(m_outcome.total.spins)), seconds(done.seconds));
        if (done.options.baselineRuns > 0 || random)
            text += QStringLiteral(" Startwert der Zufallszahlen: %1.").arg(done.options.seed);
        setStatus(text);
    }
    emit finished();
}

void SystemTestWindow::showOutcome(const tester::ReportTable& table, bool random) {
    m_table->clear();
    m_table->setColumnCount(static_cast<int>(table.headings.size()));
    m_table->setHorizontalHeaderLabels(headingTexts(table.headings));
    const int files = static_cast<int>(table.files.size());
    m_table->setRowCount(files + (table.totalShown() ? 1 : 0));
    const auto fill = [&](int row, const tester::ReportTable::Row& cells, const QString& name,
                          const QString& tip) {
        auto* first = new QTableWidgetItem(name);
        first->setToolTip(tip);
        m_table->setItem(row, 0, first);
        for (std::size_t c = 1; c < cells.cells.size(); ++c) {
            if (cells.cells[c].empty()) continue;  // the total has no baseline
            auto* item = new QTableWidgetItem(qstr(cells.cells[c]));
            if (table.headings[c].figures)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(row, static_cast<int>(c), item);
        }
    };
    // The table names a file by its name, its tip by its path.
    for (int row = 0; row < files; ++row) {
        const QString path = fromPath(m_outcome.files[static_cast<std::size_t>(row)].name);
        fill(row, table.files[static_cast<std::size_t>(row)],
             random ? path : QFileInfo(path).fileName(), path);
    }
    if (table.totalShown()) {
        fill(files, table.total, qstr(table.total.cells.front()),
             QStringLiteral("alle Dateien nacheinander"));
        QFont bold = m_table->font();
        bold.setBold(true);
        for (int c = 0; c < m_table->columnCount(); ++c)
            if (QTableWidgetItem* item = m_table->item(files, c)) item->setFont(bold);
    }
    // The verdict's figures are said below the table, for the row chosen.
    m_firstVerdictColumn = -1;
    for (int c = 0; c < m_table->columnCount(); ++c) {
        m_table->setColumnHidden(c, m_firstVerdictColumn >= 0);
        if (table.headings[static_cast<std::size_t>(c)].text == "Perzentil")
            m_firstVerdictColumn = c + 1;
    }
    widenForColumns();
    fitColumns(m_table->viewport()->width());
    m_table->setCurrentCell(table.totalShown() ? files : 0, 0);
    showFile(m_table->currentRow());
}

void SystemTestWindow::showFile(int row) {
    if (row < 0 || m_outcome.files.empty()) return;
    showVerdict(row);
    const auto index = static_cast<std::size_t>(row);
    if (index >= m_outcome.files.size()) {
        m_saldo->showCurve(QStringLiteral("Saldo: alle Dateien nacheinander"),
                           m_outcome.totalCurve);
        const bool baseline = m_outcome.files.front().baseline.has_value();
        showBaseline(m_outcome.files.size() == 1 ? &m_outcome.files.front() : nullptr);
        if (baseline && m_outcome.files.size() > 1) {
            m_histogramTitle = {
                QStringLiteral("Zufallsvergleich: eine Datei in der Tabelle wählen"), {}, {}};
            fitHistogramTitle(m_histogramView->width());
        }
        return;
    }
    const tester::FileResult& f = m_outcome.files[index];
    m_saldo->showCurve(QStringLiteral("Saldo: ") + QFileInfo(fromPath(f.name)).fileName(), f.curve);
    showBaseline(&f);
}

// The verdict's sentence, then its figures as the table's hidden columns hold them.
void SystemTestWindow::showVerdict(int row) {
    const auto index = static_cast<std::size_t>(row);
    const std::optional<tester::Verdict>& verdict =
        index < m_outcome.files.size() ? m_outcome.files[index].verdict : m_outcome.totalVerdict;
    m_verdict->setVisible(verdict.has_value() && m_firstVerdictColumn > 0);
    if (!m_verdict->isVisible()) return;
    QStringList parts{
        QStringLiteral("erwartet %1").arg(qstr(figures::decimal(verdict->expected, 1)))};
    for (int c = m_firstVerdictColumn; c < m_table->columnCount(); ++c) {
        const QTableWidgetItem* item = m_table->item(row, c);
        if (item == nullptr) continue;
        const QString heading = m_table->horizontalHeaderItem(c)->text();
        // The one figure that is a count of spins says so.
        const bool spins = heading == QStringLiteral("Hausvorteil ab") && !item->text().isEmpty();
        parts << heading + QStringLiteral(": ") + item->text() +
                     (spins ? QStringLiteral(" Würfen") : QString());
    }
    m_verdict->setText(QStringLiteral("<b>%1</b><br>%2")
                           .arg(qstr(verdict->sentence).toHtmlEscaped(),
                                parts.join(QStringLiteral(" · ")).toHtmlEscaped()));
}

void SystemTestWindow::showBaseline(const tester::FileResult* file) {
    QChart* chart = m_histogramView->chart();
    if (!file || !file->baseline || file->baseline->saldos.empty()) {
        for (QLineSeries* line : {m_histogramTop, m_mark, m_lowestTop, m_capital})
            line->clear();
        for (QAbstractSeries* series : chart->series())
            series->setVisible(false);
        for (QAbstractAxis* axis : chart->axes())
            axis->setVisible(false);
        m_histogramTitle = {QStringLiteral("Zufallsvergleich: mit „Baseline“"), {}, {}};
        fitHistogramTitle(m_histogramView->width());
        return;
    }
    const system::Baseline& b = *file->baseline;
    // The capital that 95 % of the runs needed, as the Saldo it would let them reach.
    const std::optional<Amount> capital =
        file->verdict && !b.lowests.empty()
            ? std::optional<Amount>(-file->verdict->capitalNeeded[1])
            : std::nullopt;
    Amount lowest =
        std::min(*std::min_element(b.saldos.begin(), b.saldos.end()), file->report.saldo);
    Amount highest =
        std::max(*std::max_element(b.saldos.begin(), b.saldos.end()), file->report.saldo);
    if (!b.lowests.empty())
        lowest = std::min(lowest, *std::min_element(b.lowests.begin(), b.lowests.end()));
    const Bins bins{static_cast<double>(lowest),
                    static_cast<double>(std::max(highest, lowest + 1) - lowest) / histogramBins};
    int most = 0;
    m_histogramTop->replace(bins.outline(b.saldos, most));
    m_lowestTop->replace(bins.outline(b.lowests, most));
    const auto upright = [&](QLineSeries* line, std::optional<Amount> at) {
        if (at) line->replace({QPointF(double(*at), 0), QPointF(double(*at), most * 1.08)});
        line->setVisible(at.has_value());
    };
    for (QAbstractSeries* series : chart->series())
        series->setVisible(true);
    upright(m_mark, file->report.saldo);
    upright(m_capital, capital);
    m_lowest->setVisible(!b.lowests.empty());
    nameBaseline(b, file->report.saldo, capital);
    for (QAbstractAxis* axis : chart->axes())
        axis->setVisible(true);
    const double high = bins.low + bins.width * histogramBins;
    const double margin = (high - bins.low) * 0.03;
    setWholeScale(*m_histogramX, bins.low - margin, high + margin, 5);
    setWholeScale(*m_histogramY, 0, most * 1.1, 4);
    m_histogramTitle = {
        QStringLiteral("Zufallsvergleich: "), QFileInfo(fromPath(file->name)).fileName(),
        QStringLiteral(", Perzentil %1 %").arg(qstr(figures::decimal(b.percentile, 1)))};
    fitHistogramTitle(m_histogramView->width());
}

void SystemTestWindow::nameBaseline(const system::Baseline& b, Amount saldo,
                                    std::optional<Amount> capital) {
    m_histogram->setName(
        QStringLiteral("%1 zufällige Permanenzen").arg(qstr(figures::whole(b.runs))));
    m_lowest->setName(QStringLiteral("tiefster Saldo"));
    m_mark->setName(QStringLiteral("diese Datei: %1").arg(qstr(figures::amount(saldo))));
    if (capital)
        m_capital->setName(
            QStringLiteral("Kapital 95 %: %1").arg(qstr(figures::amount(-*capital))));
}

}  // namespace tamvek::qt
