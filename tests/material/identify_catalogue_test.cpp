// The catalogue behind the identification: size matching at its tolerance edges, the
// curves over frequency, paint colours and equal-µ groups, the stray-capacitance
// correction and a ferrite told apart by its µ′ and µ″ at 3.5 MHz. Values worked by hand.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "material/core_analysis.h"
#include "material/core_catalogue.h"
#include "material/identify_core.h"

namespace kw {
namespace {

std::string shipped(const char* name) {
    std::ifstream in(std::string(KERNWIJS_RESOURCE_DIR) + "/" + name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(IdentifyCatalogueTest, ASizeMatchesWithinATenthOfAMillimetrePlusTwoPercent) {
    // Size X is 10 / 5 / 2 mm: tolerances 0.1 + 0.2 = 0.3, 0.1 + 0.1 = 0.2 and 0.1 + 0.04 = 0.14 mm.
    const std::vector<CatalogueCore> cores = {
        {"X", MaterialFamily::Ferrite, {10.0, 5.0, 2.0}, "43", 100.0, "s"},
        {"Y", MaterialFamily::Ferrite, {10.0, 5.0, 4.0}, "43", 200.0, "s"},
    };
    struct Case {
        ToroidSize size;
        std::optional<std::string> match;
    };
    const Case cases[] = {
        {{10.299, 5.0, 2.0}, "X"}, {{10.301, 5.0, 2.0}, std::nullopt},
        {{10.0, 4.801, 2.0}, "X"}, {{10.0, 4.799, 2.0}, std::nullopt},
        {{10.0, 5.0, 2.139}, "X"}, {{10.0, 5.0, 2.141}, std::nullopt},
        {{10.0, 5.0, 3.95}, "Y"},  // 0.05 off Y's 4 mm, far off X
    };
    for (const auto& c : cases) {
        EXPECT_EQ(matchCatalogueSize(cores, c.size), c.match)
            << c.size.outerMm << " " << c.size.innerMm << " " << c.size.heightMm;
    }
    const Material amidon{"Amidon", "43", MaterialFamily::Ferrite, 850.0, "", "", "s"};
    EXPECT_EQ(catalogueAlNh(cores, "Y", amidon), 200.0);  // grade and family, any maker
    EXPECT_EQ(catalogueAlNh(cores, "Y", {"Amidon", "61", MaterialFamily::Ferrite, 125.0, "", "", "s"}),
              std::nullopt);
}

TEST(IdentifyCatalogueTest, CurvesInterpolateOnLogScalesAndHoldFlatBeyondTheirEnds) {
    const PermeabilityTable t = parsePermeabilityTable(
        "# comment\ngrade,mu_imag,freq_hz,mu_real\n43,5,1000000,10\n43,0,10000,100\n43,x,1,1\n");
    EXPECT_EQ(t.badRows, 1);
    const auto& c = t.curves.at("43");
    ASSERT_EQ(c.size(), 2u);
    // 100 kHz lies halfway on a log scale: µ′ = 100·(10/100)^½ = 31.62; µ″ from 0 runs linearly: 2.5.
    const auto mid = curveAt(c, 1.0e5);
    EXPECT_NEAR(mid->real, 31.6228, 1e-4);
    EXPECT_NEAR(mid->imag, 2.5, 1e-12);
    EXPECT_EQ(curveAt(c, 1.0)->real, 100.0);
    EXPECT_EQ(curveAt(c, 1.0e9)->imag, 5.0);
    EXPECT_FALSE(curveAt(c, 0.0).has_value());
}

TEST(IdentifyCatalogueTest, TheShippedTablesReadWhole) {
    const CoreSizeTable sizes = parseCoreSizeTable(shipped("cores.csv"));
    EXPECT_EQ(sizes.badRows, 0);
    EXPECT_EQ(catalogueAlNh(sizes.cores, "T-50", {"M", "-2", MaterialFamily::IronPowder, 10.0, "", "", ""}),
              4.9);  // 49 µH/100 turns
    const PermeabilityTable curves = parsePermeabilityTable(shipped("permeability.csv"));
    EXPECT_EQ(curves.badRows, 0);
    const MaterialTable materials = parseMaterialTable(shipped("materials.csv"));
    for (const auto& m : materials.materials) {
        if (m.family == MaterialFamily::Ferrite) {
            EXPECT_GE(curves.curves.count(m.grade), 1u) << m.grade;
        }
    }
}

class IdentifyCatalogueSheetTest : public ::testing::Test {
protected:
    MaterialTable materials = parseMaterialTable(shipped("materials.csv"));
    CoreSizeTable sizes = parseCoreSizeTable(shipped("cores.csv"));
    PermeabilityTable curves = parsePermeabilityTable(shipped("permeability.csv"));
    DataSheet sheet;

    CoreAnalysis analyse(const std::string& colour = "") {
        return analyseSheet(sheet,
                            IdentifyCatalogue{&materials.materials, &sizes.cores, &curves.curves, colour});
    }

    void ring(const char* od, const char* id, const char* h) {
        sheet.txtBuiten = od;
        sheet.txtBinnen = id;
        sheet.txtHoog = h;
    }

    void line(int k, const char* n, const char* c, const char* f, const char* al, const char* q) {
        sheet.line(k, LineField::N) = n;
        sheet.line(k, LineField::C) = c;
        sheet.line(k, LineField::Fres) = f;
        sheet.line(k, LineField::mH) = al;
        sheet.line(k, LineField::Q) = q;
    }

    static std::vector<std::string> firstGroup(const CoreAnalysis& a) {
        std::vector<std::string> names;
        for (const auto& c : a.candidates) {
            if (c.group == 1) {
                names.push_back(c.material.maker + " " + c.material.grade);
            }
        }
        return names;
    }
};

TEST_F(IdentifyCatalogueSheetTest, TwoLinesOfTheSameTurnsTakeTheStrayCapacitanceOff) {
    // 10 turns on AL 350 (35 µH) with 10 pF of its own: 22 pF resonates at 4755.664 kHz and
    // 100 pF at 2565.014 kHz. Read raw, they give 350·32/22 = 509.09 and 350·110/100 = 385.
    ring("9.52", "4.75", "3.17");
    line(1, "10", "22 pF", "4755.664 kHz", "", "");
    line(2, "10", "100 pF", "2565.014 kHz", "", "");
    const CoreAnalysis a = analyse();
    ASSERT_EQ(a.stray.size(), 1u);
    EXPECT_NEAR(a.stray[0].capacitancePf, 10.0, 1e-3);
    EXPECT_NEAR(*a.lines[0].alNh, 509.09, 0.01);
    EXPECT_NEAR(*a.lines[1].alNh, 385.0, 0.01);
    EXPECT_NEAR(a.al->mean, 447.05, 0.01);
    EXPECT_NEAR(*a.lines[0].alCorrectedNh, 350.0, 0.01);
    EXPECT_NEAR(*a.lines[1].alCorrectedNh, 350.0, 0.01);
    EXPECT_NEAR(a.alCorrected->mean, 350.0, 0.01);
    EXPECT_EQ(a.matchedSize, "FT-37");
}

TEST_F(IdentifyCatalogueSheetTest, AFerriteAtThreeAndAHalfMegahertzIsToldByItsCurves) {
    // The curves at 3.5 MHz: 43 keeps 0.5766 of its µ′ with Q 1.84, 61 keeps 0.9899 with Q 25.6,
    // 31 shows µ′ 461.5 with Q 1.135. On FT-37 the catalogue AL of 43 is 375 and of 61 is 55.3.
    // 43 and 31 then have almost the same µ′ (461 against 461.5): only the Q tells them apart.
    struct Case {
        const char* od;
        const char* id;
        const char* h;
        const char* al;
        const char* q;
        std::vector<std::string> first;
    };
    const Case cases[] = {
        {"9.52", "4.75", "3.17", "216.2", "1.84", {"Amidon 43", "Fair-Rite 43"}},  // 375·0.5766
        {"9.52", "4.75", "3.17", "54.74", "25.6", {"Amidon 61", "Fair-Rite 61"}},  // 55.3·0.9899
        // A ring of no catalogue size, 10/5/4 mm: AL = µ·µ0·h·ln 2/2π = µ·0.5545 nH.
        {"10", "5", "4", "255.9", "1.135", {"Fair-Rite 31"}},  // 461.5·0.5545
        {"10", "5", "4", "255.8", "1.84", {"Fair-Rite 43"}},   // 800·0.5766·0.5545
    };
    for (const auto& c : cases) {
        ring(c.od, c.id, c.h);
        line(1, "10", "", "3.5 MHz", c.al, c.q);
        const CoreAnalysis a = analyse();
        EXPECT_EQ(firstGroup(a), c.first) << c.al;
        EXPECT_FALSE(a.ferriteFrequencyWarning);
    }
}

TEST_F(IdentifyCatalogueSheetTest, EqualMuIsOneGroupUntilThePaintTellsThemApart) {
    // µr 20 on a ring of no catalogue size: mix -1 (blue) and Amidon 68 both list µ 20.
    // AL = 20·µ0·h·ln 2/2π = 20·0.5545 = 11.09 nH on 10/5/4 mm.
    ring("10", "5", "4");
    line(1, "10", "", "", "11.09", "");
    const std::vector<std::string> both = {"Amidon 68", "Micrometals/Amidon -1"};
    EXPECT_EQ(firstGroup(analyse()), both);
    EXPECT_EQ(firstGroup(analyse("blue")), std::vector<std::string>{"Micrometals/Amidon -1"});
    EXPECT_EQ(firstGroup(analyse("Blauw")), std::vector<std::string>{"Micrometals/Amidon -1"});
    for (const auto& c : analyse("green/white").candidates) {
        EXPECT_EQ(c.material.colourEn, "green/white");  // only -12 is painted so
    }

    // On a T-50 the catalogue ALs of -12 and -17 are both 18 µH/100: one group as well.
    ring("12.7", "7.7", "4.83");
    line(1, "10", "", "", "18 uH/100 turns", "");
    EXPECT_EQ(firstGroup(analyse()),
              (std::vector<std::string>{"Micrometals/Amidon -12", "Micrometals/Amidon -17"}));
}

TEST_F(IdentifyCatalogueSheetTest, TheWindowShowsTheGroupTheSizeTheRangeAndTheColours) {
    DataSheet s;
    s.selectLanguage(1);
    s.txtBuiten = "10";
    s.txtBinnen = "5";
    s.txtHoog = "4";
    s.line(1, LineField::N) = "10";
    s.line(1, LineField::mH) = "11.09";
    IdentifyCore w;
    w.table = materials;
    w.sizes = sizes;
    w.curves = curves;
    w.sizes.path = "/opt/cores.csv";
    w.sizes.badRows = 2;
    w.Form_Load(s);
    // µr 20 · 4·ln 2 / (4.1·ln(10.1/4.9)) = 18.7 and · 4·ln 2 / (3.9·ln(9.9/5.1)) = 21.4; no C.
    EXPECT_EQ(w.muBereik.value, "18.7 to 21.4 (sizes \xC2\xB1 0.1 mm)");
    EXPECT_EQ(w.hints, std::vector<std::string>{"The catalogue table /opt/cores.csv: 2 line(s) left out."});
    EXPECT_EQ(w.candidateRows[0].cells[1], "Amidon 68 or Micrometals/Amidon -1 (blue)");
    EXPECT_EQ(w.candidateRows[0].cells[3], "20");
    EXPECT_EQ(w.groupNotes.at(0),
              "Amidon 68 or Micrometals/Amidon -1 (blue): tell them apart by the paint or by Q.");
    EXPECT_EQ(w.maat.value, "none within 0.1 mm + 2 %");
    EXPECT_EQ(w.cboKleur.items.front(), "(not painted / unknown)");
    const auto blue = std::find(w.cboKleur.items.begin(), w.cboKleur.items.end(), "blue");
    ASSERT_NE(blue, w.cboKleur.items.end());
    w.cboKleur_Click(static_cast<int>(blue - w.cboKleur.items.begin()), s);
    EXPECT_EQ(w.colour, "blue");
    EXPECT_EQ(w.candidateRows.size(), 1u);
    EXPECT_EQ(w.candidateRows[0].cells[1], "Micrometals/Amidon -1 (blue)");
}

}  // namespace
}  // namespace kw
