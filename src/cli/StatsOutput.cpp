#include "cli/StatsOutput.h"

#include <cmath>
#include <cstdio>
#include <ostream>

#include <nlohmann/json.hpp>

#include "core/Figures.h"
#include "core/Text.h"
#include "formats/SpinFiles.h"
#include "stats/Summary.h"
#include "wheel/Names.h"

namespace tamvek::cli {
namespace {

using stats::FileStats;

using figures::decimal;
using figures::percent;
using figures::whole;
// The repeats a text block lists; the JSON has them all.
constexpr std::size_t repeatsShown = 20;

// ---- text ----

// Characters, not bytes: "Würfe" takes five columns.
std::size_t columns(const std::string& text) {
    return text::characterCount(text);
}

std::string right(const std::string& text, std::size_t width) {
    const std::size_t used = columns(text);
    return used >= width ? text : std::string(width - used, ' ') + text;
}

std::string left(const std::string& text, std::size_t width) {
    const std::size_t used = columns(text);
    return used >= width ? text : text + std::string(width - used, ' ');
}

std::string probability(double p) {
    return p < 0.0001 ? "< 0,0001" : decimal(p, 4);
}

constexpr std::size_t labelWidth = 22;
constexpr std::size_t chanceWidth = 10;

void chanceRow(std::ostream& out, const std::string& label,
               const std::array<std::string, stats::chances>& cells) {
    out << left(label, labelWidth);
    for (const std::string& cell : cells)
        out << right(cell, chanceWidth);
    out << '\n';
}

template <class F>
std::array<std::string, stats::chances> perChance(F cell) {
    std::array<std::string, stats::chances> cells;
    for (std::size_t k = 0; k < cells.size(); ++k)
        cells[k] = cell(k);
    return cells;
}

void writeChances(std::ostream& out, const FileStats& s) {
    chanceRow(out, "", perChance([](std::size_t k) { return std::string(wheel::chanceNames[k]); }));
    chanceRow(out, "Anzahl", perChance([&](std::size_t k) { return whole(s.counts[k]); }));
    chanceRow(out, "Anteil",
              perChance([&](std::size_t k) { return percent(s.counts[k], s.spins); }));
    chanceRow(out, "Ecart", perChance([&](std::size_t k) { return decimal(s.ecart[k], 2, true); }));
    chanceRow(out, "Längste Serie",
              perChance([&](std::size_t k) { return whole(s.longestSeries[k]); }));
    chanceRow(out, "Längstes Ausbleiben",
              perChance([&](std::size_t k) { return whole(s.absence[k]); }));
}

constexpr std::size_t lengthWidth = 7;
constexpr std::size_t countWidth = 10;
constexpr std::size_t expectedWidth = 12;
constexpr std::size_t pairGap = 3;

void writeSeries(std::ostream& out, const FileStats& s) {
    out << "Serien nach Länge (Null übersprungen; erwartet: von Länge zu Länge die Hälfte)\n";
    out << left("", lengthWidth);
    for (std::string_view name : wheel::pairNames)
        out << std::string(pairGap, ' ') << right(std::string(name), countWidth + expectedWidth);
    out << '\n' << left("Länge", lengthWidth);
    for (std::size_t p = 0; p < wheel::pairNames.size(); ++p)
        out << std::string(pairGap, ' ') << right("Ist", countWidth)
            << right("Erwartet", expectedWidth);
    out << '\n';
    std::array<std::uint64_t, wheel::pairs> sums{};
    for (std::size_t length = 0; length < stats::seriesLengths; ++length) {
        const bool last = length + 1 == stats::seriesLengths;
        out << left(right(std::to_string(length + 1) + (last ? "+" : ""), 3), lengthWidth);
        for (std::size_t p = 0; p < wheel::pairs; ++p) {
            sums[p] += s.series[p][length];
            out << std::string(pairGap, ' ') << right(whole(s.series[p][length]), countWidth)
                << right(decimal(s.expected[p][length], 1), expectedWidth);
        }
        out << '\n';
    }
    out << left("Summe", lengthWidth);
    for (std::size_t p = 0; p < wheel::pairs; ++p)
        out << std::string(pairGap, ' ') << right(whole(sums[p]), countWidth)
            << right(whole(sums[p]), expectedWidth);
    out << '\n';
}

// Three columns of numbers, 0..12, 13..25 and 26..36.
void writeNumbers(std::ostream& out, const FileStats& s) {
    constexpr std::size_t rows = (stats::numbers + 2) / 3;
    out << "Zahlen (Ausbleiben: die meisten Würfe in Folge ohne die Zahl)\n";
    for (std::size_t column = 0; column < 3; ++column)
        out << (column > 0 ? "   " : "") << "Zahl" << right("Anzahl", 9) << right("Ausbleiben", 12);
    out << '\n';
    for (std::size_t row = 0; row < rows; ++row) {
        for (std::size_t n = row; n < stats::numbers; n += rows) {
            out << (n > row ? "   " : "") << right(std::to_string(n), 4)
                << right(whole(s.numberCounts[n]), 9) << right(whole(s.numberAbsence[n]), 12);
        }
        out << '\n';
    }
}

void writeRepeats(std::ostream& out, const FileStats& s) {
    const std::string heading =
        "Wiederholte Strecken von " + std::to_string(stats::repeatLength) + " Würfen und mehr: ";
    if (!s.repeatsSearched) {
        out << heading << "nicht gesucht (mehr als " << whole(stats::repeatSearchLimit)
            << " Würfe in Folge)\n";
        return;
    }
    if (s.repeats.empty()) {
        out << heading << "keine\n";
        return;
    }
    out << heading << (s.repeatsCut ? "mehr als " : "") << whole(s.repeats.size()) << '\n';
    const std::size_t shown = std::min(s.repeats.size(), repeatsShown);
    for (std::size_t i = 0; i < shown; ++i) {
        const stats::Repeat& r = s.repeats[i];
        out << "  Würfe " << whole(r.at) << " bis " << whole(r.at + r.length - 1)
            << " kommen ab Wurf " << whole(r.again) << " wieder (" << whole(r.length)
            << " Würfe)\n";
    }
    if (shown < s.repeats.size())
        out << "  und " << whole(s.repeats.size() - shown) << " weitere\n";
}

void writeBlock(std::ostream& out, const std::string& name, const FileStats& s) {
    const std::string title = text::escapeControls(name);
    out << title << '\n' << std::string(columns(title), '=') << '\n';
    std::uint64_t onWheel = 0;
    for (std::uint64_t n : s.numberCounts)
        onWheel += n;
    out << "Würfe " << whole(s.spins) << ", davon Null " << whole(s.zero) << " ("
        << percent(s.zero, s.spins) << ")";
    if (onWheel < s.spins) out << ", außerhalb 0–36 " << whole(s.spins - onWheel);
    out << "\n\n";
    writeChances(out, s);
    out << '\n';
    writeSeries(out, s);
    out << '\n';
    writeNumbers(out, s);
    out << '\n';
    out << "Chi-Quadrat der Zahlen 0–36: " << decimal(s.chi2, 2) << " bei " << stats::numbers - 1
        << " Freiheitsgraden, p = " << probability(s.p) << '\n';
    writeRepeats(out, s);
}

// ---- JSON ----

using Json = nlohmann::ordered_json;

template <class T>
Json byChance(const std::array<T, stats::chances>& values) {
    Json json = Json::object();
    for (std::size_t k = 0; k < values.size(); ++k)
        json[std::string(wheel::chanceKeys[k])] = values[k];
    return json;
}

template <class T>
Json byPair(const std::array<std::array<T, stats::seriesLengths>, wheel::pairs>& values) {
    Json json = Json::object();
    for (std::size_t p = 0; p < values.size(); ++p) {
        Json lengths = Json::object();
        for (std::size_t length = 0; length < stats::seriesLengths; ++length) {
            const bool last = length + 1 == stats::seriesLengths;
            lengths[std::to_string(length + 1) + (last ? "+" : "")] = values[p][length];
        }
        json[std::string(wheel::pairKeys[p])] = std::move(lengths);
    }
    return json;
}

Json statsJson(const FileStats& s) {
    Json repeats = Json::array();
    for (const stats::Repeat& r : s.repeats)
        repeats.push_back({{"at", r.at}, {"again", r.again}, {"length", r.length}});
    return {
        {"file", text::toUtf8(s.file)},
        {"spins", s.spins},
        {"zero", s.zero},
        {"counts", byChance(s.counts)},
        {"ecart", byChance(s.ecart)},
        {"series", byPair(s.series)},
        {"expectedSeries", byPair(s.expected)},
        {"longestSeries", byChance(s.longestSeries)},
        {"absence", byChance(s.absence)},
        {"numberAbsence", s.numberAbsence},
        {"numberCounts", s.numberCounts},
        {"chi2", s.chi2},
        {"p", s.p},
        {"repeats", std::move(repeats)},
        {"repeatsCut", s.repeatsCut},
        {"repeatsSearched", s.repeatsSearched},
    };
}

}  // namespace

void writeStatsText(std::ostream& out, const std::vector<FileStats>& files,
                    const FileStats& total) {
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (i > 0) out << '\n';
        writeBlock(out, files[i].file, files[i]);
    }
    if (files.size() == 1) return;
    if (!files.empty()) out << '\n';
    writeBlock(out, "Gesamt (" + std::to_string(files.size()) + " Dateien)", total);
}

