#include "calculator/formulas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace kw {
namespace {

constexpr double kTol = 1e-9;

double above(double x) {
    return std::nextafter(x, std::numeric_limits<double>::infinity());
}
double below(double x) {
    return std::nextafter(x, 0.0);
}

TEST(FormulasTest, ALComesInNanohenryPerTurnSquared) {
    // 10 MHz, 10 turns, 100 pF: 25.33e6 / (100 * 100 * 100).
    EXPECT_NEAR(ALwaardeOf(10, 1, 10, 100, 1), 25.33, kTol);
    // 10 kHz, 10 turns, 100 nF: 25.33e6 / (1e-4 * 100 * 1e5).
    EXPECT_NEAR(ALwaardeOf(10, kMegaHertzPerKiloHertz, 10, 100, kPicoFaradPerNanoFarad), 25330, 1e-6);
    // 1 MHz, 1 turn, 101320 pF gives exactly 250.
    EXPECT_EQ(ALwaardeOf(1, 1, 1, 101320, 1), 250.0);
}

TEST(FormulasTest, InductanceTakesPiAsEightDigits) {
    // 1 / (100 * 4 * 3.14159265^2 * 100) henry.
    EXPECT_NEAR(LwaardeOf(10, 1, 100, 1), 2.5330295968e-6, 1e-15);
    EXPECT_NEAR(LwaardeOf(10, kMegaHertzPerKiloHertz, 100, kPicoFaradPerNanoFarad), 2.5330295968e-3, 1e-12);
}

TEST(FormulasTest, BandwidthQAcceptsThePointsInEitherOrder) {
    const BandwidthQ upperSecond = BandwidthQOf(10, 9.9, 10.1);
    EXPECT_NEAR(upperSecond.QRLC, 50, 1e-9);
    EXPECT_EQ(upperSecond.geval, 1);
    const BandwidthQ upperFirst = BandwidthQOf(10, 10.1, 9.9);
    EXPECT_NEAR(upperFirst.QRLC, 50, 1e-9);
    EXPECT_EQ(upperFirst.geval, 2);
    const BandwidthQ none = BandwidthQOf(10, 9.9, 9.9);
    EXPECT_EQ(none.geval, 0);
    EXPECT_EQ(none.QRLC, 0);
}

TEST(FormulasTest, FresMustLieBetweenThePointsEqualityIncluded) {
    struct Case {
        std::int16_t geval;
        double fres, f1, f2;
        bool expected;
    };
    const std::vector<Case> cases = {
        {1, 10, 9.9, 10.1, true},    {1, 9.9, 9.9, 10.1, true},   {1, 10.1, 9.9, 10.1, true},
        {1, 10.2, 9.9, 10.1, false}, {1, 9.8, 9.9, 10.1, false},  {2, 10, 10.1, 9.9, true},
        {2, 10.1, 10.1, 9.9, true},  {2, 10.2, 10.1, 9.9, false}, {0, 10, 10, 10, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FresBracketed(c.geval, c.fres, c.f1, c.f2), c.expected)
            << c.geval << ' ' << c.fres << ' ' << c.f1 << ' ' << c.f2;
    }
}

TEST(FormulasTest, BallastQValues) {
    // omega C R: 2 pi 10 MHz * 100 pF * 100 kOhm.
    EXPECT_NEAR(QROf(10, 1, 100, 100, 1), 628.31853, 1e-8);
    // C / (omega Ctop^2 50) with uF and Mrad/s: 0.1 / (1e-8 * 2 pi 0.01 * 50).
    // 0.1 / 3.14159265e-8 = 3183098.87
    EXPECT_NEAR(QCOf(10, kMegaHertzPerKiloHertz, 100, 100, kPicoFaradPerNanoFarad), 3183098.87, 0.01);
}

TEST(FormulasTest, CorrectedQRemovesTheBallastShare) {
    EXPECT_NEAR(CorrectedQ(50, 628.31853), 54.32288, 1e-5);  // 31415.9265 / 578.31853
    EXPECT_NEAR(CorrectedQ(50, 6.2831853), -7.1862, 1e-4);   // ballast weaker than measured: negative
    EXPECT_FALSE(std::isfinite(CorrectedQ(50, 50)));
}

TEST(FormulasTest, TopCIsAtMostATenthOfTheCapacitance) {
    EXPECT_TRUE(TopCFits(100, 1, 10));
    EXPECT_FALSE(TopCFits(100, 1, 11));
    EXPECT_TRUE(TopCFits(100, kPicoFaradPerNanoFarad, 10000));
    EXPECT_FALSE(TopCFits(100, kPicoFaradPerNanoFarad, 10000.5));
}

TEST(FormulasTest, LossResistancesFromTheCorrectedQ) {
    const double L = 2.5330295968e-6;  // [H]
    const double C = 100e-12;          // [F]
    // sqrt(L / C) = sqrt(25330.296) = 159.15494
    EXPECT_NEAR(SeriesLossOf(L, C, 54.32), 2.929951, 1e-6);     // 159.15494 / 54.32
    EXPECT_NEAR(ParallelLossOf(L, C, 54.32), 8645.2965, 1e-3);  // 159.15494 * 54.32
}

TEST(FormulasTest, DecimalsChangeExactlyAtTheirThresholds) {
    struct Case {
        int (*decimals)(double);
        double value;
        int expected;
    };
    const std::vector<Case> cases = {
        {ALDecimals, above(250), 0}, {ALDecimals, 250, 1},      {ALDecimals, 25, 1},
        {ALDecimals, below(25), 2},  {ALDecimals, 1e21, 0},     {LmHDecimals, above(1), 3},
        {LmHDecimals, 1, 4},         {LmHDecimals, 0.0025, 4},  {QDecimals, above(100), 0},
        {QDecimals, 100, 1},         {QDecimals, above(25), 1}, {QDecimals, 25, 2},
        {QDecimals, 0.5, 2},         {RsDecimals, above(1), 2}, {RsDecimals, 1, 3},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.decimals(c.value), c.expected) << c.value;
    }
}

}  // namespace
}  // namespace kw
