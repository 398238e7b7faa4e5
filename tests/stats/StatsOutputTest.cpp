#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/StatsOutput.h"
#include "stats/Summary.h"

namespace {

using namespace tamvek;
using Json = nlohmann::ordered_json;
using Spins = std::vector<std::uint8_t>;

stats::Summary summaryOf(const std::vector<stats::Permanence>& files) {
    auto s = stats::summarize(files);
    EXPECT_TRUE(s.ok());
    return s.ok() ? *s : stats::Summary{};
}

Json jsonOf(const stats::Summary& s) {
    std::ostringstream out;
    cli::writeStatsJson(out, s.files, s.total);
    return Json::parse(out.str());
}

std::string textOf(const stats::Summary& s) {
    std::ostringstream out;
    cli::writeStatsText(out, s.files, s.total);
    return out.str();
}

std::vector<std::string> keysOf(const Json& object) {
    std::vector<std::string> keys;
    for (const auto& [key, value] : object.items())
        keys.push_back(key);
    return keys;
}

bool hasNull(const Json& json) {
    if (json.is_null()) return true;
    if (json.is_structured())
        for (const auto& element : json)
            if (hasNull(element)) return true;
    return false;
}

Spins copiedBlock() {
    Spins spins(200);
    std::uint32_t x = 99;
    for (auto& s : spins) {
        x = x * 1664525u + 1013904223u;
        s = static_cast<std::uint8_t>((x >> 16) % 37);
    }
    for (std::size_t i = 0; i < 60; ++i)
        spins[120 + i] = spins[10 + i];
    return spins;
}

TEST(StatsJson, Shape) {
    const Spins spins = copiedBlock();
    const Json json = jsonOf(summaryOf({{"a.txt", spins}, {"leer.txt", Spins{}}}));
    EXPECT_EQ(keysOf(json), (std::vector<std::string>{"files", "total"}));
    ASSERT_EQ(json["files"].size(), 2u);
    const std::vector<std::string> chances{"red", "black", "low", "high", "even", "odd"};
    std::vector<std::string> lengths;
    for (int i = 1; i <= 11; ++i)
        lengths.push_back(std::to_string(i));
    lengths.push_back("12+");
    for (const Json& f : {json["files"][0], json["files"][1], json["total"]}) {
        const std::vector<std::string> keys = keysOf(f);
        const std::vector<std::string> required{
            "file",          "spins",   "zero",          "counts", "ecart", "series",
            "longestSeries", "absence", "numberAbsence", "chi2",   "p",     "repeats"};
        std::size_t at = 0;  // the required keys in this order, others may come between
        for (const std::string& key : keys)
            if (at < required.size() && key == required[at]) ++at;
        EXPECT_EQ(at, required.size()) << f.dump();
        for (const char* byChance : {"counts", "ecart", "longestSeries", "absence"})
            EXPECT_EQ(keysOf(f[byChance]), chances) << byChance;
        EXPECT_EQ(keysOf(f["series"]),
                  (std::vector<std::string>{"red-black", "low-high", "even-odd"}));
        for (const auto& [pair, counts] : f["series"].items())
            EXPECT_EQ(keysOf(counts), lengths) << pair;
        EXPECT_EQ(f["numberAbsence"].size(), 37u);
        EXPECT_TRUE(f["chi2"].is_number());
        EXPECT_FALSE(hasNull(f)) << f.dump();
    }
    const Json& a = json["files"][0];
    EXPECT_EQ(a["file"], "a.txt");
    EXPECT_EQ(a["spins"], 200);
    EXPECT_EQ(a["repeats"], Json::parse(R"([{"at":11,"again":121,"length":60}])"));
    EXPECT_EQ(json["files"][1]["p"], 1);
    EXPECT_EQ(json["total"]["file"], "total");
    EXPECT_EQ(json["total"]["spins"], 200);
}

// As the dump and `system --json` show it: a stray byte is read as Latin-1.
TEST(StatsJson, ANameThatIsNotUtf8DoesNotStopTheOutput) {
    const Json json = jsonOf(summaryOf({{"Gro\xDF.txt", Spins{1, 2}}}));
    EXPECT_EQ(json["files"][0]["file"], "Gro\xC3\x9F.txt");
}

TEST(StatsText, ShowsEveryFigureInGerman) {
    const Spins spins = copiedBlock();
    const std::string text = textOf(summaryOf({{"a.txt", spins}}));
    for (const char* part :
         {"a.txt\n=====\n", "Würfe 200, davon Null ", "Rot", "Schwarz", "Manque", "Passe", "Gerade",
          "Ungerade", "Ecart", "Längste Serie", "Längstes Ausbleiben", "Erwartet", "12+",
          "Chi-Quadrat", "Würfe 11 bis 70 kommen ab Wurf 121 wieder (60 Würfe)"})
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
    EXPECT_EQ(text.find("Gesamt"), std::string::npos) << "one file is its own total";
}

TEST(StatsText, TotalAndGermanNumbers) {
    Spins many(12345, 1);
    many[0] = 0;
    const std::string text = textOf(summaryOf({{"a", many}, {"b", Spins{37, 2}}}));
    EXPECT_NE(text.find("Gesamt (2 Dateien)"), std::string::npos);
    EXPECT_NE(text.find("Würfe 12.347, davon Null 1 (0,01 %), außerhalb 0–36 1"), std::string::npos)
        << text;
    EXPECT_NE(text.find("+111,10"), std::string::npos) << text;  // 12344 / sqrt(12345)
    EXPECT_NE(text.find("p = < 0,0001"), std::string::npos);
    EXPECT_NE(text.find("Wiederholte Strecken von 50 Würfen und mehr: 1\n"), std::string::npos);
}

TEST(StatsText, ListsTheFirstRepeatsAndSaysWhenTheListWasCut) {
    Spins spins;
    for (std::uint8_t round = 0; round < 30; ++round) {
        for (std::uint8_t i = 0; i < 50; ++i)
            spins.push_back(static_cast<std::uint8_t>(i % 37));
        spins.push_back(static_cast<std::uint8_t>(round + 1));
    }
    stats::Summary s = summaryOf({{"a", spins}});
    ASSERT_GT(s.files[0].repeats.size(), 20u);
    std::string text = textOf(s);
    EXPECT_NE(text.find("und " + std::to_string(s.files[0].repeats.size() - 20) + " weitere"),
              std::string::npos)
        << text;
    s.files[0].repeatsCut = true;
    text = textOf(s);
    EXPECT_NE(text.find("und mehr: mehr als "), std::string::npos);
}

TEST(StatsCommand, ReadsFilesAndReportsWhatFails) {
    std::ostringstream out, err;
    EXPECT_EQ(cli::runStats({}, false, out, err), cli::statsNoFiles);
    EXPECT_NE(err.str().find("no permanence"), std::string::npos);

    err.str("");
    EXPECT_EQ(cli::runStats({"/nonexistent/spins.txt"}, false, out, err), cli::statsCannotRead);
    EXPECT_NE(err.str().find("/nonexistent/spins.txt"), std::string::npos);
    EXPECT_TRUE(out.str().empty());

    const std::string genting = std::string(TAMVEK_TEST_DATA) + "/spins/genting-118.txt";
    EXPECT_EQ(cli::runStats({genting}, false, out, err), cli::statsOk);
    EXPECT_NE(out.str().find("Würfe 118"), std::string::npos) << out.str();

    out.str("");
    EXPECT_EQ(cli::runStats({genting, genting}, true, out, err), cli::statsOk);
    const Json json = Json::parse(out.str());
    EXPECT_EQ(json["total"]["spins"], 236);
    // The same file twice is one long repeat over the two.
    EXPECT_EQ(json["total"]["repeats"], Json::parse(R"([{"at":1,"again":119,"length":118}])"));
}

}  // namespace
