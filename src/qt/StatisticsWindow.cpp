#include "qt/StatisticsWindow.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtCharts>
#include <algorithm>
#include <cmath>
#include <functional>
#include <string_view>
#include <vector>

#include "core/Figures.h"
#include "engine/SpinSource.h"
#include "qt/ChartStyle.h"
#include "qt/QtText.h"
#include "wheel/Names.h"
#include "wheel/Wheel.h"

namespace tamvek::qt {
namespace {

// Tells one permanence from another at a glance: a pass over one byte a number.
std::size_t fingerprint(const NumberList& numbers) {
    const std::vector<std::uint8_t>& codes = numbers.codes();
    return std::hash<std::string_view>{}(
        std::string_view(reinterpret_cast<const char*>(codes.data()), codes.size()));
}

}  // namespace

StatisticsWindow::StatisticsWindow(const engine::Game& game, QWidget* parent)
    : QWidget(parent, Qt::Window), m_game(game) {
    setObjectName(QStringLiteral("statistics"));
    setWindowTitle(QStringLiteral("Tamvek – Statistik der Permanenz"));
    m_played = new QRadioButton(QStringLiteral("Bisher gespielt"), this);
    m_whole = new QRadioButton(QStringLiteral("Ganze Permanenz"), this);
    m_played->setChecked(true);
    m_summary = new QLabel(this);
    // Two lines of their own: a wrapped label would be squeezed under the table.
    m_summary->setWordWrap(false);
    buildTable();
    m_pair = new QComboBox(this);
    m_pair->addItem(QStringLiteral("Alle drei Paare"));
    for (std::string_view name : wheel::pairNames)
        m_pair->addItem(qstr(name));
    QChartView* view = buildChart();

    auto* choice = new QHBoxLayout;
    choice->addWidget(m_played);
    choice->addWidget(m_whole);
    choice->addStretch(1);
    choice->addWidget(new QLabel(QStringLiteral("Serien von:"), this));
    choice->addWidget(m_pair);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choice);
    layout->addWidget(m_summary);
    layout->addWidget(m_table);
    layout->addWidget(view, 1);
    resize(720, 640);

    connect(m_whole, &QRadioButton::toggled, this, [this] { refresh(); });
    connect(m_pair, &QComboBox::currentIndexChanged, this, [this] { drawSeries(); });
    refresh();
}

void StatisticsWindow::buildTable() {
    m_table = new QTableWidget(5, stats::chances, this);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setTabKeyNavigation(false);
    QStringList chances;
    for (std::string_view name : wheel::chanceNames)
        chances << qstr(name);
    m_table->setHorizontalHeaderLabels(chances);
    m_table->setVerticalHeaderLabels({QStringLiteral("Anzahl"), QStringLiteral("Anteil"),
                                      QStringLiteral("Ecart"), QStringLiteral("Längste Serie"),
                                      QStringLiteral("Längstes Ausbleiben")});
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table->setFixedHeight(m_table->horizontalHeader()->sizeHint().height() +
                            5 * m_table->verticalHeader()->defaultSectionSize() +
                            2 * m_table->frameWidth());
}

QChartView* StatisticsWindow::buildChart() {
    m_observed = new QBarSet(QStringLiteral("Ist"));
    m_observed->setColor(QColor(0x00, 0x00, 0x80));
    m_expected = new QBarSet(QStringLiteral("Erwartet (halbiert von Länge zu Länge)"));
    m_expected->setColor(QColor(0xC0, 0xC0, 0xC0));
    auto* bars = new QBarSeries;
    bars->append(m_observed);
    bars->append(m_expected);
    m_chart = new QChart;
    m_chart->addSeries(bars);
    m_chart->setTitle(QStringLiteral("Serien nach Länge (Null übersprungen)"));
    m_chart->legend()->setAlignment(Qt::AlignBottom);
    auto* lengths = new QBarCategoryAxis;
    for (int length = 1; length <= stats::seriesLengths; ++length)
        lengths->append(QString::number(length) + (length == stats::seriesLengths ? "+" : ""));
    lengths->setTitleText(QStringLiteral("Länge der Serie"));
    m_chart->addAxis(lengths, Qt::AlignBottom);
    m_counts = wholeAxis(*m_chart, QStringLiteral("Serien"), Qt::AlignLeft);
    bars->attachAxis(lengths);
    bars->attachAxis(m_counts);
    auto* view = new QChartView(m_chart, this);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumHeight(280);
    return view;
}

