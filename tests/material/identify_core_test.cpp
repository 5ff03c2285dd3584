#include "material/identify_core.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "tests/support/fake_file_system.h"
#include "tests/support/fake_platform.h"

namespace kw {
namespace {

std::string shippedTable() {
    std::ifstream in(std::string(KERNWIJS_RESOURCE_DIR) + "/materials.csv", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class IdentifyCoreTest : public ::testing::Test {
protected:
    test::FakePlatform platform;
    test::FakeFileSystem files;
    DataSheet sheet;

    void SetUp() override {
        sheet.platform = &platform;
        sheet.files = &files;
        sheet.appFolder = "/opt/kernwijs";
        files.files["/opt/kernwijs/materials.csv"] = shippedTable();
    }

    void fillFt37() {
        sheet.txtBuiten = "9,5";
        sheet.txtBinnen = "4.75 mm";
        sheet.txtHoog = "3.3mm";
        sheet.line(1, LineField::N) = "10";
        sheet.line(1, LineField::C) = "1 nF";
        sheet.line(1, LineField::Fres) = "850.7 kHz";
        sheet.line(1, LineField::mH) = "350";
    }

    IdentifyCore open() { return OpenIdentifyCore(sheet, files); }

    // Every text the window shows.
    static std::vector<std::string> allTexts(const IdentifyCore& w) {
        std::vector<std::string> t = {
            w.caption,         w.frameMaten,         w.buiten.value,    w.binnen.value,
            w.hoog.value,      w.padlengte.value,    w.doorsnede.value, w.gemiddeldeAL.value,
            w.spreiding.value, w.gemiddeldeMu.value, w.lblFamilie,      w.lblWaarschuwing,
            w.lblCatalogus,    w.cmdMu.caption,      w.muText};
        t.insert(t.end(), w.hints.begin(), w.hints.end());
        t.insert(t.end(), w.eigenC.begin(), w.eigenC.end());
        for (const auto& r : w.lineRows) {
            t.insert(t.end(), r.cells.begin(), r.cells.end());
        }
        for (const auto& r : w.candidateRows) {
            t.insert(t.end(), r.cells.begin(), r.cells.end());
        }
        return t;
    }
};

TEST_F(IdentifyCoreTest, AnFt37SheetShowsMuBothAlConventionsAndGrade43First) {
    sheet.selectLanguage(1);
    fillFt37();
    const IdentifyCore w = open();
    EXPECT_EQ(w.caption, "Identify core");
    EXPECT_EQ(w.buiten, (LabelledValue{"Outer \xC3\x98", "9.5 mm"}));
    EXPECT_EQ(w.binnen.value, "4.75 mm");
    EXPECT_EQ(w.hoog.value, "3.3 mm");
    EXPECT_EQ(w.padlengte.value, "20.7 mm");
    EXPECT_EQ(w.doorsnede.value, "7.53 mm\xC2\xB2");
    ASSERT_EQ(w.lineRows.size(), 1u);
    EXPECT_EQ(w.lineRows[0].cells,
              (std::array<std::string, kLineColumns>{"1", "10", "350", "3500", "765", ""}));
    EXPECT_EQ(w.gemiddeldeAL.value, "350 nH/N\xC2\xB2 = 3500 \xC2\xB5H/100");
    EXPECT_EQ(w.spreiding.value, "one line only");
    EXPECT_EQ(w.gemiddeldeMu, (LabelledValue{"Mean \xC2\xB5r", "765"}));
    EXPECT_EQ(w.lblFamilie, "Family: ferrite (\xC2\xB5r above about 100)");
    EXPECT_EQ(w.lblWaarschuwing, "");
    ASSERT_GE(w.candidateRows.size(), 2u);
    EXPECT_EQ(w.candidateRows[0].cells, (std::array<std::string, kCandidateColumns>{
                                            "1", "Fair-Rite 43", "ferrite", "800", "-4 %", "likely"}));
    EXPECT_TRUE(w.candidateRows[0].likely);
    EXPECT_EQ(w.candidateRows[1].cells[1], "Amidon 43");
    EXPECT_TRUE(w.hints.empty());
    EXPECT_TRUE(w.cmdMu.enabled);
}

TEST_F(IdentifyCoreTest, EveryTextFollowsTheSheetsLanguage) {
    fillFt37();
    sheet.line(1, LineField::Fres) = "3.5 MHz";
    sheet.txtHoog = "";
    const IdentifyCore dutch = open();  // neither language button selected: Dutch
    EXPECT_EQ(dutch.caption, "Kern bepalen");
    EXPECT_EQ(dutch.cmdSluiten.caption, "Sluiten");
    EXPECT_EQ(dutch.lineHeads[0], "Regel");
    EXPECT_EQ(dutch.hints.at(0), "Vul de hoogte in mm in, in het vak \"Hoogte\" van het invulblad.");

    sheet.selectLanguage(1);
    sheet.txtHoog = "3.3";
    const IdentifyCore english = open();
    EXPECT_EQ(english.caption, "Identify core");
    EXPECT_EQ(english.cmdSluiten.caption, "Close");
    EXPECT_EQ(english.lblWaarschuwing,
              "Measured at up to 3.5 MHz: above about 1 MHz the apparent permeability of a ferrite departs "
              "from its \xC2\xB5i at 10 kHz, so take the ranking as a rough guide.");

    sheet.selectLanguage(0);
    const IdentifyCore back = open();
    EXPECT_EQ(back.caption, "Kern bepalen");
    EXPECT_EQ(back.candidateRows[0].cells[2], "ferriet");
    EXPECT_EQ(back.candidateRows[0].cells[5], "waarschijnlijk");
    EXPECT_EQ(back.lblCatalogus,
              "\xC2\xB5i: catalogusgegevens bij lage frequentie (\xC2\xB5i bij 10 kHz voor ferrieten).");
}

TEST_F(IdentifyCoreTest, NumbersUseTheUsersDecimalSeparator) {
    platform.separator = ',';
    fillFt37();
    const IdentifyCore w = open();
    EXPECT_EQ(w.buiten.value, "9,5 mm");
    EXPECT_EQ(w.padlengte.value, "20,7 mm");
    w.cmdMu_Click(sheet);
    EXPECT_EQ(sheet.txtMu, "765");
}

TEST_F(IdentifyCoreTest, ASheetWithGapsNamesTheBoxesToFillAndShowsNoNumber) {
    sheet.selectLanguage(1);
    sheet.txtBuiten = "Buiten";  // still its placeholder
    sheet.txtBinnen = "big";
    sheet.txtHoog = "";
    sheet.line(3, LineField::N) = "10";
    sheet.line(3, LineField::mH) = "350";
    sheet.line(5, LineField::N) = "12";
    sheet.line(5, LineField::mH) = "lots";
    const IdentifyCore w = open();
    EXPECT_EQ(w.hints,
              (std::vector<std::string>{
                  "Fill in the outer diameter in mm in the box \"Buiten \xC3\x98\" of the data sheet.",
                  "Cannot read the inner diameter \"big\": type the number of mm in the box "
                  "\"Binnen \xC3\x98\", for example 12.7.",
                  "Fill in the height in mm in the box \"Hoogte\" of the data sheet.",
                  "Line 5: cannot read the AL \"lots\" (column \"AL in mH/1000\"), and N, C and f "
                  "with their units do not give one either.",
              }));
    ASSERT_EQ(w.lineRows.size(), 2u);
    // Without dimensions the AL is still shown in both conventions; µr is not.
    EXPECT_EQ(w.lineRows[0].cells,
              (std::array<std::string, kLineColumns>{"3", "10", "350", "3500", "\xE2\x80\x93", ""}));
    EXPECT_EQ(w.lineRows[1].cells[2], "\xE2\x80\x93");
    EXPECT_EQ(w.lineRows[1].cells[5], "no AL");
    EXPECT_EQ(w.gemiddeldeMu.value, "\xE2\x80\x93");
    EXPECT_EQ(w.lblFamilie, "Family: \xE2\x80\x93");
    EXPECT_TRUE(w.candidateRows.empty());
    EXPECT_FALSE(w.cmdMu.enabled);
    for (const auto& text : allTexts(w)) {
        EXPECT_EQ(text.find("nan"), std::string::npos) << text;
        EXPECT_EQ(text.find("inf"), std::string::npos) << text;
    }

    sheet.txtMu = "Mu";
    w.cmdMu_Click(sheet);
    EXPECT_EQ(sheet.txtMu, "Mu");
}

TEST_F(IdentifyCoreTest, AnEmptySheetAsksForDimensionsAndAMeasurement) {
    const IdentifyCore w = open();
    ASSERT_EQ(w.hints.size(), 4u);
    EXPECT_EQ(w.hints[3],
              "Nog geen meetregel: vul een regel met de knop \"Vul Regel\", of typ de windingen en de AL "
              "(kolom \"AL in mH/1000\") op het invulblad.");
    EXPECT_TRUE(w.lineRows.empty());
    EXPECT_EQ(w.gemiddeldeAL.value, "\xE2\x80\x93");
    EXPECT_EQ(w.eigenC,
              (std::vector<std::string>{
                  "Daarvoor zijn twee regels met een C en een frequentie nodig; met één regel wordt er "
                  "geen aangenomen."}));
}

TEST_F(IdentifyCoreTest, SwappedDiametersAreReportedNotSwapped) {
    sheet.selectLanguage(1);
    fillFt37();
    sheet.txtBuiten = "4.75";
    sheet.txtBinnen = "9.5";
    const IdentifyCore w = open();
    EXPECT_EQ(w.hints, (std::vector<std::string>{
                           "The inner diameter (9.5 mm) must be smaller than the outer diameter (4.75 mm): "
                           "check the boxes \"Binnen \xC3\x98\" and \"Buiten \xC3\x98\"."}));
    EXPECT_EQ(w.gemiddeldeMu.value, "\xE2\x80\x93");
    EXPECT_EQ(w.padlengte.value, "\xE2\x80\x93");
}

TEST_F(IdentifyCoreTest, SpreadStrayCapacitanceAndTheComputedAlNote) {
    // µ 800 on 9.5/4.75/3.3 mm is AL 366.0 (36.60 µH at 10 turns); with 4 pF of its own it
    // resonates at 2579.73 kHz with 100 pF (apparent AL 380.6) and 830.278 kHz with 1 nF
    // (367.4). Fair-Rite 43 (µ 800) explains both with about 4 pF.
    sheet.selectLanguage(1);
    fillFt37();
    sheet.line(1, LineField::C) = "100 pF";
    sheet.line(1, LineField::Fres) = "2579.727 kHz";
    sheet.line(1, LineField::mH) = "";
    sheet.line(2, LineField::N) = "10";
    sheet.line(2, LineField::C) = "1 nF";
    sheet.line(2, LineField::Fres) = "830.2781 kHz";
    sheet.line(2, LineField::mH) = "";
    sheet.line(3, LineField::N) = "";
    sheet.line(3, LineField::mH) = "";
    const IdentifyCore w = open();
    EXPECT_EQ(w.lineRows[1].cells[2], "367");
    EXPECT_EQ(w.spreiding.value, "367 to 381 nH/N\xC2\xB2 (3.5 %)");
    ASSERT_EQ(w.eigenC.size(), 1u);
    EXPECT_EQ(w.eigenC[0].substr(0, 22), "10 turns, lines 1, 2: ");
    EXPECT_NE(w.eigenC[0].find("pF (fitted with Fair-Rite 43)"), std::string::npos) << w.eigenC[0];
    const double pf = std::stod(w.eigenC[0].substr(22));
    EXPECT_NEAR(pf, 4.0, 0.5);
    EXPECT_EQ(w.lineRows[1].cells[5].substr(0, 32), "AL from N, C and f; corrected: 3");
    EXPECT_EQ(w.analysis.candidates.at(0).material.grade, "43");
}

TEST_F(IdentifyCoreTest, TheMeanMuGoesIntoTheMuBox) {
    fillFt37();
    const IdentifyCore w = open();
    ASSERT_TRUE(w.cmdMu.enabled);
    w.cmdMu_Click(sheet);
    EXPECT_EQ(sheet.txtMu, "765");
    // Only the µ box changes.
    DataSheet expected = sheet;
    w.cmdMu_Click(sheet);
    EXPECT_EQ(sheet, expected);
}

TEST_F(IdentifyCoreTest, AMissingMaterialTableStillGivesMuAndSaysWhy) {
    sheet.selectLanguage(1);
    files.files.clear();
    fillFt37();
    const IdentifyCore w = open();
    EXPECT_EQ(w.gemiddeldeMu.value, "765");
    EXPECT_TRUE(w.candidateRows.empty());
    EXPECT_EQ(w.hints,
              (std::vector<std::string>{"The material table /opt/kernwijs/materials.csv cannot be read "
                                        "(No such file or directory): no candidates are shown."}));
}

TEST_F(IdentifyCoreTest, CandidateListShowsAtLeastFiveAndEveryLikelyOne) {
    fillFt37();
    IdentifyCore w = open();
    EXPECT_EQ(w.candidateRows.size(), static_cast<std::size_t>(kFewestCandidatesShown));

    // At µr 500 the sizes' ±0.1 mm (factors 0.928 and 1.080) and C ±2 % give 454.8 to 550.9;
    // widened by a ferrite's ±20 % that takes in µ from 454.8/1.2 = 379 to 550.9/0.8 = 689.
    // By log distance from 500: 500 520 480 550 450 420 600 395 380 666 | 200 100.
    w.table.materials.clear();
    for (int mu : {100, 200, 380, 395, 420, 450, 480, 500, 520, 550, 600, 666}) {
        w.table.materials.push_back(
            {"M", std::to_string(mu), MaterialFamily::Ferrite, double(mu), "", "", "s"});
    }
    sheet.line(1, LineField::mH) = std::to_string(350.0 * 500.0 / 765.0655519865716);
    w.Form_Load(sheet);
    ASSERT_EQ(w.candidateRows.size(), 10u);
    int likely = 0;
    for (const auto& row : w.candidateRows) {
        likely += row.likely ? 1 : 0;
    }
    EXPECT_EQ(likely, 10);
    EXPECT_EQ(w.candidateRows[8].cells[1], "M 380");
    EXPECT_EQ(w.candidateRows[9].cells[1], "M 666");
}

TEST_F(IdentifyCoreTest, IronPowderShowsItsPaintColourInTheSheetsLanguage) {
    sheet.txtBuiten = "12.7";
    sheet.txtBinnen = "7.7";
    sheet.txtHoog = "4.83";
    sheet.line(1, LineField::N) = "20";
    sheet.line(1, LineField::mH) = "4,9";
    IdentifyCore w = open();
    EXPECT_EQ(w.candidateRows[0].cells[1], "Micrometals/Amidon -2 (rood)");
    EXPECT_EQ(w.candidateRows[0].cells[2], "ijzerpoeder");
    EXPECT_EQ(w.lineRows[0].cells[3], "49");
    EXPECT_EQ(w.lineRows[0].cells[4], "10.1");
    sheet.selectLanguage(1);
    w = open();
    EXPECT_EQ(w.candidateRows[0].cells[1], "Micrometals/Amidon -2 (red)");
    EXPECT_EQ(w.lblFamilie,
              "Family: iron powder (\xC2\xB5r below about 100; a few low-\xC2\xB5 ferrites lie here too)");
}

TEST_F(IdentifyCoreTest, ThePaintWrittenOnTheSheetIsChosenWhenTheWindowOpens) {
    sheet.txtBuiten = "12.7";
    sheet.txtBinnen = "7.7";
    sheet.txtHoog = "4.83";
    sheet.line(1, LineField::N) = "10";
    sheet.line(1, LineField::mH) = "4.9";
    sheet.txtType1 = "T-50 rood";
    const IdentifyCore w = open();
    EXPECT_EQ(w.colour, "red");
    EXPECT_EQ(w.cboKleur.items.at(static_cast<std::size_t>(w.cboKleur.selected)), "rood");
    for (const auto& c : w.analysis.candidates) {
        EXPECT_EQ(c.material.colourEn, "red");
    }
}

}  // namespace
}  // namespace kw

namespace kw {
namespace {

TEST(PaintColourOnSheetTest, APaintNameWrittenOnTheSheetIsFound) {
    const std::vector<Material> materials = parseMaterialTable(shippedTable()).materials;
    struct Case {
        std::string DataSheet::*box;
        const char* text;
        const char* colour;
    };
    const Case cases[] = {
        {&DataSheet::txtType1, "T-50 rood", "red"},
        {&DataSheet::txtType2, "Rood/Wit", "red/white"},  // the longer name wins
        {&DataSheet::txtTest1, "painted green/yellow", "green/yellow"},
        {&DataSheet::txtType3, "vuurrood", ""},  // part of another word
        {&DataSheet::txtFabr1, "rood/", ""},
        {&DataSheet::txtType1, "T-50-2", ""},
    };
    for (const auto& c : cases) {
        DataSheet sheet;
        sheet.*c.box = c.text;
        EXPECT_EQ(paintColourOnSheet(sheet, materials), c.colour) << c.text;
    }
    DataSheet sheet;
    sheet.regel(3) = "kern: geel";
    EXPECT_EQ(paintColourOnSheet(sheet, materials), "yellow");
}

}  // namespace
}  // namespace kw
