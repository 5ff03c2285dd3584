#include "material/number_format.h"

#include <gtest/gtest.h>

#include <limits>

namespace kw {
namespace {

TEST(NumberTextTest, RoundsHalfUpAndDropsTrailingZeros) {
    struct Case {
        double value;
        int decimals;
        char separator;
        std::string text;
    };
    const Case cases[] = {
        {765.0655, 0, '.', "765"}, {2.5, 0, '.', "3"},     {-2.5, 0, '.', "-3"},
        {20.687, 1, ',', "20,7"},  {4.9, 2, '.', "4.9"},   {350.0, 2, '.', "350"},
        {0.0025, 3, '.', "0.003"}, {-0.0004, 3, '.', "0"}, {1e20, 0, '.', "100000000000000000000"},
        {0.123456789, 9, '.', "0.123456789"}, {1.5, 10, '.', kNoNumber}, {1.5, -1, '.', kNoNumber},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatDecimals(c.value, c.decimals, c.separator), c.text) << c.value;
    }
}

TEST(NumberTextTest, MeasuredValuesKeepAboutThreeFigures) {
    // Just above each step: 100.4 has no decimal, 10.04 one, 1.0006 two.
    const std::pair<double, std::string> cases[] = {
        {765.07, "765"}, {20.687, "20.7"}, {7.5311, "7.53"}, {0.12345, "0.123"}, {-1.234, "-1.23"},
        {100.4, "100"},  {10.04, "10"},    {1.0006, "1"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(formatMeasured(value, '.'), text) << value;
    }
}

TEST(NumberTextTest, PercentagesCarryTheirSign) {
    EXPECT_EQ(formatPercent(-0.0437, 0, '.'), "-4 %");
    EXPECT_EQ(formatPercent(0.0357, 1, ','), "+3,6 %");
    EXPECT_EQ(formatPercent(0.0, 0, '.'), "+0 %");
    EXPECT_EQ(formatPercent(0.5, 0, '.'), "+50 %");
}

TEST(NumberTextTest, NoNumberIsEverWrittenForInfinityOrNan) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (double v : {nan, inf, -inf}) {
        EXPECT_EQ(formatDecimals(v, 2, '.'), kNoNumber);
        EXPECT_EQ(formatMeasured(v, '.'), kNoNumber);
        EXPECT_EQ(formatPercent(v, 0, '.'), kNoNumber);
    }
    EXPECT_EQ(formatDecimals(1e300, 9, '.'), kNoNumber);  // too long to write
}

}  // namespace
}  // namespace kw
