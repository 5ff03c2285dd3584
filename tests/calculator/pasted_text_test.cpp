// Texts pasted into the Calculator, a megabyte long or built to slip past the range checks:
// the change rules still keep every value in its range, the calculation reads them exactly as
// the short texts they stand for, and nothing hangs or shows a number it cannot.

#include <gtest/gtest.h>

#include <string>

#include "calculator/calculator.h"
#include "datasheet/datasheet.h"
#include "tests/support/calculator_fixture.h"
#include "tests/support/fake_file_system.h"

namespace kw {
namespace {

using test::Field;

constexpr std::size_t kMegabyte = std::size_t{1} << 20;

std::string megabyteOf(char c) {
    return std::string(kMegabyte, c);
}

class PastedTextTest : public test::CalculatorFixture {};

TEST_F(PastedTextTest, AMegabyteTextStaysWhenItsValueFitsAndIsResetWhenNot) {
    struct Case {
        Field field;
        std::string text;
        bool stays;  // otherwise reset to the field's default, with a beep
    };
    const Case cases[] = {
        {&Calculator::txtCap, megabyteOf('9'), false},               // far beyond any double
        {&Calculator::txtCap, megabyteOf('0') + "1", true},          // 1
        {&Calculator::txtCap, "0." + megabyteOf('0') + "5", false},  // below any double: 0
        {&Calculator::txtFreq, "1" + megabyteOf('0'), false},
        {&Calculator::txtFreq, "0." + megabyteOf('0') + "5", true},  // 0 lies in the range
        {&Calculator::txtFres1, megabyteOf('x'), true},              // no number: 0
        {&Calculator::txtFres2, "12" + megabyteOf(','), true},
        {&Calculator::txtWikkeling, "1" + megabyteOf(' ') + "2", true},  // blanks are skipped
        {&Calculator::txtWikkeling, megabyteOf('9'), false},
        {&Calculator::txtTopR, "47" + megabyteOf('e'), true},
        {&Calculator::txtTopR, "47e" + megabyteOf('9'), false},
    };
    for (const auto& c : cases) {
        SetUp();
        topRExample();
        calc.cmdBereken_Click();
        const std::string before = (calc.*c.field).text;
        calc.setText(c.field, c.text);
        if (c.stays) {
            EXPECT_EQ((calc.*c.field).text.size(), c.text.size()) << c.text.substr(0, 8);
            EXPECT_EQ(platform.beeps, 0) << c.text.substr(0, 8);
        } else {
            EXPECT_EQ((calc.*c.field).text, before) << c.text.substr(0, 8);
            EXPECT_EQ(platform.beeps, 1) << c.text.substr(0, 8);
        }
        EXPECT_EQ(results(), blankResults());
        EXPECT_FALSE(calc.cmdBestand.enabled);
    }
}

TEST_F(PastedTextTest, TheCalculationReadsAMegabyteTextAsTheNumberItHolds) {
    topRExample();
    calc.cmdBereken_Click();
    const auto expected = results();

    paste({{&Calculator::txtWikkeling, megabyteOf(' ') + "10"},
           {&Calculator::txtCap, megabyteOf('0') + "100"},
           {&Calculator::txtFreq, "10." + megabyteOf('0')},
           {&Calculator::txtFres1, "9,9" + megabyteOf('0') + "junk"},
           {&Calculator::txtFres2, "10.1" + megabyteOf('x')},
           {&Calculator::txtTopR, "100" + megabyteOf(';')}});
    EXPECT_EQ(platform.beeps, 0);
    calc.cmdBereken_Click();
    EXPECT_EQ(results(), expected);
    EXPECT_TRUE(calc.cmdBestand.enabled);
}

TEST_F(PastedTextTest, TypingIntoAMegabyteTextFollowsTheKeyRules) {
    calc.setText(&Calculator::txtCap, "2" + megabyteOf('x') + ",");
    type(&Calculator::txtCap, &Calculator::txtCap_KeyPress, ".5");
    EXPECT_EQ(calc.txtCap.text.size(), kMegabyte + 3);  // the point was swallowed, the 5 not
    EXPECT_EQ(calc.txtCap.text.back(), '5');
    EXPECT_EQ(platform.beeps, 0);
}

TEST_F(PastedTextTest, FillLineCarriesAMegabyteInputToTheSheetWhole) {
    test::FakeFileSystem disk;
    DataSheetForm form(platform, disk);
    calc.dataSheet = &form;
    calc.Form_Load();
    topRExample();
    const std::string turns = megabyteOf('0') + "12";
    calc.setText(&Calculator::txtWikkeling, turns);
    calc.cmdBereken_Click();
    ASSERT_TRUE(calc.cmdBestand.enabled);
    calc.cboKiesregel.selected = 2;
    calc.cmdBestand_Click();
    ASSERT_NE(form.get(), nullptr);
    EXPECT_EQ(form.get()->line(3, LineField::N), turns);
    EXPECT_EQ(form.get()->line(3, LineField::mH), calc.txtALwaarde.text);
}

// The change rule reads a capacitance up to its comma, the calculation reads the comma as a
// point: "1,0e-400" passes the check as 1 and is calculated as 0.
TEST_F(PastedTextTest, ACapacitanceThatIsZeroBehindItsCommaIsReportedAsZero) {
    for (const char* text : {"1,0e-400", "1,0e-320", "5,0e-99999"}) {
        SetUp();
        topRExample();
        calc.setText(&Calculator::txtCap, text);
        EXPECT_EQ(calc.txtCap.text, text);
        calc.cmdBereken_Click();
        ASSERT_FALSE(platform.shown.empty()) << text;
        EXPECT_EQ(platform.lastMessage().title, "FOUT_0!") << text;
        EXPECT_EQ(results(), blankResults()) << text;
        EXPECT_FALSE(calc.cmdBestand.enabled) << text;
    }
}

TEST_F(PastedTextTest, AnInfiniteALBesideAFiniteInductanceIsReportedAsZero) {
    // 1 turn, 1,0e-300 nF = 1e-297 pF, 0,01 kHz = 1e-5 MHz:
    // AL = 25.33e6 / (1e-10 * 1 * 1e-297) = 2.5e313, beyond the largest double (1.8e308);
    // L = 1 / (1e-10 * 39.48 * 1e-297) = 2.5e305 H, which a double still holds.
    calc.setCheck(&Calculator::chkQaan, 0);
    paste({{&Calculator::txtWikkeling, "1"},
           {&Calculator::txtCap, "1,0e-300"},
           {&Calculator::txtFreq, "0,01"}});
    ASSERT_EQ(platform.beeps, 0);
    calc.cmdBereken_Click();
    ASSERT_FALSE(platform.shown.empty());
    EXPECT_EQ(platform.lastMessage().title, "FOUT_0!");
    EXPECT_EQ(results(), blankResults());
    EXPECT_FALSE(calc.cmdBestand.enabled);
}

}  // namespace
}  // namespace kw
