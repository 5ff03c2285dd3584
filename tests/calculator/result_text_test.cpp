#include "calculator/result_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "common/text.h"

namespace kw {
namespace {

struct TextCase {
    double value;
    int decimals;
    std::string expected;
};

TEST(ResultTextTest, RoundsHalfUpNotToEven) {
    EXPECT_EQ(RoundHalfUp(2.5, 0), 3);
    EXPECT_EQ(RoundHalfUp(3.5, 0), 4);
    EXPECT_EQ(RoundHalfUp(0.125, 2), 0.13);
    EXPECT_EQ(RoundHalfUp(1.125, 2), 1.13);
    EXPECT_EQ(RoundHalfUp(-2.5, 0), -2);
    EXPECT_EQ(RoundHalfUp(2.4999, 0), 2);
}

TEST(ResultTextTest, WritesPlainDecimalsWithAtMostFifteenSignificantDigits) {
    const std::vector<TextCase> cases = {
        {50.0, 0, "50"},
        {54.32, 1, "54.3"},
        {54.35, 1, "54.4"},
        {0.00253, 4, "0.0025"},
        {0.5, 0, "1"},
        {0.49, 0, "0"},
        {0.1 + 0.2, 4, "0.3"},
        {2.0, 2, "2"},
        {2.10, 2, "2.1"},
        {0.0001, 4, "0.0001"},
        {0.00004, 4, "0"},
        {1000000.0, 0, "1000000"},
        {1234567890.123456, 4, "1234567890.1235"},
        {12345678901.23456, 4, "12345678901.2346"},
        {123456789012.3456, 4, "123456789012.346"},
        {123456789012345.6, 0, "123456789012346"},
        {999999999999999.0, 0, "999999999999999"},
        {-54.32, 1, "-54.3"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ResultText(c.value, c.decimals, '.'), c.expected) << c.value << " / " << c.decimals;
    }
}

TEST(ResultTextTest, ValuesFromTenToTheFifteenGetAnExponent) {
    const std::vector<TextCase> cases = {
        {1e15, 0, "1E+15"},         {999999999999999.6, 0, "1E+15"},
        {2.533e21, 0, "2.533E+21"}, {2533029596847260.5, 3, "2.53302959684726E+15"},
        {1.5e300, 0, "1.5E+300"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ResultText(c.value, c.decimals, '.'), c.expected) << c.value;
    }
}

TEST(ResultTextTest, UsesTheGivenDecimalSeparator) {
    EXPECT_EQ(ResultText(54.32, 1, ','), "54,3");
    EXPECT_EQ(ResultText(0.00253, 4, ','), "0,0025");
    EXPECT_EQ(ResultText(2.533e21, 0, ','), "2,533E+21");
    EXPECT_EQ(ResultText(8646.0, 0, ','), "8646");
}

TEST(ResultTextTest, NeverWritesInfinityOrNotANumber) {
    EXPECT_EQ(ResultText(std::numeric_limits<double>::infinity(), 0, '.'), "err");
    EXPECT_EQ(ResultText(std::numeric_limits<double>::quiet_NaN(), 2, '.'), "err");
    EXPECT_EQ(ResultText(1.7e308, 4, '.'), "err");  // overflows while rounding
}

}  // namespace
}  // namespace kw
