#include "sweep/coil_permeability.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <functional>
#include <sstream>
#include <utility>

#include "material/core_catalogue.h"
#include "tests/support/coil_sweep.h"
#include "tests/support/shipped.h"

namespace kw {
namespace {

using test::shipped;

double median(std::vector<double> v) {
    std::nth_element(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2), v.end());
    return v[v.size() / 2];
}

// The first frequency where the coil's reactance turns capacitive, by walking the model.
double trueSelfResonance(const test::CoilOnCore& c) {
    for (double f = c.startHz; f < 1e10; f *= 1.0005) {
        if (coilImpedance(c, f).imag() < 0.0) {
            return f;
        }
    }
    return 1e10;
}

test::Permeability fromCurve(const std::vector<ComplexPermeability>& curve) {
    return [curve](double f) {
        const auto p = *curveAt(curve, f);
        return std::complex<double>(p.real, -p.imag);
    };
}

test::Permeability flat(double mu, double q) {
    return [mu, q](double) { return std::complex<double>(mu, -mu / q); };
}

// FT-50 (12.7 x 7.15 x 4.8 mm) and T-68 (17.5 x 9.4 x 4.83 mm): L0 per turn² = µ0·h·ln(OD/ID)/2π,
// worked out by hand. [H]
constexpr double kFt50 = 2e-7 * 4.8e-3 * 0.57446;
constexpr double kT68 = 2e-7 * 4.83e-3 * 0.62155;

struct SyntheticCase {
    const char* name;
    const char* grade;  // from the shipped curves; empty: flat µ
    double flatMu;
    double l0;
    int turns;
    double cdPf;
    double leadNh;
    bool series;
};

class CoilPermeabilityTest : public ::testing::TestWithParam<SyntheticCase> {};

TEST_P(CoilPermeabilityTest, GivesTheCoresPermeabilityWithinItsNoise) {
    const SyntheticCase& k = GetParam();
    const PermeabilityTable table = parsePermeabilityTable(shipped("permeability.csv"));
    test::CoilOnCore c;
    c.mu = *k.grade != '\0' ? fromCurve(table.curves.at(k.grade)) : flat(k.flatMu, 150);
    c.l0 = k.l0 * k.turns * k.turns;
    c.cd = k.cdPf * 1e-12;
    c.ls = k.leadNh * 1e-9;
    c.series = k.series;
    const CoilResult r = AnalyseCoilSweep(test::coilSweep(c), k.series ? SweepParameter::S21 : SweepParameter::S11, c.l0);
    ASSERT_TRUE(std::holds_alternative<CoilPermeability>(r)) << DescribeCoilError(std::get<CoilError>(r), true);
    const CoilPermeability& p = std::get<CoilPermeability>(r);
    std::vector<double> real;
    std::vector<double> imag;
    for (const auto& pt : p.points) {
        const std::complex<double> mu = c.mu(pt.hertz);
        real.push_back(std::abs(pt.muReal / mu.real() - 1.0));
        imag.push_back(std::abs(pt.muImag / -mu.imag() - 1.0));
    }
    EXPECT_LT(median(real), 0.03);
    EXPECT_LT(median(imag), 0.10);
    const double srf = trueSelfResonance(c);
    EXPECT_LT(p.validToHz, 0.7 * srf);
    ASSERT_TRUE(p.selfResonanceHz);
    EXPECT_NEAR(*p.selfResonanceHz / srf, 1.0, 0.03);
    ASSERT_TRUE(p.strayPf);
    // A curve that bends near the resonance leaves Cd less sure than µ below it.
    EXPECT_NEAR(*p.strayPf / k.cdPf, 1.0, 0.3);
}

INSTANTIATE_TEST_SUITE_P(
    Sweeps, CoilPermeabilityTest,
    ::testing::Values(SyntheticCase{"ferrite43", "43", 0, kFt50, 10, 4.5, 8, false},
                      SyntheticCase{"ferrite61", "61", 0, kFt50, 5, 7.2, 15, false},
                      SyntheticCase{"ferrite77", "77", 0, kFt50, 8, 3.1, 6, false},
                      SyntheticCase{"ferrite31InSeries", "31", 0, kFt50, 12, 6.0, 20, true},
                      SyntheticCase{"iron2", "", 10, kT68, 20, 5.0, 25, false},
                      SyntheticCase{"iron6WithLongLeads", "", 8.5, kT68, 12, 4.2, 30, false}),
    [](const auto& info) { return std::string(info.param.name); });

struct Refusal {
    const char* name;
    double extraCapPf;  // a capacitor across the coil
    double l0;
    double leadNh;
    int points;
    double stopHz;
    CoilFault fault;
};

class CoilRefusalTest : public ::testing::TestWithParam<Refusal> {};

TEST_P(CoilRefusalTest, RefusesInOneSentence) {
    const Refusal& k = GetParam();
    test::CoilOnCore c;
    c.mu = flat(10, 150);
    c.l0 = k.l0;
    c.cd = (3 + k.extraCapPf) * 1e-12;
    c.ls = k.leadNh * 1e-9;
    c.points = k.points;
    c.stopHz = k.stopHz;
    const CoilResult r = AnalyseCoilSweep(test::coilSweep(c), SweepParameter::S11, c.l0);
    ASSERT_TRUE(std::holds_alternative<CoilError>(r));
    EXPECT_EQ(std::get<CoilError>(r).fault, k.fault);
    for (const bool english : {true, false}) {
        const std::string text = DescribeCoilError(std::get<CoilError>(r), english);
        EXPECT_FALSE(text.empty());
        EXPECT_EQ(text.find('\n'), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sweeps, CoilRefusalTest,
    ::testing::Values(
        // 100 pF across 10 µH: a tank at 5 MHz.
        Refusal{"tank", 100, 1e-6, 5, 1001, 200e6, CoilFault::Tank},
        // 40 nH of core against 30 nH of leads, swept far enough to show them.
        Refusal{"leadTooLarge", 0, 4e-9, 30, 1001, 1.5e9, CoilFault::LeadTooLarge},
        // Six points for the whole band.
        Refusal{"tooFewPoints", 0, 10e-9, 5, 6, 200e6, CoilFault::TooFewPoints}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CoilPermeability, RefusesWhatIsNoCoil) {
    TouchstoneSweep capacitor;
    capacitor.ports = 1;
    for (int i = 1; i <= 50; ++i) {
        const double f = 1e6 * i;
        const std::complex<double> z(0.0, -1.0 / (2 * 3.14159265 * f * 100e-12));
        capacitor.hertz.push_back(f);
        capacitor.s11.push_back((z - 50.0) / (z + 50.0));
    }
    EXPECT_EQ(std::get<CoilError>(AnalyseCoilSweep(capacitor, SweepParameter::S11, 1e-9)).fault,
              CoilFault::NotInductive);
    EXPECT_EQ(std::get<CoilError>(AnalyseCoilSweep(capacitor, SweepParameter::S21, 1e-9)).fault, CoilFault::NoS21);
    EXPECT_EQ(std::get<CoilError>(AnalyseCoilSweep(capacitor, SweepParameter::S11, 0.0)).fault, CoilFault::NoWinding);
    EXPECT_FALSE(LooksLikeCoilAlone(capacitor, SweepParameter::S11));
    EXPECT_FALSE(LooksLikeCoilAlone(capacitor, SweepParameter::S21));
}

TEST(CoilPermeability, ACoilWithoutResonanceInTheSweepLooksLikeACoilAlone) {
    test::CoilOnCore c;
    c.mu = flat(10, 150);
    c.l0 = kT68;  // one turn: the self-resonance lies far above 200 MHz
    c.noise = 0;
    EXPECT_TRUE(LooksLikeCoilAlone(test::coilSweep(c), SweepParameter::S11));
    c.series = true;
    EXPECT_TRUE(LooksLikeCoilAlone(test::coilSweep(c), SweepParameter::S21));
    c.l0 = kT68 * 400;  // twenty turns: it lies inside
    EXPECT_FALSE(LooksLikeCoilAlone(test::coilSweep(c), SweepParameter::S21));
    c.series = false;
    EXPECT_FALSE(LooksLikeCoilAlone(test::coilSweep(c), SweepParameter::S11));
}

struct Fallback {
    const char* name;
    double mu;
    double q;  // µ′/µ″
    double l0;
    int points;
    double stopHz;
    double leadNh;
    bool leadShown;        // else the typical 15 nH is taken out
    double leadToleranceNh;
    double srfHz;          // worked out by hand: L0·µ with Cd = 5 pF
    double strayPf;        // worked out by hand; 0: not told
    double strayTolerancePf;
};

class CoilFallbackTest : public ::testing::TestWithParam<Fallback> {};

TEST_P(CoilFallbackTest, VouchesForWhatTheSweepShows) {
    const Fallback& k = GetParam();
    test::CoilOnCore c;
    c.mu = flat(k.mu, k.q);
    c.l0 = k.l0;
    c.cd = 5e-12;
    c.ls = k.leadNh * 1e-9;
    c.points = k.points;
    c.stopHz = k.stopHz;
    const CoilResult r = AnalyseCoilSweep(test::coilSweep(c), SweepParameter::S11, c.l0);
    ASSERT_TRUE(std::holds_alternative<CoilPermeability>(r)) << DescribeCoilError(std::get<CoilError>(r), true);
    const CoilPermeability& p = std::get<CoilPermeability>(r);
    ASSERT_FALSE(p.points.empty());
    EXPECT_NEAR(p.points.front().muReal / k.mu, 1.0, 0.03);
    EXPECT_LT(p.validToHz, 0.7 * k.srfHz);
    EXPECT_EQ(p.leadFitted, k.leadShown);
    EXPECT_NEAR(p.leadNh, k.leadShown ? k.leadNh : 15.0, k.leadToleranceNh);
    ASSERT_EQ(p.strayPf.has_value(), k.strayPf > 0.0);
    if (p.strayPf) {
        EXPECT_NEAR(*p.strayPf, k.strayPf, k.strayTolerancePf);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sweeps, CoilFallbackTest,
    ::testing::Values(
        // 10 turns on an FT-50 of µ 2000: 110 µH resonates at 6.8 MHz, between the fourth and
        // fifth point of a 201-point sweep to 300 MHz (1.5 MHz steps). Against 110 µH the
        // sweep hardly shows 10 nH of leads.
        Fallback{"resonanceInTheFirstSteps", 2000, 150, 100 * kFt50, 201, 300e6, 10, true, 60, 6.79e6, 5, 0.5},
        // Four turns on a T-68 of µ 10: 96 nH resonates at 230 MHz, above a sweep to 200 MHz:
        // the lead is the typical one.
        Fallback{"leadNotShown", 10, 150, 16 * kT68, 1001, 200e6, 15, false, 0.5, 230e6, 0, 0},
        // Three turns, 54 nH, resonate at 306 MHz; a sweep to 350 MHz shows too little above
        // it, and Cd and the lead come from the straight line below it.
        Fallback{"resonanceNearTheEnd", 10, 150, 9 * kT68, 1001, 350e6, 10, true, 2, 306e6, 5, 0.25},
        // Four turns again, in 101 coarse points to 260 MHz: the line below is too
        // noisy to go by, and Cd comes from the resonance alone. At 115 MHz Im(Z)/ω reads
        // 15 nH + 96 nH/(1 − ¼); times ¾ that is 107.3 nH, and Cd = 5 pF · 96/107.3 = 4.47 pF.
        Fallback{"coarseSweepEndingNearTheResonance", 10, 150, 16 * kT68, 101, 260e6, 15, false, 0.5, 230e6, 4.47, 0.2},
        // The same on a core as lossy as it is inductive (µ″ = µ′): of its admittance
        // (1 − j)/(2ωL) only half stands against Cd, so the model crosses at 168.6 MHz (with
        // the lead; 230/√2 = 162.4 MHz without). At the point nearest half of it, 83.27 MHz,
        // Z reads 65.14 + j55.86 Ω: 106.8 nH, tanδ 1.166; 106.8 nH · (1 − 0.4945²) · (1 + 1.166²)
        // = 190.3 nH resonates at 168.4 MHz with 4.69 pF (without the loss, 11.1 pF).
        Fallback{"lossyCoreResonatingInTheSweep", 10, 1, 16 * kT68, 101, 260e6, 15, false, 0.5, 168.6e6, 4.69, 0.2},
        // The same swept to 600 MHz shows 25 nH of leads above the resonance: a quarter of the
        // core's inductance, taken out.
        Fallback{"leadShown", 10, 150, 16 * kT68, 1001, 600e6, 25, true, 2, 230e6, 5, 0.1}),
    [](const auto& info) { return std::string(info.param.name); });

// Each point is averaged with as many neighbours on either side as lie within 3 % of its
// frequency, at most 20: on a sweep in 1 kHz steps from 1 MHz the first point stands alone,
// the second is the mean of three, the third of five, the eleventh of 21, the 41st of 41. The
// noise it states falls with the square root of that count (and with the frequency, as the
// coil's reactance grows while the noise in ohms stays). The first point's own noise of
// 0.7 % of its µ blurs the ratio by about as much.
TEST(CoilPermeability, APointsNoiseFallsWithTheNeighboursAveragedIntoIt) {
    test::CoilOnCore c;
    c.mu = flat(10, 150);
    c.l0 = 100 * kT68;
    c.startHz = 1e6;
    c.stopHz = 2e6;
    const CoilResult r = AnalyseCoilSweep(test::coilSweep(c), SweepParameter::S11, c.l0);
    ASSERT_TRUE(std::holds_alternative<CoilPermeability>(r)) << DescribeCoilError(std::get<CoilError>(r), true);
    const auto& points = std::get<CoilPermeability>(r).points;
    ASSERT_EQ(points.size(), 1001u);
    for (const auto& [index, averaged] : {std::pair{1, 3}, {2, 5}, {10, 21}, {40, 41}}) {
        const double ratio = points[index].noise * std::sqrt(averaged) * points[index].hertz /
                             (points[0].noise * points[0].hertz);
        EXPECT_NEAR(ratio, 1.0, 0.02) << index;
    }
}

struct CollapsingCore {
    const char* name;
    const char* grade;
    double l0;
    double cdPf;
    double leadNh;
    int points;
    double stopHz;
};

class CoilCollapseTest : public ::testing::TestWithParam<CollapsingCore> {};

// A ferrite whose µ′ collapses turns the coil capacitive by itself: no tank, and µ at the
// low end as it is.
TEST_P(CoilCollapseTest, ACoreWhoseMuCollapsesIsNoTank) {
    const CollapsingCore& k = GetParam();
    const PermeabilityTable table = parsePermeabilityTable(shipped("permeability.csv"));
    test::CoilOnCore c;
    c.mu = fromCurve(table.curves.at(k.grade));
    c.l0 = k.l0;
    c.cd = k.cdPf * 1e-12;
    c.ls = k.leadNh * 1e-9;
    c.points = k.points;
    c.stopHz = k.stopHz;
    const CoilResult r = AnalyseCoilSweep(test::coilSweep(c), SweepParameter::S11, c.l0);
    ASSERT_TRUE(std::holds_alternative<CoilPermeability>(r)) << DescribeCoilError(std::get<CoilError>(r), true);
    const PermeabilityPoint& first = std::get<CoilPermeability>(r).points.front();
    EXPECT_NEAR(first.muReal / c.mu(first.hertz).real(), 1.0, 0.03);
    // The capacitance that resonates with the low end's inductance is far above a winding's:
    // the sweep does not tell Cd.
    EXPECT_FALSE(std::get<CoilPermeability>(r).strayPf);
}

INSTANTIATE_TEST_SUITE_P(
    Sweeps, CoilCollapseTest,
    ::testing::Values(
        // Mix 98's µ′ rises by a fifth and collapses below zero near 2 MHz: 7 turns on an
        // FT-50 turn capacitive there, and the capacitance seen above falls off.
        CollapsingCore{"mix98", "98", 49 * kFt50, 4.3, 20, 201, 200e6},
        // Mix 80's µ′ rises from 613 to 1101 at 6.8 MHz and crosses zero at 12 MHz: two turns
        // (1.6 µH at the low end) on a 29 x 19 x 7.5 mm ring turn capacitive at 12 MHz, which
        // would take 113 pF; the sweep shows 20 pF at 24 MHz and ends at 30 MHz, too soon to
        // see the capacitance fall off.
        CollapsingCore{"mix80SweptToTwoAndAHalfTimesTheResonance", "80",
                       4 * 2e-7 * 7.49e-3 * 0.420573, 2.0, 5.8, 201, 30e6}),
    [](const auto& info) { return std::string(info.param.name); });

// A sweep made by hand, one impedance per frequency, with no noise. [Hz, ohm]
TouchstoneSweep sweepOf(const std::vector<double>& hertz, const std::function<std::complex<double>(double)>& z,
                        bool series) {
    TouchstoneSweep s;
    s.ports = series ? 2 : 1;
    for (const double f : hertz) {
        s.hertz.push_back(f);
        s.s11.push_back(series ? z(f) / (z(f) + 100.0) : test::reflection(z(f)));
        if (series) {
            s.s21.push_back(100.0 / (z(f) + 100.0));
        }
    }
    return s;
}

struct StatedNoise {
    const char* name;
    bool series;
    std::vector<double> hertz;
    std::size_t from;
    std::size_t to;
    double ratio;  // noise[to] / noise[from], worked out by hand
};

class CoilNoiseTest : public ::testing::TestWithParam<StatedNoise> {};

// An inductor of 0.796 µH (5 Ω at 1 MHz): S moves Z by |Z + 50|²/100 across port 1 and by
// |Z + 100|²/100 between the ports; the core's impedance (less the 15 nH of leads taken out)
// grows with f, and a point averaged with one neighbour on either side has √3 less noise.
TEST_P(CoilNoiseTest, StatesEachPointsNoise) {
    const StatedNoise& k = GetParam();
    const auto inductor = [](double f) { return std::complex<double>(0, 5.0 * f / 1e6); };
    const CoilResult r =
        AnalyseCoilSweep(sweepOf(k.hertz, inductor, k.series), k.series ? SweepParameter::S21 : SweepParameter::S11, 1e-9);
    ASSERT_TRUE(std::holds_alternative<CoilPermeability>(r)) << DescribeCoilError(std::get<CoilError>(r), true);
    const auto& points = std::get<CoilPermeability>(r).points;
    ASSERT_EQ(points.size(), k.hertz.size());
    EXPECT_NEAR(points[k.to].noise / points[k.from].noise, k.ratio, 1e-3 * k.ratio);
}

std::vector<double> tenthsOfADecade() {
    std::vector<double> hertz;
    for (int i = 0; i <= 60; ++i) {
        hertz.push_back(1e6 * std::pow(10.0, i / 60.0));  // steps of 3.9 %: no neighbours averaged
    }
    return hertz;
}

INSTANTIATE_TEST_SUITE_P(
    Sweeps, CoilNoiseTest,
    ::testing::Values(
        // 5 Ω at 1 MHz, 50 Ω at 10 MHz: (50² + 50²)/(50² + 5²) / 10 = 5000/2525/10.
        StatedNoise{"acrossThePort", false, tenthsOfADecade(), 0, 60, 0.1980198},
        // (100² + 50²)/(100² + 5²) / 10 = 12500/10025/10.
        StatedNoise{"betweenThePorts", true, tenthsOfADecade(), 0, 60, 0.1246883},
        // 1.01 MHz lies within 3 % of both neighbours and is averaged with them; 1.02 MHz is
        // 0.18 MHz below the next and stands alone: (50² + 5.1²)/(50² + 5.05²) · 1.01/1.02 · √3.
        StatedNoise{"unevenSteps", false, {1.00e6, 1.01e6, 1.02e6, 1.2e6, 1.4e6, 1.6e6}, 1, 2, 1.715422}),
    [](const auto& info) { return std::string(info.param.name); });

// The reactance turns capacitive after 10 MHz, stays so for three points, is inductive once
// more at 14 MHz and capacitive from 15 MHz on: the resonance is the first crossing, half-way
// between 10 and 11 MHz.
TEST(CoilPermeability, AResonanceNeedsThreeCapacitivePointsAfterIt) {
    std::vector<double> hertz;
    for (int i = 1; i <= 30; ++i) {
        hertz.push_back(1e6 * i);
    }
    const auto blip = [](double f) {
        const bool inductive = f < 10.5e6 || (f > 13.5e6 && f < 14.5e6);
        return std::complex<double>(1.0, inductive ? 100.0 : -100.0);
    };
    const CoilResult r = AnalyseCoilSweep(sweepOf(hertz, blip, false), SweepParameter::S11, 1e-9);
    ASSERT_TRUE(std::holds_alternative<CoilPermeability>(r)) << DescribeCoilError(std::get<CoilError>(r), true);
    ASSERT_TRUE(std::get<CoilPermeability>(r).selfResonanceHz);
    EXPECT_DOUBLE_EQ(*std::get<CoilPermeability>(r).selfResonanceHz, 10.5e6);
}

}  // namespace
}  // namespace kw
