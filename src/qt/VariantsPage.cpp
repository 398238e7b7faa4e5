#include "qt/VariantsPage.h"

#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/Figures.h"
#include "qt/QtText.h"

namespace tamvek::qt {
namespace {

// How many variants the table lists, the best first.
constexpr std::size_t listed = 200;

QTableWidgetItem* figure(const std::string& text) {
    auto* item = new QTableWidgetItem(qstr(text));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

}  // namespace

VariantsPage::VariantsPage(QWidget* parent) : QWidget(parent) {
    m_keys = new QPlainTextEdit;
    m_keys->setObjectName(QStringLiteral("variantKeys"));
    m_keys->setPlaceholderText(
        QStringLiteral("Eine Zeile je Schlüssel, etwa:\nbet1.ride = 1, 2, 3, 4, 5, 6\ntable_max = "
                       "500, 1000"));
    m_keys->setMaximumHeight(m_keys->fontMetrics().lineSpacing() * 5 + 12);
    m_split = new QSpinBox;
    m_split->setRange(10, 90);
    m_split->setValue(50);
    m_split->setSuffix(QStringLiteral(" % jeder Datei, der Rest ist die Gegenprobe"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Werte:"), m_keys);
    form->addRow(QStringLiteral("Entwicklung:"), m_split);
    m_table = new QTableWidget;
    m_table->setObjectName(QStringLiteral("variants"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    m_best = new QLabel;
    m_best->setObjectName(QStringLiteral("bestVariant"));
    m_best->setWordWrap(true);
    m_best->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_best);
    clear();
}

std::optional<std::vector<tester::Vary>> VariantsPage::vary(QString& error) const {
    std::vector<tester::Vary> keys;
    const QStringList lines = m_keys->toPlainText().split(QLatin1Char('\n'));
    for (int n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        if (line.isEmpty()) continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        tester::Vary vary{utf8(line.left(std::max<qsizetype>(equals, 0)).trimmed()), {}};
        for (const QString& value : line.mid(equals + 1).split(QLatin1Char(',')))
            if (!value.trimmed().isEmpty()) vary.values.push_back(utf8(value.trimmed()));
        if (equals <= 0 || vary.key.empty() || vary.values.empty()) {
            error = QStringLiteral("Zeile %1 der Werte: „%2“ braucht SCHLÜSSEL = WERT1, WERT2, …")
                        .arg(n + 1)
                        .arg(line);
            return std::nullopt;
        }
        keys.push_back(std::move(vary));
    }
    if (keys.empty())
        error = QStringLiteral("Keine Werte: eine Zeile je Schlüssel, etwa „bet1.ride = 1, 2, 3“.");
    if (keys.empty()) return std::nullopt;
    return keys;
}

double VariantsPage::split() const {
    return m_split->value() / 100.0;
}

void VariantsPage::setKeys(const QString& text) {
    m_keys->setPlainText(text);
}

void VariantsPage::clear() {
    m_table->clear();
    m_table->setRowCount(0);
    m_table->setColumnCount(3);
    m_table->setHorizontalHeaderLabels(
        {QStringLiteral("Rang"), QStringLiteral("Entwicklung"), QStringLiteral("Gegenprobe")});
    m_best->clear();
}

void VariantsPage::show(const tester::SweepRunner::Finished& done) {
    const tester::LoadedSweep& sweep = done.sweep;
    const std::vector<tester::Variant>& variants = done.outcome.variants;
    QStringList headings{QStringLiteral("Rang")};
    for (const std::string& key : sweep.keys)
        headings << qstr(key);
    headings << QStringLiteral("Entwicklung") << QStringLiteral("Gegenprobe");
    m_table->clear();
    m_table->setColumnCount(static_cast<int>(headings.size()));
    m_table->setHorizontalHeaderLabels(headings);
    const std::size_t rows = std::min(listed, variants.size());
    m_table->setRowCount(static_cast<int>(rows));
    for (std::size_t r = 0; r < rows; ++r) {
        const tester::Variant& v = variants[r];
        const int row = static_cast<int>(r);
        int column = 0;
        m_table->setItem(row, column++, figure(figures::whole(r + 1)));
        for (const std::string& value : v.values)
            m_table->setItem(row, column++, figure(value));
        m_table->setItem(row, column++, figure(figures::amount(v.development.saldo)));
        m_table->setItem(row, column++, figure(figures::amount(v.check.saldo)));
    }
    m_table->resizeColumnsToContents();
    if (!done.outcome.checkVerdict || variants.empty()) {
        m_best->setText(
            QStringLiteral("Mit „Baseline“ wird die beste Variante mit dem Zufall "
                           "verglichen."));
        return;
    }
    const tester::Verdict& check = *done.outcome.checkVerdict;
    const tester::Verdict& development = *done.outcome.developmentVerdict;
    m_best->setText(
        QStringLiteral("<b>Beste Variante, Gegenprobe: %1</b><br>Entwicklung: %2%3 der "
                       "Zufallspermanenzen waren besser; unter %4 Varianten findet sich ein so "
                       "gutes Ergebnis mit %5 Wahrscheinlichkeit durch Glück.")
            .arg(qstr(check.sentence).toHtmlEscaped(),
                 development.betterBelow ? QStringLiteral("weniger als ") : QString(),
                 qstr(tester::percentText(development.better)),
                 qstr(figures::whole(variants.size())),
                 qstr(tester::percentText(done.outcome.luck.value_or(0)))));
}

}  // namespace tamvek::qt
