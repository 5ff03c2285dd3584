// kernwijs-cli identify --touchstone on sweeps written into a temporary folder.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tests/support/cli_runner.h"
#include "tests/support/coil_sweep.h"

namespace {

using kw::test::CliRun;

// Ten turns on an FT-50 of a flat µ 125 with 3 pF of its own and 10 nH of leads.
std::string ft50Sweep(double extraCapPf) {
    kw::test::CoilOnCore c;
    c.mu = [](double) { return std::complex<double>(125, -1); };
    c.l0 = 100 * 2e-7 * 4.8e-3 * 0.57446;
    c.cd = (3 + extraCapPf) * 1e-12;
    return kw::test::coilSweepText(kw::test::coilSweep(c));
}

class IdentifySweepCliTest : public kw::test::CliFolderTest {
protected:
    void SetUp() override {
        CliFolderTest::SetUp();
        kw::test::writeAll(dir / "coil.s1p", ft50Sweep(0));
        kw::test::writeAll(dir / "tank.s1p", ft50Sweep(200));
    }
    CliRun identify(const std::vector<std::string>& args) { return run("identify", args); }
};

TEST_F(IdentifySweepCliTest, GivesThePermeabilityOverTheBandAsJson) {
    const CliRun run =
        identify({"--touchstone", "coil.s1p", "--turns", "10", "--size", "FT-50", "--json", "--csv", "mu.csv"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto j = nlohmann::json::parse(run.out);
    const auto& sweep = j.at("sweep_permeability");
    ASSERT_GE(sweep.at("points").size(), 5u);
    const auto& first = sweep.at("points").front();
    EXPECT_NEAR(first.at("mu_p").get<double>(), 125, 125 * 0.03);
    EXPECT_TRUE(first.contains("f_hz") && first.contains("mu_pp"));
    EXPECT_NEAR(sweep.at("stray_pf").get<double>(), 3.0, 0.3);
    EXPECT_LT(sweep.at("valid_to_hz").get<double>(), 0.7 * sweep.at("self_resonance_hz").get<double>());
    EXPECT_FALSE(j.at("candidates").empty());
    const std::string csv = kw::test::readAll(dir / "mu.csv");
    EXPECT_EQ(csv.substr(0, 17), "f_hz,mu_p,mu_pp\r\n");
}

TEST_F(IdentifySweepCliTest, RefusesInOneLine) {
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string err;
    };
    const Case cases[] = {
        {{"--touchstone", "coil.s1p", "--size", "FT-50"}, 2, "The number of turns or the core's size is missing."},
        {{"--touchstone", "coil.s1p", "--turns", "10"}, 2, "The number of turns or the core's size is missing."},
        {{"--touchstone", "coil.s1p", "--turns", "10", "--size", "FT-999"}, 2, "--size: no catalogue size \"FT-999\""},
        {{"--touchstone", "tank.s1p", "--turns", "10", "--od", "12.7", "--id", "7.15", "--h", "4.8"},
         3,
         "This sweep is a tuned circuit"},
    };
    for (const auto& c : cases) {
        const CliRun run = identify(c.args);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_EQ(run.err.substr(0, 10 + c.err.size()), "identify: " + c.err) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_EQ(run.out, "");
    }
}

}  // namespace
