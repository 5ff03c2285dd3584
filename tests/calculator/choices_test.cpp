#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "calculator/captions.h"
#include "datasheet/datasheet.h"
#include "tests/support/calculator_fixture.h"

namespace kw {
namespace {

using test::CalculatorFixture;

// What the Calculator keeps between runs, and what it says when it puts a value back.
class ChoicesTest : public CalculatorFixture {};

TEST_F(ChoicesTest, AFirstRunKeepsTheDefaultsAndEveryChoiceIsKept) {
    EXPECT_EQ(calc.Taal, "NL");
    EXPECT_EQ(calc.optTOPC.selected, 0);
    EXPECT_EQ(calc.optFreq.selected, 0);
    EXPECT_EQ(calc.optCapVal.selected, 0);

    calc.selectOption(&Calculator::optTOPC, 1);
    calc.selectOption(&Calculator::optFreq, 1);
    calc.selectOption(&Calculator::optCapVal, 1);
    calc.selectOption(&Calculator::optLANG, 1);
    const std::map<std::string, std::string, std::less<>> kept = {
        {"capacitance unit", "pF"}, {"frequency unit", "MHz"}, {"language", "UK"}, {"method", "Top-R"}};
    EXPECT_EQ(platform.settings, kept);

    // The next run starts with them, and the captions of the method in that language.
    Calculator next;
    next.platform = &platform;
    next.Form_Load();
    EXPECT_EQ(next.Taal, "UK");
    EXPECT_EQ(next.optTOPC.selected, 1);
    EXPECT_EQ(next.Top_eenheid, " K");
    EXPECT_EQ(next.f_eenheid, " MHz");
    EXPECT_EQ(next.C_eenheid, " pF");
    EXPECT_EQ(next.lblTopR, calculatorCaptions(true).topR.lblTopR);
    EXPECT_TRUE(next.chkQRLC.enabled);
    EXPECT_EQ(next.txtALwaarde.text, " ");
}

TEST_F(ChoicesTest, AKeptValueThatIsNoChoiceIsPassedOver) {
    platform.settings = {{"language", "FR"}, {"method", "Top-R"}, {"frequency unit", "mhz"}};
    calc.Form_Load();
    EXPECT_EQ(calc.Taal, "NL");
    EXPECT_EQ(calc.optTOPC.selected, 1);
    EXPECT_EQ(calc.optFreq.selected, 0);
}

TEST_F(ChoicesTest, AnOpenHelpWindowFollowsTheLanguage) {
    platform.helpFollowed.clear();
    calc.selectOption(&Calculator::optLANG, 1);
    EXPECT_EQ(platform.helpFollowed, std::vector<std::string>{"/opt/kernwijs/KERNWIJS_UK.HLP"});
}

TEST_F(ChoicesTest, AValuePutBackIsNamedAtTheBoxWithItsRange) {
    struct Case {
        test::Field field;
        const char* typed;
        const char* control;
        const char* hint;
    };
    const Case cases[] = {
        {&Calculator::txtWikkeling, "150", "txtWikkeling", "Buiten het bereik (1 - 100): 10 teruggezet"},
        {&Calculator::txtCap, "600000", "txtCap", "Buiten het bereik (0.0001 - 500000): 100 teruggezet"},
        {&Calculator::txtFreq, "50001", "txtFreq", "Buiten het bereik (0 - 50000): 10 teruggezet"},
        {&Calculator::txtFres2, "99999", "txtFres2", "Buiten het bereik (0 - 50000): 10.1 teruggezet"},
        {&Calculator::txtTopR, "0.5", "txtTopR", "Buiten het bereik (1 - 250000): 100 teruggezet"},
    };
    for (const auto& c : cases) {
        platform.hints.clear();
        paste({{c.field, c.typed}});
        ASSERT_EQ(platform.hints.size(), 1U) << c.control;
        EXPECT_EQ(platform.hints[0], std::make_pair(std::string(c.control), std::string(c.hint)));
    }
    calc.selectOption(&Calculator::optLANG, 1);
    platform.hints.clear();
    paste({{&Calculator::txtCap, "0"}});
    ASSERT_EQ(platform.hints.size(), 1U);
    EXPECT_EQ(platform.hints[0].second, "Out of range (0.0001 - 500000): 100 put back");
    platform.hints.clear();
    paste({{&Calculator::txtCap, "500000"}, {&Calculator::txtWikkeling, "1"}});
    EXPECT_TRUE(platform.hints.empty());
}

}  // namespace
}  // namespace kw
