#include <gtest/gtest.h>

#include "engine/ChancePair.h"
#include "engine/SpinSource.h"
#include "support/TestSupport.h"

namespace tamvek::test {
namespace {

using engine::chancePairs;

TEST(SpinSource, ClassifiesNumbersIntoTheSidesOfEachPair) {
    TestSession t;
    struct Case {
        int n, redBlack, lowHigh, evenOdd;
    };
    const Case cases[] = {
        {18, 1, 1, 1},
        {19, 1, 2, 2},
        {10, 2, 1, 1},
        {28, 2, 2, 1},
        {11, 2, 1, 2},
        {29, 2, 2, 2},
        {36, 1, 2, 1},
        {35, 2, 2, 2},
        {0, 0, 0, 0},
        // Only a permanence file brings these: no colour, the other tests as usual.
        {37, 0, 2, 2},
        {99, 0, 2, 2},
        {-5, 0, 1, 2},
        {32767, 0, 2, 2},
        {-32768, 0, 1, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(chancePairs[0].sideOf(c.n), c.redBlack) << c.n;
        EXPECT_EQ(chancePairs[1].sideOf(c.n), c.lowHigh) << c.n;
        EXPECT_EQ(chancePairs[2].sideOf(c.n), c.evenOdd) << c.n;
    }
    int reds = 0, blacks = 0;
    for (int n = 0; n <= 37; ++n) {
        reds += engine::isRed(t.state, n);
        blacks += engine::isBlack(t.state, n);
    }
    EXPECT_EQ(reds, 18);
    EXPECT_EQ(blacks, 18);
}

TEST(SpinSource, DrawsExactlyTheWantedNumbersWithinTheWheel) {
    TestPlatform platform;
    auto random = engine::makeRandom(1234u);
    session::Session session(platform, *random);
    session.form().textanzahl.type("5000");
    session.form().okstart.click();
    const auto& numbers = session.state().spinNumbers;
    ASSERT_EQ(numbers.size(), 5021u);
    EXPECT_EQ(numbers[0], 0);
    std::array<int, 37> seen{};
    for (std::size_t i = 1; i <= 5000; ++i) {
        ASSERT_GE(numbers[i], 0);
        ASSERT_LE(numbers[i], 36);
        ++seen[static_cast<std::size_t>(numbers[i])];
    }
    for (int count : seen)
        EXPECT_GT(count, 60);  // every number turns up (expected ~135)
    for (std::size_t i = 5001; i < numbers.size(); ++i)
        EXPECT_EQ(numbers[i], 0);
}

TEST(SpinSource, ReplaysAPermanenceAndRoundsHalvesToEven) {
    TestSession t;
    t.state.permanenceLoaded = 1;
    t.state.permanenceNumbers = {std::nullopt, 17.0, 0.0, 32.0, 3.5, 2.5, std::nullopt, 1e300};
    const double expected[] = {0, 17, 0, 32, 4, 2, 0, 32767};
    for (int s = 0; s < 8; ++s)
        EXPECT_EQ(engine::nextNumber(t.game, s), expected[s]) << s;
    // Beyond the array, and at nonsense indexes, a spin plays zero.
    EXPECT_EQ(engine::nextNumber(t.game, 8), 0);
    EXPECT_EQ(engine::nextNumber(t.game, 1e12), 0);
    EXPECT_EQ(engine::nextNumber(t.game, -3), 0);
}

TEST(SpinSource, SameSeedSameNumbers) {
    auto draw = [](std::uint32_t seed) {
        TestPlatform platform;
        auto random = engine::makeRandom(seed);
        session::Session session(platform, *random);
        session.form().textanzahl.type("50");
        session.form().okstart.click();
        return session.state().spinNumbers;
    };
    EXPECT_EQ(draw(7), draw(7));
    EXPECT_NE(draw(7), draw(8));
}

}  // namespace
}  // namespace tamvek::test
