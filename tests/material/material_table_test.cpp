#include "material/material_table.h"

#include <gtest/gtest.h>

#include <fstream>
#include <limits>
#include <sstream>
#include <tuple>

#include "tests/support/fake_file_system.h"

namespace kw {
namespace {

using test::FakeFileSystem;

std::string shippedTable() {
    std::ifstream in(std::string(KERNWIJS_RESOURCE_DIR) + "/materials.csv", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

Material ferrite(std::string grade, double mu) {
    return {"Maker", std::move(grade), MaterialFamily::Ferrite, mu, "", "", "test"};
}

TEST(MaterialTableTest, TheShippedTableHoldsEveryMaterialWithItsSource) {
    const MaterialTable table = parseMaterialTable(shippedTable());
    ASSERT_EQ(table.problem, TableProblem::None) << table.detail;
    ASSERT_EQ(table.materials.size(),
              19u + 14u + 16u);  // with Fair-Rite 33, Amidon 63 and 72, five more mixes
    int ironPowders = 0;
    for (const auto& m : table.materials) {
        EXPECT_FALSE(m.source.empty()) << m.maker << " " << m.grade;
        if (m.family == MaterialFamily::IronPowder) {
            ++ironPowders;
            EXPECT_FALSE(m.colourEn.empty()) << m.grade;
            EXPECT_FALSE(m.colourNl.empty()) << m.grade;
        }
    }
    EXPECT_EQ(ironPowders, 16);
    const Material red = {
        "Micrometals/Amidon",
        "-2",
        MaterialFamily::IronPowder,
        10.0,
        "red",
        "rood",
        "Micrometals Inc., iron-powder core catalogue, material and colour-code table (\xC2\xB5 "
        "and paint), as reprinted at "
        "https://www.extremeelectronics.co.uk/tables/ferrite-and-iron-toroid-information/ and "
        "http://pa3byb.nl/component-data/toroid-cores (pages read 2026)"};
    EXPECT_NE(std::find(table.materials.begin(), table.materials.end(), red), table.materials.end());
}

TEST(MaterialTableTest, AnFt37SizedGrade43CoreRanksGrade43First) {
    const MaterialTable table = parseMaterialTable(shippedTable());
    const auto ranked = rankMaterials(table.materials, 765.066);
    ASSERT_GE(ranked.size(), 3u);
    EXPECT_EQ(ranked[0].material.maker + " " + ranked[0].material.grade, "Fair-Rite 43");
    EXPECT_EQ(ranked[1].material.maker + " " + ranked[1].material.grade, "Amidon 43");
    EXPECT_TRUE(ranked[0].likely);
    EXPECT_TRUE(ranked[1].likely);
    EXPECT_NEAR(ranked[0].deviation, 765.066 / 800.0 - 1.0, 1e-12);
    for (std::size_t i = 1; i < ranked.size(); ++i) {
        EXPECT_LE(ranked[i - 1].distance, ranked[i].distance);
    }
}

TEST(MaterialTableTest, ARedIronPowderCoreRanksMixTwoFirst) {
    const auto ranked = rankMaterials(parseMaterialTable(shippedTable()).materials, 10.137);
    ASSERT_FALSE(ranked.empty());
    EXPECT_EQ(ranked[0].material.grade, "-2");
    EXPECT_EQ(ranked[0].material.colourEn, "red");
    EXPECT_EQ(familyOf(10.137), MaterialFamily::IronPowder);
    EXPECT_EQ(familyOf(765.0), MaterialFamily::Ferrite);
    EXPECT_EQ(familyOf(kFamilyBoundaryMu), MaterialFamily::Ferrite);
    // The boundary itself lies at a µr of 100.
    EXPECT_EQ(familyOf(99.99), MaterialFamily::IronPowder);
    EXPECT_EQ(familyOf(100.0), MaterialFamily::Ferrite);
    EXPECT_EQ(familyOf(100.01), MaterialFamily::Ferrite);
}

TEST(MaterialTableTest, RankingUsesTheLogDistanceAndKeepsTableOrderOnTies) {
    const std::vector<Material> materials = {ferrite("A", 100.0), ferrite("B", 400.0), ferrite("C", 400.0)};
    // 200 lies as far from 100 as from 400 on a log scale; the table order breaks the tie.
    const auto ranked = rankMaterials(materials, 200.0);
    ASSERT_EQ(ranked.size(), 3u);
    EXPECT_EQ(ranked[0].material.grade, "A");
    EXPECT_EQ(ranked[1].material.grade, "B");
    EXPECT_EQ(ranked[2].material.grade, "C");
    // On a linear scale 260 is nearer to 100 than to 400, on a log scale it is nearer to 400.
    EXPECT_EQ(rankMaterials(materials, 260.0)[0].material.grade, "B");
}

TEST(MaterialTableTest, TheLikelyBandIsPlusOrMinusAQuarterOfTheCatalogueFigure) {
    struct Case {
        double muR;
        bool likely;
    };
    const Case cases[] = {{800.0, true}, {600.0, true}, {1000.0, true}, {599.0, false}, {1001.0, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(rankMaterials({ferrite("43", 800.0)}, c.muR)[0].likely, c.likely) << c.muR;
    }
}

TEST(MaterialTableTest, NoRankingWithoutAMeaningfulPermeability) {
    const std::vector<Material> materials = {ferrite("43", 800.0)};
    EXPECT_TRUE(rankMaterials(materials, 0.0).empty());
    EXPECT_TRUE(rankMaterials(materials, -5.0).empty());
    EXPECT_TRUE(rankMaterials(materials, std::numeric_limits<double>::infinity()).empty());
}

TEST(MaterialTableTest, ColumnsByNameQuotedFieldsAndAnyLineEnd) {
    const std::string text =
        "# comment\r\n"
        "\r\n"
        "source,mu_i,grade,maker,family,colour_nl,colour_en,remark\r"
        "\"Catalogue, page 3\",850,43,Amidon,ferrite,,,x\n"
        "\"Say \"\"hi\"\"\",10,-2,Micrometals,iron powder,rood,red,\n";
    const MaterialTable table = parseMaterialTable(text);
    ASSERT_EQ(table.problem, TableProblem::None);
    ASSERT_EQ(table.materials.size(), 2u);
    EXPECT_EQ(table.materials[0],
              (Material{"Amidon", "43", MaterialFamily::Ferrite, 850.0, "", "", "Catalogue, page 3"}));
    EXPECT_EQ(table.materials[1].source, "Say \"hi\"");
    EXPECT_EQ(table.materials[1].colourNl, "rood");
}

TEST(MaterialTableTest, FaultyTablesAreReportedNotTrusted) {
    const std::string header = "maker,grade,family,mu_i,colour_en,colour_nl,source\n";
    MaterialTable t = parseMaterialTable("maker,grade,mu_i\nAmidon,43,850\n");
    EXPECT_EQ(t.problem, TableProblem::NoHeader);
    EXPECT_EQ(t.detail, "family");
    EXPECT_EQ(parseMaterialTable("# only comments\n").problem, TableProblem::NoHeader);
    EXPECT_EQ(parseMaterialTable(header).problem, TableProblem::NoRows);

    t = parseMaterialTable(header +
                           "Amidon,43,ferrite,850,,,src\n"
                           "Amidon,52,ferrite,abc,,,src\n"  // µ no number
                           "Amidon,61,plastic,125,,,src\n"  // unknown family
                           "Amidon,67,ferrite,-40,,,src\n"  // negative µ
                           "Amidon,68\n"                    // too few fields
                           "Amidon,75,ferrite,5000,,,src\n");
    EXPECT_EQ(t.problem, TableProblem::BadRows);
    EXPECT_EQ(t.badRows, 4);
    EXPECT_EQ(t.firstBadLine, 3);
    EXPECT_EQ(t.detail, "Amidon,52,ferrite,abc,,,src");
    ASSERT_EQ(t.materials.size(), 2u);
    EXPECT_EQ(t.materials[1].grade, "75");
}

TEST(MaterialTableTest, PaintColoursInEitherLanguageAndAnyLetterCase) {
    const auto iron = [](std::string grade, std::string en, std::string nl) {
        return Material{"Maker", std::move(grade), MaterialFamily::IronPowder, 10.0, std::move(en), std::move(nl), "test"};
    };
    const std::vector<Material> ms = {iron("-2", "red", "rood"), iron("-1", "blue", "blauw"), ferrite("43", 800.0),
                                      iron("-10", "black", "zwart"), iron("-2", "red", "rood")};
    EXPECT_EQ(paintColours(ms, true), (std::vector<std::string>{"black", "blue", "red"}));
    EXPECT_EQ(paintColours(ms, false), (std::vector<std::string>{"blauw", "rood", "zwart"}));
    const std::tuple<std::size_t, const char*, bool> cases[] = {
        {0, " RED ", true}, {0, "Rood", true}, {3, "ZWART", true}, {0, "blue", false}, {2, "", false}};
    for (const auto& [i, colour, painted] : cases) {
        EXPECT_EQ(paintedIn(ms[i], colour), painted) << colour;
    }
    EXPECT_EQ(catalogueTolerance(MaterialFamily::Ferrite), 0.20);
    EXPECT_EQ(catalogueTolerance(MaterialFamily::IronPowder), 0.05);
}

TEST(MaterialTableTest, AMissingFileGivesTheSystemsReasonAndItsPath) {
    FakeFileSystem files;
    const MaterialTable missing = loadMaterialTable(files, "/opt/kernwijs/materials.csv");
    EXPECT_EQ(missing.problem, TableProblem::Unreadable);
    EXPECT_EQ(missing.detail, "No such file or directory");
    EXPECT_EQ(missing.path, "/opt/kernwijs/materials.csv");
    EXPECT_TRUE(missing.materials.empty());

    files.files["/t.csv"] = shippedTable();
    const MaterialTable loaded = loadMaterialTable(files, "/t.csv");
    EXPECT_EQ(loaded.problem, TableProblem::None);
    EXPECT_EQ(loaded.path, "/t.csv");
    EXPECT_EQ(loaded.materials.size(), 49u);
}

}  // namespace
}  // namespace kw
