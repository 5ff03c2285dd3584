#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/calculator_fixture.h"

namespace kw {
namespace {

class OptionsTest : public test::CalculatorFixture {
protected:
    void calculated() {
        calc.cmdBereken_Click();
        ASSERT_TRUE(calc.cmdBestand.enabled);
    }
    void expectCleared(const std::string& what) {
        EXPECT_EQ(results(), blankResults()) << what;
        EXPECT_FALSE(calc.cmdBestand.enabled) << what;
    }
};

TEST_F(OptionsTest, UnitOptionsKeepTheDigitsSetTheSuffixAndClearResults) {
    calc.setCheck(&Calculator::chkQaan, 0);
    calculated();
    calc.selectOption(&Calculator::optCapVal, 1);
    EXPECT_EQ(calc.txtCap.text, "100");
    EXPECT_EQ(calc.C_eenheid, " pF");
    expectCleared("pF");

    calculated();
    calc.selectOption(&Calculator::optFreq, 1);
    EXPECT_EQ(calc.txtFreq.text, "10.0");
    EXPECT_EQ(calc.f_eenheid, " MHz");
    expectCleared("MHz");

    calc.selectOption(&Calculator::optCapVal, 0);
    calc.selectOption(&Calculator::optFreq, 0);
    EXPECT_EQ(calc.C_eenheid, " nF");
    EXPECT_EQ(calc.f_eenheid, " kHz");
}

TEST_F(OptionsTest, TheNewUnitIsReadByTheNextCalculation) {
    calc.selectOption(&Calculator::optCapVal, 1);
    calc.selectOption(&Calculator::optFreq, 1);
    calc.setCheck(&Calculator::chkQaan, 0);
    calc.cmdBereken_Click();
    // 10.0 MHz and 100 pF: 25.33e6 / (100 * 100 * 100).
    EXPECT_EQ(calc.txtALwaarde.text, "25.3");
}

TEST_F(OptionsTest, TopRMethodSetsItsBallastLabelsAndSuffix) {
    calc.setText(&Calculator::txtTopR, "47");
    calculated();
    calc.selectOption(&Calculator::optTOPC, 1);
    EXPECT_EQ(calc.txtTopR.text, "100");
    EXPECT_EQ(calc.lblR, "kOhm    typ.: 1 - 1000");
    EXPECT_EQ(calc.Top_eenheid, " K");
    EXPECT_EQ(calc.lblTopR, "welke Top-R");
    EXPECT_EQ(calc.lblQRLC, "en helemaal zonder Q corr.");
    EXPECT_TRUE(calc.chkQRLC.enabled);
    EXPECT_EQ(calc.chkQRLC.value, 0);
    expectCleared("Top-R");
}

TEST_F(OptionsTest, TopCMethodSetsItsBallastLabelsAndSuffix) {
    calc.selectOption(&Calculator::optTOPC, 1);
    calc.setCheck(&Calculator::chkQRLC, 1);
    calc.setText(&Calculator::txtTopR, "47");
    calc.selectOption(&Calculator::optTOPC, 0);
    EXPECT_EQ(calc.txtTopR.text, "1000");
    EXPECT_EQ(calc.lblR, "pF         typ.: 1 - 1000");
    EXPECT_EQ(calc.Top_eenheid, " pF");
    EXPECT_EQ(calc.lblTopR, "welke Top-C");
    EXPECT_FALSE(calc.chkQRLC.enabled);
    EXPECT_EQ(calc.chkQRLC.value, 0);
}

TEST_F(OptionsTest, MethodLabelsFollowTheLanguageButTheUnitLabelDoesNot) {
    calc.selectOption(&Calculator::optLANG, 1);
    calc.selectOption(&Calculator::optTOPC, 1);
    EXPECT_EQ(calc.lblTopR, "which Top-R");
    EXPECT_EQ(calc.lblQRLC, "and without any Q corr.");
    EXPECT_EQ(calc.lblR, "kOhm    typ.: 1 - 1000");
    calc.selectOption(&Calculator::optTOPC, 0);
    EXPECT_EQ(calc.lblTopR, "which Top-C");
    EXPECT_EQ(calc.lblR, "pF         typ.: 1 - 1000");
}

TEST_F(OptionsTest, SelectingTheSelectedOptionRunsNothing) {
    calculated();
    calc.selectOption(&Calculator::optTOPC, 0);
    calc.selectOption(&Calculator::optCapVal, 0);
    calc.selectOption(&Calculator::optFreq, 0);
    EXPECT_TRUE(calc.cmdBestand.enabled);
}

TEST_F(OptionsTest, QOffDisablesThePointsAndQOnPutsDefaultsBack) {
    calc.setText(&Calculator::txtFres1, "9.5");
    calculated();
    calc.setCheck(&Calculator::chkQaan, 0);
    EXPECT_EQ(calc.txtFres1.text, "-");
    EXPECT_EQ(calc.txtFres2.text, "-");
    EXPECT_FALSE(calc.txtFres1.enabled);
    EXPECT_FALSE(calc.txtFres2.enabled);
    EXPECT_FALSE(calc.chkQRLC.enabled);
    expectCleared("Q off");

    calc.setCheck(&Calculator::chkQaan, 1);
    EXPECT_EQ(calc.txtFres1.text, "9.9");
    EXPECT_EQ(calc.txtFres2.text, "10.1");
    EXPECT_TRUE(calc.txtFres1.enabled);
    EXPECT_TRUE(calc.txtFres2.enabled);
    EXPECT_EQ(platform.beeps, 0);
}

TEST_F(OptionsTest, GreyQCountsAsOff) {
    calc.setCheck(&Calculator::chkQaan, 2);
    EXPECT_EQ(calc.txtFres1.text, "-");
    EXPECT_FALSE(calc.txtFres2.enabled);
}

TEST_F(OptionsTest, QRLCBoxNeedsBothQAndTopR) {
    calc.setCheck(&Calculator::chkQaan, 0);
    calc.selectOption(&Calculator::optTOPC, 1);
    EXPECT_FALSE(calc.chkQRLC.enabled);
    calc.setCheck(&Calculator::chkQaan, 1);
    EXPECT_TRUE(calc.chkQRLC.enabled);
    EXPECT_EQ(calc.chkQRLC.value, 0);

    calc.setCheck(&Calculator::chkQRLC, 1);
    calc.setCheck(&Calculator::chkQaan, 0);
    EXPECT_FALSE(calc.chkQRLC.enabled);
    EXPECT_EQ(calc.chkQRLC.value, 0);

    calc.selectOption(&Calculator::optTOPC, 0);
    calc.setCheck(&Calculator::chkQaan, 1);
    EXPECT_FALSE(calc.chkQRLC.enabled);
}

TEST_F(OptionsTest, QRLCAndLprnBoxesHaveNoSideEffects) {
    calculated();
    const Calculator before = calc;
    calc.setCheck(&Calculator::chkLprn, 0);
    calc.setCheck(&Calculator::chkQRLC, 1);
    Calculator expected = before;
    expected.chkLprn.value = 0;
    expected.chkQRLC.value = 1;
    EXPECT_EQ(calc, expected);
}

}  // namespace
}  // namespace kw
