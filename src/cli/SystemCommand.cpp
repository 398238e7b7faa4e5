#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <variant>

#include <nlohmann/json.hpp>

#include "cli/Commands.h"
#include "cli/Progress.h"
#include "cli/TextTable.h"
#include "core/Csv.h"
#include "core/Figures.h"
#include "system/Player.h"
#include "tester/Job.h"
#include "tester/ReportTable.h"
#include "wheel/Names.h"

namespace tamvek::cli {
namespace {

using Json = nlohmann::ordered_json;
using tester::ReportTable;

int fail(const std::string& message, int status) {
    std::cerr << "tamvek-cli: " << message << "\n";
    return status;
}

// Either permanences or random spins.
int checkCall(const SystemOptions& options) {
    if (options.random > 0 && !options.permanences.empty())
        return fail("entweder Permanenzen oder --random, nicht beides", exitBadCall);
    if (options.random == 0 && options.permanences.empty())
        return fail("keine Permanenz angegeben (Dateien, ein Ordner, - oder --random N)",
                    exitBadCall);
    return exitOk;
}

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

// The cycle log: every real cycle as a CSV record, as it ends.
void logCycles(CsvWriter& csv, const std::string& file, const std::vector<system::Cycle>& cycles) {
    for (const system::Cycle& c : cycles) {
        if (c.fictitious) continue;
        const auto chance = static_cast<std::size_t>(wheel::chanceOf(c.pair, c.side));
        csv.record({file, std::to_string(c.placed), std::to_string(c.ended),
                    std::string(wheel::pairKeys[static_cast<std::size_t>(c.pair)]),
                    std::string(wheel::chanceKeys[chance]), std::to_string(c.stake), endName(c.end),
                    std::to_string(c.saldo)});
    }
}

// Plays `job` with a progress line on a terminal, and the cycles into `log`
// when there is one.
tester::Outcome play(const tester::LoadedJob& job, CsvWriter* log) {
    Progress progress(job.work(), job.files.size());
    tester::Hooks hooks;
    hooks.progress = [&](std::uint64_t n) { progress.add(n); };
    hooks.fileDone = [&](std::size_t) { progress.fileDone(); };
    if (log)
        hooks.cycles = [log](const std::string& file, const std::vector<system::Cycle>& cycles) {
            logCycles(*log, file, cycles);
        };
    return tester::play(job, hooks);
}

Json rowJson(const ReportTable::Row& row) {
    Json json = Json::object();
    for (const ReportTable::Field& field : row.fields) {
        Json& into = field.group.empty() ? json : json[field.group];
        std::visit([&](const auto& value) { into[field.key] = value; }, field.value);
    }
    return json;
}

void writeJson(std::ostream& out, const tester::LoadedJob& job, const tester::Outcome& played,
               const ReportTable& table) {
    Json json = {{"system", job.system.name}, {"kernel", system::pathKey(played.played)}};
    if (job.random() || job.baseline()) json["seed"] = job.options.seed;
    json["files"] = Json::array();
    for (const ReportTable::Row& row : table.files)
        json["files"].push_back(rowJson(row));
    json["total"] = rowJson(table.total);
    out << json.dump() << "\n";
}

void writeText(std::ostream& out, const tester::LoadedJob& job, const tester::Outcome& played,
               const ReportTable& table) {
    out << "System: " << job.system.name << "\n\n";
    TextTable text;
    for (const ReportTable::Heading& heading : table.headings)
        text.column(heading.text, heading.figures);
    for (const ReportTable::Row& row : table.files)
        text.row(row.cells);
    if (table.totalShown()) {
        text.rule();
        text.row(table.total.cells);
    }
    text.write(out);
    if (job.baseline()) {
        out << "\nZufall: dasselbe System über " << played.files.front().baseline->runs
            << " zufällige Permanenzen der Länge jeder Datei; Perzentil: Anteil der zufälligen\n"
               "Permanenzen mit kleinerem Saldo (Gleichstand halb gezählt).\n";
    }
    if (job.baseline() || job.random())
        out << "Startwert der Zufallszahlen: " << job.options.seed << "\n";
}

// Which path of the kernel played, for --verbose.
std::string kernelLine(const tester::Outcome& played) {
    const auto name = [&](system::Path path) -> std::string {
        switch (path) {
            case system::Path::Table:
                return "Tabelle (" + figures::whole(played.states) + " Zustände)";
            case system::Path::Automata:
                return "Automaten je Paar (" + figures::whole(played.states) + " Zustände)";
            case system::Path::Script:
                return "Lua-Skript Wurf für Wurf";
            case system::Path::Engine:
                break;
        }
        return "Regeln Wurf für Wurf";
    };
    std::string line = "Kern: " + name(played.compiled);
    if (played.played != played.compiled) line += ", dann " + name(played.played);
    return line;
}

}  // namespace

int runSystem(const SystemOptions& options) {
    if (const int status = checkCall(options); status != exitOk) return status;
    tester::Job job;
    job.systemFile = options.system;
    job.permanences = options.permanences;
    job.randomSpins = options.random;
    job.seed = options.seed;
    job.baselineRuns = options.baseline;
    job.threads = options.threads;
    const Result<tester::LoadedJob> loaded = tester::load(job);
    if (!loaded) return fail(loaded.error().message, exitBadInput);

    std::ofstream log;
    std::optional<CsvWriter> csv;
    if (!options.log.empty()) {
        log.open(options.log, std::ios::binary);
        if (!log) return fail(options.log + ": kann nicht geschrieben werden", exitBadInput);
        csv.emplace(log);
        csv->record({"file", "placed", "ended", "pair", "side", "stake", "outcome", "saldo"});
    }
    const tester::Outcome played = play(*loaded, csv ? &*csv : nullptr);
    if (!played.error.empty()) {
        // A run that a script stopped keeps nothing, not even its cycles so far.
        if (csv) {
            log.close();
            std::error_code ignored;
            if (std::filesystem::is_regular_file(options.log, ignored))
                std::filesystem::remove(options.log, ignored);
        }
        return fail(played.error, exitBadInput);
    }
    if (csv) {
        log.flush();
        if (!log) return fail(options.log + ": kann nicht geschrieben werden", exitBadInput);
    }
    const ReportTable table = tester::reportTable(*loaded, played);
    if (options.verbose) std::cerr << kernelLine(played) << "\n";
    if (options.json)
        writeJson(std::cout, *loaded, played, table);
    else
        writeText(std::cout, *loaded, played, table);
    return exitOk;
}

}  // namespace tamvek::cli
