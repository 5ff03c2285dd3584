#include <gtest/gtest.h>

#include <array>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/support/calc_model.h"
#include "tests/support/cli_runner.h"

namespace kw {
namespace {

using nlohmann::json;

constexpr int kCliRandomCases = 300;
constexpr unsigned kSeed = 7031;

using test::CliRun;

CliRun runCli(const std::vector<std::string>& args) {
    return test::runCli(std::filesystem::temp_directory_path(), args);
}

std::vector<std::string> calcArgs(std::vector<std::string> rest) {
    rest.insert(rest.begin(), "calc");
    return rest;
}

json runJson(std::vector<std::string> args, int expectedExit) {
    args.emplace_back("--json");
    const CliRun run = runCli(calcArgs(args));
    EXPECT_EQ(run.status, expectedExit) << run.out;
    return json::parse(run.out, nullptr, false);
}

std::array<std::string, 6> resultsOf(const json& j) {
    const json& r = j.at("results");
    return {r.at("AL"), r.at("L_mH"), r.at("Q_loaded"), r.at("Q_corrected"), r.at("Rs"), r.at("Rp")};
}

const std::vector<std::string> kTopRExample = {"--pF", "--MHz", "--top-r", "-n",   "10",   "-c", "100", "-f",
                                               "10",   "--f1",  "9.9",     "--f2", "10.1", "-t", "100"};

TEST(CalcCliTest, TopRExamplePrintsItsResultsAsATable) {
    const CliRun run = runCli(calcArgs(kTopRExample));
    EXPECT_EQ(run.status, 0);
    for (const char* line : {"AL           25.3 nH/N^2\n", "L            0.0025 mH\n", "Q loaded     50\n",
                             "Q corrected  54.3\n", "Rs           2.93 ohm\n", "Rp           8646 ohm\n"}) {
        EXPECT_NE(run.out.find(line), std::string::npos) << line << "in:\n" << run.out;
    }
}

TEST(CalcCliTest, JsonCarriesEveryFieldAsItsText) {
    const json j = runJson(kTopRExample, 0);
    ASSERT_TRUE(j.is_object());
    EXPECT_EQ(j.size(), 5u);
    EXPECT_EQ(j.at("inputs"), json({{"turns", "10"},
                                    {"cap", "100"},
                                    {"freq", "10"},
                                    {"f1", "9.9"},
                                    {"f2", "10.1"},
                                    {"top", "100"}}));
    EXPECT_EQ(resultsOf(j), (std::array<std::string, 6>{"25.3", "0.0025", "50", "54.3", "2.93", "8646"}));
    EXPECT_EQ(j.at("results").size(), 6u);
    EXPECT_EQ(j.at("fill_line"), true);
    EXPECT_TRUE(j.at("message").is_null());
    EXPECT_EQ(j.at("beeps"), 0);
}

TEST(CalcCliTest, WithoutArgumentsItCalculatesTheStartUpState) {
    const json j = runJson({}, 0);
    EXPECT_EQ(j.at("inputs").at("freq"), "10.0");
    EXPECT_EQ(resultsOf(j), (std::array<std::string, 6>{"25330", "2.533", "50", "50", "3.18", "7958"}));
}

TEST(CalcCliTest, AMessageGivesExitThreeAndItsTitleTextAndIcon) {
    std::vector<std::string> args = kTopRExample;
    args.back() = "1";  // Top-R 1 kOhm
    const json j = runJson(args, 3);
    EXPECT_EQ(
        j.at("message"),
        json({{"title", "FOUT3!"},
              {"text",
               "Er is iets mis met de Fres punten of Top-R waarde!!\rTikfout?? TOP-R kan te laag zijn!    "
               "Liever > 10K.\rDit geeft onbetrouwbare Q correctie resultaten!"},
              {"icon", "critical"}}));
    EXPECT_EQ(resultsOf(j), (std::array<std::string, 6>{"25.3", "0.0025", "50", "err", "err", "err"}));
    EXPECT_EQ(j.at("fill_line"), true);

    const CliRun table = runCli(calcArgs(args));
    EXPECT_EQ(table.status, 3);
    EXPECT_NE(table.out.find("FOUT3!\nEr is iets mis"), std::string::npos) << table.out;
}

TEST(CalcCliTest, EnglishMessagesWithLangUK) {
    const json j = runJson({"--lang", "UK", "-f", "0"}, 3);
    EXPECT_EQ(j.at("message"), json({{"title", "ERROR_0!"},
                                     {"text", "Something wrong with the Fres points!!  Zero?? "},
                                     {"icon", "critical"}}));
}

TEST(CalcCliTest, UsageErrorsGiveExitTwo) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--lang", "FR"}, {"--lang", "uk"}, {"--bogus"}, {"-n"}, {"extra"}}) {
        EXPECT_EQ(runCli(calcArgs(args)).status, 2) << args.front();
    }
    EXPECT_EQ(runCli(calcArgs({"--help"})).status, 0);
}