void writeStatsJson(std::ostream& out, const std::vector<FileStats>& files,
                    const FileStats& total) {
    Json list = Json::array();
    for (const FileStats& f : files)
        list.push_back(statsJson(f));
    Json json = {{"files", std::move(list)}, {"total", statsJson(total)}};
    json["total"]["file"] = "total";
    out << json.dump() << '\n';
}

int runStats(const std::vector<std::string>& names, bool json, std::ostream& out, std::ostream& err,
             const std::atomic<bool>* cancel) {
    const auto cancelled = [&] { return cancel != nullptr && cancel->load(); };
    if (names.empty()) {
        err << "tamvek-cli stats: no permanence given\n";
        return statsNoFiles;
    }
    // A name at a time, so that a cancel need not wait for the whole list.
    std::vector<formats::SpinFile> files;
    for (const std::string& name : names) {
        Result<std::vector<formats::SpinFile>> read = formats::readSpinFiles({name});
        if (cancelled()) return statsCancelled;
        if (!read) {
            err << "tamvek-cli stats: " << text::escapeControls(read.error().message) << '\n';
            return statsCannotRead;
        }
        for (formats::SpinFile& file : *read)
            files.push_back(std::move(file));
    }
    std::vector<stats::Permanence> permanences;
    for (const formats::SpinFile& f : files)
        permanences.push_back({f.name, f.classes});
    const Result<stats::Summary> summary = stats::summarize(permanences);
    if (cancelled()) return statsCancelled;
    if (!summary) {
        err << "tamvek-cli stats: " << text::escapeControls(summary.error().message) << '\n';
        return statsCannotRead;
    }
    if (json)
        writeStatsJson(out, summary->files, summary->total);
    else
        writeStatsText(out, summary->files, summary->total);
    return statsOk;
}

}  // namespace tamvek::cli
