#include "calculator/number_input.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace kw {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct ValueCase {
    std::string text;
    double expected;
};

TEST(NumberTextTest, LeadingValueReadsTheLeadingNumberWithThePointOnly) {
    const std::vector<ValueCase> cases = {
        {"", 0},
        {"-", 0},
        {",", 0},
        {".", 0},
        {"a", 0},
        {"&H10", 0},
        {".e5", 0},
        {"12", 12},
        {" 1 2 ", 12},
        {"1\t2\n3", 123},
        {"2,5", 2},
        {"2.5", 2.5},
        {".5", 0.5},
        {"5.", 5},
        {"1.2.3", 1.2},
        {"-5", -5},
        {"+5", 5},
        {"- 5", -5},
        {"1e3", 1000},
        {"1D3", 1000},
        {"1d-2", 0.01},
        {"1E+2", 100},
        {"2.5e1", 25},
        {"1e", 1},
        {"1e+", 1},
        {"1ex", 1},
        {"12abc", 12},
        {"3;4e5 6", 3},
        {"1 000", 1000},
        {"0e999", 0},
        {"1e-999", 0},
        {"100000e-330", 0},
        {"1e999", kInf},
        {"-1e999", -kInf},
        {"0.000001e400", kInf},
        {"1\r2", 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LeadingValue(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(NumberTextTest, DecimalValueTakesACommaAsAPoint) {
    const std::vector<ValueCase> cases = {
        {"2,5", 2.5}, {",5", 0.5}, {"1,2,3", 1.2}, {"0,005", 0.005}, {"1,5e2", 150}, {"10.1", 10.1}, {"-", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecimalValue(c.text), c.expected) << '"' << c.text << '"';
    }
}

struct KeyCase {
    std::int16_t key;
    std::string fieldText;
    std::int16_t keyAfter;
    KeyVerdict verdict;
};

TEST(NumberTextTest, DecimalKeyFilterLetsOneSeparatorThrough) {
    const std::vector<KeyCase> cases = {
        {'0', "", '0', KeyVerdict::Pass},
        {'9', "1,5", '9', KeyVerdict::Pass},
        {kKeyBackspace, "1.5", kKeyBackspace, KeyVerdict::Pass},
        {',', "12", ',', KeyVerdict::Pass},
        {'.', "", '.', KeyVerdict::Pass},
        {',', "2,5", kKeySwallowed, KeyVerdict::Swallow},
        {'.', "2,5", kKeySwallowed, KeyVerdict::Swallow},
        {',', "10.0", kKeySwallowed, KeyVerdict::Swallow},
        {kKeyEnter, "10", kKeyEnter, KeyVerdict::PassAndFocus},
        {'-', "", kKeySwallowed, KeyVerdict::SwallowBeep},
        {'e', "1", kKeySwallowed, KeyVerdict::SwallowBeep},
        {' ', "1", kKeySwallowed, KeyVerdict::SwallowBeep},
        {22, "1", kKeySwallowed, KeyVerdict::SwallowBeep},  // Ctrl+V
        {'/', "1", kKeySwallowed, KeyVerdict::SwallowBeep},
        {':', "1", kKeySwallowed, KeyVerdict::SwallowBeep},
    };
    for (const auto& c : cases) {
        std::int16_t key = c.key;
        EXPECT_EQ(DecimalKeyFilter(key, c.fieldText), c.verdict) << c.key << " into \"" << c.fieldText << '"';
        EXPECT_EQ(key, c.keyAfter) << c.key << " into \"" << c.fieldText << '"';
    }
}

TEST(NumberTextTest, DigitKeyFilterRefusesSeparatorsWithABeep) {
    const std::vector<KeyCase> cases = {
        {'5', "", '5', KeyVerdict::Pass},
        {kKeyBackspace, "", kKeyBackspace, KeyVerdict::Pass},
        {kKeyEnter, "", kKeyEnter, KeyVerdict::PassAndFocus},
        {',', "", kKeySwallowed, KeyVerdict::SwallowBeep},
        {'.', "", kKeySwallowed, KeyVerdict::SwallowBeep},
        {'x', "", kKeySwallowed, KeyVerdict::SwallowBeep},
    };
    for (const auto& c : cases) {
        std::int16_t key = c.key;
        EXPECT_EQ(DigitKeyFilter(key), c.verdict) << c.key;
        EXPECT_EQ(key, c.keyAfter) << c.key;
    }
}

TEST(NumberTextTest, ReadOnlyKeyFilterRefusesEveryKey) {
    for (const std::int16_t code : {std::int16_t{'1'}, kKeyBackspace, kKeyEnter, std::int16_t{','}}) {
        std::int16_t key = code;
        EXPECT_EQ(ReadOnlyKeyFilter(key), KeyVerdict::SwallowBeep);
        EXPECT_EQ(key, kKeySwallowed);
    }
}

}  // namespace
}  // namespace kw
