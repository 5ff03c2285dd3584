// Runs the built kernwijs-cli identify subcommand on values and on sheets in a temporary folder.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/support/cli_runner.h"

namespace {

namespace fs = std::filesystem;

using kw::test::CliRun;
using kw::test::readAll;
using kw::test::writeAll;

// A sheet of an FT-37-43 core: 25 turns with 4 pF of its own, resonating at 400 kHz with
// 704.79 pF and at 700 kHz with 222.08 pF, where Fair-Rite's 43 table gives µ′ 810.76 and 830.
const std::string kFt37Sheet =
    "[KERNWIJS]\r\n[FABR1]\r\nAmidon\r\n[INOUTOUT]\r\n9,52\r\n[INOUTIN]\r\n4.75 "
    "mm\r\n[INOUTHIGH]\r\n3.17mm\r\n"
    "[M-LINE1]\r\n25\r\n704.79 pF\r\n400 kHz\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n"
    "[M-LINE2]\r\n25\r\n222.08 pF\r\n700 kHz\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n[END]\r\n";

class IdentifyCliTest : public kw::test::CliFolderTest {
protected:
    CliRun identify(const std::vector<std::string>& args) { return run("identify", args); }
};

TEST_F(IdentifyCliTest, AnFt37CoreFromItsValuesRanksGrade43First) {
    const CliRun run = identify({"--al", "350", "--od", "9.5", "--id", "4.75", "--h", "3.3", "--lang", "UK"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find("  1     \xE2\x80\x93  350                 3500       765\n"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("  Mean \xC2\xB5r                  765\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("  Catalogue size           FT-37\n"), std::string::npos) << run.out;
    // Both makers' 43 are one mix, compared with the FT-37's catalogue AL of 375: 350/375 − 1 = −7 %.
    EXPECT_NE(run.out.find("  1  Amidon 43 or Fair-Rite 43     ferrite  850 / 800  -7 %       likely\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("catalogue figures at low frequency"), std::string::npos);
}

TEST_F(IdentifyCliTest, JsonGivesBothAlConventionsForAnIronPowderCore) {
    const CliRun run = identify({"--al", "4,9", "--od", "12.7 mm", "--id", "7,7", "--h", "4.83mm", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto j = nlohmann::json::parse(run.out);
    EXPECT_EQ(j["language"], "NL");
    EXPECT_DOUBLE_EQ(j["dimensions_mm"]["outer"].get<double>(), 12.7);
    ASSERT_EQ(j["lines"].size(), 1u);
    EXPECT_DOUBLE_EQ(j["lines"][0]["al_mH_per_1000_turns"].get<double>(), 4.9);
    EXPECT_DOUBLE_EQ(j["lines"][0]["al_uH_per_100_turns"].get<double>(), 49.0);
    EXPECT_NEAR(j["mu_r"].get<double>(), 10.1372, 1e-4);
    EXPECT_EQ(j["family"], "iron powder");
    EXPECT_EQ(j["candidates"].size(), 49u);
    EXPECT_EQ(j["matched_size"], "T-50");
    EXPECT_EQ(j["candidates"][0]["grade"], "-2");
    EXPECT_EQ(j["candidates"][0]["compared_with"], "catalogue AL of the size");
    EXPECT_NEAR(j["candidates"][0]["distance"].get<double>(), 0.0, 1e-9);  // 49 µH/100 is T-50-2's own AL
    // -7 lists 43 µH/100 on T-50: |ln(49/43)| = 0.1306.
    EXPECT_EQ(j["candidates"][1]["grade"], "-7");
    EXPECT_NEAR(j["candidates"][1]["distance"].get<double>(), 0.1306, 1e-4);
    EXPECT_LT(j["mu_r_range"]["low"].get<double>(), 10.1372);
    EXPECT_GT(j["mu_r_range"]["high"].get<double>(), 10.1372);
    EXPECT_EQ(j["candidates"][0]["colour"], "rood");
    EXPECT_EQ(j["candidates"][0]["likely"], true);
    EXPECT_FALSE(j["candidates"][0]["source"].get<std::string>().empty());
    EXPECT_TRUE(j["hints"].empty());
}

TEST_F(IdentifyCliTest, ASheetIsReadAsTheWindowReadsIt) {
    writeAll(dir / "ft37.tor", kFt37Sheet);
    const CliRun run = identify({"--sheet", "ft37.tor", "--json", "--lang", "uk"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto j = nlohmann::json::parse(run.out);
    ASSERT_EQ(j["lines"].size(), 2u);
    EXPECT_EQ(j["lines"][1]["turns"], 25);
    EXPECT_EQ(j["candidates"][0]["grade"], "43");
    EXPECT_EQ(j["candidates"][1]["grade"], "43");
    EXPECT_EQ(j["candidates"][1]["group"], 1);
    // The winding capacitance fitted with 43's curve, about the 4 pF the sheet was made with.
    ASSERT_EQ(j["stray_capacitance"].size(), 1u);
    EXPECT_EQ(j["stray_capacitance"][0]["lines"], nlohmann::json::array({1, 2}));
    const double pf = j["stray_capacitance"][0]["pF"].get<double>();
    EXPECT_NEAR(pf, 4.0, 1.5);
    EXPECT_EQ(j["candidates"][0]["stray_capacitance_pF"].get<double>(), pf);
    // Each candidate's µ′ and µ″ at each line's frequency: 43's table at 700 kHz is 830 − j26.
    const auto& x = j["candidates"][0]["expected"][1];
    EXPECT_EQ(x["line"], 2);
    EXPECT_DOUBLE_EQ(x["frequency_hz"].get<double>(), 700.0e3);
    EXPECT_DOUBLE_EQ(x["mu_real"].get<double>(), 830.0);
    EXPECT_DOUBLE_EQ(x["mu_imag"].get<double>(), 26.0);
    EXPECT_DOUBLE_EQ(x["mu_real_low"].get<double>(), 664.0);
    EXPECT_DOUBLE_EQ(x["mu_real_high"].get<double>(), 996.0);
    EXPECT_EQ(x["edition"], "k6jca-2022");  // the copy of the maker's table that fitted
    EXPECT_EQ(j["candidates"][0]["listed_for_size"], true);
    // The line corrected by it: 25 turns with 222.08 pF at 700 kHz are AL 372.44 apparent.
    EXPECT_NEAR(j["lines"][1]["al_corrected_nH_per_turn2"].get<double>(), 372.44 * 222.08 / (222.08 + pf),
                0.01);
    // The curves over frequency replace the warning above 1 MHz.
    EXPECT_EQ(j["ferrite_frequency_warning"], false);

    const CliRun text = identify({"--sheet", "ft37.tor", "--lang", "UK"});
    EXPECT_NE(text.out.find("  25 turns, lines 1, 2: "), std::string::npos) << text.out;
    EXPECT_NE(text.out.find(" pF (fitted with Amidon 43)\n"), std::string::npos) << text.out;
    EXPECT_NE(
        text.out.find("  1. Amidon 43 expects line 1 at 0.4 MHz: \xC2\xB5\xE2\x80\xB2 811 (649 to 973)"),
        std::string::npos)
        << text.out;
}

TEST_F(IdentifyCliTest, ASheetWithGapsGivesHintsAndNoNumber) {
    writeAll(dir / "gaps.tor",
             "[KERNWIJS]\r\n[INOUTOUT]\r\n9.5\r\n[INOUTIN]\r\nsmall\r\n"
             "[M-LINE3]\r\n10\r\n\r\n\r\n350\r\n\r\n\r\n\r\n\r\n\r\n\r\n[END]\r\n");
    const CliRun run = identify({"--sheet", "gaps.tor", "--lang", "UK"});
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(
        run.err,
        "Cannot read the inner diameter \"small\": type the number of mm in the box \"Binnen \xC3\x98\", "
        "for example 12.7.\n"
        "Fill in the height in mm in the box \"Hoogte\" of the data sheet.\n");
    EXPECT_NE(run.out.find("  3     10  350                 3500       \xE2\x80\x93\n"), std::string::npos)
        << run.out;

    const CliRun json = identify({"--sheet", "gaps.tor", "--json"});
    EXPECT_EQ(json.status, 3);
    const auto j = nlohmann::json::parse(json.out);
    EXPECT_TRUE(j["mu_r"].is_null());
    EXPECT_TRUE(j["dimensions_mm"]["inner"].is_null());
    EXPECT_TRUE(j["candidates"].empty());
    EXPECT_EQ(j["hints"].size(), 2u);
    EXPECT_EQ(json.out.find("nan"), std::string::npos);
    EXPECT_EQ(json.out.find("inf"), std::string::npos);
}

TEST_F(IdentifyCliTest, SeveralAlValuesGiveTheirSpread) {
    const CliRun run =
        identify({"--al", "340", "--al", "360", "--od", "9.5", "--id", "4.75", "--h", "3.3", "--lang", "UK"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("  Spread of AL             340 to 360 nH/N\xC2\xB2 (5.7 %)\n"), std::string::npos)
        << run.out;
}

TEST_F(IdentifyCliTest, AMissingMaterialTableIsReportedButMuIsStillGiven) {
    const CliRun run = identify(
        {"--al", "350", "--od", "9.5", "--id", "4.75", "--h", "3.3", "--table", "none.csv", "--lang", "UK"});
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.err,
              "The material table none.csv cannot be read (No such file or directory): "
              "no candidates are shown.\n");
    EXPECT_NE(run.out.find("  Mean \xC2\xB5r                  765\n"), std::string::npos) << run.out;
}

TEST_F(IdentifyCliTest, ThePaintColourNarrowsTheRankingAndAlReadsInCatalogueNotation) {
    // A T-50 measured at 4.3 nH lies nearest -7's 43 µH/100; painted red it can only be -2.
    for (const char* colour : {"red", "Rood"}) {
        const CliRun run = identify({"--al", "43 uH/100 turns", "--od", "12.7", "--id", "7.7", "--h", "4.83",
                                     "--colour", colour, "--json"});
        ASSERT_EQ(run.status, 0) << run.err;
        const auto j = nlohmann::json::parse(run.out);
        EXPECT_EQ(j["colour"], "red");
        ASSERT_EQ(j["candidates"].size(), 1u);
        EXPECT_EQ(j["candidates"][0]["grade"], "-2");
    }
    const CliRun purple =
        identify({"--al", "4.3", "--od", "12.7", "--id", "7.7", "--h", "4.83", "--colour", "purple"});
    EXPECT_EQ(purple.status, 2);
    EXPECT_EQ(purple.err.substr(0, 51), "identify: --colour: no material is painted \"purple\"");
}

TEST_F(IdentifyCliTest, UsageErrorsAndUnreadableFiles) {
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string errStart;
    };
    const Case cases[] = {
        {{}, 2, "--al (with --od, --id and --h), --sheet FILE.tor or --touchstone FILE is required"},
        {{"--al", "350"}, 2, "--al requires --od"},
        {{"--al", "350", "--od", "big", "--id", "4.75", "--h", "3.3"},
         2,
         "identify: --od: cannot read \"big\" as a size in mm"},
        {{"--al", "lots", "--od", "9.5", "--id", "4.75", "--h", "3.3"},
         2,
         "identify: --al: cannot read \"lots\""},
        {{"--al", "350", "--od", "4.75", "--id", "9.5", "--h", "3.3"},
         2,
         "identify: --id must be smaller than --od"},
        {{"--al", "350", "--od", "9.5", "--id", "4.75", "--h", "3.3", "--sheet", "a.tor"},
         2,
         "--al excludes --sheet"},
        {{"--sheet", "nothere.tor", "--lang", "UK"}, 3, "Error!"},
    };
    for (const auto& c : cases) {
        const CliRun run = identify(c.args);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_EQ(run.err.substr(0, c.errStart.size()), c.errStart) << run.err;
        EXPECT_EQ(run.out, "");
    }
}

}  // namespace
