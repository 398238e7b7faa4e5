#include "output/TableExport.h"

#include "core/Csv.h"
#include "core/Numbers.h"
#include "engine/ChancePair.h"
#include "platform/OutputFile.h"
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

// The spin log: the spins played, and the next row when it holds stakes already.
std::string spinLogCsv(const engine::Game& game) {
    const form::MainForm& f = game.form;
    std::vector<std::string> heading{"Wurf", "Zahl"};
    heading.insert(heading.end(), wheel::chanceNames.begin(), wheel::chanceNames.end());
    heading.emplace_back("Spiel");
    std::string csv = csvRecord(heading);
    const int played = nearestInt<int>(game.state.currentSpin);
    for (int r = 0; r < f.tabelle2.rows(); ++r) {
        if (r >= played && !(r == played && rowHasAnything(f.tabelle2, r))) break;
        std::vector<std::string> record{f.tabelle2.cell(r, 0).text, f.tabelle2.cell(r, 10).text};
        for (const engine::ChancePair& pair : engine::chancePairs)
            for (int side : {1, 2})
                record.push_back(cellWords(f.tabelle2.cell(r, pair.column(side))));
        record.emplace_back(f.tabelle2.cell(r, 0).fill == colours::fictitious ? "fiktiv" : "echt");
        csv += csvRecord(record);
    }
    return csv;
}

std::string profitCsv(const engine::Game& game) {
    const form::MainForm& f = game.form;
    std::string csv = csvRecord({"Wurf", "Gewinn/Verlust", "Stücke", "Saldo", "Spiel"});
    for (int r = 0; r < game.state.profitRow && r < f.tabelle1.rows(); ++r) {
        const bool win = f.tabelle1.cell(r, 1).fill == colours::profitRed;
        csv += csvRecord({f.tabelle1.cell(r, 0).text, win ? "Gewinn" : "Verlust",
                          f.tabelle1.cell(r, 2).text, f.tabelle1.cell(r, 3).text,
                          f.tabelle1.cell(r, 0).fill == colours::fictitious ? "fiktiv" : "echt"});
    }
    return csv;
}

// `bytes` into a temporary file beside `path`, synced and ready to take its place.
Result<platform::OutputFile> prepared(const std::string& path, const std::string& bytes,
                                      platform::Overwrite overwrite) {
    Result<platform::OutputFile> file = platform::OutputFile::create(path, overwrite);
    if (!file) return file.error();
    if (auto error = file->write(bytes)) return *error;
    if (auto error = file->prepare()) return *error;
    return file;
}

}  // namespace

std::pair<std::string, std::string> tableFiles(const std::string& picked) {
    std::string stem = picked;
    if (stem.size() > 4 && stem.substr(stem.size() - 4) == ".csv") stem.resize(stem.size() - 4);
    return {stem + "-Würfe.csv", stem + "-Gewinn-Verlust.csv"};
}

Result<std::string> exportTables(const engine::Game& game, const std::string& picked,
                                 platform::Overwrite overwrite) {
    const auto [spinsFile, profitFile] = tableFiles(picked);
    // Both written out in full before either takes its place: a full disk
    // leaves both old files as they were.
    Result<platform::OutputFile> spins = prepared(spinsFile, spinLogCsv(game), overwrite);
    if (!spins) return spins.error();
    Result<platform::OutputFile> profit = prepared(profitFile, profitCsv(game), overwrite);
    if (!profit) return profit.error();
    if (auto error = spins->commit()) return *error;
    if (auto error = profit->commit()) return *error;
    return "Tabellen gespeichert: " + spinsFile + ", " + profitFile;
}

}  // namespace tamvek::output
