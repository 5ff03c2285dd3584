#include "material/lenient_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace kw {
namespace {

struct ReadCase {
    std::string text;
    std::optional<double> expected;
};

void expectReads(std::optional<double> (*reader)(std::string_view), const std::vector<ReadCase>& cases) {
    for (const auto& c : cases) {
        const auto got = reader(c.text);
        ASSERT_EQ(got.has_value(), c.expected.has_value()) << '"' << c.text << '"';
        if (got) {
            EXPECT_NEAR(*got, *c.expected, 1e-9 * *c.expected) << '"' << c.text << '"';
        }
    }
}

TEST(LenientTextTest, DimensionsWithCommaPointAndUnit) {
    expectReads(readDimensionMm, {
                                     {"12,7", 12.7},
                                     {"12.7", 12.7},
                                     {"12.7 mm", 12.7},
                                     {"12.7mm", 12.7},
                                     {"  12,7  MM ", 12.7},
                                     {"\xC3\x98 9.5", 9.5},  // Ø 9.5
                                     {"\xE2\x8C\x80" "9.5", 9.5},  // ⌀9.5
                                     {"1 inch", 25.4},
                                     {"1,27 cm", 12.7},
                                     {"0.5 in", 12.7},
                                     {"0.5\"", 12.7},
                                     {".5", 0.5},
                                     {"5.", 5.0},
                                     {"", std::nullopt},
                                     {"Buiten", std::nullopt},
                                     {"mm", std::nullopt},
                                     {"12.7.1", std::nullopt},
                                     {"1.234,5", std::nullopt},
                                     {"12 7", std::nullopt},
                                     {"12.7 m m", std::nullopt},
                                     {"12.7 furlong", std::nullopt},
                                     {"-12.7", std::nullopt},
                                     {"0", std::nullopt},
                                     {"0,0 mm", std::nullopt},
                                     {"about 12", std::nullopt},
                                 });
}

TEST(LenientTextTest, CapacitanceNeedsItsUnit) {
    expectReads(readCapacitancePf, {
                                       {"150 nF", 150000.0},
                                       {"100 pF", 100.0},
                                       {"4,7 pF", 4.7},
                                       {"150nF", 150000.0},
                                       {"0.1 \xC2\xB5"
                                        "F",
                                        100000.0},  // µF
                                       {"0.1 uF", 100000.0},
                                       {"0.1 \xCE\xBC" "F", 100000.0},  // Greek mu
                                       {"2.2 NF", 2200.0},
                                       {"150", std::nullopt},
                                       {"C1", std::nullopt},
                                       {"150 nH", std::nullopt},
                                   });
}

TEST(LenientTextTest, FrequencyNeedsItsUnit) {
    expectReads(readFrequencyHz, {
                                     {"10.0 kHz", 10.0e3},
                                     {"3.5 MHz", 3.5e6},
                                     {"3,5 MHz", 3.5e6},
                                     {"455 khz", 455.0e3},
                                     {"7.1 mhz", 7.1e6},
                                     {"50 Hz", 50.0},
                                     {"1.2 GHz", 1.2e9},
                                     {"3.5", std::nullopt},
                                     {"Fres1", std::nullopt},
                                 });
}

TEST(LenientTextTest, AlAsTheCalculatorWritesItOrWithAUnit) {
    expectReads(readAlNh, {
                              {"350", 350.0},
                              {"25,3", 25.3},
                              {"4.9 nH", 4.9},
                              {"350 nH/N\xC2\xB2", 350.0},
                              {"350 mH/1000", 350.0},
                              {"49 \xC2\xB5H/100", 4.9},
                              {"49 uH/100", 4.9},
                              {"mH1", std::nullopt},
                              {" ", std::nullopt},
                              {"350 mH", std::nullopt},
                              // Catalogue notations: 49 µH over 100² turns = 49 000 nH / 10 000.
                              {"49 \xC2\xB5H/100T", 4.9},
                              {"49 uH/100 turns", 4.9},
                              {"0.35 \xC2\xB5H/N\xC2\xB2", 350.0},
                              {"350 mH/1000T", 350.0},
                              {"350 mH / 1000 wdg", 350.0},
                              {"350 nH/t^2", 350.0},
                              {"2 H/1000000T", 0.002},  // 2e9 nH / 1e12
                              {"49 uH/0T", std::nullopt},
                              {"49 uH/1T", 49000.0},
                              {"49 uH/100 apples", std::nullopt},
                              {"49 kH/100T", std::nullopt},
                          });
}

TEST(LenientTextTest, TurnsAreWholeAndPositive) {
    EXPECT_EQ(readTurns("12"), 12);
    EXPECT_EQ(readTurns(" 12 t"), 12);
    EXPECT_EQ(readTurns("12,0"), 12);
    EXPECT_EQ(readTurns("1"), 1);
    EXPECT_EQ(readTurns("100000 wdg"), 100000);
    EXPECT_EQ(readTurns("100001"), std::nullopt);
    EXPECT_EQ(readTurns("12.5"), std::nullopt);
    EXPECT_EQ(readTurns("0"), std::nullopt);
    EXPECT_EQ(readTurns("N1"), std::nullopt);
    EXPECT_EQ(readTurns("99999999999999999999"), std::nullopt);
}

TEST(LenientTextTest, SplitKeepsTheUnitWord) {
    EXPECT_EQ(splitNumberAndUnit("10.0 kHz"), (NumberWithUnit{10.0, "kHz"}));
    EXPECT_EQ(splitNumberAndUnit("47 K"), (NumberWithUnit{47.0, "K"}));
    EXPECT_EQ(splitNumberAndUnit("47"), (NumberWithUnit{47.0, ""}));
    EXPECT_EQ(splitNumberAndUnit("K47"), std::nullopt);
    EXPECT_EQ(splitNumberAndUnit(","), std::nullopt);
}

}  // namespace
}  // namespace kw
