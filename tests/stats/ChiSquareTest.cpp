#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "stats/ChiSquare.h"

namespace {

using tamvek::stats::chiSquare;
using tamvek::stats::chiSquareP;
using tamvek::stats::upperGammaQ;

// References: Q(18, chi2 / 2) to 40 digits with mpmath's gammainc(regularized=True).
TEST(ChiSquareP, AgreesWithAReference) {
    struct Case {
        double chi2;
        double p;
    };
    const Case cases[] = {
        {36, 0.46864766955533583908},
        {50.998, 0.050004442399673242619},  // the 5 % point of the tables
        {100, 6.17953065396803690084e-08},
        {0.5, 1.0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(chiSquareP(c.chi2, 36) / c.p, 1, 1e-12) << c.chi2;
}

TEST(ChiSquareP, FarInTheTailWhereTheFactorEToTheMinusXUnderflows) {
    // e^-760 is below the smallest double; the p-value is not.
    const double p = chiSquareP(1520, 36);
    EXPECT_GT(p, 0);
    EXPECT_NEAR(p / 2.337586813528417943692973985155603020855e-296, 1, 1e-10);
    EXPECT_EQ(chiSquareP(1e12, 36), 0);
}

TEST(ChiSquareP, EdgesAreDefined) {
    EXPECT_EQ(chiSquareP(0, 36), 1);
    EXPECT_EQ(chiSquareP(-3, 36), 1);
    EXPECT_EQ(chiSquareP(std::numeric_limits<double>::infinity(), 36), 0);
    EXPECT_EQ(chiSquareP(std::numeric_limits<double>::quiet_NaN(), 36), 1);
    // Q(1, x) = e^-x, Q(2, x) = e^-x (1 + x).
    EXPECT_DOUBLE_EQ(upperGammaQ(1, 2), std::exp(-2.0));
    EXPECT_DOUBLE_EQ(upperGammaQ(2, 3), 4 * std::exp(-3.0));
    for (double x = 0.25; x < 200; x *= 1.7) {
        const double q = upperGammaQ(18, x);
        EXPECT_GE(q, 0);
        EXPECT_LE(q, 1);
    }
}

TEST(ChiSquare, AllOnOneNumber) {
    std::array<std::uint64_t, 37> counts{};
    counts[17] = 1000;
    // ((n - n/37)^2 + 36 (n/37)^2) / (n/37) = 36 n
    EXPECT_NEAR(chiSquare(counts), 36000, 1e-8);
    EXPECT_EQ(chiSquare({}), 0);
}

}  // namespace
