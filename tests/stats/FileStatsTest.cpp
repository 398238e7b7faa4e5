#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "stats/FileStats.h"
#include "stats/Summary.h"

namespace {

using namespace tamvek::stats;
using Spins = std::vector<std::uint8_t>;

FileStats statsOf(const Spins& spins) {
    auto s = fileStats("test", spins);
    EXPECT_TRUE(s.ok());
    return s.ok() ? *s : FileStats{};
}

// Series counts of one pair with the given lengths (1..11, 12 for 12+) set.
std::array<std::uint64_t, seriesLengths> series(std::initializer_list<std::pair<int, int>> set) {
    std::array<std::uint64_t, seriesLengths> out{};
    for (auto [length, count] : set)
        out[static_cast<std::size_t>(length - 1)] = static_cast<std::uint64_t>(count);
    return out;
}

TEST(FileStats, CountsAndEcart) {
    // 1 red low odd, 2 black low even, 0, 19 red high odd, 37 high odd without a colour.
    const FileStats s = statsOf({1, 2, 0, 19, 37});
    EXPECT_EQ(s.spins, 5u);
    EXPECT_EQ(s.zero, 1u);
    EXPECT_EQ(s.counts, (std::array<std::uint64_t, chances>{2, 1, 2, 2, 1, 3}));
    const double root5 = std::sqrt(5.0);
    EXPECT_DOUBLE_EQ(s.ecart[Red], 1 / root5);
    EXPECT_DOUBLE_EQ(s.ecart[Black], -1 / root5);
    EXPECT_DOUBLE_EQ(s.ecart[Low], 0);
    EXPECT_DOUBLE_EQ(s.ecart[High], 0);
    EXPECT_DOUBLE_EQ(s.ecart[Even], -2 / root5);
    EXPECT_DOUBLE_EQ(s.ecart[Odd], 2 / root5);
    EXPECT_EQ(s.numberCounts[19], 1u);
    EXPECT_EQ(s.numberCounts[0], 1u);
}

TEST(FileStats, SeriesRunOverZerosAndUndecidedNumbers) {
    // Red/black: R 0 R 37 R B B 0 B R -> 3, 3, 1. Low/high: L L H L L L L L -> 2, 1, 5.
    // Even/odd: O O O O E E E O -> 4, 3, 1.
    const FileStats s = statsOf({1, 0, 3, 37, 5, 2, 4, 0, 6, 7});
    EXPECT_EQ(s.series[tamvek::wheel::RedBlack], series({{1, 1}, {3, 2}}));
    EXPECT_EQ(s.series[tamvek::wheel::LowHigh], series({{1, 1}, {2, 1}, {5, 1}}));
    EXPECT_EQ(s.series[tamvek::wheel::EvenOdd], series({{1, 1}, {3, 1}, {4, 1}}));
    EXPECT_EQ(s.longestSeries, (std::array<std::uint64_t, chances>{3, 3, 5, 1, 3, 4}));
}

TEST(FileStats, LongSeriesAndTheirExpectation) {
    // 11 times 1 (red odd), 2 (black even), 12 times 1, 2, 13 times 1: all low.
    Spins spins(11, 1);
    spins.push_back(2);
    spins.insert(spins.end(), 12, 1);
    spins.push_back(2);
    spins.insert(spins.end(), 13, 1);
    const FileStats s = statsOf(spins);
    EXPECT_EQ(s.series[tamvek::wheel::RedBlack], series({{1, 2}, {11, 1}, {12, 2}}));
    EXPECT_EQ(s.series[tamvek::wheel::EvenOdd], series({{1, 2}, {11, 1}, {12, 2}}));
    EXPECT_EQ(s.series[tamvek::wheel::LowHigh], series({{12, 1}}));
    EXPECT_EQ(s.longestSeries[Red], 13u);
    EXPECT_EQ(s.longestSeries[Low], 38u);
    EXPECT_EQ(s.longestSeries[High], 0u);

    const auto& expected = s.expected[tamvek::wheel::RedBlack];
    EXPECT_DOUBLE_EQ(expected[0], 2.5);
    EXPECT_DOUBLE_EQ(expected[1], 1.25);
    EXPECT_DOUBLE_EQ(expected[10], 5.0 / 2048);
    EXPECT_DOUBLE_EQ(expected[11], 5.0 / 2048);
    double all = 0;
    for (double e : expected)
        all += e;
    EXPECT_DOUBLE_EQ(all, 5);
}

TEST(FileStats, AbsencesCountTheStretchesBeforeTheFirstAndAfterTheLast) {
    // 1 comes at spin 5 of 6: absent 4 spins before, 1 after.
    FileStats s = statsOf({5, 5, 5, 5, 1, 5});
    EXPECT_EQ(s.numberAbsence[1], 4u);
    EXPECT_EQ(s.numberAbsence[5], 1u);
    EXPECT_EQ(s.numberAbsence[2], 6u);  // never came
    EXPECT_EQ(s.absence[Red], 0u);      // both 5 and 1 are red
    EXPECT_EQ(s.absence[Black], 6u);
    // 1 at spin 3 of 6: 2 before, 3 after; zero itself is absent once in between.
    s = statsOf({0, 0, 1, 0, 0, 0});
    EXPECT_EQ(s.numberAbsence[1], 3u);
    EXPECT_EQ(s.numberAbsence[0], 1u);
    EXPECT_EQ(s.absence[Red], 3u);
    EXPECT_EQ(s.absence[Odd], 3u);
    EXPECT_EQ(s.absence[Even], 6u);
    // A number off the wheel has no colour, so red stays absent through it.
    s = statsOf({1, 37, 38, 1});
    EXPECT_EQ(s.absence[Red], 2u);
    EXPECT_EQ(s.absence[Low], 2u);
    EXPECT_EQ(s.absence[High], 1u);
}

TEST(FileStats, ChiSquareOfTheNumbers) {
    Spins even;
    for (std::uint8_t n = 0; n < 37; ++n)
        even.insert(even.end(), 3, n);
    // Off-wheel numbers stay out of the test.
    even.insert(even.end(), {37, 38, 39, 40, 40});
    FileStats s = statsOf(even);
    EXPECT_EQ(s.chi2, 0);
    EXPECT_EQ(s.p, 1);

    // One spin on zero: ((1 - 1/37)^2 + 36 (1/37)^2) / (1/37) = 36.
    s = statsOf({0});
    EXPECT_NEAR(s.chi2, 36, 1e-12);
    EXPECT_NEAR(s.p, 0.46864766955533583908, 1e-14);
}

TEST(FileStats, NoSpinsGiveDefinedFigures) {
    const FileStats s = statsOf({});
    EXPECT_EQ(s.spins, 0u);
    for (int k = 0; k < chances; ++k) {
        EXPECT_EQ(s.ecart[static_cast<std::size_t>(k)], 0);
        EXPECT_EQ(s.absence[static_cast<std::size_t>(k)], 0u);
    }
    EXPECT_EQ(s.numberAbsence[7], 0u);
    EXPECT_EQ(s.expected[0][0], 0);
    EXPECT_EQ(s.chi2, 0);
    EXPECT_EQ(s.p, 1);
    EXPECT_TRUE(s.repeats.empty());
}

TEST(FileStats, AByteThatIsNoWheelClassIsAnError) {
    const auto s = fileStats("bad.txt", Spins{1, 2, 41, 3});
    ASSERT_FALSE(s.ok());
    EXPECT_NE(s.error().message.find("bad.txt"), std::string::npos);
    EXPECT_NE(s.error().message.find("Wurf 3"), std::string::npos);
    EXPECT_FALSE(summarize({{"a", Spins{1}}, {"b", Spins{255}}}).ok());
}

TEST(Summary, TotalOfTheFiles) {
    const Spins first{0, 1, 3};       // ends on a red series of 2
    const Spins second{5, 2, 0, 14};  // starts on one of 1
    const auto summary = summarize({{"first", first}, {"second", second}});
    ASSERT_TRUE(summary.ok());
    const FileStats& t = summary->total;
    EXPECT_EQ(t.file, "total");
    EXPECT_EQ(t.spins, 7u);
    EXPECT_EQ(t.zero, 2u);
    EXPECT_EQ(t.counts[Red], 4u);
    EXPECT_EQ(t.counts[Black], 1u);
    EXPECT_DOUBLE_EQ(t.ecart[Red], 3 / std::sqrt(7.0));
    // Series stop at the end of a file: R R | R B R.
    EXPECT_EQ(t.series[tamvek::wheel::RedBlack], series({{1, 3}, {2, 1}}));
    EXPECT_DOUBLE_EQ(t.expected[tamvek::wheel::RedBlack][0], 2);
    EXPECT_EQ(t.longestSeries[Red], 2u);
    // Absences: the largest of the files', never across them.
    EXPECT_EQ(t.absence[Black], 3u);  // all of the first file
    EXPECT_EQ(t.numberAbsence[0], 2u);
    EXPECT_EQ(t.numberAbsence[36], 4u);
    EXPECT_EQ(summary->files[1].file, "second");
    EXPECT_EQ(summary->files[1].numberAbsence[0], 2u);
}

TEST(Summary, ChiSquareOfTheTotalIsOfTheSummedCounts) {
    Spins rest;
    for (std::uint8_t n = 1; n < 37; ++n)
        rest.push_back(n);
    const auto summary = summarize({{"zero", Spins{0}}, {"rest", rest}});
    ASSERT_TRUE(summary.ok());
    EXPECT_NEAR(summary->files[0].chi2, 36, 1e-12);
    EXPECT_GT(summary->files[1].chi2, 0);
    EXPECT_EQ(summary->total.chi2, 0);
    EXPECT_EQ(summary->total.p, 1);
}

TEST(Summary, NoFiles) {
    const auto summary = summarize({});
    ASSERT_TRUE(summary.ok());
    EXPECT_TRUE(summary->files.empty());
    EXPECT_EQ(summary->total.file, "total");
    EXPECT_EQ(summary->total.spins, 0u);
    EXPECT_EQ(summary->total.p, 1);
}

}  // namespace