TEST(CalcCliTest, OptionsAreClickedBeforeTheTextsArePasted) {
    // Clicking Top-R after the paste would put "100" back.
    const json j = runJson({"--top-r", "--MHz", "--pF", "-t", "5"}, 3);
    EXPECT_EQ(j.at("inputs").at("top"), "5");
}

TEST(CalcCliTest, NoQIgnoresThePoints) {
    const json j = runJson({"--no-q", "--f1", "60000", "--f2", "7"}, 0);
    EXPECT_EQ(j.at("inputs").at("f1"), "-");
    EXPECT_EQ(j.at("inputs").at("f2"), "-");
    EXPECT_EQ(j.at("beeps"), 0);
    EXPECT_EQ(resultsOf(j), (std::array<std::string, 6>{"25330", "2.533", " ", " ", " ", " "}));
    EXPECT_EQ(j.at("fill_line"), true);
}

TEST(CalcCliTest, InputRulesHoldThroughTheCommandLine) {
    struct Case {
        std::vector<std::string> args;
        const char* input;
        const char* textAfter;
        int beeps;
    };
    const std::vector<Case> cases = {
        {{"-n", "101"}, "turns", "101", 0},   {{"-n", "102"}, "turns", "10", 1},
        {{"-n", "65546"}, "turns", "10", 1},  {{"-n", "0"}, "turns", "10", 1},
        {{"-c", ",5"}, "cap", "100", 1},      {{"-c", ".5"}, "cap", ".5", 0},
        {{"-c", "500001"}, "cap", "100", 1},  {{"-t", "250001"}, "top", "100", 1},
        {{"-t", "1,5"}, "top", "1,5", 0},     {{"-t", "0,5"}, "top", "100", 1},
        {{"-f", "50001"}, "freq", "10", 1},   {{"--f1", "50001"}, "f1", "9.9", 1},
        {{"--f2", "50001"}, "f2", "10.1", 1}, {{"--f1", "-5"}, "f1", "9.9", 1},
        {{"--f1", "-"}, "f1", "-", 0},        {{"-f", ""}, "freq", "", 0},
    };
    for (const auto& c : cases) {
        const CliRun run = runCli(calcArgs([&] {
            auto a = c.args;
            a.emplace_back("--json");
            return a;
        }()));
        const json j = json::parse(run.out, nullptr, false);
        ASSERT_TRUE(j.is_object()) << c.args.front() << ' ' << c.args.back() << ": " << run.out;
        EXPECT_EQ(j.at("inputs").at(c.input), c.textAfter) << c.args.back();
        EXPECT_EQ(j.at("beeps"), c.beeps) << c.args.back();
    }
}

TEST(CalcCliTest, ErrorsOfTheCalculationThroughTheCommandLine) {
    struct Case {
        std::vector<std::string> args;
        const char* title;
    };
    const std::vector<Case> cases = {
        {{"-f", "0"}, "FOUT_0!"},     {{"-f", "0,005"}, "FOUT_0!"},
        {{"-f", "10.2"}, "FOUT1!"},   {{"-f", "10.2", "--f1", "10.1", "--f2", "9.9"}, "FOUT2!"},
        {{"--f1", "10.1"}, "FOUT1!"}, {{"--pF", "-t", "11"}, "FOUT4!"},
    };
    for (const auto& c : cases) {
        const json j = runJson(c.args, 3);
        EXPECT_EQ(j.at("message").at("title"), c.title) << c.args.back();
        EXPECT_EQ(j.at("fill_line"), false) << c.args.back();
        EXPECT_EQ(resultsOf(j), (std::array<std::string, 6>{" ", " ", " ", " ", " ", " "})) << c.args.back();
    }
    EXPECT_TRUE(runJson({"--pF", "-t", "10"}, 0).at("message").is_null());
}

std::vector<std::string> argsFor(const test::ModelCase& c) {
    std::vector<std::string> args;
    if (c.english) {
        args.emplace_back("--lang");
        args.emplace_back("UK");
    }
    if (c.topR) {
        args.emplace_back("--top-r");
    }
    if (c.MHz) {
        args.emplace_back("--MHz");
    }
    if (c.pF) {
        args.emplace_back("--pF");
    }
    if (c.noQ) {
        args.emplace_back("--no-q");
    }
    const std::array<const char*, test::kFieldCount> names = {"--turns", "--cap", "--freq",
                                                              "--f1",    "--f2",  "--top"};
    for (int f = 0; f < test::kFieldCount; ++f) {
        if (c.texts[f]) {
            args.emplace_back(names[f]);
            args.push_back(*c.texts[f]);
        }
    }
    return args;
}

