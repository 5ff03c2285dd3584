#include "sweep/field_texts.h"

#include <gtest/gtest.h>

namespace kw {
namespace {

struct Case {
    double f0, f1, f2;  // [Hz]
    std::int16_t unit;  // optFreq before
    std::optional<FrequencyFieldTexts> texts;
};

// The -3 dB points are those of an ideal tank, f0 (sqrt(1 + h²) -+ h) with h = 1/(2Q).
const Case kCases[] = {
    // Q 50 at 10 MHz in kHz: 9900.4999875 and 10100.4999875; whole kHz give Q 10000 / 200 = 50.
    {10e6, 9900499.99875, 10100499.99875, 0, FrequencyFieldTexts{0, "10000", "9900", "10100"}},
    // Q 80 at 455 kHz in MHz: 0.4521651367 and 0.4578526367. Four decimals give Q 0.455 / 0.0057
    // = 79.82, five 80.11, six 0.455 / 0.005688 = 79.993, within 0.02 % of 80.
    {455e3, 452165.1367, 457852.6367, 1, FrequencyFieldTexts{1, "0.455000", "0.452165", "0.457853"}},
    // Q 100 at 60 MHz does not fit the kHz fields (50000 at most): MHz, 59.70075 and 60.30075.
    {60e6, 59700749.994, 60300749.994, 0, FrequencyFieldTexts{1, "60.0", "59.7", "60.3"}},
    // 5 Hz is below 0.01 kHz.
    {5, 4.9, 5.1, 0, std::nullopt},
};

TEST(FieldTextsTest, FewestDecimalsThatKeepQInTheUnitThatHoldsThem) {
    for (const Case& c : kCases) {
        EXPECT_EQ(FieldTextsFor(c.f0, c.f1, c.f2, c.unit), c.texts) << c.f0;
    }
}

TEST(FieldTextsTest, AValueWithItsUncertaintyToTheDeviationsFirstDigit) {
    const std::pair<std::pair<double, double>, const char*> cases[] = {
        {{118.3, 4.2}, "118 ± 4"},
        {{118.34, 1.43}, "118.3 ± 1.4"},  // a leading 1 keeps two digits
        {{7.050012, 0.0000312}, "7.05001 ± 0.00003"},
        {{1234.5, 56}, "1230 ± 60"},
        {{99.95, 0}, "99.95"},       // no deviation: the value alone
        {{50.0000001, 1e-9}, "50"},  // a noiseless sweep's rounding
        {{1000.0, 1e-5}, "1000"},    // 1e-5 is below a ten-millionth of 1000
    };
    for (const auto& [in, text] : cases) {
        EXPECT_EQ(WithUncertainty(in.first, in.second), text) << in.first;
    }
}

}  // namespace
}  // namespace kw
