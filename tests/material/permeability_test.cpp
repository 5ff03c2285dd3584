#include "material/permeability.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kw {
namespace {

struct MuCase {
    double alNh;
    ToroidSize size;
    double muR;  // worked out by hand: 5·AL / (h·ln(OD/ID))
};

TEST(PermeabilityTest, RelativePermeabilityMatchesHandComputedCores) {
    const MuCase cases[] = {
        {350.0, {9.5, 4.75, 3.3}, 765.066},  // FT-37-43-like: 1750 / (3.3·ln 2)
        {4.9, {12.7, 7.7, 4.83}, 10.1372},   // T-50-2-like
        {68.0, {12.7, 7.15, 4.9}, 120.782},  // FT-50-61-like
        {1000.0, {20.0, 10.0, 10.0}, 721.348},
    };
    for (const auto& c : cases) {
        const auto mu = relativePermeability(c.alNh, c.size);
        ASSERT_TRUE(mu.has_value()) << c.alNh;
        EXPECT_NEAR(*mu, c.muR, 1e-3) << c.alNh;
    }
}

TEST(PermeabilityTest, PathLengthAndAreaOfARectangularToroid) {
    const ToroidSize ft37{9.5, 4.75, 3.3};
    EXPECT_NEAR(*effectivePathLengthMm(ft37), 20.6871, 1e-4);
    EXPECT_NEAR(*effectiveAreaMm2(ft37), 7.53110, 1e-5);
    // le and Ae give back the same µr: AL = µ0·µr·Ae/le.
    const double mu0 = 4e-7 * std::acos(-1.0);
    const double alNh = 350.0;
    const double muR =
        alNh * 1e-9 * (*effectivePathLengthMm(ft37) * 1e-3) / (mu0 * *effectiveAreaMm2(ft37) * 1e-6);
    EXPECT_NEAR(muR, *relativePermeability(alNh, ft37), 1e-6);
}

TEST(PermeabilityTest, ImpossibleDimensionsGiveNoNumber) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const ToroidSize bad[] = {
        {4.75, 9.5, 3.3},  // inner above outer
        {9.5, 9.5, 3.3},   // no ring at all: ln 1 = 0
        {9.5, 4.75, 0.0}, {9.5, 0.0, 3.3}, {9.5, -4.75, 3.3}, {nan, 4.75, 3.3}, {inf, 4.75, 3.3},
    };
    for (const auto& size : bad) {
        EXPECT_FALSE(relativePermeability(350.0, size).has_value()) << size.outerMm << " " << size.innerMm;
        EXPECT_FALSE(effectivePathLengthMm(size).has_value());
        EXPECT_FALSE(effectiveAreaMm2(size).has_value());
    }
    EXPECT_FALSE(relativePermeability(0.0, {9.5, 4.75, 3.3}).has_value());
    EXPECT_FALSE(relativePermeability(nan, {9.5, 4.75, 3.3}).has_value());
}

TEST(PermeabilityTest, AlConventionsDifferByTenForIronPowder) {
    EXPECT_DOUBLE_EQ(alMilliHenryPer1000Turns(350.0), 350.0);
    EXPECT_DOUBLE_EQ(alMicroHenryPer100Turns(4.9), 49.0);
    EXPECT_DOUBLE_EQ(alNhFromMicroHenryPer100Turns(49.0), 4.9);
}

TEST(PermeabilityTest, AlFromResonanceAgreesWithTheCalculator) {
    // 10 turns, 100 pF, 10 MHz: the Calculator shows 25.3 nH/N².
    EXPECT_NEAR(*alFromResonance(10, 100.0, 10.0e6), 25.3303, 1e-4);
    EXPECT_NEAR(*alFromResonance(1, 100.0, 10.0e6), 2533.03, 1e-2);  // one turn: 100² as much
    EXPECT_FALSE(alFromResonance(0, 100.0, 10.0e6).has_value());
    EXPECT_FALSE(alFromResonance(10, 0.0, 10.0e6).has_value());
    EXPECT_FALSE(alFromResonance(10, 100.0, 0.0).has_value());
}

TEST(PermeabilityTest, SpreadOfAlOverTheLines) {
    const auto s = spreadOf({340.0, 350.0, 360.0});
    ASSERT_TRUE(s.has_value());
    EXPECT_DOUBLE_EQ(s->mean, 350.0);
    EXPECT_DOUBLE_EQ(s->min, 340.0);
    EXPECT_DOUBLE_EQ(s->max, 360.0);
    EXPECT_NEAR(s->relative, 20.0 / 350.0, 1e-12);
    EXPECT_DOUBLE_EQ(spreadOf({350.0})->relative, 0.0);
    EXPECT_FALSE(spreadOf({}).has_value());
    EXPECT_FALSE(spreadOf({350.0, 0.0}).has_value());
}

}  // namespace
}  // namespace kw
