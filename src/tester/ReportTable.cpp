#include "tester/ReportTable.h"

#include <optional>
#include <string_view>

#include "core/Figures.h"

namespace tamvek::tester {
namespace {

using system::Baseline;
using system::Report;

// What a column reads: a file's row, or the total's.
struct Line {
    const std::string* file;  // none for the total
    const Report& report;
    const Baseline* baseline;  // when the job asked for one
    const Verdict* verdict;    // with the baseline
};

// When a column is there.
enum class Shown {
    Always,
    Baseline,      // the job asked for baselines
    TableMax,      // the system has a table maximum
    Capital,       // the system has a capital
    BaselineRuin,  // both
};

struct What {
    bool baseline = false;
    bool tableMax = false;
    bool capital = false;

    bool shows(Shown shown) const {
        switch (shown) {
            case Shown::Always:
                return true;
            case Shown::Baseline:
                return baseline;
            case Shown::TableMax:
                return tableMax;
            case Shown::Capital:
                return capital;
            case Shown::BaselineRuin:
                break;
        }
        return baseline && capital;
    }
};

struct Cell {
    std::string text;
    ReportTable::Value value;
};

struct Column {
    const char* heading;  // none: for JSON only
    const char* group;    // the JSON object the value sits in within its row
    const char* key;
    bool figures;  // aligned right
    Shown shown;
    std::optional<Cell> (*cell)(const Line&);  // none: this row has nothing here
};

std::optional<Cell> file(const Line& line) {
    if (!line.file) return Cell{"Summe", std::string("total")};
    return Cell{*line.file, *line.file};
}

template <std::uint64_t Report::*field>
std::optional<Cell> count(const Line& line) {
    const std::uint64_t n = line.report.*field;
    return Cell{figures::whole(n), n};
}

template <Amount Report::*field>
std::optional<Cell> units(const Line& line) {
    const Amount n = line.report.*field;
    return Cell{figures::amount(n), n};
}

std::optional<Cell> runs(const Line& line) {
    if (!line.baseline) return std::nullopt;
    const std::uint64_t n = line.baseline->runs;
    return Cell{figures::whole(n), n};
}

template <double Baseline::*field>
std::optional<Cell> spread(const Line& line) {
    if (!line.baseline) return std::nullopt;
    const double value = line.baseline->*field;
    return Cell{figures::decimal(value, 1), value};
}

std::optional<Cell> percentile(const Line& line) {
    std::optional<Cell> cell = spread<&Baseline::percentile>(line);
    if (cell) cell->text += " %";
    return cell;
}

// A file's spin of ruin; the total's count of ruined files (JSON: ruined).
std::optional<Cell> ruinedAt(const Line& line) {
    if (line.file && line.report.ruinedAt == 0) return std::nullopt;
    if (line.file) return Cell{figures::whole(line.report.ruinedAt), line.report.ruinedAt};
    return Cell{figures::whole(line.report.ruined) + " ruiniert", line.report.ruined};
}

std::optional<Cell> ruined(const Line& line) {
    if (line.file) return std::nullopt;
    return Cell{figures::whole(line.report.ruined), line.report.ruined};
}

std::optional<Cell> expected(const Line& line) {
    if (!line.verdict) return std::nullopt;
    return Cell{figures::decimal(line.verdict->expected, 1), line.verdict->expected};
}

std::optional<Cell> z(const Line& line) {
    if (!line.verdict || !line.verdict->z) return std::nullopt;
    return Cell{figures::decimal(*line.verdict->z, 2, true), *line.verdict->z};
}

std::optional<Cell> better(const Line& line) {
    if (!line.verdict) return std::nullopt;
    const Verdict& v = *line.verdict;
    return Cell{(v.betterBelow ? "< " : "") + percentText(v.better), v.better};
}

std::optional<Cell> betterBelow(const Line& line) {
    if (!line.verdict) return std::nullopt;
    return Cell{"", line.verdict->betterBelow};
}

std::optional<Cell> luck(const Line& line) {
    if (!line.verdict || !line.verdict->luck) return std::nullopt;
    return Cell{percentText(*line.verdict->luck), *line.verdict->luck};
}

std::optional<Cell> spinsNeeded(const Line& line) {
    if (!line.verdict) return std::nullopt;
    if (!line.verdict->spinsNeeded) return std::nullopt;  // the runs show no loss
    return Cell{figures::whole(*line.verdict->spinsNeeded), *line.verdict->spinsNeeded};
}

template <std::size_t Level>
std::optional<Cell> capitalNeeded(const Line& line) {
    if (!line.verdict) return std::nullopt;
    const Amount units = line.verdict->capitalNeeded[Level];
    return Cell{figures::amount(units), units};
}

template <double Share::*field>
std::optional<Cell> ruin(const Line& line) {
    if (!line.verdict || !line.verdict->ruin) return std::nullopt;
    const Share& r = *line.verdict->ruin;
    return Cell{
        percentText(r.percent) + " (" + percentText(r.low) + " bis " + percentText(r.high) + ")",
        r.*field};
}

std::optional<Cell> sentence(const Line& line) {
    if (!line.verdict) return std::nullopt;
    return Cell{line.verdict->sentence, line.verdict->sentence};
}

// The columns in the order of the table and of JSON.
const Column columns[] = {
    {"Datei", "", "file", false, Shown::Always, file},
    {"Würfe", "", "spins", true, Shown::Always, count<&Report::spins>},
    {"Zyklen", "", "cycles", true, Shown::Always, count<&Report::cycles>},
    {"heim", "", "takenHome", true, Shown::Always, count<&Report::takenHome>},
    {"verloren", "", "lost", true, Shown::Always, count<&Report::lost>},
    {"zurück", "", "givenBack", true, Shown::Always, count<&Report::givenBack>},
    {"gesetzt", "", "staked", true, Shown::Always, units<&Report::staked>},
    {"Saldo", "", "saldo", true, Shown::Always, units<&Report::saldo>},
    {"höchster", "", "highest", true, Shown::Always, units<&Report::highest>},
    {"tiefster", "", "lowest", true, Shown::Always, units<&Report::lowest>},
    {"Einbruch", "", "drawdown", true, Shown::Always, units<&Report::drawdown>},
    {"Verlustserie", "", "lostRun", true, Shown::Always, count<&Report::lostRun>},
    {"größter Einsatz", "", "largestStake", true, Shown::Always, units<&Report::largestStake>},
    {"am Maximum", "", "atMaximum", true, Shown::TableMax, count<&Report::atMaximum>},
    {"ruiniert bei", "", "ruinedAt", true, Shown::Capital, ruinedAt},
    {nullptr, "", "ruined", true, Shown::Capital, ruined},
    {nullptr, "baseline", "runs", true, Shown::Baseline, runs},
    {"Zufall: Mittel", "baseline", "mean", true, Shown::Baseline, spread<&Baseline::mean>},
    {"Streuung", "baseline", "sd", true, Shown::Baseline, spread<&Baseline::sd>},
    {"Perzentil", "baseline", "percentile", true, Shown::Baseline, percentile},
    {nullptr, "verdict", "expected", true, Shown::Baseline, expected},
    {"z", "verdict", "z", true, Shown::Baseline, z},
    {"besser", "verdict", "better", true, Shown::Baseline, better},
    {nullptr, "verdict", "betterBelow", true, Shown::Baseline, betterBelow},
    {nullptr, "verdict", "luck", true, Shown::Baseline, luck},
    {"Hausvorteil ab", "verdict", "spinsNeeded", true, Shown::Baseline, spinsNeeded},
    {"Kapital 90 %", "capitalNeeded", "90", true, Shown::Baseline, capitalNeeded<0>},
    {"95 %", "capitalNeeded", "95", true, Shown::Baseline, capitalNeeded<1>},
    {"99 %", "capitalNeeded", "99", true, Shown::Baseline, capitalNeeded<2>},
    {"Ruin", "ruin", "percent", true, Shown::BaselineRuin, ruin<&Share::percent>},
    {nullptr, "ruin", "low", true, Shown::BaselineRuin, ruin<&Share::low>},
    {nullptr, "ruin", "high", true, Shown::BaselineRuin, ruin<&Share::high>},
    {nullptr, "verdict", "sentence", false, Shown::Baseline, sentence},
};

ReportTable::Row rowOf(const Line& line, const What& what) {
    ReportTable::Row row;
    for (const Column& column : columns) {
        if (!what.shows(column.shown)) continue;
        std::optional<Cell> cell = column.cell(line);
        if (column.heading) row.cells.push_back(cell ? cell->text : std::string());
        if (cell) row.fields.push_back({column.group, column.key, std::move(cell->value)});
    }
    if (line.verdict) row.verdict = line.verdict->sentence;
    return row;
}

std::vector<ReportTable::Heading> headingsOf(const What& what) {
    std::vector<ReportTable::Heading> headings;
    for (const Column& column : columns)
        if (column.heading && what.shows(column.shown))
            headings.push_back({column.heading, column.figures});
    return headings;
}

}  // namespace

ReportTable::Row verdictRow(const Verdict& verdict, bool capital) {
    const Report none;
    ReportTable::Row row;
    for (const Column& column : columns) {
        if (std::string_view(column.group) == "baseline" || column.group[0] == '\0') continue;
        if (column.shown == Shown::BaselineRuin && !capital) continue;
        std::optional<Cell> cell = column.cell({nullptr, none, nullptr, &verdict});
        if (column.heading) row.cells.push_back(cell ? cell->text : std::string());
        if (cell) row.fields.push_back({column.group, column.key, std::move(cell->value)});
    }
    row.verdict = verdict.sentence;
    return row;
}

std::vector<ReportTable::Heading> headingsOf(bool baseline, bool tableMax, bool capital) {
    return headingsOf(What{baseline, tableMax, capital});
}

ReportTable reportTable(const LoadedJob& job, const Outcome& played) {
    const What what{job.baseline(), job.system.tableMax.has_value(),
                    job.system.capital.has_value()};
    ReportTable table;
    table.headings = headingsOf(what);
    for (const FileResult& f : played.files) {
        const Baseline* baseline = f.baseline ? &*f.baseline : nullptr;
        const Verdict* verdict = f.verdict ? &*f.verdict : nullptr;
        table.files.push_back(rowOf({&f.name, f.report, baseline, verdict}, what));
    }
    const Baseline* totalBaseline = played.totalBaseline ? &*played.totalBaseline : nullptr;
    const Verdict* totalVerdict = played.totalVerdict ? &*played.totalVerdict : nullptr;
    table.total = rowOf({nullptr, played.total, totalBaseline, totalVerdict}, what);
    return table;
}

}  // namespace tamvek::tester
