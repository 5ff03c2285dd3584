#include "material/core_analysis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

namespace kw {
namespace {

std::vector<Material> shippedMaterials() {
    std::ifstream in(std::string(KERNWIJS_RESOURCE_DIR) + "/materials.csv", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return parseMaterialTable(text.str()).materials;
}

void setLine(DataSheet& sheet, int k, const std::string& n, const std::string& c, const std::string& f,
             const std::string& al) {
    sheet.line(k, LineField::N) = n;
    sheet.line(k, LineField::C) = c;
    sheet.line(k, LineField::Fres) = f;
    sheet.line(k, LineField::mH) = al;
}

class CoreAnalysisTest : public ::testing::Test {
protected:
    DataSheet sheet;
    std::vector<Material> materials = shippedMaterials();

    // An FT-37-43-like core measured with 10 turns at 100 pF and 1 nF (35 µH with 4 pF of
    // its own) and with 20 turns at 1 nF. Lines 4 to 7 keep their placeholders.
    void fillFt37() {
        sheet.txtBuiten = "9,5";
        sheet.txtBinnen = "4.75 mm";
        sheet.txtHoog = "3.3mm";
        setLine(sheet, 1, "10", "100 pF", "2637.9675 kHz", "364");
        setLine(sheet, 2, "10", "1 nF", "849.02260 kHz", "351,4");
        setLine(sheet, 3, "20", "1 nF", "421.17 kHz", "357");
    }
};

TEST_F(CoreAnalysisTest, AnFt37SheetGivesMuAndRanksGrade43First) {
    fillFt37();
    const CoreAnalysis a = analyseSheet(sheet, materials);
    ASSERT_TRUE(a.dimensions.size.has_value());
    EXPECT_EQ(*a.dimensions.size, (ToroidSize{9.5, 4.75, 3.3}));
    ASSERT_EQ(a.lines.size(), 3u);
    EXPECT_EQ(a.lines[1].line, 2);
    EXPECT_EQ(a.lines[1].turns, 10);
    EXPECT_NEAR(*a.lines[1].capPf, 1000.0, 1e-9);
    EXPECT_NEAR(*a.lines[1].freqHz, 849022.6, 1e-6);
    EXPECT_NEAR(*a.lines[1].alNh, 351.4, 1e-9);
    ASSERT_TRUE(a.al.has_value());
    const double meanAl = (364.0 + 351.4 + 357.0) / 3.0;
    EXPECT_NEAR(a.al->mean, meanAl, 1e-9);
    EXPECT_NEAR(a.al->relative, (364.0 - 351.4) / meanAl, 1e-12);
    // Every line lies below 43's µ 800, so no winding capacitance helps it: none is assumed.
    EXPECT_EQ(a.candidates.at(0).strayPf, 0.0);
    EXPECT_NEAR(*a.muR, 5.0 * meanAl / (3.3 * std::log(2.0)), 0.02);
    EXPECT_EQ(a.family, MaterialFamily::Ferrite);
    ASSERT_FALSE(a.candidates.empty());
    EXPECT_EQ(a.candidates[0].material.maker, "Fair-Rite");
    EXPECT_EQ(a.candidates[0].material.grade, "43");
}

TEST_F(CoreAnalysisTest, TheWindingCapacitanceIsFittedWithEachMaterial) {
    // Lines 1 and 2: 35 µH with 4 pF of its own at 100 pF and 1 nF. A material of exactly
    // AL 350 on this core (µ = 5·350/(3.3·ln 2) = 765.1) explains both with about 4 pF
    // (the small price of assuming a capacitance pulls it a little below).
    fillFt37();
    sheet.line(3, LineField::N).clear();
    sheet.line(3, LineField::mH).clear();
    const double mu = 5.0 * 350.0 / (3.3 * std::log(2.0));
    const std::vector<Material> one = {{"M", "X", MaterialFamily::Ferrite, mu, "", "", "s"}};
    const CoreAnalysis a = analyseSheet(sheet, one);
    ASSERT_EQ(a.candidates.size(), 1u);
    EXPECT_NEAR(*a.candidates[0].strayPf, 4.0, 0.5);
    ASSERT_EQ(a.stray.size(), 1u);
    EXPECT_EQ(a.stray[0].turns, 10);
    EXPECT_EQ(a.stray[0].lines, (std::vector<int>{1, 2}));
    EXPECT_EQ(a.stray[0].capacitancePf, *a.candidates[0].strayPf);
    EXPECT_NEAR(*a.lines[0].alCorrectedNh, 350.0, 2.0);         // 364·100/104
    EXPECT_NEAR(*a.lines[1].alCorrectedNh, 350.0, 0.5);         // 351.4·1000/1004
    EXPECT_LT(a.candidates[0].distance, 0.01 + kModelPenalty);  // no curve: flat µ is a model

    // One line alone assumes none.
    sheet.line(2, LineField::N).clear();
    sheet.line(2, LineField::mH).clear();
    const CoreAnalysis b = analyseSheet(sheet, one);
    EXPECT_FALSE(b.candidates.at(0).strayPf.has_value());
    EXPECT_TRUE(b.stray.empty());
    EXPECT_FALSE(b.lines[0].alCorrectedNh.has_value());
}

TEST_F(CoreAnalysisTest, FerriteMeasuredAboveOneMegahertzIsFlagged) {
    fillFt37();
    CoreAnalysis a = analyseSheet(sheet, materials);
    EXPECT_TRUE(a.ferriteFrequencyWarning);
    EXPECT_NEAR(*a.highestFrequencyHz, 2637967.5, 1e-3);

    sheet.line(1, LineField::Fres) = "999 kHz";
    EXPECT_FALSE(analyseSheet(sheet, materials).ferriteFrequencyWarning);

    // An iron-powder core is not flagged at high frequency.
    sheet.txtBuiten = "12.7";
    sheet.txtBinnen = "7.7";
    sheet.txtHoog = "4.83";
    DataSheet iron = sheet;
    iron.lines = DataSheet::placeholderLines();
    setLine(iron, 1, "20", "100 pF", "10 MHz", "4.9");
    a = analyseSheet(iron, materials);
    EXPECT_EQ(a.family, MaterialFamily::IronPowder);
    EXPECT_EQ(a.candidates[0].material.grade, "-2");
    EXPECT_FALSE(a.ferriteFrequencyWarning);
}

TEST_F(CoreAnalysisTest, TheFerriteWarningStartsJustAboveOneMegahertz) {
    struct Case {
        std::string frequency;  // of line 1; lines 2 and 3 lie below 1 MHz
        bool warned;
    };
    const Case cases[] = {
        {"1 MHz", false}, {"1000 kHz", false}, {"1.000001 MHz", true}, {"1000.001 kHz", true}};
    for (const auto& c : cases) {
        fillFt37();
        sheet.line(1, LineField::Fres) = c.frequency;
        EXPECT_EQ(analyseSheet(sheet, materials).ferriteFrequencyWarning, c.warned) << c.frequency;
    }
}

TEST_F(CoreAnalysisTest, APlaceholderSheetHasNoLinesAndNoNumbers) {
    const CoreAnalysis a = analyseSheet(sheet, materials);
    EXPECT_EQ(a.dimensions.outer.state, BoxState::Missing);
    EXPECT_EQ(a.dimensions.inner.state, BoxState::Missing);
    EXPECT_EQ(a.dimensions.height.state, BoxState::Missing);
    EXPECT_FALSE(a.dimensions.size.has_value());
    EXPECT_TRUE(a.lines.empty());
    EXPECT_FALSE(a.al.has_value());
    EXPECT_FALSE(a.muR.has_value());
    EXPECT_TRUE(a.candidates.empty());
    EXPECT_FALSE(a.ferriteFrequencyWarning);
}

TEST_F(CoreAnalysisTest, ALineWithoutAlTakesItFromTurnsCapacitanceAndFrequency) {
    fillFt37();
    sheet.line(2, LineField::mH) = "";
    sheet.line(3, LineField::mH) = "mH3";
    CoreAnalysis a = analyseSheet(sheet, materials);
    EXPECT_EQ(a.lines[1].alSource, AlSource::Resonance);
    EXPECT_NEAR(*a.lines[1].alNh, 351.4, 0.01);
    EXPECT_EQ(a.lines[2].alSource, AlSource::Resonance);
    EXPECT_EQ(a.lines[0].alSource, AlSource::Sheet);

    // Without units the line cannot tell its AL; the AL box's text is kept for the hint.
    sheet.line(2, LineField::mH) = "about 350";
    sheet.line(2, LineField::C) = "1";
    a = analyseSheet(sheet, materials);
    EXPECT_FALSE(a.lines[1].alNh.has_value());
    EXPECT_EQ(a.lines[1].alBox.state, BoxState::Unreadable);
    EXPECT_EQ(a.lines[1].alBox.text, "about 350");
    EXPECT_NEAR(a.al->mean, (364.0 + 357.0) / 2.0, 0.01);  // the other two lines still count
    EXPECT_EQ(a.lines.size(), 3u);
}

TEST_F(CoreAnalysisTest, DimensionProblemsAreToldApart) {
    sheet.txtBuiten = "groot";
    sheet.txtBinnen = "  ";
    sheet.txtHoog = "3,3";
    DimensionReadings d = analyseSheet(sheet, materials).dimensions;
    EXPECT_EQ(d.outer.state, BoxState::Unreadable);
    EXPECT_EQ(d.outer.text, "groot");
    EXPECT_EQ(d.inner.state, BoxState::Missing);
    EXPECT_EQ(d.height.state, BoxState::Read);
    EXPECT_FALSE(d.size.has_value());

    sheet.txtBuiten = "4.75";
    sheet.txtBinnen = "9.5";
    d = analyseSheet(sheet, materials).dimensions;
    EXPECT_TRUE(d.innerNotBelowOuter);
    EXPECT_FALSE(d.size.has_value());
    sheet.txtBinnen = "4.75";  // equal diameters leave no ring either
    EXPECT_TRUE(analyseSheet(sheet, materials).dimensions.innerNotBelowOuter);
}

TEST_F(CoreAnalysisTest, OnlyFilledLinesTakePart) {
    setLine(sheet, 2, "", "150 nF", "10 kHz", "");  // no turns, no AL: not a line
    setLine(sheet, 5, "N5", "C5", "Fres5", "350");  // AL only
    setLine(sheet, 6, "12", "C6", "Fres6", "mH6");  // turns only
    const CoreAnalysis a = analyseSheet(sheet, materials);
    ASSERT_EQ(a.lines.size(), 2u);
    EXPECT_EQ(a.lines[0].line, 5);
    EXPECT_EQ(a.lines[1].line, 6);
    EXPECT_FALSE(a.lines[1].alNh.has_value());
    EXPECT_NE(a.lines[1].alSource, AlSource::Resonance);  // turns alone resonate nothing
    EXPECT_EQ(a.lines[1].alBox.state, BoxState::Missing);
}

}  // namespace
}  // namespace kw

namespace kw {
namespace {

TEST(CoreAnalysisLossTest, AWindingMayAddLossUpToQ100ButLessLossThanTheCoreCosts) {
    // A material of µ 100 − j1 (loss tangent 0.01) on a 20 × 10 × 5 mm ring: AL 69.3147 nH
    // (0.2·5·ln 2 nH per µ). The measured tangent 1/Q plus the floor 0.05 is compared with
    // 0.06, or up to 0.07 when the winding adds loss; distance = √(½·ln²(measured/edge)).
    PermeabilityTable table;
    table.curves["X"] = {{1.0e3, 100.0, 1.0}, {1.0e8, 100.0, 1.0}};
    const std::vector<Material> one = {{"M", "X", MaterialFamily::Ferrite, 100.0, "", "", "s"}};
    const struct {
        const char* q;
        double distance;
    } cases[] = {
        {"100", 0.0},         // just the core's loss
        {"60", 0.0},          // 0.0667: the winding's share lies within Q 100
        {"20", 0.252208},     // 0.1 against 0.07
        {"200", 0.061526},    // 0.055 against 0.06: less loss than the core has
    };
    for (const auto& c : cases) {
        DataSheet sheet;
        sheet.txtBuiten = "20";
        sheet.txtBinnen = "10";
        sheet.txtHoog = "5";
        setLine(sheet, 1, "10", "", "1 MHz", "69.3147");
        sheet.line(1, LineField::Q) = c.q;
        const CoreAnalysis a = analyseSheet(sheet, IdentifyCatalogue{&one, nullptr, &table, ""});
        ASSERT_EQ(a.candidates.size(), 1u);
        EXPECT_NEAR(a.candidates[0].distance, c.distance, 1e-4) << c.q;
    }
}

}  // namespace
}  // namespace kw
