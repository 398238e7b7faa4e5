#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <random>

#include <nlohmann/json.hpp>

#include "cli/Commands.h"
#include "cli/Progress.h"
#include "cli/TextTable.h"
#include "core/Csv.h"
#include "core/Figures.h"
#include "formats/SpinFiles.h"
#include "formats/SystemFile.h"
#include "system/Baseline.h"
#include "system/Player.h"
#include "tester/SystemRun.h"
#include "wheel/Names.h"

namespace tamvek::cli {
namespace {

using Json = nlohmann::ordered_json;
using figures::amount;
using figures::decimal;
using figures::whole;
using system::Report;

Json reportJson(const std::string& file, const Report& r) {
    return {{"file", file},
            {"spins", r.spins},
            {"cycles", r.cycles},
            {"takenHome", r.takenHome},
            {"lost", r.lost},
            {"givenBack", r.givenBack},
            {"staked", r.staked},
            {"saldo", r.saldo},
            {"highest", r.highest},
            {"lowest", r.lowest},
            {"drawdown", r.drawdown},
            {"lostRun", r.lostRun},
            {"largestStake", r.largestStake}};
}

void writeText(std::ostream& out, const system::System& sys,
               const std::vector<tester::FileResult>& files, const Report& total, bool baseline) {
    out << "System: " << sys.name << "\n\n";
    TextTable table;
    table.column("Datei", false);
    for (const char* h : {"Würfe", "Zyklen", "heim", "verloren", "zurück", "gesetzt", "Saldo",
                          "höchster", "tiefster", "Einbruch", "Verlustserie", "größter Einsatz"})
        table.column(h);
    if (baseline)
        for (const char* h : {"Zufall: Mittel", "Streuung", "Perzentil"})
            table.column(h);
    const auto cells = [](const std::string& name, const Report& r) {
        return std::vector<std::string>{name,
                                        whole(r.spins),
                                        whole(r.cycles),
                                        whole(r.takenHome),
                                        whole(r.lost),
                                        whole(r.givenBack),
                                        amount(r.staked),
                                        amount(r.saldo),
                                        amount(r.highest),
                                        amount(r.lowest),
                                        amount(r.drawdown),
                                        whole(r.lostRun),
                                        amount(r.largestStake)};
    };
    for (const tester::FileResult& p : files) {
        std::vector<std::string> row = cells(p.name, p.report);
        if (p.baseline) {
            row.push_back(decimal(p.baseline->mean, 1));
            row.push_back(decimal(p.baseline->sd, 1));
            row.push_back(decimal(p.baseline->percentile, 1) + " %");
        }
        table.row(row);
    }
    if (files.size() > 1) {
        table.rule();
        table.row(cells("Summe", total));
    }
    table.write(out);
    if (baseline) {
        out << "\nZufall: dasselbe System über " << files.front().baseline->runs
            << " zufällige Permanenzen der Länge jeder Datei; Perzentil: Anteil der zufälligen\n"
               "Permanenzen mit kleinerem Saldo (Gleichstand halb gezählt).\n";
    }
}

std::string pairName(wheel::Pair pair) {
    return std::string(wheel::pairKeys[static_cast<std::size_t>(pair)]);
}

std::string sideName(wheel::Pair pair, int side) {
    return std::string(wheel::chanceKeys[static_cast<std::size_t>(wheel::chanceOf(pair, side))]);
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

}  // namespace

int runSystem(const SystemOptions& options) {
    if (options.random > 0 && !options.permanences.empty()) {
        std::cerr << "tamvek-cli: entweder Permanenzen oder --random, nicht beides\n";
        return exitBadCall;
    }
    if (options.random == 0 && options.permanences.empty()) {
        std::cerr << "tamvek-cli: keine Permanenz angegeben (Dateien, ein Ordner, - oder "
                     "--random N)\n";
        return exitBadCall;
    }
    const Result<system::System> sys = formats::readSystemFile(options.system);
    if (!sys) {
        std::cerr << "tamvek-cli: " << sys.error().message << "\n";
        return exitBadInput;
    }
    const std::uint64_t seed = options.seed ? *options.seed : std::random_device{}();

    // Random spins are drawn as they are played, a block at a time; they are
    // never held all at once.
    std::vector<formats::SpinFile> files;
    if (options.random > 0) {
        files.push_back(tester::randomFile(options.random, seed));
    } else {
        Result<std::vector<formats::SpinFile>> read = formats::readSpinFiles(options.permanences);
        if (!read) {
            std::cerr << "tamvek-cli: " << read.error().message << "\n";
            return exitBadInput;
        }
        files = std::move(*read);
    }

    std::ofstream log;
    std::optional<CsvWriter> csv;
    if (!options.log.empty()) {
        log.open(options.log, std::ios::binary);
        if (!log) {
            std::cerr << "tamvek-cli: " << options.log << ": kann nicht geschrieben werden\n";
            return exitBadInput;
        }
        csv.emplace(log);
        csv->record({"file", "placed", "ended", "pair", "side", "stake", "outcome", "saldo"});
    }

    tester::Options play;
    play.randomSpins = options.random;
    play.baselineRuns = options.baseline;
    play.seed = seed;
    play.threads = options.threads;
    Progress progress(tester::workOf(files, play), files.size());
    tester::Hooks hooks;
    hooks.progress = [&](std::uint64_t n) { progress.add(n); };
    hooks.fileDone = [&](std::size_t) { progress.fileDone(); };
    if (csv)
        hooks.cycles = [&](const std::string& file, const std::vector<system::Cycle>& cycles) {
            for (const system::Cycle& c : cycles)
                if (!c.fictitious)
                    csv->record({file, std::to_string(c.placed), std::to_string(c.ended),
                                 pairName(c.pair), sideName(c.pair, c.side),
                                 std::to_string(c.stake), endName(c.end), std::to_string(c.saldo)});
        };
    const tester::Outcome played = tester::play(*sys, files, play, hooks);
    if (csv) {
        log.flush();
        if (!log) {
            std::cerr << "tamvek-cli: " << options.log << ": kann nicht geschrieben werden\n";
            return exitBadInput;
        }
    }

    if (options.json) {
        Json out = {{"system", sys->name}};
        if (options.random > 0 || options.baseline > 0) out["seed"] = seed;
        out["files"] = Json::array();
        for (const tester::FileResult& p : played.files) {
            Json f = reportJson(p.name, p.report);
            if (p.baseline)
                f["baseline"] = {{"runs", p.baseline->runs},
                                 {"mean", p.baseline->mean},
                                 {"sd", p.baseline->sd},
                                 {"percentile", p.baseline->percentile}};
            out["files"].push_back(std::move(f));
        }
        out["total"] = reportJson("total", played.total);
        std::cout << out.dump() << "\n";
    } else {
        writeText(std::cout, *sys, played.files, played.total, options.baseline > 0);
        if (options.baseline > 0 || options.random > 0)
            std::cout << "Startwert der Zufallszahlen: " << seed << "\n";
    }
    return exitOk;
}

}  // namespace tamvek::cli
