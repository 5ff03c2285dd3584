#include "sweep/resonance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "tests/support/ideal_tank.h"

namespace kw {
namespace {

using test::IdealTank;
using test::idealTankSweep;

TouchstoneSweep read(const std::string& text, int ports) {
    const TouchstoneResult r = ReadTouchstone(text, ports);
    EXPECT_TRUE(std::holds_alternative<TouchstoneSweep>(r));
    return std::holds_alternative<TouchstoneSweep>(r) ? std::get<TouchstoneSweep>(r) : TouchstoneSweep{};
}

TEST(ResonanceTest, HalfPowerPointsOfAnIdealTank) {
    // f0 10, Q 50: h = 1/(2Q) = 0.01, sqrt(1 + h²) = 1.00004999875;
    // f1 = 10 (1.00004999875 - 0.01) = 9.9004999875, f2 = 10.1004999875, f2 - f1 = f0 / Q = 0.2.
    EXPECT_NEAR(LowerHalfPowerPoint(10.0, 50.0), 9.9004999875, 1e-9);
    EXPECT_NEAR(UpperHalfPowerPoint(10.0, 50.0), 10.1004999875, 1e-9);
}

TEST(ResonanceTest, CurveOfEachParameterInDecibels) {
    // |S21| 0.5 is -6.0206 dB, 0.1 -20 dB, nothing at all the floor of -400 dB. Z = 50 (1 + S) / (1 - S):
    // S 0 is 50 ohm (33.9794 dB above one ohm), S j is j 50 (phase 90), S -1 a short (the floor),
    // S 1 an open (1e15 ohm: 300 dB).
    TouchstoneSweep s;
    s.ports = 2;
    s.hertz = {1, 2, 3, 4};
    s.s11 = {0.0, {0.0, 1.0}, -1.0, 1.0};
    s.s21 = {0.5, 0.0, 1.0, {0.0, 0.1}};
    const SweepCurve s21 = CurveOf(s, SweepParameter::S21);
    const SweepCurve s11 = CurveOf(s, SweepParameter::S11);
    const double levels21[] = {-6.0206, -400, 0, -20};
    const double levels11[] = {33.9794, 33.9794, -400, 300};
    const double phases[] = {0, 90, 0, 0};
    EXPECT_EQ(s21.hertz, s.hertz);
    EXPECT_TRUE(s21.phaseDeg.empty());
    ASSERT_EQ(s11.phaseDeg.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_NEAR(s21.level[i], levels21[i], 1e-4) << i;
        EXPECT_NEAR(s11.level[i], levels11[i], 1e-4) << i;
        EXPECT_NEAR(s11.phaseDeg[i], phases[i], 1e-9) << i;
    }
}

struct TankCase {
    bool transmission;
    IdealTank tank;
    double qTolerance;  // share of Q
    SweepAdvice advice = SweepAdvice::None;
};

// f0 within 0.1 % and Q within the share given, and within twice the uncertainty stated. The
// first five are the transmission sweeps that were always read right.
const TankCase kTanks[] = {
    {true, {.f0 = 1e6, .q = 50, .points = 101, .noiseDb = 0.05}, 0.02},
    {true,
     {.f0 = 10e6, .q = 200, .halfSpanInBandwidths = 3, .points = 201, .noiseDb = 0.05, .seed = 2},
     0.02},
    {true,
     {.f0 = 455e3, .q = 80, .halfSpanInBandwidths = 8, .points = 401, .noiseDb = 0.05, .seed = 3},
     0.02},
    {true, {.f0 = 7.05e6, .q = 120, .peak = 0.02, .points = 801, .noiseDb = 0.05, .seed = 4}, 0.02},
    {true,
     {.f0 = 30e6, .q = 300, .halfSpanInBandwidths = 4, .points = 1601, .noiseDb = 0.05, .seed = 5},
     0.02},
    {false, {.f0 = 3.5e6, .q = 100, .resistance = 200, .points = 101, .noiseDb = 0.05, .seed = 6}, 0.02},
    {false, {.f0 = 1.8e6, .q = 60, .resistance = 50, .points = 401, .noiseDb = 0.05, .seed = 7}, 0.02},
    {false, {.f0 = 14e6, .q = 150, .resistance = 1000, .points = 1601, .noiseDb = 0.05, .seed = 8}, 0.02},
    // A Top-C tilts |S21| by (f/f0)²: at Q 20 a fit without the tilt is 5 % off.
    {true, {.f0 = 3.5e6, .q = 20, .points = 201, .noiseDb = 0.05, .seed = 9, .tilt = 2}, 0.02},
    // The tank 100 × the port impedance at resonance, as a toroid's tank is: refused before,
    // or off by several per cent at 101 points.
    {false, {.f0 = 7e6, .q = 100, .resistance = 5000, .points = 1601, .noiseDb = 0.1, .seed = 10}, 0.15},
    {false,
     {.f0 = 7e6, .q = 100, .resistance = 5000, .points = 101, .noiseDb = 0.05, .seed = 11},
     0.15,
     SweepAdvice::TankFarAbovePort},
    // 60 × the port impedance in 0.2 dB of noise: the resistance is lost in the noise, the
    // admittance's straight line still finds the tank.
    {false,
     {.f0 = 1e6, .q = 50, .resistance = 3000, .points = 201, .noiseDb = 0.2, .seed = 5},
     0.15,
     SweepAdvice::TankFarAbovePort},
    // Through a series capacitor of 1 kOhm at f0: the impedance's peak moves, the tank does not.
    {false,
     {.f0 = 5e6, .q = 80, .resistance = 2000, .points = 401, .noiseDb = 0.05, .seed = 12, .seriesOhm = 1000},
     0.05},
    // Two bandwidths a step: read off the points, Q came out 70 % low.
    {true,
     {.f0 = 2e6, .q = 100, .halfSpanInBandwidths = 20, .points = 21, .noiseDb = 0.05, .seed = 13},
     0.05},
    {false,
     {.f0 = 2e6,
      .q = 100,
      .resistance = 500,
      .halfSpanInBandwidths = 20,
      .points = 21,
      .noiseDb = 0.05,
      .seed = 14},
     0.05},
    // One point 20 dB up beside the peak moves nothing.
    {true,
     {.f0 = 1e6, .q = 50, .points = 201, .noiseDb = 0.05, .seed = 15, .spikeAt = 110, .spikeDb = 20},
     0.02},
    {false,
     {.f0 = 1e6,
      .q = 50,
      .resistance = 2000,
      .points = 201,
      .noiseDb = 0.05,
      .seed = 16,
      .spikeAt = 108,
      .spikeDb = 20},
     0.05},
    // Fifteen points are enough to smooth and to set a point aside.
    {true,
     {.f0 = 1e6, .q = 50, .halfSpanInBandwidths = 3, .points = 15, .noiseDb = 0.05, .seed = 25, .spikeAt = 3, .spikeDb = 20},
     0.05},
    // Sweeps not centred on the tank: the fit's window moves to it.
    {true, {.f0 = 1e6, .q = 50, .points = 201, .noiseDb = 0.05, .seed = 22, .offsetInBandwidths = 3}, 0.02},
    {false,
     {.f0 = 1e6, .q = 50, .resistance = 500, .points = 201, .noiseDb = 0.05, .seed = 23, .offsetInBandwidths = -3},
     0.02},
    {true, {.f0 = 1e6, .q = 200, .halfSpanInBandwidths = 20, .points = 10001, .noiseDb = 0.05, .seed = 24, .offsetInBandwidths = 10}, 0.02},
    // Q uncertain by more than 3 %, and what would help: a tank far below the port's
    // impedance, less noise, more points within the bandwidth.
    {false,
     {.f0 = 1e6, .q = 50, .resistance = 3, .points = 201, .noiseDb = 0.1, .seed = 17},
     0.15,
     SweepAdvice::TankFarBelowPort},
    {true, {.f0 = 1e6, .q = 50, .points = 51, .noiseDb = 0.6, .seed = 18}, 0.15, SweepAdvice::Noisy},
    {true,
     {.f0 = 2e6, .q = 100, .halfSpanInBandwidths = 20, .points = 31, .noiseDb = 0.5, .seed = 19},
     0.15,
     SweepAdvice::FewPoints},
};

TEST(ResonanceTest, FitOfANoisyTankFindsItsResonanceAndQWithinTheUncertaintyStated) {
    for (const TankCase& c : kTanks) {
        const TouchstoneSweep sweep = read(idealTankSweep(c.tank, c.transmission), c.transmission ? 2 : 1);
        const SweepParameter parameter = c.transmission ? SweepParameter::S21 : SweepParameter::S11;
        const ResonanceResult r = FindResonance(sweep, parameter);
        const std::string what =
            std::to_string(c.tank.seed) + ": " + std::to_string(c.tank.points) + " points";
        ASSERT_TRUE(std::holds_alternative<Resonance>(r))
            << what << ": " << DescribeResonanceError(std::get<ResonanceError>(r), parameter, true);
        const Resonance& found = std::get<Resonance>(r);
        EXPECT_TRUE(found.fitted) << what;
        EXPECT_NEAR(found.f0 / c.tank.f0, 1.0, 1e-3) << what;
        EXPECT_NEAR(found.q / c.tank.q, 1.0, c.qTolerance) << what;
        EXPECT_LT(std::fabs(found.q - c.tank.q), 2.0 * found.qUncertainty + 0.005 * c.tank.q) << what;
        EXPECT_GT(found.qUncertainty, 0.0) << what;
        EXPECT_LT(std::fabs(found.f0 - c.tank.f0), 2.0 * found.f0Uncertainty + 1e-4 * c.tank.f0 / c.tank.q)
            << what;
        EXPECT_NEAR(found.f0 / (found.f2 - found.f1), found.q, 1e-9 * found.q) << what;
        EXPECT_EQ(found.setAside > 0, c.tank.spikeAt >= 0) << what;
        EXPECT_EQ(found.advice, c.advice) << what;
    }
}

// Noisy sweeps across the set-ups a user meets: tanks of 1 to 100 times the port impedance at
// resonance, Q 20 to 300, 51 to 10001 points, noise 0.02 to 0.3 dB, in reflection and in
// transmission (half of them through a Top-C). Few may be refused, fewer be off unsaid: f0 by
// more than a tenth of the bandwidth, or Q by more than 5 % and twice the uncertainty stated.
TEST(ResonanceTest, FewNoisySweepsAreRefusedAndFewerAreSilentlyOff) {
    constexpr int kSweeps = 50;
    std::mt19937 random(2024);
    std::uniform_real_distribution<double> share(0.0, 1.0);
    const auto logUniform = [&](double low, double high) {
        return low * std::pow(high / low, share(random));
    };
    int refused = 0;
    int off = 0;
    for (int k = 0; k < kSweeps; ++k) {
        const bool transmission = k % 2 == 1;
        IdealTank t;
        t.f0 = logUniform(1e5, 3e7);
        t.q = logUniform(20, 300);
        t.resistance = 50 * logUniform(1, 100);
        t.points = static_cast<int>(logUniform(51, 10001));
        t.noiseDb = 0.02 + 0.28 * share(random);
        t.halfSpanInBandwidths = 3 + 7 * share(random);
        t.tilt = transmission && share(random) < 0.5 ? 2 : 0;
        t.seed = static_cast<unsigned>(k);
        const SweepParameter parameter = transmission ? SweepParameter::S21 : SweepParameter::S11;
        const ResonanceResult r =
            FindResonance(read(idealTankSweep(t, transmission), transmission ? 2 : 1), parameter);
        if (!std::holds_alternative<Resonance>(r)) {
            ++refused;
            continue;
        }
        const Resonance& found = std::get<Resonance>(r);
        const double qOff = std::fabs(found.q - t.q);
        if (std::fabs(found.f0 - t.f0) > 0.1 * t.f0 / t.q ||
            (qOff > 0.05 * t.q && qOff > 2 * found.qUncertainty)) {
            ++off;
        }
    }
    EXPECT_LE(refused, kSweeps * 5 / 100);
    EXPECT_LE(off, kSweeps * 2 / 100);
}

TEST(ResonanceTest, ACoilWithoutItsTankLooksLikeACoilAlone) {
    // A toroid of 10 uH with a loss that grows with frequency, 1 to 100 MHz: inductive throughout,
    // its resistance rising to the top edge. Noise may turn a point or two capacitive, even two
    // beside each other after the running median: still a coil alone. With 8 pF across it the
    // tank turns capacitive at 18 MHz and stays so; 1 nF alone is capacitive throughout: neither
    // is a coil alone.
    struct Case {
        double henry, farad;
        std::vector<int> flipped;  // points whose reactance noise turned over
        bool coilAlone;
    };
    const Case cases[] = {{10e-6, 0, {}, true},       {10e-6, 0, {100}, true},
                          {10e-6, 0, {60, 61}, true}, {10e-6, 0, {60, 62, 63}, true},
                          {10e-6, 8e-12, {}, false},  {0, 1e-9, {}, false}};
    for (const Case& c : cases) {
        std::string text = "# Hz S RI R 50\n";
        for (int i = 0; i <= 200; ++i) {
            const double f = 1e6 * std::pow(100.0, i / 200.0);
            const double w = 2 * std::numbers::pi * f;
            const double x = w * c.henry;
            const std::complex<double> coil = c.henry > 0 ? 1.0 / std::complex<double>(0.5 + x * x / 2e5, x)
                                                          : std::complex<double>(1e-6, 0);
            std::complex<double> z = 1.0 / (coil + std::complex<double>(0, w * c.farad));
            if (std::find(c.flipped.begin(), c.flipped.end(), i) != c.flipped.end()) {
                z = std::conj(z);
            }
            const std::complex<double> s = (z - 50.0) / (z + 50.0);
            text +=
                std::to_string(f) + ' ' + std::to_string(s.real()) + ' ' + std::to_string(s.imag()) + '\n';
        }
        const ResonanceResult r = FindResonance(read(text, 1), SweepParameter::S11);
        const bool coilAlone = std::holds_alternative<ResonanceError>(r) &&
                               std::get<ResonanceError>(r).fault == ResonanceFault::CoilAlone;
        EXPECT_EQ(coilAlone, c.coilAlone)
            << c.henry << " H, " << c.farad << " F, " << c.flipped.size() << " flipped";
    }
}

TEST(ResonanceTest, StatedDeviationIsTheScatterOfRepeatsWithAQuarterToSpare) {
    // The same tank swept again and again in fresh noise: the spread of the f0 and Q read off the
    // repeats is what a single sweep's deviation stands for. The deviation stated carries a
    // quarter on top, so it is 1.25 times that spread, give or take the sampling of 400 repeats.
    constexpr int kRepeats = 400;
    for (const bool transmission : {true, false}) {
        double sumF0 = 0, sumF0Sq = 0, sumQ = 0, sumQSq = 0, statedF0Sq = 0, statedQSq = 0;
        for (int k = 0; k < kRepeats; ++k) {
            const IdealTank t{.f0 = 1e6, .q = 50, .points = 101, .noiseDb = 0.05, .seed = 1000u + k};
            const SweepParameter parameter = transmission ? SweepParameter::S21 : SweepParameter::S11;
            const ResonanceResult r =
                FindResonance(read(idealTankSweep(t, transmission), transmission ? 2 : 1), parameter);
            ASSERT_TRUE(std::holds_alternative<Resonance>(r)) << k;
            const Resonance& found = std::get<Resonance>(r);
            sumF0 += found.f0 - t.f0;
            sumF0Sq += (found.f0 - t.f0) * (found.f0 - t.f0);
            sumQ += found.q - t.q;
            sumQSq += (found.q - t.q) * (found.q - t.q);
            statedF0Sq += found.f0Uncertainty * found.f0Uncertainty;
            statedQSq += found.qUncertainty * found.qUncertainty;
        }
        const auto spread = [&](double sum, double sumSq) {
            return std::sqrt((sumSq - sum * sum / kRepeats) / (kRepeats - 1));
        };
        EXPECT_NEAR(std::sqrt(statedF0Sq / kRepeats) / spread(sumF0, sumF0Sq), 1.25, 0.06) << transmission;
        EXPECT_NEAR(std::sqrt(statedQSq / kRepeats) / spread(sumQ, sumQSq), 1.25, 0.06) << transmission;
    }
}

TEST(ResonanceTest, NoWholePeakOrSeveralPeaksAreSaidPlainly) {
    // A tank at 1 MHz, Q 50 (bandwidth 20 kHz), swept from 1 MHz up: the low side is missing;
    // swept up to 1 MHz: the high side is. Within 3 dB throughout: at an edge the sweep is flat,
    // inside it too narrow.
    struct Edge {
        std::vector<std::pair<double, double>> points;  // MHz, |S21|
        ResonanceError error;
    };
    const Edge edges[] = {
        {{{1, 1}, {1.01, 0.8}, {1.02, 0.5}, {1.05, 0.2}}, {ResonanceFault::NotWhole, 1e6, true, {}, {}, 0}},
        {{{0.95, 0.2}, {0.98, 0.5}, {0.99, 0.8}, {1, 1}}, {ResonanceFault::NotWhole, 1e6, false, {}, {}, 0}},
        {{{1, 1}, {2, 0.9}, {3, 0.8}}, {ResonanceFault::Flat, 1e6, false, {}, {}, 0}},
        {{{1, 0.8}, {2, 1}, {3, 0.9}}, {ResonanceFault::TooNarrow, 2e6, false, {}, {}, 0}},
        {{{1, 1}, {2, 0.1}}, {ResonanceFault::TooFewPoints, 0, false, {}, {}, 0}},
    };
    for (const Edge& e : edges) {
        std::string text = "# MHz S MA\n";
        for (const auto& [mhz, s21] : e.points) {
            text += std::to_string(mhz) + " 0 0 " + std::to_string(s21) + " 0 0 0 0 0\n";
        }
        const ResonanceResult r = FindResonance(read(text, 2), SweepParameter::S21);
        ASSERT_TRUE(std::holds_alternative<ResonanceError>(r)) << text;
        EXPECT_EQ(std::get<ResonanceError>(r), e.error) << text;
    }
    // A reflection sweep is fitted even so, and its phase places the tank: at the first point of
    // a sweep starting at f0; at 0.6 bandwidths beyond, no fit, the highest point. A sweep
    // ending at f0 is inductive throughout: the tank resonates above it.
    struct Half {
        double offset;  // the sweep's middle above f0, in bandwidths; the sweep is 10 wide
        ResonanceFault fault;
        double atHz;
    };
    for (const Half& h : {Half{5.0, ResonanceFault::NotWhole, 1e6}, Half{5.6, ResonanceFault::NotWhole, 1.012e6},
                          Half{-5.0, ResonanceFault::CoilAlone, 0}}) {
        const IdealTank tank{.f0 = 1e6, .q = 50, .resistance = 500, .noiseDb = 0.05, .offsetInBandwidths = h.offset};
        const ResonanceResult r = FindResonance(read(idealTankSweep(tank, false), 1), SweepParameter::S11);
        ASSERT_TRUE(std::holds_alternative<ResonanceError>(r)) << h.offset;
        const ResonanceError& e = std::get<ResonanceError>(r);
        EXPECT_EQ(e.fault, h.fault) << h.offset;
        EXPECT_NEAR(e.atHz, h.atHz, 100.0) << h.offset;
        EXPECT_EQ(e.lowSide, h.offset > 0) << h.offset;
    }
    EXPECT_EQ(DescribeResonanceError(edges[0].error, SweepParameter::S21, true),
              "No whole peak: below the highest point (1 MHz) |S21| does not fall 3 dB before the sweep "
              "starts. Start the sweep lower.");

    // Peaks of 0 dB and -1 dB (|S21| 1 and 0.89), with 0.1 (-20 dB) between and around; with
    // two more of -0.45 and -0.92 dB (0.95, 0.9) the highest three are named, in frequency order.
    const std::string twoPeaks =
        "# MHz S RI\n1 0 0 0.1 0 0 0 0 0\n2 0 0 1 0 0 0 0 0\n3 0 0 0.1 0 0 0 0 0\n"
        "4 0 0 0.89 0 0 0 0 0\n5 0 0 0.1 0 0 0 0 0\n";
    const std::string fourPeaks = twoPeaks + "6 0 0 0.9 0 0 0 0 0\n7 0 0 0.1 0 0 0 0 0\n8 0 0 0.95 0 0 0 0 0\n9 0 0 0.1 0 0 0 0 0\n";
    const ResonanceResult two = FindResonance(read(twoPeaks, 2), SweepParameter::S21);
    ASSERT_TRUE(std::holds_alternative<ResonanceError>(two));
    EXPECT_EQ(std::get<ResonanceError>(two).candidates, (std::vector<double>{2e6, 4e6}));
    EXPECT_EQ(DescribeResonanceError(std::get<ResonanceError>(two), SweepParameter::S21, false),
              "Meer dan een resonantie: pieken van ongeveer dezelfde hoogte bij 2 MHz (0 dB) en 4 MHz "
              "(-1.01 dB). Beperk de meting tot een ervan.");
    const ResonanceResult four = FindResonance(read(fourPeaks, 2), SweepParameter::S21);
    ASSERT_TRUE(std::holds_alternative<ResonanceError>(four));
    EXPECT_EQ(std::get<ResonanceError>(four).candidates, (std::vector<double>{2e6, 6e6, 8e6}));
    // A second peak whose top dips by less than 3 dB (0.6, 0.55, 0.7: -4.4, -5.2, -3.1 dB) is one
    // peak, named by its highest point.
    const ResonanceResult dipped = FindResonance(
        read("# MHz S RI\n1 0 0 0.1 0 0 0 0 0\n2 0 0 1 0 0 0 0 0\n3 0 0 0.1 0 0 0 0 0\n4 0 0 0.6 0 0 0 0 0\n"
             "5 0 0 0.55 0 0 0 0 0\n6 0 0 0.7 0 0 0 0 0\n7 0 0 0.1 0 0 0 0 0\n",
             2),
        SweepParameter::S21);
    ASSERT_TRUE(std::holds_alternative<ResonanceError>(dipped));
    EXPECT_EQ(std::get<ResonanceError>(dipped).candidates, (std::vector<double>{2e6, 6e6}));

    // Tanks at 1 and 1.5 MHz, Q 50, in one sweep of 0.8 to 1.7 MHz: a second peak 1.9 dB lower
    // (|S21| 0.08 by 0.1) competes; one 8 dB lower (0.04) does not, beyond 6 dB.
    for (const double second : {0.08, 0.04}) {
        std::string text = "# Hz S RI R 50\n";
        for (int i = 0; i <= 450; ++i) {
            const double f = 0.8e6 + 2e3 * i;
            const std::complex<double> s21 = 0.1 / std::complex<double>(1.0, 50.0 * (f / 1e6 - 1e6 / f)) +
                                             second / std::complex<double>(1.0, 50.0 * (f / 1.5e6 - 1.5e6 / f));
            text += std::to_string(f) + " 0 0 " + std::to_string(s21.real()) + ' ' + std::to_string(s21.imag()) +
                    " 0 0 0 0\n";
        }
        const ResonanceResult r = FindResonance(read(text, 2), SweepParameter::S21);
        if (second > 0.05) {
            ASSERT_TRUE(std::holds_alternative<ResonanceError>(r));
            const ResonanceError& e = std::get<ResonanceError>(r);
            EXPECT_EQ(e.fault, ResonanceFault::Several);
            ASSERT_EQ(e.candidates.size(), 2u);
            EXPECT_NEAR(e.candidates[0], 1e6, 1e3);
            EXPECT_NEAR(e.candidates[1], 1.5e6, 2e3);
            // The heights of the smoothed curve: a running median and mean take a few tenths off.
            EXPECT_NEAR(e.levels[0], -20.0, 0.5);
            EXPECT_NEAR(e.levels[1], -21.9, 0.5);
        } else {
            ASSERT_TRUE(std::holds_alternative<Resonance>(r));
            EXPECT_NEAR(std::get<Resonance>(r).f0, 1e6, 1e3);
        }
    }

    // A reflection sweep in 3 dB of noise scatters about its fit by more than 1 dB: refused, not
    // read off the points.
    const IdealTank noisy{.f0 = 1e6, .q = 50, .resistance = 200, .noiseDb = 3};
    const ResonanceResult lost = FindResonance(read(idealTankSweep(noisy, false), 1), SweepParameter::S11);
    ASSERT_TRUE(std::holds_alternative<ResonanceError>(lost));
    EXPECT_EQ(std::get<ResonanceError>(lost).fault, ResonanceFault::TooCoarse);

    EXPECT_EQ(
        std::get<ResonanceError>(FindResonance(read("1 0 0\n2 0 0\n3 0 0\n", 1), SweepParameter::S21)).fault,
        ResonanceFault::NoS21);
}

TouchstoneSweep realSweep(const char* name) {
    const std::filesystem::path file =
        std::filesystem::path(KERNWIJS_TEST_DATA_DIR) / "sweep" / "data" / name;
    std::ifstream in(file, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return read(text, PortsFromFileName(file.string()));
}

TEST(ResonanceTest, EveryRefusalAndAdviceIsOneLineInBothLanguages) {
    struct Case {
        ResonanceError error;
        SweepParameter parameter;
        std::string english;
    };
    const Case cases[] = {
        {{ResonanceFault::CoilAlone, 0, false, {}, {}, 0},
         SweepParameter::S11,
         "No resonance: the phase of Z stays inductive and never crosses zero. This looks like a coil alone "
         "(or a "
         "tank resonating above the sweep)."},
        {{ResonanceFault::TooNarrow, 7.05e6, false, {}, {}, 0},
         SweepParameter::S11,
         "The sweep is too narrow: |Z| falls less than 3 dB on either side of its highest point (7.05 MHz). "
         "Sweep "
         "at least five times as wide."},
        {{ResonanceFault::TooCoarse, 2e6, false, {}, {}, 2.04},
         SweepParameter::S21,
         "The sweep is too coarse or too noisy to fit the resonance near 2 MHz: one step is 2 × its "
         "bandwidth. "
         "Sweep narrower or with more points."},
        {{ResonanceFault::Several, 0, false, {1e6, 2e6, 3e6}, {5000, 4200, 3100}, 0},
         SweepParameter::S11,
         "More than one resonance: peaks of about the same height at 1 MHz (5e+03 Ω), 2 MHz (4.2e+03 Ω) and "
         "3 MHz (3.1e+03 Ω). Narrow the sweep to one of them."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DescribeResonanceError(c.error, c.parameter, true), c.english);
        EXPECT_FALSE(DescribeResonanceError(c.error, c.parameter, false).empty());
    }
    Resonance found;
    found.q = 100;
    found.qUncertainty = 15;
    found.tankToPort = 40;
    found.advice = SweepAdvice::TankFarAbovePort;
    EXPECT_EQ(
        DescribeAdvice(found, true),
        "The tank is 40 × the port impedance at resonance: reflection cannot resolve Q better than ±15 %; "
        "couple it through a small capacitor or measure S21.");
    found.advice = SweepAdvice::FewPoints;
    found.pointsPerBandwidth = 2.6;
    EXPECT_EQ(
        DescribeAdvice(found, false),
        "Er liggen maar 2 meetpunten tussen de -3 dB punten: Q is bekend op ±15 %; meet smaller of met meer "
        "punten.");
    found.advice = SweepAdvice::None;
    EXPECT_EQ(DescribeAdvice(found, true), "");
}

TEST(ResonanceTest, RealReflectionSweepOfACoilAtTheStartOfItsSweepHasNoResonance) {
    const TouchstoneSweep sweep = realSweep("nanovna_t130-2_start.s1p");
    ASSERT_EQ(sweep.hertz.size(), 20u);
    EXPECT_EQ(sweep.hertz.front(), 50000.0);
    EXPECT_EQ(sweep.s11.front(), std::complex<double>(-1.0065668550744071, -5.21847118919505e-05));
    // |Z| = 50 |1 + S| / |1 - S|: 50 * 0.00657 / 2.00657 = 0.164 ohm at 50 kHz, and
    // 50 * 0.00817 / 2.0073 = 0.204 ohm at 1.93 MHz, its imaginary part positive throughout:
    // inductive, the phase of Z never crossing zero.
    const ResonanceResult r = FindResonance(sweep, SweepParameter::S11);
    ASSERT_TRUE(std::holds_alternative<ResonanceError>(r));
    EXPECT_EQ(std::get<ResonanceError>(r).fault, ResonanceFault::CoilAlone);
}

TEST(ResonanceTest, RealBandFilterSweepFromAnAnalyser) {
    const TouchstoneSweep sweep = realSweep("librevna_saw_filter_403MHz.s2p");
    ASSERT_EQ(sweep.hertz.size(), 55u);  // 398.0 to 408.8 MHz in 0.2 MHz steps
    const ResonanceResult r = FindResonance(sweep, SweepParameter::S21);
    ASSERT_TRUE(std::holds_alternative<Resonance>(r));
    const Resonance& found = std::get<Resonance>(r);
    // The flat top of a band filter is no tank's curve: the points are read off the sweep.
    // Highest point -1.511 dB at 401.0 MHz; -4.511 dB is crossed between 399.6 (-5.860) and
    // 399.8 MHz (-4.156): 399.6 + 0.2 * 1.349 / 1.704 = 399.758, and between 407.0 (-4.295) and
    // 407.2 MHz (-5.143): 407.0 + 0.2 * 0.216 / 0.848 = 407.051.
    EXPECT_FALSE(found.fitted);
    EXPECT_NEAR(found.f0, 401.0e6, 1e3);
    EXPECT_NEAR(found.f1, 399.758e6, 1e4);
    EXPECT_NEAR(found.f2, 407.051e6, 1e4);
    EXPECT_NEAR(found.peak, -1.511, 1e-3);
    // Q = 401.0 / 7.293 = 54.98; f0 is known to a step spread evenly, 0.2 MHz / sqrt 12 = 57.735 kHz,
    // and Q to sqrt 2 times that share of the bandwidth: 54.98 * 1.4142 * 0.057735 / 7.293 = 0.6156.
    EXPECT_NEAR(found.q, 54.98, 0.2);
    EXPECT_NEAR(found.f0Uncertainty, 57735.0, 1.0);
    EXPECT_NEAR(found.qUncertainty, 0.6156, 0.003);
    EXPECT_NEAR(found.pointsPerBandwidth, 36.47, 0.1);
}

}  // namespace
}  // namespace kw
