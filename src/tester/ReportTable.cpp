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
    const Baseline* baseline;  // a file's, when the job asked for one
};

struct Cell {
    std::string text;
    ReportTable::Value value;
};

struct Column {
    const char* heading;  // none: for JSON only
    const char* group;    // the JSON object the value sits in within its row
    const char* key;
    bool figures;                              // aligned right
    bool baseline;                             // only when the job asked for baselines
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

// The columns in the order of the table and of JSON.
const Column columns[] = {
    {"Datei", "", "file", false, false, file},
    {"Würfe", "", "spins", true, false, count<&Report::spins>},
    {"Zyklen", "", "cycles", true, false, count<&Report::cycles>},
    {"heim", "", "takenHome", true, false, count<&Report::takenHome>},
    {"verloren", "", "lost", true, false, count<&Report::lost>},
    {"zurück", "", "givenBack", true, false, count<&Report::givenBack>},
    {"gesetzt", "", "staked", true, false, units<&Report::staked>},
    {"Saldo", "", "saldo", true, false, units<&Report::saldo>},
    {"höchster", "", "highest", true, false, units<&Report::highest>},
    {"tiefster", "", "lowest", true, false, units<&Report::lowest>},
    {"Einbruch", "", "drawdown", true, false, units<&Report::drawdown>},
    {"Verlustserie", "", "lostRun", true, false, count<&Report::lostRun>},
    {"größter Einsatz", "", "largestStake", true, false, units<&Report::largestStake>},
    {nullptr, "baseline", "runs", true, true, runs},
    {"Zufall: Mittel", "baseline", "mean", true, true, spread<&Baseline::mean>},
    {"Streuung", "baseline", "sd", true, true, spread<&Baseline::sd>},
    {"Perzentil", "baseline", "percentile", true, true, percentile},
};

ReportTable::Row rowOf(const Line& line, bool baseline) {
    ReportTable::Row row;
    for (const Column& column : columns) {
        if (column.baseline && !baseline) continue;
        std::optional<Cell> cell = column.cell(line);
        if (column.heading) row.cells.push_back(cell ? cell->text : std::string());
        if (cell) row.fields.push_back({column.group, column.key, std::move(cell->value)});
    }
    return row;
}

}  // namespace

std::vector<ReportTable::Heading> headingsOf(bool baseline) {
    std::vector<ReportTable::Heading> headings;
    for (const Column& column : columns)
        if (column.heading && (baseline || !column.baseline))
            headings.push_back({column.heading, column.figures});
    return headings;
}

ReportTable reportTable(const LoadedJob& job, const Outcome& played) {
    ReportTable table;
    table.headings = headingsOf(job.baseline());
    for (const FileResult& f : played.files) {
        const Baseline* baseline = f.baseline ? &*f.baseline : nullptr;
        table.files.push_back(rowOf({&f.name, f.report, baseline}, job.baseline()));
    }
    table.total = rowOf({nullptr, played.total, nullptr}, job.baseline());
    return table;
}

}  // namespace tamvek::tester
