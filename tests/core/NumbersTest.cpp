#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "core/Numbers.h"

using tamvek::nearestInt;
using tamvek::numberText;
using tamvek::numericValue;

TEST(NumericValue, ReadsTheLeadingNumber) {
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"", 0},       {"abc", 0},     {"17", 17},         {"  17", 17},  {"-5", -5},
        {"+5", 5},     {"3.5", 3.5},   {".5", 0.5},        {"5a", 5},     {"1,5", 1},
        {"12,5", 12},  {"1 2 3", 123}, {" - 1 . 5", -1.5}, {"1e3", 1000}, {"1 e 2", 100},
        {"2E-1", 0.2}, {"5e", 5},      {"5e+", 5},         {"x", 0},      {"-", 0},
        {".", 0},      {"0", 0},       {"1.000", 1},       {"007", 7},    {"1.5.5", 1.5},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(numericValue(c.text), c.value) << '"' << c.text << '"';
}

TEST(NumericValue, HugeAndTinyExponentsDoNotFail) {
    EXPECT_TRUE(std::isinf(numericValue("1e999")));
    EXPECT_GT(numericValue("1e999"), 0);
    EXPECT_LT(numericValue("-1e999"), 0);
    EXPECT_EQ(numericValue("1e-999"), 0.0);
    EXPECT_TRUE(std::isinf(numericValue("1e99999999999999999999999")));
    EXPECT_EQ(numericValue("0e99999"), 0.0);
    EXPECT_EQ(numericValue(std::string(5000, '9')), std::numeric_limits<double>::infinity());
}

TEST(NumberText, PlainDecimalForm) {
    EXPECT_EQ(numberText(0.0), "0");
    EXPECT_EQ(numberText(-0.0), "0");
    EXPECT_EQ(numberText(245.0), "245");
    EXPECT_EQ(numberText(-120.0), "-120");
    EXPECT_EQ(numberText(1.5), "1.5");
    EXPECT_EQ(numberText(1e15), "1000000000000000");
    EXPECT_EQ(numberText(std::int64_t{-32769}), "-32769");
    // Not whole: the shortest text that reads back as the same double.
    EXPECT_EQ(numberText(0.1 + 0.2), "0.30000000000000004");
    EXPECT_EQ(numberText(0.1), "0.1");
    EXPECT_EQ(numberText(1e21), "1e+21");
    EXPECT_EQ(numberText(-2.5e-7), "-2.5e-07");
    for (double d : {std::numeric_limits<double>::max(), std::numeric_limits<double>::min(),
                     std::numeric_limits<double>::denorm_min(), -1.0 / 3, 123456.789e200})
        EXPECT_EQ(numericValue(numberText(d)), d) << numberText(d);
    EXPECT_EQ(numberText(std::numeric_limits<double>::max()), "1.7976931348623157e+308");
}

TEST(NumericValue, ALongTextIsReadFromItsStart) {
    EXPECT_EQ(numericValue("1." + std::string(5000, '0') + "1"), 1.0);
    EXPECT_EQ(numericValue("0." + std::string(5000, '0') + "1"), 0.0);
    EXPECT_EQ(numericValue("5" + std::string(5000, 'a')), 5.0);
}

TEST(NearestInt, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(nearestInt<int>(1.5), 2);
    EXPECT_EQ(nearestInt<int>(2.5), 2);
    EXPECT_EQ(nearestInt<int>(3.5), 4);
    EXPECT_EQ(nearestInt<int>(-2.5), -2);
    EXPECT_EQ(nearestInt<int>(2.4999), 2);
    EXPECT_EQ(nearestInt<int>(-0.5), 0);
}

TEST(NearestInt, SaturatesOutsideTheTargetType) {
    EXPECT_EQ(nearestInt<std::int16_t>(40000.0), 32767);
    EXPECT_EQ(nearestInt<std::int16_t>(-40000.0), -32768);
    EXPECT_EQ(nearestInt<std::int16_t>(numericValue("1e999")), 32767);
    EXPECT_EQ(nearestInt<std::int64_t>(1e300), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(nearestInt<std::int16_t>(std::nan("")), 0);
    EXPECT_EQ(nearestInt<std::int16_t>(32767.4), 32767);
}
