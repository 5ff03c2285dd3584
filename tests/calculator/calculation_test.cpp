#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/calculator_fixture.h"

namespace kw {
namespace {

using test::Field;

class CalculationTest : public test::CalculatorFixture {
protected:
    using Results = std::array<std::string, 6>;
};

const char* const kFout3NL =
    "Er is iets mis met de Fres punten of Top-R waarde!!\r"
    "Tikfout?? TOP-R kan te laag zijn!    Liever > 10K.\r"
    "Dit geeft onbetrouwbare Q correctie resultaten!";
const char* const kFout3UK =
    "Something wrong with the Fres points or Top-R value!!\r"
    "Typo?? TOP-R could be too low!    Prefer > 10K.\r"
    "This gives unreliable corrected Q results!";

TEST_F(CalculationTest, TopRExampleGivesItsHandCalculatedResults) {
    topRExample();
    calc.cmdBereken_Click();
    EXPECT_EQ(results(), (Results{"25.3", "0.0025", "50", "54.3", "2.93", "8646"}));
    EXPECT_EQ(calc.geval, 1);
    EXPECT_NEAR(calc.ALwaarde, 25.33, 1e-9);
    EXPECT_NEAR(calc.QLC, 54.3229, 1e-4);
    EXPECT_TRUE(calc.cmdBestand.enabled);
    EXPECT_TRUE(platform.shown.empty());
}

TEST_F(CalculationTest, TopCExampleInNanofaradAndKilohertz) {
    paste({{&Calculator::txtWikkeling, "10"},
           {&Calculator::txtCap, "100"},
           {&Calculator::txtFreq, "10"},
           {&Calculator::txtTopR, "100"}});
    calc.cmdBereken_Click();
    EXPECT_EQ(results(), (Results{"25330", "2.533", "50", "50", "3.18", "7958"}));
    EXPECT_TRUE(calc.cmdBestand.enabled);
}

TEST_F(CalculationTest, RightAfterStartUpCalculateGivesTheTopCExample) {
    calc.cmdBereken_Click();
    EXPECT_EQ(results(), (Results{"25330", "2.533", "50", "50", "3.18", "7958"}));
}

TEST_F(CalculationTest, SwappedPointsGiveTheSameResults) {
    topRExample();
    paste({{&Calculator::txtFres1, "10.1"}, {&Calculator::txtFres2, "9.9"}});
    calc.cmdBereken_Click();
    EXPECT_EQ(results(), (Results{"25.3", "0.0025", "50", "54.3", "2.93", "8646"}));
    EXPECT_EQ(calc.geval, 2);
}

TEST_F(CalculationTest, FresOnAPointIsAccepted) {
    topRExample();
    paste({{&Calculator::txtFreq, "9.9"}});
    calc.cmdBereken_Click();
    EXPECT_TRUE(platform.shown.empty());
    EXPECT_EQ(calc.txtQRLC.text, "49.5");
    EXPECT_TRUE(calc.cmdBestand.enabled);
}

TEST_F(CalculationTest, BothQTextsTakeTheirDecimalsFromTheCorrectedQ) {
    struct Case {
        const char* f1;
        const char* f2;
        Results expected;
    };
    const std::vector<Case> cases = {
        // Q 14.29 and corrected 14.62: both two decimals.
        {"9.6", "10.3", {"25.3", "0.0025", "14.29", "14.62", "10.89", "2327"}},
        // Q 500 and corrected 2448: both whole, Rs below 1 with three decimals.
        {"9.99", "10.01", {"25.3", "0.0025", "500", "2448", "0.065", "389655"}},
        // Q 10 / 0.41 = 24.39 would have two decimals of its own; corrected
        // 24.39 * 628.32 / 603.93 = 25.38 has one, so both get one. Rs 159.15 / 25.38 = 6.27,
        // Rp 159.15 * 25.38 = 4039.
        {"9.8", "10.21", {"25.3", "0.0025", "24.4", "25.4", "6.27", "4039"}},
        // Q 10 / 0.11 = 90.91 would have one decimal; corrected 90.91 * 628.32 / 537.41 = 106.29
        // has none, so both are whole. Rs 159.15 / 106.29 = 1.50, Rp 159.15 * 106.29 = 16916.
        {"9.95", "10.06", {"25.3", "0.0025", "91", "106", "1.5", "16916"}},
    };
    topRExample();
    for (const auto& c : cases) {
        paste({{&Calculator::txtFres1, c.f1}, {&Calculator::txtFres2, c.f2}});
        calc.cmdBereken_Click();
        EXPECT_EQ(results(), c.expected) << c.f1 << " / " << c.f2;
    }
}

TEST_F(CalculationTest, WithoutQOnlyALAndLAreShown) {
    calc.setCheck(&Calculator::chkQaan, 0);
    calc.cmdBereken_Click();
    EXPECT_EQ(results(), (Results{"25330", "2.533", " ", " ", " ", " "}));
    EXPECT_TRUE(calc.cmdBestand.enabled);
    EXPECT_TRUE(platform.shown.empty());
}

TEST_F(CalculationTest, ACommaGivesTheSameResultsAsAPoint) {
    topRExample();
    paste({{&Calculator::txtCap, "150.5"}, {&Calculator::txtFreq, "10.05"}, {&Calculator::txtTopR, "47.5"}});
    calc.cmdBereken_Click();
    const Results withPoints = results();
    paste({{&Calculator::txtCap, "150,5"}, {&Calculator::txtFreq, "10,05"}, {&Calculator::txtTopR, "47,5"}});
    paste({{&Calculator::txtFres1, "9,9"}, {&Calculator::txtFres2, "10,1"}});
    calc.cmdBereken_Click();
    EXPECT_EQ(results(), withPoints);
    EXPECT_NE(withPoints[0], " ");
}

TEST_F(CalculationTest, ResultTextsUseTheLocaleDecimalSeparator) {
    platform.separator = ',';
    topRExample();
    calc.cmdBereken_Click();
    EXPECT_EQ(results(), (Results{"25,3", "0,0025", "50", "54,3", "2,93", "8646"}));
}

TEST_F(CalculationTest, HugeResultsAreWrittenWithAnExponent) {
    calc.selectOption(&Calculator::optCapVal, 1);
    calc.setCheck(&Calculator::chkQaan, 0);
    paste(
        {{&Calculator::txtWikkeling, "1"}, {&Calculator::txtCap, "0.0001"}, {&Calculator::txtFreq, "0.01"}});
    calc.cmdBereken_Click();
    // 25.33e6 / (1e-5^2 * 1e-4) and 1e3 / (1e-10 * 4 pi^2 * 1e-4).
    EXPECT_EQ(calc.txtALwaarde.text, "2.533E+21");
    EXPECT_EQ(calc.txtLmH.text, "2.53302959684726E+15");
}

struct ErrorCase {
    const char* what;
    std::function<void(test::CalculatorFixture&, Calculator&)> setUp;
    const char* titleNL;
    const char* textNL;
    const char* titleUK;
    const char* textUK;
};

void withTexts(Calculator& c, std::initializer_list<std::pair<Field, std::string>> texts) {
    for (const auto& [field, text] : texts) {
        c.setText(field, text);
    }
}

const std::vector<ErrorCase>& errorCases() {
    static const std::vector<ErrorCase> cases = {
        {"zero frequency",
         [](auto&, Calculator& c) {
             withTexts(c, {{&Calculator::txtFreq, "0"}});
         },
         "FOUT_0!", "Er is iets mis met de Fres punten!!  Nulpunt?? ", "ERROR_0!",
         "Something wrong with the Fres points!!  Zero?? "},
        {"frequency 0,005",
         [](auto&, Calculator& c) {
             withTexts(c, {{&Calculator::txtFreq, "0,005"}});
         },
         "FOUT_0!", "Er is iets mis met de Fres punten!!  Nulpunt?? ", "ERROR_0!",
         "Something wrong with the Fres points!!  Zero?? "},
        {"empty first point",
         [](auto&, Calculator& c) {
             withTexts(c, {{&Calculator::txtFres1, ""}});
         },
         "FOUT_0!", "Er is iets mis met de Fres punten!!  Nulpunt?? ", "ERROR_0!",
         "Something wrong with the Fres points!!  Zero?? "},
        {"Fres above both points",
         [](auto&, Calculator& c) {
             withTexts(c, {{&Calculator::txtFreq, "10.2"}});
         },
         "FOUT1!", "Er is iets mis met de Fres punten!!  Tikfout?? ", "ERROR!",
         "Something wrong with the Fres points!!  Typo?? "},
        {"Fres above both swapped points",
         [](auto&, Calculator& c) {
             withTexts(c, {{&Calculator::txtFreq, "10.2"},
                           {&Calculator::txtFres1, "10.1"},
                           {&Calculator::txtFres2, "9.9"}});
         },
         "FOUT2!", "Er is iets mis met de Fres punten!!  Tikfout?? ", "ERROR!",
         "Something wrong with the Fres points!!  Typo?? "},
        {"equal points",
         [](auto&, Calculator& c) {
             withTexts(c, {{&Calculator::txtFres1, "10.1"}});
         },
         "FOUT1!", "Er is iets mis met de Fres punten!!  Tikfout?? ", "ERROR!",
         "Something wrong with the Fres points!!  Typo?? "},
        {"Top-R of 1 kOhm",
         [](test::CalculatorFixture&, Calculator& c) {
             c.selectOption(&Calculator::optTOPC, 1);
             c.selectOption(&Calculator::optFreq, 1);
             c.selectOption(&Calculator::optCapVal, 1);
             withTexts(c, {{&Calculator::txtFreq, "10"}, {&Calculator::txtTopR, "1"}});
         },
         "FOUT3!", kFout3NL, "ERROR3!", kFout3UK},
        {"Top-C above a tenth of the capacitance",
         [](auto&, Calculator& c) {
             c.selectOption(&Calculator::optCapVal, 1);
             withTexts(c, {{&Calculator::txtTopR, "11"}});
         },
         "FOUT4!", "Er is iets mis met de Fres punten of de Top-C waarde!!  Tikfout?? ", "ERROR4!",
         "Something wrong with the Fres points or Top-C value!!  Typo?? "},
    };
    return cases;
}

TEST_F(CalculationTest, EachErrorShowsItsBoxInTheCurrentLanguage) {
    for (const std::int16_t language : {0, 1}) {
        for (const auto& e : errorCases()) {
            SetUp();
            platform.shown.clear();
            calc.selectOption(&Calculator::optLANG, language);
            e.setUp(*this, calc);
            calc.cmdBereken_Click();
            ASSERT_EQ(platform.shown.size(), 1u) << e.what;
            const MessageBox& box = platform.lastMessage();
            const bool uk = language == 1;
            EXPECT_EQ(box.title, uk ? e.titleUK : e.titleNL) << e.what;
            EXPECT_EQ(box.text, uk ? e.textUK : e.textNL) << e.what;
            EXPECT_EQ(box.icon, MsgIcon::Critical) << e.what;
            EXPECT_EQ(box.buttons, MsgButtons::Ok) << e.what;
            EXPECT_TRUE(box.systemModal) << e.what;
        }
    }
}

TEST_F(CalculationTest, ErrorsOtherThanFout3ClearTheResultsOfAnEarlierRun) {
    for (const auto& e : errorCases()) {
        if (std::string(e.titleNL) == "FOUT3!") {
            continue;
        }
        SetUp();
        calc.cmdBereken_Click();
        ASSERT_TRUE(calc.cmdBestand.enabled);
        e.setUp(*this, calc);
        // The change rules cleared the earlier results; put them back to see the error clear them.
        calc.txtALwaarde.text = "25330";
        calc.txtQLC.text = "50";
        calc.cmdBestand.enabled = true;
        calc.cmdBereken_Click();
        EXPECT_EQ(results(), blankResults()) << e.what;
        EXPECT_FALSE(calc.cmdBestand.enabled) << e.what;
    }
}

TEST_F(CalculationTest, Fout3KeepsALAndLAndMarksTheCorrectedValues) {
    topRExample();
    paste({{&Calculator::txtTopR, "1"}});
    calc.cmdBereken_Click();
    EXPECT_EQ(platform.lastMessage().title, "FOUT3!");
    EXPECT_EQ(results(), (Results{"25.3", "0.0025", "50", "err", "err", "err"}));
    EXPECT_TRUE(calc.cmdBestand.enabled);
    EXPECT_NEAR(calc.QR, 6.2831853, 1e-9);
}

TEST_F(CalculationTest, TopCOfATenthOfTheCapacitancePasses) {
    calc.selectOption(&Calculator::optCapVal, 1);
    paste({{&Calculator::txtTopR, "10"}});
    calc.cmdBereken_Click();
    EXPECT_TRUE(platform.shown.empty());
    EXPECT_TRUE(calc.cmdBestand.enabled);
}

TEST_F(CalculationTest, EqualPointsLeaveNoBandwidthFromAnEarlierRun) {
    topRExample();
    calc.cmdBereken_Click();
    ASSERT_EQ(calc.geval, 1);
    paste({{&Calculator::txtFres1, "10"}, {&Calculator::txtFres2, "10"}});
    calc.cmdBereken_Click();
    EXPECT_EQ(platform.lastMessage().title, "FOUT1!");
    EXPECT_EQ(calc.geval, 0);
    EXPECT_EQ(calc.QRLC, 0);
    EXPECT_EQ(results(), blankResults());
    EXPECT_FALSE(calc.cmdBestand.enabled);
}

TEST_F(CalculationTest, ZeroDivisorInTheTopRCorrectionIsFout3) {
    topRExample();
    // Top-R for which the ballast Q equals the measured Q of 10 / (10.1 - 9.9) to the last bit.
    paste({{&Calculator::txtTopR, "7.957747163687848"}});
    calc.cmdBereken_Click();
    ASSERT_EQ(calc.QR, calc.QRLC);
    EXPECT_EQ(platform.lastMessage().title, "FOUT3!");
    EXPECT_EQ(results(), (Results{"25.3", "0.0025", "50", "err", "err", "err"}));
}

TEST_F(CalculationTest, ZeroDivisorInTheTopCCorrectionIsFout4) {
    calc.selectOption(&Calculator::optFreq, 1);
    calc.selectOption(&Calculator::optCapVal, 1);
    paste({{&Calculator::txtCap, "1500"},
           {&Calculator::txtFreq, "10"},
           {&Calculator::txtTopR, "97.72050243641479"}});
    calc.cmdBereken_Click();
    ASSERT_EQ(calc.QC, calc.QRLC);
    EXPECT_EQ(platform.lastMessage().title, "FOUT4!");
    EXPECT_EQ(results(), blankResults());
    EXPECT_FALSE(calc.cmdBestand.enabled);
}

}  // namespace
}  // namespace kw
