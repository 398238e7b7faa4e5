#include "cli/SystemOutput.h"

#include <variant>

#include <nlohmann/json.hpp>

#include "cli/TextTable.h"
#include "core/Csv.h"
#include "core/Text.h"
#include "system/Compiled.h"
#include "wheel/Names.h"

namespace tamvek::cli {
namespace {

using Json = nlohmann::ordered_json;
using tester::ReportTable;

const char* endName(system::End end) {
    switch (end) {
        case system::End::TakenHome:
            return "takenHome";
        case system::End::Lost:
            return "lost";
        case system::End::GivenBack:
            break;
    }
    return "givenBack";
}

// A name as the terminal shows it.
std::string shown(const std::string& name) {
    return text::escapeControls(name);
}

Json rowJson(const ReportTable::Row& row) {
    Json json = Json::object();
    for (const ReportTable::Field& field : row.fields) {
        Json& into = field.group.empty() ? json : json[field.group];
        std::visit(
            [&](const auto& value) {
                if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::string>)
                    into[field.key] = text::toUtf8(value);
                else
                    into[field.key] = value;
            },
            field.value);
    }
    return json;
}

// The verdicts in words, a line each, below the table and its note.
void writeVerdicts(std::ostream& out, const ReportTable& table) {
    out << "besser: Anteil mit mindestens so hohem Saldo; Hausvorteil ab: nach so vielen Würfen\n"
           "liegt der erwartete Verlust zwei Streuungen tief; Kapital: so tief fielen 90, 95 und\n"
           "99 % der zufälligen Permanenzen höchstens. Urteil (Schwelle 5 %, zweiseitig):\n";
    for (const ReportTable::Row& r : table.files)
        out << "  " << shown(r.cells.front()) << ": " << r.verdict << "\n";
    if (table.totalShown()) out << "  Summe: " << table.total.verdict << "\n";
}

}  // namespace

void writeSystemJson(std::ostream& out, const tester::LoadedJob& job, const tester::Outcome& played,
                     const ReportTable& table) {
    Json json = {{"system", text::toUtf8(job.system.name)},
                 {"kernel", system::pathKey(played.played)}};
    if (job.random() || job.baseline()) json["seed"] = job.options.seed;
    json["files"] = Json::array();
    for (const ReportTable::Row& row : table.files)
        json["files"].push_back(rowJson(row));
    json["total"] = rowJson(table.total);
    out << json.dump() << "\n";
}

void writeSystemText(std::ostream& out, const tester::LoadedJob& job, const tester::Outcome& played,
                     const ReportTable& table) {
    out << "System: " << shown(job.system.name) << "\n\n";
    TextTable text;
    for (const ReportTable::Heading& heading : table.headings)
        text.column(heading.text, heading.figures);
    const auto row = [&](const ReportTable::Row& r) {
        std::vector<std::string> cells;
        for (const std::string& cell : r.cells)
            cells.push_back(shown(cell));
        text.row(std::move(cells));
    };
    for (const ReportTable::Row& r : table.files)
        row(r);
    if (table.totalShown()) {
        text.rule();
        row(table.total);
    }
    text.write(out);
    if (job.baseline()) {
        out << "\nZufall: dasselbe System über " << played.files.front().baseline->runs
            << " zufällige Permanenzen der Länge jeder Datei; Perzentil: Anteil der zufälligen\n"
               "Permanenzen mit kleinerem Saldo (Gleichstand halb gezählt).\n";
        writeVerdicts(out, table);
    }
    if (job.baseline() || job.random())
        out << "Startwert der Zufallszahlen: " << job.options.seed << "\n";
}

std::string cycleLogHeader() {
    return csvRecord({"file", "placed", "ended", "pair", "side", "stake", "outcome", "saldo"});
}

std::string cycleLogRecords(const std::string& file, const std::vector<system::Cycle>& cycles) {
    const std::string name = text::escapeControls(text::toUtf8(file));
    std::string records;
    for (const system::Cycle& c : cycles) {
        if (c.fictitious) continue;
        const auto chance = static_cast<std::size_t>(wheel::chanceOf(c.pair, c.side));
        records += csvRecord({name, std::to_string(c.placed), std::to_string(c.ended),
                              std::string(wheel::pairKeys[static_cast<std::size_t>(c.pair)]),
                              std::string(wheel::chanceKeys[chance]), std::to_string(c.stake),
                              endName(c.end), std::to_string(c.saldo)});
    }
    return records;
}

}  // namespace tamvek::cli
