#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/support/cli_runner.h"
#include "tests/support/ideal_tank.h"

namespace kw {
namespace {

using nlohmann::json;
namespace fs = std::filesystem;

class SweepCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("kernwijs_sweep_cli_" + std::to_string(::getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    json run(std::vector<std::string> args, int expectedExit) {
        args.insert(args.begin(), "calc");
        args.emplace_back("--json");
        const test::CliRun r = test::runCli(dir, args);
        EXPECT_EQ(r.status, expectedExit) << r.out << r.err;
        return json::parse(r.out, nullptr, false);
    }
    fs::path dir;
};

TEST_F(SweepCliTest, TheSweepGivesTheFrequenciesAndCalculateItsQ) {
    // Q 50 at 10 MHz, no noise: 10000, 9900.49999875 and 10100.49999875 kHz, whole kHz enough.
    test::writeAll(dir / "sweep.s2p", test::idealTankSweep({.f0 = 10e6, .q = 50}, true));
    const json j = run({"--touchstone", "sweep.s2p", "--top-r"}, 0);
    EXPECT_EQ(j.at("inputs").at("freq"), "10000");
    EXPECT_EQ(j.at("inputs").at("f1"), "9900");
    EXPECT_EQ(j.at("inputs").at("f2"), "10100");
    EXPECT_EQ(j.at("results").at("Q_loaded"), "50");
    const json& s = j.at("sweep");
    EXPECT_EQ(s.at("file"), "sweep.s2p");
    EXPECT_EQ(s.at("parameter"), "S21");
    EXPECT_EQ(s.at("points"), 201);
    EXPECT_NEAR(s.at("f0_hz").get<double>(), 10e6, 1.0);
    EXPECT_NEAR(s.at("f1_hz").get<double>(), 9900499.99875, 1.0);
    EXPECT_NEAR(s.at("f2_hz").get<double>(), 10100499.99875, 1.0);
    EXPECT_NEAR(s.at("peak").get<double>(), -20.0, 1e-6);  // |S21| 0.1
    EXPECT_EQ(s.at("peak_unit"), "dB");
    EXPECT_NEAR(s.at("q_uncertainty_pct").get<double>(), 0.0, 1e-3);  // no noise
    EXPECT_NEAR(s.at("f0_uncertainty_hz").get<double>(), 0.0, 1.0);
    EXPECT_EQ(s.at("advice"), "");
}

TEST_F(SweepCliTest, AReflectionSweepOfAHighTankSaysHowCertainItsQIs) {
    // 5 kOhm at resonance, 100 × the port impedance, in 0.1 dB of noise.
    test::writeAll(
        dir / "high.s1p",
        test::idealTankSweep(
            {.f0 = 7e6, .q = 100, .resistance = 5000, .points = 201, .noiseDb = 0.1, .seed = 3}, false));
    const json j = run({"--touchstone", "high.s1p", "--MHz", "--lang", "UK"}, 0);
    const json& s = j.at("sweep");
    const double q = s.at("q").get<double>();
    const double pct = s.at("q_uncertainty_pct").get<double>();
    EXPECT_GT(pct, 3.0);
    EXPECT_LT(std::fabs(q - 100.0), 2.0 * pct);  // Q 100 within two deviations
    EXPECT_GT(s.at("f0_uncertainty_hz").get<double>(), 0.0);
    const std::string advice = s.at("advice");
    EXPECT_EQ(advice.rfind("The tank is ", 0), 0u) << advice;
    // 5000 / 50 = 100 times the port impedance, as fitted.
    EXPECT_NEAR(std::stod(advice.substr(std::string("The tank is ").size())), 100.0, 20.0) << advice;
    EXPECT_NE(advice.find(" × the port impedance at resonance: reflection cannot resolve Q better than ±"),
              std::string::npos)
        << advice;
}

TEST_F(SweepCliTest, AReflectionSweepOrAFaultySweep) {
    // The tank across port 1: R 300 ohm at 3.5 MHz, Q 120, so f1 3.48544705 and f2 3.51461371 MHz.
    // Five decimals give Q 3.5 / 0.02916 = 120.03, 0.023 % off; six give 3.5 / 0.029167 = 119.9986.
    test::writeAll(dir / "tank.s1p", test::idealTankSweep({.f0 = 3.5e6, .q = 120, .resistance = 300}, false));
    const json s11 = run({"--touchstone", "tank.s1p", "--MHz", "--parameter", "s11"}, 0);
    EXPECT_EQ(s11.at("sweep").at("parameter"), "S11");
    EXPECT_NEAR(s11.at("sweep").at("peak").get<double>(), 300.0, 1e-3);
    EXPECT_EQ(s11.at("inputs").at("freq"), "3.500000");
    EXPECT_EQ(s11.at("inputs").at("f1"), "3.485447");

    // S21 asked of a one-port sweep: the message, exit 3, nothing calculated.
    const json none = run({"--touchstone", "tank.s1p", "--parameter", "S21", "--lang", "UK"}, 3);
    EXPECT_EQ(none.at("message").at("text"),
              "The sweep could not be used:\rtank.s1p\rThe sweep holds only a reflection (S11); it has no "
              "transmission (S21).");
    EXPECT_TRUE(none.at("sweep").is_null());
    EXPECT_EQ(none.at("results").at("AL"), " ");

    // The frequencies come from the sweep alone.
    EXPECT_EQ(test::runCli(dir, {"calc", "--touchstone", "tank.s1p", "-f", "10"}).status, 2);
}

}  // namespace
}  // namespace kw
