#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "stats/FileStats.h"
#include "stats/Repeats.h"
#include "stats/Summary.h"

namespace {

using namespace tamvek::stats;
using Spins = std::vector<std::uint8_t>;

// Reproducible spins without a 50-spin repeat of their own.
Spins randomSpins(std::size_t count, std::uint32_t seed, unsigned classes = 37) {
    Spins out(count);
    for (auto& s : out) {
        seed = seed * 1664525u + 1013904223u;
        s = static_cast<std::uint8_t>((seed >> 16) % classes);
    }
    return out;
}

// Copies spins [from, from + length) over [to, ...) and makes the spins on
// either side differ, so that the copy is exactly `length` long.
void plantCopy(Spins& spins, std::size_t from, std::size_t to, std::size_t length) {
    std::copy_n(spins.begin() + static_cast<std::ptrdiff_t>(from), length,
                spins.begin() + static_cast<std::ptrdiff_t>(to));
    const auto differ = [&](std::size_t a, std::size_t b) {
        if (spins[b] == spins[a]) spins[b] = static_cast<std::uint8_t>((spins[a] + 1) % 37);
    };
    differ(from - 1, to - 1);
    differ(from + length, to + length);
}

std::vector<Repeat> repeatsOf(const Spins& spins) {
    auto s = fileStats("test", spins);
    EXPECT_TRUE(s.ok());
    EXPECT_FALSE(s->repeatsCut);
    return s->repeats;
}

TEST(Repeats, ACopiedBlockIsFoundOnceAtItsFullLength) {
    Spins spins = randomSpins(1000, 7);
    EXPECT_TRUE(repeatsOf(spins).empty());
    plantCopy(spins, 100, 700, 60);
    EXPECT_EQ(repeatsOf(spins), (std::vector<Repeat>{{101, 701, 60}}));
}

// A copy of just the shortest length is found wherever it begins (the search
// first looks for its half at every 26th spin).
TEST(Repeats, TheShortestCopyIsFoundWhereverItBegins) {
    for (std::size_t offset = 0; offset < repeatLength; ++offset) {
        Spins spins = randomSpins(3000, 11 + static_cast<std::uint32_t>(offset));
        plantCopy(spins, 300 + offset, 2000 + 3 * offset, repeatLength);
        const std::vector<Repeat> want{{301 + offset, 2001 + 3 * offset, repeatLength}};
        EXPECT_EQ(repeatsOf(spins), want) << offset;
    }
}

TEST(Repeats, ShorterThanFiftyIsNoRepeat) {
    Spins spins = randomSpins(1000, 7);
    plantCopy(spins, 100, 700, 49);
    EXPECT_TRUE(repeatsOf(spins).empty());
    plantCopy(spins, 100, 700, 50);
    EXPECT_EQ(repeatsOf(spins), (std::vector<Repeat>{{101, 701, 50}}));
    EXPECT_TRUE(repeatsOf(Spins(50, 0)).empty());
    EXPECT_EQ(repeatsOf(Spins(51, 0)), (std::vector<Repeat>{{1, 2, 50}}));
}

TEST(Repeats, APeriodicFileIsOneStretch) {
    EXPECT_EQ(repeatsOf(Spins(5000, 0)), (std::vector<Repeat>{{1, 2, 4999}}));
    Spins period;
    for (int i = 0; i < 300; ++i)
        period.push_back(static_cast<std::uint8_t>(i % 7));
    EXPECT_EQ(repeatsOf(period), (std::vector<Repeat>{{1, 8, 293}}));
}

TEST(Repeats, ACopyIsWholeEvenWhenPartOfItCameInBetween) {
    // P (100 spins), 20 others, the first 55 of P, 20 others, P again.
    const Spins p = randomSpins(100, 11);
    Spins spins = p;
    const auto append = [&](const Spins& part) {
        spins.insert(spins.end(), part.begin(), part.end());
    };
    append(randomSpins(20, 12));
    append(Spins(p.begin(), p.begin() + 55));
    append(randomSpins(20, 13));
    append(p);
    const std::vector<Repeat> expected{{1, 121, 55}, {1, 196, 100}, {121, 196, 55}};
    EXPECT_EQ(repeatsOf(spins), expected);
}

// Past the limit the search is left out, and says so, rather than ask for
// more memory than the statistics themselves take.
TEST(Repeats, APermanenceBeyondTheLimitIsNotSearched) {
    const Spins spins(repeatSearchLimit + 1, 3);
    const std::size_t length = spins.size();
    const Repeats found = findRepeats(spins, {&length, 1});
    EXPECT_FALSE(found.all.searched);
    EXPECT_FALSE(found.files[0].searched);
    EXPECT_TRUE(found.all.repeats.empty());
}

TEST(Repeats, TheListIsCutAtItsLimit) {
    // The same 60 spins 1,100 times, with 10 others between: 1,099 repeats.
    const Spins block = randomSpins(60, 21);
    Spins spins;
    for (std::uint32_t i = 0; i < 1100; ++i) {
        spins.insert(spins.end(), block.begin(), block.end());
        const Spins between = randomSpins(10, 1000 + i);
        spins.insert(spins.end(), between.begin(), between.end());
    }
    const auto s = fileStats("test", spins);
    ASSERT_TRUE(s.ok());
    EXPECT_TRUE(s->repeatsCut);
    EXPECT_EQ(s->repeats.size(), repeatLimit);
    EXPECT_EQ(s->repeats[0].at, 1u);
    EXPECT_EQ(s->repeats[0].again, 71u);
}

TEST(Repeats, OverSeveralFiles) {
    Spins first = randomSpins(500, 31);
    Spins second = randomSpins(800, 32);
    // A block of the first file in the second, and one copied within the second.
    std::copy_n(first.begin() + 200, 70, second.begin() + 100);
    second[99] = static_cast<std::uint8_t>((first[199] + 1) % 37);
    second[170] = static_cast<std::uint8_t>((first[270] + 1) % 37);
    plantCopy(second, 300, 600, 80);
    const auto summary = summarize({{"first", first}, {"second", second}});
    ASSERT_TRUE(summary.ok());
    EXPECT_TRUE(summary->files[0].repeats.empty());
    EXPECT_EQ(summary->files[1].repeats, (std::vector<Repeat>{{301, 601, 80}}));
    EXPECT_EQ(summary->total.repeats, (std::vector<Repeat>{{201, 601, 70}, {801, 1101, 80}}));
    // Each file on its own finds the same as within the summary.
    EXPECT_EQ(fileStats("second", second)->repeats, summary->files[1].repeats);
}

// Every stretch reported is a real repeat that cannot grow at either end, and
// every window that came before lies in some reported stretch's second part.
TEST(Repeats, StretchesAreRealMaximalAndCoverEveryRepeatedWindow) {
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        Spins spins = randomSpins(2000, seed, 3);
        // Copies of many lengths and overlaps, over few classes so that the
        // copies' edges often agree by chance.
        Spins source = randomSpins(8, seed * 77, 200);
        for (std::size_t i = 0; i + 2 < source.size(); i += 3) {
            const std::size_t from = source[i] * 5u, to = from + 20 + source[i + 1] * 4u;
            const std::size_t length = 40 + source[i + 2] % 120;
            for (std::size_t k = 0; k < length; ++k)  // overlapping copies repeat a pattern
                spins[to + k] = spins[from + k];
        }
        const std::vector<Repeat> found = repeatsOf(spins);
        const auto same = [&](std::size_t a, std::size_t b, std::size_t n) {
            return std::equal(spins.begin() + static_cast<std::ptrdiff_t>(a),
                              spins.begin() + static_cast<std::ptrdiff_t>(a + n),
                              spins.begin() + static_cast<std::ptrdiff_t>(b));
        };
        for (const Repeat& r : found) {
            const std::size_t a = r.at - 1, b = r.again - 1, n = r.length;
            ASSERT_LT(a, b);
            ASSERT_GE(n, repeatLength);
            ASSERT_LE(b + n, spins.size());
            EXPECT_TRUE(same(a, b, n)) << seed;
            EXPECT_TRUE(a == 0 || spins[a - 1] != spins[b - 1]) << seed << " at " << r.at;
            EXPECT_TRUE(b + n == spins.size() || spins[a + n] != spins[b + n]) << seed;
        }
        for (std::size_t j = 1; j + repeatLength <= spins.size(); ++j) {
            bool earlier = false;
            for (std::size_t i = 0; i < j && !earlier; ++i)
                earlier = same(i, j, repeatLength);
            if (!earlier) continue;
            const bool covered = std::any_of(found.begin(), found.end(), [&](const Repeat& r) {
                return r.again - 1 <= j && j + repeatLength <= r.again - 1 + r.length;
            });
            EXPECT_TRUE(covered) << "seed " << seed << ", window at " << j + 1;
        }
    }
}

}  // namespace
