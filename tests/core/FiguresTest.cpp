#include "core/Figures.h"

#include <gtest/gtest.h>

#include <limits>

namespace tamvek::figures {
namespace {

// The edges the tables rarely reach: the largest amounts, halves, and values
// that round to zero, which carry no sign.
TEST(Figures, GermanFormAtTheEdges) {
    EXPECT_EQ(whole(0), "0");
    EXPECT_EQ(whole(1'089'156), "1.089.156");
    EXPECT_EQ(whole(std::numeric_limits<std::uint64_t>::max()), "18.446.744.073.709.551.615");
    EXPECT_EQ(amount(-1000), "-1.000");
    EXPECT_EQ(amount(std::numeric_limits<std::int64_t>::min()), "-9.223.372.036.854.775.808");
    EXPECT_EQ(rounded(-0.5), "-1");
    EXPECT_EQ(rounded(2.5), "3");
    EXPECT_EQ(rounded(-0.4), "0");
    EXPECT_EQ(rounded(-1234.6), "-1.235");
    EXPECT_EQ(decimal(1234.5, 1), "1.234,5");
    EXPECT_EQ(decimal(-0.004, 2), "0,00");
    EXPECT_EQ(decimal(0.004, 2, true), "0,00");
    EXPECT_EQ(decimal(0.48, 2, true), "+0,48");
    EXPECT_EQ(decimal(-0.48, 2, true), "-0,48");
    EXPECT_EQ(percent(1, 3), "33,33 %");
    EXPECT_EQ(percent(0, 0), "-");
}

}  // namespace
}  // namespace tamvek::figures
