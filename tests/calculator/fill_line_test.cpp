#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "tests/support/windows_fixture.h"

namespace kw {
namespace {

constexpr int kTopC = 0;
constexpr int kTopR = 1;

class FillLineTest : public test::WindowsTest {
protected:
    // A Calculator holding a finished Top-R measurement in kHz and nF, line 1 chosen.
    FillLineTest() {
        calc.cboKiesregel = {{"Regel_Line-1", "Regel_Line-2", "Regel_Line-3", "Regel_Line-4", "Regel_Line-5",
                              "Regel_Line-6", "Regel_Line-7"},
                             0};
        calc.optTOPC.selected = kTopR;
        calc.C_eenheid = " nF";
        calc.f_eenheid = " kHz";
        calc.Top_eenheid = " K";
        calc.txtALwaarde.text = "20.4";
        calc.txtLmH.text = "0.002";
        calc.txtQLC.text = "55.1";
        calc.txtQRLC.text = "50";
        calc.txtQRS.text = "0,12";
        calc.txtQRP.text = "1.9k";
        calc.cmdBestand.enabled = true;
    }

    void choose(int line) { calc.cboKiesregel.selected = line - 1; }
};

TEST_F(FillLineTest, TheChosenLineGetsInputsWithTheirUnitsAndResultsAsShown) {
    choose(4);
    calc.txtWikkeling.text = "12";
    calc.txtCap.text = "150";
    calc.txtFreq.text = "3.5";
    calc.f_eenheid = " MHz";
    calc.txtFres1.text = "3.6";
    calc.txtFres2.text = "3.4";
    calc.txtTopR.text = "47";
    Calculator before = calc;
    before.cboKiesregel.selected = 4;  // on to line 5, the next empty one

    calc.cmdBestand_Click();

    ASSERT_TRUE(form.visible());
    const MeasurementLine expected = {"12",  "150 nF", "3.5 MHz", "20.4", "3.6",
                                      "3.4", "55.1",   "47 K",    "0,12", "1.9k"};
    EXPECT_EQ(form.get()->lines[3], expected);
    EXPECT_EQ(calc, before);
    for (const int other : {1, 2, 3, 5, 6, 7}) {
        EXPECT_EQ(form.get()->line(other, LineField::N), "");
    }
}

TEST_F(FillLineTest, ACalculatedMeasurementArrivesOnTheChosenLine) {
    calc.Form_Load();
    calc.selectOption(&Calculator::optTOPC, kTopR);
    calc.selectOption(&Calculator::optFreq, 1);
    for (const auto& [field, text] : {std::pair{&Calculator::txtWikkeling, "12"},
                                      {&Calculator::txtCap, "150"},
                                      {&Calculator::txtFreq, "3.5"},
                                      {&Calculator::txtFres1, "3.45"},
                                      {&Calculator::txtFres2, "3.55"},
                                      {&Calculator::txtTopR, "47"}}) {
        calc.setText(field, text);
    }
    calc.cmdBereken_Click();
    ASSERT_TRUE(calc.cmdBestand.enabled);
    ASSERT_NE(calc.txtALwaarde.text, " ");
    ASSERT_TRUE(platform.shown.empty()) << platform.lastMessage().title;
    choose(4);

    calc.cmdBestand_Click();

    const MeasurementLine expected = {
        "12",   "150 nF",         "3.5 MHz", calc.txtALwaarde.text, "3.45",
        "3.55", calc.txtQLC.text, "47 K",    calc.txtQRS.text,      calc.txtQRP.text};
    EXPECT_EQ(form.get()->lines[3], expected);
    EXPECT_EQ(form.get()->regel(8), "L4 = " + calc.txtLmH.text + " mH, ");
    EXPECT_EQ(form.get()->regel(7), "");  // chkQRLC is unticked by the method switch

    // The language does not change what Fill Line writes.
    calc.selectOption(&Calculator::optLANG, 1);
    choose(5);
    calc.cmdBestand_Click();
    EXPECT_EQ(form.get()->lines[4], expected);
}

TEST_F(FillLineTest, TextsAreCopiedCharacterForCharacter) {
    calc.txtCap.text = "4,7";
    calc.C_eenheid = " pF";
    calc.optTOPC.selected = kTopC;
    calc.Top_eenheid = " pF";
    calc.txtTopR.text = "1000";
    calc.txtALwaarde.text = " ";
    calc.txtQRS.text = "err";
    calc.cmdBestand_Click();
    const DataSheet& sheet = *form.get();
    EXPECT_EQ(sheet.line(1, LineField::C), "4,7 pF");
    EXPECT_EQ(sheet.line(1, LineField::Top), "1000 pF");
    EXPECT_EQ(sheet.line(1, LineField::mH), " ");
    EXPECT_EQ(sheet.line(1, LineField::Rs), "err");
}

TEST_F(FillLineTest, FillingALineAgainReplacesItsPieceInTheInfoLines) {
    calc.chkQRLC = {" ", 1, true};
    form.show().regel(8) = "Note: L1 = x mH, L2 = 0.001 mH, L3 = 0.003 mH, ";
    form.get()->regel(7) = "Qlc+r2 = 40, ";
    choose(2);
    calc.cmdBestand_Click();
    calc.txtLmH.text = "0.0025";
    calc.txtQRLC.text = "45,5";
    choose(2);
    calc.cmdBestand_Click();  // asks before writing over line 2; the fake answers OK
    EXPECT_EQ(form.get()->regel(8), "Note: L1 = x mH, L2 = 0.0025 mH, L3 = 0.003 mH, ");
    EXPECT_EQ(form.get()->regel(7), "Qlc+r2 = 45,5, ");
    // A piece the user has cut short is left as it is and a whole one follows.
    form.get()->regel(8) = "L4 = 0.1";
    choose(4);
    calc.cmdBestand_Click();
    EXPECT_EQ(form.get()->regel(8), "L4 = 0.1L4 = 0.0025 mH, ");
}

TEST_F(FillLineTest, ALineHoldingAMeasurementIsWrittenOverOnlyAfterOk) {
    calc.optLANG_Click(1);
    form.show().line(3, LineField::N) = "20";
    form.get()->line(5, LineField::N) = "30";
    choose(3);
    platform.answers = {MsgAnswer::Cancel};
    calc.cmdBestand_Click();
    ASSERT_EQ(platform.shown.size(), 1U);
    EXPECT_EQ(platform.lastMessage().text, "Line 3 already holds a measurement.\rOverwrite it?");
    EXPECT_EQ(platform.lastMessage().buttons, MsgButtons::OkCancel);
    EXPECT_EQ(form.get()->line(3, LineField::N), "20");
    EXPECT_EQ(calc.cboKiesregel.selected, 2);

    calc.cmdBestand_Click();  // OK
    EXPECT_EQ(form.get()->line(3, LineField::N), calc.txtWikkeling.text);
    EXPECT_EQ(calc.cboKiesregel.selected, 3);  // line 4, the next empty one
    calc.cmdBestand_Click();
    EXPECT_EQ(platform.shown.size(), 2U);      // line 4 was empty: no question
    EXPECT_EQ(calc.cboKiesregel.selected, 5);  // line 5 holds a measurement: on to 6
}

TEST_F(FillLineTest, TheChoiceWrapsToTheFirstEmptyLineAndStaysWhenNoneIsLeft) {
    for (int k = 1; k <= 6; ++k) {
        form.show().line(k, LineField::N) = "x";
    }
    form.get()->line(2, LineField::N).clear();
    choose(7);
    calc.cmdBestand_Click();
    EXPECT_EQ(calc.cboKiesregel.selected, 1);
    calc.cmdBestand_Click();
    EXPECT_EQ(calc.cboKiesregel.selected, 1);  // every line is full now
    EXPECT_TRUE(platform.shown.empty());
}

TEST_F(FillLineTest, InfoLinesGrowOnlyUnderTheirConditions) {
    struct Case {
        int lprn;
        bool qrlcEnabled;
        int qrlc;
        int method;
        const char* regel7;
        const char* regel8;
    };
    const Case cases[] = {
        // A fresh sheet's info lines are empty: the pieces start them.
        {1, true, 1, kTopR, "Qlc+r7 = 50, ", "L7 = 0.002 mH, "},
        {0, true, 1, kTopR, "Qlc+r7 = 50, ", ""},
        {1, true, 1, kTopC, "", "L7 = 0.002 mH, "},
        {1, false, 1, kTopR, "", "L7 = 0.002 mH, "},
        {1, true, 0, kTopR, "", "L7 = 0.002 mH, "},
        {1, false, 0, kTopC, "", "L7 = 0.002 mH, "},
        {2, true, 2, kTopR, "", ""},
    };
    for (const auto& c : cases) {
        choose(7);
        form.unload();
        calc.chkLprn.value = c.lprn;
        calc.chkQRLC.enabled = c.qrlcEnabled;
        calc.chkQRLC.value = c.qrlc;
        calc.optTOPC.selected = c.method;
        calc.cmdBestand_Click();
        const DataSheet& sheet = *form.get();
        EXPECT_EQ(sheet.regel(7), c.regel7) << c.lprn << c.qrlcEnabled << c.qrlc << c.method;
        EXPECT_EQ(sheet.regel(8), c.regel8) << c.lprn << c.qrlcEnabled << c.qrlc << c.method;
        EXPECT_EQ(sheet.line(7, LineField::N), calc.txtWikkeling.text);
    }
}

TEST_F(FillLineTest, AnUnknownOrMissingChoiceShowsTheSheetAndWritesNothing) {
    for (const ListBox& choice : {ListBox{{"Regel_Line-8"}, 0}, ListBox{{"regel_line-1"}, 0},
                                  ListBox{{"Regel_Line-1"}, kNoSelection}, ListBox{}}) {
        form.unload();
        calc.cboKiesregel = choice;
        calc.cmdBestand_Click();
        ASSERT_TRUE(form.visible());
        EXPECT_EQ(*form.get(), freshSheet());
    }
}

TEST_F(FillLineTest, AfterCloseTheSheetComesBackEmptyInTheCalculatorsLanguage) {
    calc.optLANG_Click(1);
    form.show().txtFabr1 = "Amidon";
    platform.answers = {MsgAnswer::Discard};
    form.cmdSluiten_Click();
    ASSERT_FALSE(form.loaded());

    choose(3);
    calc.cmdBestand_Click();
    ASSERT_TRUE(form.visible());
    const DataSheet& sheet = *form.get();
    EXPECT_EQ(sheet.line(3, LineField::Top), "100 K");
    EXPECT_EQ(sheet.txtFabr1, "");  // the box shows its placeholder again
    EXPECT_EQ(sheet.regel(3), "");
    EXPECT_EQ(sheet.cmdSluiten.caption, "Close");
    EXPECT_EQ(sheet.cmdDatum.caption, "Fill Date");
    EXPECT_EQ(sheet.optLANG.selected, 1);
}

}  // namespace
}  // namespace kw