TEST(CalcCliTest, RandomMeasurementsAgreeWithTheModelTextForText) {
    test::ModelCaseGenerator generator(kSeed);
    for (int i = 0; i < kCliRandomCases; ++i) {
        const test::ModelCase c = generator.next(true);
        const test::ModelOutcome expected = test::modelCalculation(c);
        const std::vector<std::string> args = argsFor(c);
        std::string shown;
        for (const auto& a : args) {
            shown += " '" + a + "'";
        }
        const json j = runJson(args, expected.message ? 3 : 0);
        ASSERT_TRUE(j.is_object()) << shown;
        const json& in = j.at("inputs");
        EXPECT_EQ((std::array<std::string, test::kFieldCount>{in.at("turns"), in.at("cap"), in.at("freq"),
                                                              in.at("f1"), in.at("f2"), in.at("top")}),
                  expected.inputs)
            << shown;
        EXPECT_EQ(resultsOf(j), expected.results) << shown;
        EXPECT_EQ(j.at("fill_line"), expected.fillLine) << shown;
        EXPECT_EQ(j.at("beeps"), expected.beeps) << shown;
        if (expected.message) {
            EXPECT_EQ(j.at("message").at("title"), expected.message->title) << shown;
            EXPECT_EQ(j.at("message").at("text"), expected.message->text) << shown;
        } else {
            EXPECT_TRUE(j.at("message").is_null()) << shown;
        }
    }
}

}  // namespace
}  // namespace kw

namespace kw {
namespace {

class CalcSheetCliTest : public test::CliFolderTest {};

TEST_F(CalcSheetCliTest, FillsTheChosenLineOfANewSheetFileAndSavesIt) {
    const test::CliRun run = this->run(
        "calc", {"--pF", "--MHz", "--top-r", "-n", "12", "-c",      "150",      "-f",     "3.5", "--f1",
                 "3.4",  "--f2",  "3.6",     "-t", "47", "--sheet", "ring.tor", "--line", "4",   "--qrlc"});
    ASSERT_EQ(run.status, 0) << run.err;
    // 12 turns, 150 pF, 3.5 MHz: AL = 25.33e6 / (3.5^2 * 144 * 150) = 95.7; Q 3.5 / 0.2 = 17.5.
    const std::string file = test::readAll(dir / "ring.tor");
    EXPECT_NE(file.find("[M-LINE4]\r\n12\r\n150 pF\r\n3.5 MHz\r\n95.7\r\n3.4\r\n3.6\r\n"), std::string::npos)
        << file;
    EXPECT_NE(file.find("[C-LINE7]\r\nQlc+r4 = 17.5, \r\n"), std::string::npos) << file;
    EXPECT_NE(file.find("[C-LINE8]\r\nL4 = 0.0138 mH, \r\n"), std::string::npos) << file;
    EXPECT_EQ(file.find("[M-LINE1]"), std::string::npos) << "a new sheet starts empty";
}

TEST_F(CalcSheetCliTest, KeepsTheRestOfAnExistingSheetAndHonoursNoLprn) {
    test::writeAll(dir / "ring.tor", "[KERNWIJS]\r\n[FABR1]\r\nAmidon\r\n[C-LINE8]\r\nold, \r\n[END]\r\n");
    const test::CliRun run = this->run("calc", {"--sheet", "ring.tor", "--line", "2", "--no-lprn"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string file = test::readAll(dir / "ring.tor");
    EXPECT_NE(file.find("[FABR1]\r\nAmidon\r\n"), std::string::npos) << file;
    EXPECT_NE(file.find("[C-LINE8]\r\nold, \r\n"), std::string::npos) << file;
    EXPECT_NE(file.find("[M-LINE2]\r\n10\r\n100 nF\r\n10.0 kHz\r\n"), std::string::npos) << file;
}

TEST_F(CalcSheetCliTest, AnErrorThatDisablesFillLineWritesNothing) {
    test::writeAll(dir / "ring.tor", "[KERNWIJS]\r\n[END]\r\n");
    const test::CliRun run = this->run("calc", {"-f", "0", "--sheet", "ring.tor", "--line", "1"});
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(test::readAll(dir / "ring.tor"), "[KERNWIJS]\r\n[END]\r\n");
    EXPECT_EQ(this->run("calc", {"--line", "1"}).status, 2) << "--line needs --sheet";
    EXPECT_EQ(this->run("calc", {"--sheet", "x.tor", "--line", "8"}).status, 2);
}

}  // namespace
}  // namespace kw