void StatisticsWindow::setWholePermanence(bool whole) {
    (whole ? m_whole : m_played)->setChecked(true);
    refresh();
}

QVariantMap StatisticsWindow::options() const {
    return {{QStringLiteral("whole"), m_whole->isChecked()},
            {QStringLiteral("pair"), m_pair->currentIndex()}};
}

void StatisticsWindow::setOptions(const QVariantMap& options) {
    setWholePermanence(options.value(QStringLiteral("whole"), false).toBool());
    m_pair->setCurrentIndex(options.value(QStringLiteral("pair"), 0).toInt());
}

void StatisticsWindow::refresh() {
    const engine::GameState& st = m_game.state;
    const bool imported = st.permanenceLoaded != 0 && !st.permanenceNumbers.empty();
    m_whole->setEnabled(imported);
    if (!imported && m_whole->isChecked()) m_played->setChecked(true);
    const bool whole = m_whole->isChecked();
    const Key key{whole, m_game.ledger.version(), st.importedCount,
                  whole ? fingerprint(st.permanenceNumbers) : 0};
    // The whole permanence stays what it is while it is played; another
    // import, even of as many numbers, is counted anew.
    if (m_counted &&
        (*m_counted == key || (whole && m_counted->whole && m_counted->imported == key.imported &&
                               m_counted->permanence == key.permanence)))
        return;
    m_counted = key;
    recount();
}

void StatisticsWindow::recount() {
    const engine::GameState& st = m_game.state;
    std::vector<std::uint8_t> classes;
    // The whole permanence is its imported entries, the run what has been
    // played of it; spin i draws as the game draws it.
    const double upTo = m_whole->isChecked() ? st.importedCount : st.currentSpin;
    const auto spins = static_cast<std::size_t>(std::max(0.0, upTo));
    classes.reserve(spins);
    for (std::size_t i = 1; i <= spins; ++i)
        classes.push_back(wheel::classOf(engine::nextNumber(m_game, static_cast<double>(i))));
    Result<stats::FileStats> counted = stats::countStats("", classes);
    m_figures = counted ? *counted : stats::FileStats{};
    showFigures(m_figures);
}

void StatisticsWindow::showFigures(const stats::FileStats& s) {
    const QString what = m_whole->isChecked() ? QStringLiteral("Ganze Permanenz")
                                              : QStringLiteral("Bisher gespielt");
    m_summary->setText(
        QStringLiteral("%1: %2 Würfe, davon Null %3 (%4).\nChi-Quadrat der Zahlen 0–36: %5 bei 36 "
                       "Freiheitsgraden, p = %6")
            .arg(what, qstr(figures::whole(s.spins)), qstr(figures::whole(s.zero)),
                 qstr(figures::percent(s.zero, s.spins)), qstr(figures::decimal(s.chi2, 2)),
                 qstr(figures::decimal(s.p, 4))));
    for (int k = 0; k < stats::chances; ++k) {
        const auto i = static_cast<std::size_t>(k);
        const std::string cells[5] = {
            figures::whole(s.counts[i]), figures::percent(s.counts[i], s.spins),
            figures::decimal(s.ecart[i], 2, true), figures::whole(s.longestSeries[i]),
            figures::whole(s.absence[i])};
        for (int row = 0; row < 5; ++row) {
            auto* item = new QTableWidgetItem(qstr(cells[row]));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(row, k, item);
        }
    }
    drawSeries();
}

void StatisticsWindow::drawSeries() {
    const int chosen = m_pair->currentIndex();  // 0: all three pairs
    QList<qreal> observed, expected;
    double top = 1;
    for (int length = 0; length < stats::seriesLengths; ++length) {
        double o = 0, e = 0;
        for (int p = 0; p < 3; ++p) {
            if (chosen != 0 && chosen != p + 1) continue;
            o += static_cast<double>(
                m_figures.series[static_cast<std::size_t>(p)][static_cast<std::size_t>(length)]);
            e += m_figures.expected[static_cast<std::size_t>(p)][static_cast<std::size_t>(length)];
        }
        observed << o;
        expected << e;
        top = std::max({top, o, e});
    }
    m_observed->remove(0, m_observed->count());
    m_expected->remove(0, m_expected->count());
    m_observed->append(observed);
    m_expected->append(expected);
    m_counts->setRange(0, top * 1.08);
    m_counts->applyNiceNumbers();
}

}  // namespace tamvek::qt
