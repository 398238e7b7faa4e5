#include "output/TableExport.h"

#include <fstream>

#include "core/Csv.h"
#include "core/Numbers.h"
#include "engine/ChancePair.h"
#include "wheel/Names.h"

namespace tamvek::output {
namespace {

// What one pair cell of the spin log shows, in words.
std::string cellWords(const form::Grid::Cell& cell) {
    std::string words;
    if (cell.fill == colours::zeroCell)
        words = "Null";
    else if (cell.fill == colours::winCell)
        words = "gewonnen";
    else if (cell.fill == colours::side1Cell || cell.fill == colours::side2Cell)
        words = "gefallen";
    if (cell.text == "S") words += words.empty() ? "S" : " S";
    return words;
}

bool rowHasAnything(const form::Grid& grid, int row) {
    for (int c = 1; c < grid.cols(); ++c)
        if (!grid.cell(row, c).text.empty()) return true;
    return false;
}

}  // namespace

std::pair<std::string, std::string> tableFiles(const std::string& picked) {
    std::string stem = picked;
    if (stem.size() > 4 && stem.substr(stem.size() - 4) == ".csv") stem.resize(stem.size() - 4);
    return {stem + "-Würfe.csv", stem + "-Gewinn-Verlust.csv"};
}

Result<std::string> exportTables(const engine::Game& game, const std::string& picked) {
    const auto [spinsFile, profitFile] = tableFiles(picked);
    const form::MainForm& f = game.form;
    const engine::GameState& s = game.state;

    std::ofstream spins(spinsFile, std::ios::binary);
    CsvWriter spinLog(spins);
    std::vector<std::string> heading{"Wurf", "Zahl"};
    heading.insert(heading.end(), wheel::chanceNames.begin(), wheel::chanceNames.end());
    heading.emplace_back("Spiel");
    spinLog.record(heading);
    // The spins played, and the next row when it holds stakes already.
    const int played = nearestInt<int>(s.currentSpin);
    for (int r = 0; r < f.tabelle2.rows(); ++r) {
        if (r >= played && !(r == played && rowHasAnything(f.tabelle2, r))) break;
        std::vector<std::string> record{f.tabelle2.cell(r, 0).text, f.tabelle2.cell(r, 10).text};
        for (const engine::ChancePair& pair : engine::chancePairs)
            for (int side : {1, 2})
                record.push_back(cellWords(f.tabelle2.cell(r, pair.column(side))));
        record.emplace_back(f.tabelle2.cell(r, 0).fill == colours::fictitious ? "fiktiv" : "echt");
        spinLog.record(record);
    }
    spins.close();

    std::ofstream profit(profitFile, std::ios::binary);
    CsvWriter profitTable(profit);
    profitTable.record({"Wurf", "Gewinn/Verlust", "Stücke", "Saldo", "Spiel"});
    for (int r = 0; r < s.profitRow && r < f.tabelle1.rows(); ++r) {
        const bool win = f.tabelle1.cell(r, 1).fill == colours::profitRed;
        profitTable.record({f.tabelle1.cell(r, 0).text, win ? "Gewinn" : "Verlust",
                            f.tabelle1.cell(r, 2).text, f.tabelle1.cell(r, 3).text,
                            f.tabelle1.cell(r, 0).fill == colours::fictitious ? "fiktiv" : "echt"});
    }
    profit.close();

    if (!spins) return Error{spinsFile + ": kann nicht geschrieben werden"};
    if (!profit) return Error{profitFile + ": kann nicht geschrieben werden"};
    return "Tabellen gespeichert: " + spinsFile + ", " + profitFile;
}

}  // namespace tamvek::output
