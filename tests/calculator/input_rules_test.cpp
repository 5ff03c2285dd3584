#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calculator/number_input.h"
#include "tests/support/calculator_fixture.h"

namespace kw {
namespace {

using test::Field;
using test::KeyPress;

class InputRulesTest : public test::CalculatorFixture {
protected:
    // A calculation whose results the next change must clear.
    void calculated() {
        calc.cmdBereken_Click();
        ASSERT_TRUE(calc.cmdBestand.enabled);
        ASSERT_NE(calc.txtALwaarde.text, " ");
        platform.beeps = 0;
    }
    void expectCleared(const std::string& what) {
        EXPECT_EQ(results(), blankResults()) << what;
        EXPECT_FALSE(calc.cmdBestand.enabled) << what;
    }
};

struct PasteCase {
    Field field;
    std::string text;
    std::string textAfter;
    int beeps;
};

TEST_F(InputRulesTest, PastedTextsOutOfRangeAreResetWithOneBeep) {
    const std::vector<PasteCase> cases = {
        {&Calculator::txtWikkeling, "101", "101", 0},
        {&Calculator::txtWikkeling, "102", "10", 1},
        {&Calculator::txtWikkeling, "0", "10", 1},
        {&Calculator::txtWikkeling, "", "10", 1},
        {&Calculator::txtWikkeling, "-1", "10", 1},
        {&Calculator::txtWikkeling, "100.5", "100.5", 0},  // rounds to even: 100
        {&Calculator::txtWikkeling, "101.5", "10", 1},     // rounds to even: 102
        {&Calculator::txtWikkeling, "0.5", "10", 1},       // rounds to even: 0
        {&Calculator::txtCap, "500000", "500000", 0},
        {&Calculator::txtCap, "500001", "100", 1},
        {&Calculator::txtCap, "", "100", 1},
        {&Calculator::txtCap, "0", "100", 1},
        {&Calculator::txtCap, ".", "100", 1},
        {&Calculator::txtCap, ",5", "100", 1},
        {&Calculator::txtCap, ".5", ".5", 0},
        {&Calculator::txtCap, ".0001", ".0001", 0},
        {&Calculator::txtCap, "2,5", "2,5", 0},  // checked as 2
        {&Calculator::txtFreq, "50000", "50000", 0},
        {&Calculator::txtFreq, "50001", "10", 1},
        {&Calculator::txtFreq, "", "", 0},
        {&Calculator::txtFreq, "1e9", "10", 1},
        {&Calculator::txtFres1, "50001", "9.9", 1},
        {&Calculator::txtFres1, "-5", "9.9", 1},
        {&Calculator::txtFres1, "", "", 0},
        {&Calculator::txtFres2, "50001", "10.1", 1},
        {&Calculator::txtTopR, "250000", "250000", 0},
        {&Calculator::txtTopR, "250001", "100", 1},
        {&Calculator::txtTopR, "", "100", 1},
        {&Calculator::txtTopR, "0,5", "100", 1},
        {&Calculator::txtTopR, "1,5", "1,5", 0},
        {&Calculator::txtTopR, "1e999", "100", 1},
    };
    for (const auto& c : cases) {
        SetUp();
        calculated();
        calc.setText(c.field, c.text);
        EXPECT_EQ((calc.*c.field).text, c.textAfter) << '"' << c.text << '"';
        EXPECT_EQ(platform.beeps, c.beeps) << '"' << c.text << '"';
        expectCleared(c.text);
    }
}

TEST_F(InputRulesTest, TurnCountsBeyondSixteenBitsAreOutOfRangeNotWrapped) {
    // 65546 would wrap to 10 and 65537 to 1, both inside the range.
    for (const std::string text : {"65546", "65537", "32768", "-65526", "1e10"}) {
        SetUp();
        calc.setText(&Calculator::txtWikkeling, "50");
        platform.beeps = 0;
        calc.setText(&Calculator::txtWikkeling, text);
        EXPECT_EQ(calc.txtWikkeling.text, "10") << text;
        EXPECT_EQ(calc.Naantal, 10) << text;
        EXPECT_EQ(platform.beeps, 1) << text;
    }
}

TEST_F(InputRulesTest, ValueFieldsHoldTheLastCheckedValue) {
    calc.setText(&Calculator::txtWikkeling, "100.5");
    EXPECT_EQ(calc.Naantal, 100);
    calc.setText(&Calculator::txtWikkeling, "1.5");
    EXPECT_EQ(calc.Naantal, 2);
    calc.setText(&Calculator::txtCap, "2,5");
    EXPECT_EQ(calc.Caantal, 2);
    calc.setText(&Calculator::txtCap, "0");  // the nested run checks the reset text
    EXPECT_EQ(calc.Caantal, 100);
    calc.setText(&Calculator::txtFres2, "12.5");
    EXPECT_EQ(calc.F2aantal, 12.5);
    calc.setText(&Calculator::txtTopR, "47");
    EXPECT_EQ(calc.Raantal, 47);
}

// A dash is exempt from the range check, but it is still an edit: Fill Line must not carry
// results computed from the earlier point.
TEST_F(InputRulesTest, ADashInAPointFieldStaysWithoutABeepAndClearsTheResults) {
    for (const Field field : {&Calculator::txtFres1, &Calculator::txtFres2}) {
        SetUp();
        calculated();
        calc.setText(field, "-");
        EXPECT_EQ((calc.*field).text, "-");
        EXPECT_EQ(results(), blankResults());
        EXPECT_FALSE(calc.cmdBestand.enabled);
        EXPECT_EQ(platform.beeps, 0);
    }
}

TEST_F(InputRulesTest, OtherFieldsResetADash) {
    for (const Field field : {&Calculator::txtCap, &Calculator::txtWikkeling, &Calculator::txtTopR}) {
        SetUp();
        calc.setText(field, "-");
        EXPECT_NE((calc.*field).text, "-");
        EXPECT_EQ(platform.beeps, 1);
    }
}

TEST_F(InputRulesTest, SettingTheSameTextRunsNoRule) {
    calculated();
    calc.setText(&Calculator::txtCap, "100");
    EXPECT_TRUE(calc.cmdBestand.enabled);
    calc.setText(&Calculator::txtCap, "100.0");
    expectCleared("100.0");
}

TEST_F(InputRulesTest, TypingTwoCommaFiveLeavesTheCommaForTheCalculation) {
    type(&Calculator::txtCap, &Calculator::txtCap_KeyPress, "2,5", true);
    EXPECT_EQ(calc.txtCap.text, "2,5");
    EXPECT_EQ(calc.Caantal, 2);
    EXPECT_EQ(platform.beeps, 0);
    // A second separator of either kind is swallowed without a beep.
    type(&Calculator::txtCap, &Calculator::txtCap_KeyPress, ",.");
    EXPECT_EQ(calc.txtCap.text, "2,5");
    EXPECT_EQ(platform.beeps, 0);
}

TEST_F(InputRulesTest, ARefusedKeyAlsoSaysWhatTheBoxAcceptsInTheCurrentLanguage) {
    using Hint = std::pair<std::string, std::string>;
    struct Case {
        int language;
        Field field;
        KeyPress keyPress;
        std::string keys;
        std::vector<Hint> hints;
    };
    const Case cases[] = {
        {0,
         &Calculator::txtCap,
         &Calculator::txtCap_KeyPress,
         "x",
         {{"txtCap", "Alleen cijfers en één decimale punt of komma"}}},
        {1,
         &Calculator::txtWikkeling,
         &Calculator::txtWikkeling_KeyPress,
         ".",
         {{"txtWikkeling", "Digits only: the number of turns, 1 - 100"}}},
        {1,
         &Calculator::txtALwaarde,
         &Calculator::txtALwaarde_KeyPress,
         "7",
         {{"txtALwaarde", "A result: you can select and copy it, not type in it"}}},
        {1, &Calculator::txtFreq, &Calculator::txtFreq_KeyPress, ".,", {}},  // the second separator: silent
    };
    for (const auto& c : cases) {
        calc.selectOption(&Calculator::optLANG, static_cast<std::int16_t>(c.language));
        platform.hints.clear();
        type(c.field, c.keyPress, c.keys, true);
        EXPECT_EQ(platform.hints, c.hints) << c.keys;
    }
}

TEST_F(InputRulesTest, ABelowOneValueIsTypedDigitsFirst) {
    type(&Calculator::txtCap, &Calculator::txtCap_KeyPress, "0", true);
    EXPECT_EQ(calc.txtCap.text, "100");  // 0 alone is out of range
    EXPECT_EQ(platform.beeps, 1);
    type(&Calculator::txtCap, &Calculator::txtCap_KeyPress, "5", true);
    calc.setText(&Calculator::txtCap, ".5");  // the separator put in front afterwards
    EXPECT_EQ(calc.txtCap.text, ".5");
    EXPECT_EQ(calc.Caantal, 0.5);
    EXPECT_EQ(platform.beeps, 1);
}

TEST_F(InputRulesTest, ASeparatorIsRefusedEvenWhenItWouldReplaceTheSelection) {
    type(&Calculator::txtFreq, &Calculator::txtFreq_KeyPress, ",", true);
    EXPECT_EQ(calc.txtFreq.text, "10.0");
    EXPECT_EQ(platform.beeps, 0);
    type(&Calculator::txtFreq, &Calculator::txtFreq_KeyPress, "7", true);
    EXPECT_EQ(calc.txtFreq.text, "7");
}

TEST_F(InputRulesTest, KeyFiltersRefuseWhatCannotFormANumber) {
    struct Case {
        Field field;
        test::KeyPress keyPress;
        std::string keys;
        std::string textAfter;
        int beeps;
    };
    const std::vector<Case> cases = {
        {&Calculator::txtWikkeling, &Calculator::txtWikkeling_KeyPress, "\b5", "15", 0},
        {&Calculator::txtWikkeling, &Calculator::txtWikkeling_KeyPress, ".,", "10", 2},
        {&Calculator::txtFreq, &Calculator::txtFreq_KeyPress, "-a ", "10.0", 3},
        {&Calculator::txtFreq, &Calculator::txtFreq_KeyPress, ",5", "10.05", 0},
        {&Calculator::txtFres1, &Calculator::txtFres1_KeyPress, "\b\b5", "95", 0},
        {&Calculator::txtFres2, &Calculator::txtFres2_KeyPress, "x", "10.1", 1},
        {&Calculator::txtTopR, &Calculator::txtTopR_KeyPress, ",5", "100,5", 0},
        {&Calculator::txtTopR, &Calculator::txtTopR_KeyPress, "\x16", "100", 1},  // Ctrl+V
        {&Calculator::txtALwaarde, &Calculator::txtALwaarde_KeyPress, "1,\b", " ", 3},
        {&Calculator::txtQLC, &Calculator::txtQLC_KeyPress, "7", " ", 1},
    };
    for (const auto& c : cases) {
        SetUp();
        type(c.field, c.keyPress, c.keys);
        EXPECT_EQ((calc.*c.field).text, c.textAfter) << c.keys;
        EXPECT_EQ(platform.beeps, c.beeps) << c.keys;
    }
}

TEST_F(InputRulesTest, EnterKeepsTheFocusInTheFieldAndChangesNothing) {
    struct Case {
        test::KeyPress keyPress;
        const char* control;
    };
    const std::vector<Case> cases = {
        {&Calculator::txtWikkeling_KeyPress, "txtWikkeling"}, {&Calculator::txtCap_KeyPress, "txtCap"},
        {&Calculator::txtFreq_KeyPress, "txtFreq"},           {&Calculator::txtFres1_KeyPress, "txtFres1"},
        {&Calculator::txtFres2_KeyPress, "txtFres2"},         {&Calculator::txtTopR_KeyPress, "txtTopR"},
    };
    calculated();
    const Calculator before = calc;
    for (const auto& c : cases) {
        platform.focused.clear();
        std::int16_t key = kKeyEnter;
        (calc.*c.keyPress)(key);
        EXPECT_EQ(key, kKeyEnter) << c.control;
        ASSERT_EQ(platform.focused.size(), 1u) << c.control;
        EXPECT_EQ(platform.focused.front(), c.control);
    }
    EXPECT_EQ(calc, before);
    EXPECT_EQ(platform.beeps, 0);
}

TEST_F(InputRulesTest, ClearResultsBlanksTheSixResultsAndDisablesFillLine) {
    calculated();
    calc.ClearResults();
    expectCleared("ClearResults");
    EXPECT_EQ(calc.txtCap.text, "100");
}

TEST_F(InputRulesTest, ProgramTextsReachDisabledPointFields) {
    calc.setCheck(&Calculator::chkQaan, 0);
    ASSERT_FALSE(calc.txtFres1.enabled);
    calc.setText(&Calculator::txtFres1, "60000");
    EXPECT_EQ(calc.txtFres1.text, "9.9");
    EXPECT_EQ(platform.beeps, 1);
}

}  // namespace
}  // namespace kw
