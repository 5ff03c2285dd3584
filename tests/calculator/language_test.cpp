#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "calculator/captions.h"
#include "tests/support/windows_fixture.h"

namespace kw {
namespace {

constexpr std::int16_t kNL = 0;
constexpr std::int16_t kUK = 1;
constexpr int kTopC = 0;
constexpr int kTopR = 1;

int count(std::string_view text, char c) {
    return static_cast<int>(std::count(text.begin(), text.end(), c));
}

// The run of blanks right after the first occurrence of word.
int blanksAfter(std::string_view text, std::string_view word) {
    const auto at = text.find(word);
    if (at == std::string_view::npos) {
        return -1;
    }
    const auto from = at + word.size();
    const auto end = text.find_first_not_of(' ', from);
    return static_cast<int>((end == std::string_view::npos ? text.size() : end) - from);
}

// The run of blanks right before the first '='.
int blanksBeforeEquals(std::string_view text) {
    const auto at = text.find('=');
    const auto start = text.find_last_not_of(' ', at - 1);
    return static_cast<int>(at - 1 - start);
}

class LanguageTest : public test::WindowsTest {};

TEST_F(LanguageTest, StartUpIsDutchAlthoughUkIsTheDesignSelection) {
    ASSERT_EQ(calc.optLANG.selected, kUK);
    calc.Form_Load();
    EXPECT_EQ(calc.Taal, "NL");
    EXPECT_EQ(calc.optLANG.selected, kNL);
    EXPECT_EQ(calc.cmdBestand.caption, "Vul Regel");
    EXPECT_EQ(calc.frame1, "Resultaten");
    EXPECT_EQ(calc.lblTopR, "welke Top-C");
    // The method, selected after the language, writes its unit caption with the English spacing.
    EXPECT_EQ(calc.lblR, "pF         typ.: 1 - 1000");
    EXPECT_FALSE(calc.cmdBestand.enabled);
    EXPECT_FALSE(calc.chkQRLC.enabled);
    EXPECT_EQ(calc.chkQRLC.value, 0);

    ASSERT_TRUE(form.visible());
    const DataSheet& sheet = *form.get();
    EXPECT_EQ(sheet.optLANG.selected, kNoSelection);
    EXPECT_EQ(sheet.cmdSluiten.caption, "Sluiten");
    EXPECT_EQ(sheet.Label2, "Ringkern / Ferriet Invul Vorm");
    EXPECT_EQ(sheet.line(1, LineField::N), "");
}

TEST_F(LanguageTest, DutchSetsTaalAndCreatesTheDataSheetHidden) {
    calc.optLANG_Click(kNL);
    EXPECT_EQ(calc.Taal, "NL");
    EXPECT_EQ(calc.optLANG.selected, kNL);
    EXPECT_EQ(calc.cmdBestand.caption, "Vul Regel");
    EXPECT_EQ(calc.frame1, "Resultaten");
    ASSERT_TRUE(form.loaded());
    EXPECT_FALSE(form.visible());
    const DataSheet& sheet = *form.get();
    EXPECT_EQ(sheet.appFolder, platform.appFolder);  // its own start-up ran
    EXPECT_EQ(sheet.optLANG.selected, kNoSelection);
    EXPECT_EQ(sheet.Label2, "Ringkern / Ferriet Invul Vorm");
    EXPECT_EQ(sheet.txtRegel[2], "");
}

TEST_F(LanguageTest, EnglishSelectsTheDataSheetsUkButtonAndSetsItsCaptions) {
    calc.optLANG_Click(kUK);
    EXPECT_EQ(calc.Taal, "UK");
    EXPECT_EQ(calc.cmdEinde.caption, "Exit");
    const DataSheet& sheet = *form.get();
    EXPECT_TRUE(sheet.english());
    EXPECT_EQ(sheet.cmdSluiten.caption, "Close");
    EXPECT_EQ(sheet.cmdDatum.caption, "Fill Date");
    EXPECT_EQ(sheet.Frame1, "File I/O control");
    EXPECT_EQ(sheet.Label2, "Toroid / Ferrite Fill-in Form");
    EXPECT_FALSE(form.visible());
}

TEST_F(LanguageTest, BackToDutchLeavesNoDataSheetButtonSelected) {
    calc.optLANG_Click(kNL);
    calc.optLANG_Click(kUK);
    calc.optLANG_Click(kNL);
    const DataSheet& sheet = *form.get();
    EXPECT_EQ(sheet.optLANG.selected, kNoSelection);
    EXPECT_FALSE(sheet.english());
    EXPECT_EQ(sheet.cmdSluiten.caption, "Sluiten");
    EXPECT_EQ(sheet.cmdWisM.caption, "Wis Metingen");

    platform.answers = {MsgAnswer::Cancel};
    form.get()->cmdWis_Click();
    EXPECT_EQ(platform.lastMessage().text, "Zeker weten?");
}

TEST_F(LanguageTest, BothWindowsEndUpTheSameWhicheverWayTheyGotThere) {
    calc.optLANG_Click(kUK);
    const Calculator english = calc;
    const DataSheet englishSheet = *form.get();
    calc.optLANG_Click(kNL);
    const Calculator dutch = calc;
    const DataSheet dutchSheet = *form.get();

    calc.optLANG_Click(kUK);
    calc.optLANG_Click(kUK);
    EXPECT_EQ(calc, english);
    EXPECT_EQ(*form.get(), englishSheet);
    calc.optLANG_Click(kNL);
    EXPECT_EQ(calc, dutch);
    EXPECT_EQ(*form.get(), dutchSheet);
}

TEST_F(LanguageTest, TheTopCaptionsFollowTheSelectedMethod) {
    struct Case {
        int method;
        std::int16_t language;
        const char* lblTopR;
        const char* lblR;
    };
    const Case cases[] = {
        {kTopC, kUK, "which Top-C", "pF         typ.: 1 - 1000"},
        {kTopR, kUK, "which Top-R", "kOhm    typ.: 1 - 1000"},
        {kTopC, kNL, "welke Top-C", "pF        typ.: 1 - 1000"},
        {kTopR, kNL, "welke Top-R", "kOhm   typ.: 1 - 1000"},
    };
    for (const auto& c : cases) {
        calc.optTOPC.selected = c.method;
        calc.optLANG_Click(c.language);
        EXPECT_EQ(calc.lblTopR, c.lblTopR);
        EXPECT_EQ(calc.lblR, c.lblR);
    }
}

TEST_F(LanguageTest, SwitchingKeepsInputsResultsAndFillLine) {
    calc.optLANG_Click(kNL);
    calc.txtCap.text = "4,7";
    calc.txtALwaarde.text = "1234";
    calc.txtQLC.text = "err";
    calc.cmdBestand.enabled = true;
    calc.chkQRLC = {" ", 1, true};
    calc.optTOPC.selected = kTopR;
    calc.cboKiesregel = {{"Regel_Line-1", "Regel_Line-2"}, 1};
    const Calculator before = calc;

    calc.optLANG_Click(kUK);
    EXPECT_EQ(calc.txtCap, before.txtCap);
    EXPECT_EQ(calc.txtALwaarde, before.txtALwaarde);
    EXPECT_EQ(calc.txtQLC, before.txtQLC);
    EXPECT_EQ(calc.cmdBestand.enabled, true);
    EXPECT_EQ(calc.chkQRLC, before.chkQRLC);
    EXPECT_EQ(calc.chkLprn, before.chkLprn);
    EXPECT_EQ(calc.optTOPC.selected, kTopR);
    EXPECT_EQ(calc.optFreq, before.optFreq);
    EXPECT_EQ(calc.cboKiesregel, before.cboKiesregel);
    EXPECT_EQ(calc.C_eenheid, before.C_eenheid);
}

TEST_F(LanguageTest, MultiLineCaptionsJoinTheirLinesWithASingleCarriageReturn) {
    for (const std::int16_t language : {kNL, kUK}) {
        calc.optLANG_Click(language);
        EXPECT_EQ(count(calc.Label3, '\r'), 2) << language;
        EXPECT_EQ(count(calc.Label1, '\r'), 2) << language;
        EXPECT_EQ(count(calc.lblCap, '\r'), 1) << language;
        for (const std::string* caption : {&calc.Label2, &calc.Label3, &calc.lblN, &calc.lblCap, &calc.Label1,
                                           &calc.lblALwaarde, &calc.lblR}) {
            EXPECT_EQ(count(*caption, '\n'), 0) << *caption;
            EXPECT_NE(caption->back(), '\r') << *caption;
        }
    }
    calc.optLANG_Click(kUK);
    EXPECT_EQ(calc.Label1,
              "After setting all values and selections \"Calculate\" must\r"
              "be clicked repeatedly.   Invalid data input is blocked.\r"
              "Checkbox set = migrate item also to line 7 and 8.");
}

TEST_F(LanguageTest, CaptionsKeepTheirRunsOfBlanks) {
    struct Case {
        const char* what;
        bool english;
        int got;
        int expected;
    };
    const auto& en = kCalculatorEnglish;
    const auto& nl = kCalculatorDutch;
    const Case cases[] = {
        {"lblN", true, blanksBeforeEquals(en.lblN), 10},
        {"lblN", false, blanksBeforeEquals(nl.lblN), 8},
        {"lblCap", true, blanksBeforeEquals(en.lblCap), 6},
        {"lblCap", false, blanksBeforeEquals(nl.lblCap), 3},
        {"lblFreq", true, blanksBeforeEquals(en.lblFreq), 2},
        {"lblFreq", false, blanksBeforeEquals(nl.lblFreq), 2},
        {"lblR Top-R", true, blanksAfter(en.topR.lblR, "kOhm"), 4},
        {"lblR Top-R", false, blanksAfter(nl.topR.lblR, "kOhm"), 3},
        {"lblR Top-C", true, blanksAfter(en.topC.lblR, "pF"), 9},
        {"lblR Top-C", false, blanksAfter(nl.topC.lblR, "pF"), 8},
        {"lblALwaarde mH", true, blanksAfter(en.lblALwaarde, "mH/1000"), 5},
        {"lblALwaarde mH", false, blanksAfter(nl.lblALwaarde, "mH/1000"), 4},
        {"lblALwaarde nH", true, blanksAfter(en.lblALwaarde, "nH/winding,"), 3},
        {"lblALwaarde nH", false, blanksAfter(nl.lblALwaarde, "nH/winding,"), 3},
        {"Label1", true, blanksAfter(en.Label1, "repeatedly."), 3},
        {"Label1", false, blanksAfter(nl.Label1, "de"), 2},
        {"lblN trailing", true, blanksAfter(en.lblN, "="), 1},
        {"lblN trailing", false, blanksAfter(nl.lblN, "="), 1},
        {"lblCap trailing", true, blanksAfter(en.lblCap, "="), 1},
        {"lblCap trailing", false, blanksAfter(nl.lblCap, "="), 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.got, c.expected) << c.what << (c.english ? " UK" : " NL");
    }
}

TEST_F(LanguageTest, TheEqualsSignsLineUpInBothLanguages) {
    for (const auto field : {&CalculatorCaptions::lblN, &CalculatorCaptions::lblCap}) {
        EXPECT_EQ(std::string_view(kCalculatorEnglish.*field).find('='),
                  std::string_view(kCalculatorDutch.*field).find('='));
    }
}

TEST_F(LanguageTest, TheSwitchRecreatesAClosedDataSheetHiddenAndAppliesTheLanguage) {
    calc.optLANG_Click(kUK);
    form.show().txtFabr1 = "Amidon";
    form.cmdSluiten_Click();
    ASSERT_FALSE(form.loaded());

    calc.optLANG_Click(kUK);
    ASSERT_TRUE(form.loaded());
    EXPECT_FALSE(form.visible());
    EXPECT_EQ(form.get()->txtFabr1, "");
    EXPECT_EQ(form.get()->cmdSluiten.caption, "Close");
    EXPECT_TRUE(form.get()->english());
}

}  // namespace
}  // namespace kw
