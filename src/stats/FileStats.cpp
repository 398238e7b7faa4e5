#include "stats/FileStats.h"

#include <algorithm>
#include <cmath>

#include "stats/ChiSquare.h"
#include "stats/Repeats.h"

namespace tamvek::stats {
namespace {

constexpr std::size_t lengths = seriesLengths;

// The figures that follow from the counts and series: ecart, expected series,
// chi-square.
void derive(FileStats& s) {
    const double root = std::sqrt(static_cast<double>(s.spins));
    for (int k = 0; k < chances; ++k) {
        const auto wins = static_cast<double>(s.counts[static_cast<std::size_t>(k)]);
        const auto losses = static_cast<double>(s.counts[static_cast<std::size_t>(k ^ 1)]);
        s.ecart[static_cast<std::size_t>(k)] = s.spins == 0 ? 0 : (wins - losses) / root;
    }
    for (int p = 0; p < wheel::pairs; ++p) {
        const auto& real = s.series[static_cast<std::size_t>(p)];
        auto& expected = s.expected[static_cast<std::size_t>(p)];
        std::uint64_t all = 0;
        for (std::uint64_t n : real)
            all += n;
        double share = static_cast<double>(all);
        for (std::size_t length = 0; length + 1 < lengths; ++length) {
            share /= 2;
            expected[length] = share;
        }
        expected[lengths - 1] = share;  // 12 or more: as many as of exactly 11
    }
    s.chi2 = chiSquare(s.numberCounts);
    s.p = chiSquareP(s.chi2, numbers - 1);
}

// The longest absence, from the longest distance between two appearances
// (the start counting as one at 0) and the last appearance.
std::uint64_t absence(std::uint64_t longestGap, std::uint64_t lastSeen, std::uint64_t spins) {
    return std::max(longestGap, spins + 1 - lastSeen) - 1;
}

// The series and absences of one pair's two chances, A and B. The side
// changes from spin to spin at random, so the loop keeps its state in locals
// and works with masks: a compiler turns plain selects into branches that
// would miss half of the time.
void countPair(std::span<const std::uint8_t> classes, std::size_t pair, FileStats& s) {
    std::array<std::uint8_t, wheel::classes> sideOf{};
    for (std::size_t c = 0; c < wheel::classes; ++c)
        sideOf[c] = wheel::sidesOf[c].side[pair];
    // reached[l]: the series that grew to length l (1..12); 13 takes the
    // longer lengths, which the counts do not need. Spins of odd and even
    // number count apart, so that one count need not wait for the last.
    std::array<std::array<std::uint64_t, lengths + 2>, 2> reached{};
    std::uint64_t lastA = 0, lastB = 0, gapA = 0, gapB = 0, longestA = 0, longestB = 0;
    std::uint64_t run = 0;
    std::uint8_t current = 0;
    std::uint64_t at = 0;
    for (const std::uint8_t c : classes) {
        ++at;
        const std::uint8_t side = sideOf[c];
        if (side == 0) continue;
        run = (run & (0 - std::uint64_t{side == current})) + 1;
        current = side;
        ++reached[at & 1][std::min<std::uint64_t>(run, lengths + 1)];
        const std::uint64_t isA = 0 - std::uint64_t{side == 1};  // all ones or none
        const std::uint64_t isB = ~isA;
        gapA = std::max(gapA, (at - lastA) & isA);
        gapB = std::max(gapB, (at - lastB) & isB);
        lastA = (at & isA) | (lastA & isB);
        lastB = (at & isB) | (lastB & isA);
        longestA = std::max(longestA, run & isA);
        longestB = std::max(longestB, run & isB);
    }
    auto& series = s.series[pair];
    const auto reachedAll = [&](std::size_t length) {
        return reached[0][length] + reached[1][length];
    };
    for (std::size_t length = 1; length < lengths; ++length)
        series[length - 1] = reachedAll(length) - reachedAll(length + 1);
    series[lengths - 1] = reachedAll(lengths);
    s.longestSeries[pair * 2] = longestA;
    s.longestSeries[pair * 2 + 1] = longestB;
    s.absence[pair * 2] = absence(gapA, lastA, s.spins);
    s.absence[pair * 2 + 1] = absence(gapB, lastB, s.spins);
}

}  // namespace

Result<FileStats> countStats(std::string name, std::span<const std::uint8_t> classes) {
    const auto bad = std::find_if(classes.begin(), classes.end(),
                                  [](std::uint8_t c) { return c >= wheel::classes; });
    if (bad != classes.end())
        return Error{name + ": Wurf " + std::to_string(bad - classes.begin() + 1) +
                     " hat den Wert " + std::to_string(*bad) + ", der keine Zahl des Kessels ist"};
    FileStats s;
    s.file = std::move(name);
    s.spins = classes.size();

    // Spins count from 1; a class last seen at 0 has not come yet, so the
    // stretch before its first appearance counts like any other.
    std::array<std::uint64_t, wheel::classes> perClass{}, lastSeen{}, longestGap{};
    std::uint64_t at = 0;
    for (const std::uint8_t c : classes) {
        ++at;
        ++perClass[c];
        longestGap[c] = std::max(longestGap[c], at - lastSeen[c]);
        lastSeen[c] = at;
    }
    for (std::size_t c = 0; c < numbers; ++c) {
        s.numberCounts[c] = perClass[c];
        s.numberAbsence[c] = absence(longestGap[c], lastSeen[c], s.spins);
    }
    s.zero = perClass[0];
    for (std::size_t pair = 0; pair < wheel::pairs; ++pair) {
        for (std::size_t c = 0; c < wheel::classes; ++c) {
            const std::uint8_t side = wheel::sidesOf[c].side[pair];
            if (side != 0) s.counts[pair * 2 + side - 1u] += perClass[c];
        }
        countPair(classes, pair, s);
    }
    derive(s);
    return s;
}

Result<FileStats> fileStats(std::string name, std::span<const std::uint8_t> classes) {
    Result<FileStats> s = countStats(std::move(name), classes);
    if (!s) return s;
    const std::size_t length = classes.size();
    RepeatList found = std::move(findRepeats(classes, {&length, 1}).all);
    s->repeats = std::move(found.repeats);
    s->repeatsCut = found.cut;
    s->repeatsSearched = found.searched;
    return s;
}

FileStats sumStats(const std::vector<FileStats>& files, std::string name) {
    FileStats t;
    t.file = std::move(name);
    const auto addAll = [](auto& sum, const auto& part) {
        for (std::size_t i = 0; i < sum.size(); ++i)
            sum[i] += part[i];
    };
    const auto maxAll = [](auto& most, const auto& part) {
        for (std::size_t i = 0; i < most.size(); ++i)
            most[i] = std::max(most[i], part[i]);
    };
    for (const FileStats& f : files) {
        t.spins += f.spins;
        t.zero += f.zero;
        addAll(t.counts, f.counts);
        for (std::size_t p = 0; p < wheel::pairs; ++p)
            addAll(t.series[p], f.series[p]);
        addAll(t.numberCounts, f.numberCounts);
        maxAll(t.longestSeries, f.longestSeries);
        maxAll(t.absence, f.absence);
        maxAll(t.numberAbsence, f.numberAbsence);
    }
    derive(t);
    return t;
}

}  // namespace tamvek::stats
