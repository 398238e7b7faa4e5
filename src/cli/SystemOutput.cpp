#include "cli/SystemOutput.h"

#include <algorithm>
#include <variant>

#include <nlohmann/json.hpp>

#include "cli/TextTable.h"
#include "core/Csv.h"
#include "core/Figures.h"
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

// The figures of a sweep's report.
Json reportJson(const system::Report& r) {
    return {{"spins", r.spins},         {"cycles", r.cycles},   {"staked", r.staked},
            {"saldo", r.saldo},         {"highest", r.highest}, {"lowest", r.lowest},
            {"drawdown", r.drawdown},   {"lostRun", r.lostRun}, {"largestStake", r.largestStake},
            {"atMaximum", r.atMaximum}, {"ruined", r.ruined}};
}

// A variant's values, "bet1.ride = 2, capital = 500".
std::string valuesText(const tester::LoadedSweep& sweep, const std::vector<std::string>& values) {
    std::string text;
    for (std::size_t k = 0; k < values.size(); ++k)
        text += (k > 0 ? ", " : "") + sweep.keys[k] + " = " + values[k];
    return text;
}

std::uint64_t partSpins(const tester::LoadedSweep& sweep, bool check) {
    std::uint64_t spins = 0;
    for (std::size_t f = 0; f < sweep.files.size(); ++f)
        spins += check ? sweep.files[f].classes.size() - sweep.splitAt(f) : sweep.splitAt(f);
    return spins;
}

// The best 20: rank, the values, both Saldos.
void writeRanking(std::ostream& out, const tester::LoadedSweep& sweep,
                  const tester::SweepOutcome& played) {
    TextTable text;
    text.column("Rang", true);
    for (const std::string& key : sweep.keys)
        text.column(shown(key), true);
    text.column("Entwicklung", true);
    text.column("Gegenprobe", true);
    for (std::size_t r = 0; r < std::min<std::size_t>(20, played.variants.size()); ++r) {
        const tester::Variant& v = played.variants[r];
        std::vector<std::string> cells{figures::whole(r + 1)};
        for (const std::string& value : v.values)
            cells.push_back(shown(value));
        cells.push_back(figures::amount(v.development.saldo));
        cells.push_back(figures::amount(v.check.saldo));
        text.row(std::move(cells));
    }
    text.write(out);
}

// The best variant's Gegenprobe against chance, and its luck among the variants.
void writeBest(std::ostream& out, const tester::LoadedSweep& sweep,
               const tester::SweepOutcome& played) {
    const tester::Variant& best = played.variants.front();
    const tester::Verdict& v = *played.checkVerdict;
    const bool capital = sweep.systems[best.index].capital.has_value();
    out << "\nBeste Variante (" << shown(valuesText(sweep, best.values)) << "), Gegenprobe gegen "
        << figures::whole(v.runs) << " zufällige Permanenzen gleicher Länge:\n";
    TextTable text;
    const ReportTable::Row row = tester::verdictRow(v, capital);
    const std::vector<ReportTable::Heading> headings = tester::headingsOf(true, false, capital);
    text.column("Saldo", true);
    text.column("erwartet", true);
    std::vector<std::string> cells{figures::amount(best.check.saldo),
                                   figures::decimal(v.expected, 1)};
    std::size_t at = headings.size() - row.cells.size();
    for (const std::string& cell : row.cells) {
        text.column(headings[at++].text, true);
        cells.push_back(cell);
    }
    text.row(std::move(cells));
    text.write(out);
    out << "Urteil: " << v.sentence << "\n";
    const tester::Verdict& d = *played.developmentVerdict;
    out << "Entwicklung: " << (d.betterBelow ? "weniger als " : "") << tester::percentText(d.better)
        << " der Zufallspermanenzen waren besser; unter " << figures::whole(played.variants.size())
        << " Varianten findet sich ein so gutes Ergebnis mit " << tester::percentText(*played.luck)
        << " Wahrscheinlichkeit durch Glück.\n";
}

}  // namespace

void writeSweepText(std::ostream& out, const tester::LoadedSweep& sweep,
                    const tester::SweepOutcome& played) {
    out << "System: " << shown(sweep.name) << "\n"
        << "Varianten: " << figures::whole(played.variants.size())
        << ", nach dem Saldo der Entwicklung; Entwicklung: "
        << figures::whole(partSpins(sweep, false))
        << " Würfe (der Anfang jeder Datei), Gegenprobe: " << figures::whole(partSpins(sweep, true))
        << " Würfe (der Rest)\n\n";
    writeRanking(out, sweep, played);
    if (played.checkVerdict) writeBest(out, sweep, played);
    if (sweep.baselineRuns > 0) out << "Startwert der Zufallszahlen: " << sweep.seed << "\n";
}

void writeSweepJson(std::ostream& out, const tester::LoadedSweep& sweep,
                    const tester::SweepOutcome& played) {
    Json json = {{"system", text::toUtf8(sweep.name)}, {"split", sweep.split}};
    if (sweep.baselineRuns > 0) json["seed"] = sweep.seed;
    json["keys"] = Json::array();
    for (const std::string& key : sweep.keys)
        json["keys"].push_back(text::toUtf8(key));
    json["variants"] = Json::array();
    for (const tester::Variant& v : played.variants) {
        Json values = Json::object();
        for (std::size_t k = 0; k < v.values.size(); ++k)
            values[text::toUtf8(sweep.keys[k])] = text::toUtf8(v.values[k]);
        json["variants"].push_back({{"values", values},
                                    {"development", reportJson(v.development)},
                                    {"check", reportJson(v.check)}});
    }
    if (played.checkVerdict) {
        const bool capital = sweep.systems[played.variants.front().index].capital.has_value();
        json["best"] = {
            {"check", rowJson(tester::verdictRow(*played.checkVerdict, capital))},
            {"development", rowJson(tester::verdictRow(*played.developmentVerdict, capital))},
            {"luck", *played.luck}};
    }
    out << json.dump() << "\n";
}

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
