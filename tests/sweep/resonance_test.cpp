#include "sweep/resonance.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

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

struct TankCase {
    bool transmission;
    IdealTank tank;
};

// Every sweep with 0.05 dB of noise; the fit must find f0 within 0.1 % and Q within 2 %.
const TankCase kTanks[] = {
    {true, {.f0 = 1e6, .q = 50, .points = 101, .noiseDb = 0.05}},
    {true, {.f0 = 10e6, .q = 200, .halfSpanInBandwidths = 3, .points = 201, .noiseDb = 0.05, .seed = 2}},
    {true, {.f0 = 455e3, .q = 80, .halfSpanInBandwidths = 8, .points = 401, .noiseDb = 0.05, .seed = 3}},
    {true, {.f0 = 7.05e6, .q = 120, .peak = 0.02, .points = 801, .noiseDb = 0.05, .seed = 4}},
    {true, {.f0 = 30e6, .q = 300, .halfSpanInBandwidths = 4, .points = 1601, .noiseDb = 0.05, .seed = 5}},
    {false, {.f0 = 3.5e6, .q = 100, .resistance = 200, .points = 101, .noiseDb = 0.05, .seed = 6}},
    {false, {.f0 = 1.8e6, .q = 60, .resistance = 50, .points = 401, .noiseDb = 0.05, .seed = 7}},
    {false, {.f0 = 14e6, .q = 150, .resistance = 1000, .points = 1601, .noiseDb = 0.05, .seed = 8}},
};

TEST(ResonanceTest, FitOfANoisyIdealTankFindsItsResonanceAndQ) {
    for (const TankCase& c : kTanks) {
        const TouchstoneSweep sweep = read(idealTankSweep(c.tank, c.transmission), c.transmission ? 2 : 1);
        const ResonanceResult r =
            FindResonance(sweep, c.transmission ? SweepParameter::S21 : SweepParameter::S11);
        const std::string what = std::to_string(c.tank.points) + " points, f0 " + std::to_string(c.tank.f0);
        ASSERT_TRUE(std::holds_alternative<Resonance>(r))
            << what << ": " << DescribeResonanceError(std::get<ResonanceError>(r), SweepParameter::S21, true);
        const Resonance& found = std::get<Resonance>(r);
        EXPECT_TRUE(found.fitted) << what;
        EXPECT_NEAR(found.f0 / c.tank.f0, 1.0, 1e-3) << what;
        EXPECT_NEAR(found.q / c.tank.q, 1.0, 0.02) << what;
        EXPECT_NEAR(found.f0 / (found.f2 - found.f1), found.q, 1e-9 * found.q) << what;
    }
}

TEST(ResonanceTest, NoWholePeakOrSeveralPeaksAreSaidPlainly) {
    // A tank at 1 MHz, Q 50 (bandwidth 20 kHz), swept from 1 MHz up: the low side is missing.
    const std::string upperHalf =
        "# MHz S RI\n1 0 0 1 0 0 0 0 0\n1.01 0 0 0.8 0 0 0 0 0\n"
        "1.02 0 0 0.5 0 0 0 0 0\n1.05 0 0 0.2 0 0 0 0 0\n";
    const ResonanceResult cut = FindResonance(read(upperHalf, 2), SweepParameter::S21);
    ASSERT_TRUE(std::holds_alternative<ResonanceError>(cut));
    EXPECT_EQ(std::get<ResonanceError>(cut), (ResonanceError{ResonanceFault::NotWhole, 1e6, true, {}}));
    EXPECT_EQ(DescribeResonanceError(std::get<ResonanceError>(cut), SweepParameter::S21, true),
              "No whole peak: below the highest point (1 MHz) |S21| does not fall 3 dB before the sweep "
              "starts. Start the sweep lower.");

    // Two peaks of 0 dB and -1 dB (|S21| 1 and 0.89), with 0.1 (-20 dB) between and around.
    const std::string twoPeaks =
        "# MHz S RI\n1 0 0 0.1 0 0 0 0 0\n2 0 0 1 0 0 0 0 0\n3 0 0 0.1 0 0 0 0 0\n"
        "4 0 0 0.89 0 0 0 0 0\n5 0 0 0.1 0 0 0 0 0\n";
    const ResonanceResult two = FindResonance(read(twoPeaks, 2), SweepParameter::S21);
    ASSERT_TRUE(std::holds_alternative<ResonanceError>(two));
    EXPECT_EQ(std::get<ResonanceError>(two).candidates, (std::vector<double>{2e6, 4e6}));
    EXPECT_EQ(DescribeResonanceError(std::get<ResonanceError>(two), SweepParameter::S21, false),
              "Meer dan een resonantie: pieken van ongeveer dezelfde hoogte bij 2 en 4 MHz. "
              "Beperk de meting tot een ervan.");

    // Within 2 dB everywhere: no peak.
    const std::string flat = "# MHz S RI\n1 0 0 1 0 0 0 0 0\n2 0 0 0.9 0 0 0 0 0\n3 0 0 0.8 0 0 0 0 0\n";
    EXPECT_EQ(std::get<ResonanceError>(FindResonance(read(flat, 2), SweepParameter::S21)).fault,
              ResonanceFault::Flat);
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

TEST(ResonanceTest, RealReflectionSweepOfNearlyAShortHasNoPeak) {
    const TouchstoneSweep sweep = realSweep("nanovna_t130-2_start.s1p");
    ASSERT_EQ(sweep.hertz.size(), 20u);
    EXPECT_EQ(sweep.hertz.front(), 50000.0);
    EXPECT_EQ(sweep.s11.front(), std::complex<double>(-1.0065668550744071, -5.21847118919505e-05));
    // |Z| = 50 |1 + S| / |1 - S|: 50 * 0.00657 / 2.00657 = 0.164 ohm at 50 kHz, and
    // 50 * 0.00817 / 2.0073 = 0.204 ohm at 1.93 MHz: 1.9 dB up, nowhere 3 dB.
    const ResonanceResult r = FindResonance(sweep, SweepParameter::S11);
    ASSERT_TRUE(std::holds_alternative<ResonanceError>(r));
    EXPECT_EQ(std::get<ResonanceError>(r).fault, ResonanceFault::Flat);
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
}

}  // namespace
}  // namespace kw
