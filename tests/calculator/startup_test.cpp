#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calculator/calculator.h"
#include "common/file_system.h"
#include "datasheet/datasheet.h"
#include "tests/support/fake_platform.h"

namespace kw {
namespace {

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        calc.platform = &platform;
        calc.dataSheet = &sheet;
    }

    test::FakePlatform platform;
    LocalFileSystem files;
    DataSheetForm sheet{platform, files};
    Calculator calc;
};

TEST_F(StartupTest, StartsWithTopCKilohertzNanofaradAndBlankResults) {
    calc.Form_Load();
    EXPECT_EQ(calc.Taal, "NL");
    EXPECT_EQ(calc.lblTopR, "welke Top-C");
    EXPECT_EQ(calc.optLANG.selected, 0);
    EXPECT_EQ(calc.optTOPC.selected, 0);
    EXPECT_EQ(calc.optFreq.selected, 0);
    EXPECT_EQ(calc.optCapVal.selected, 0);
    EXPECT_EQ(calc.txtWikkeling.text, "10");
    EXPECT_EQ(calc.txtCap.text, "100");
    EXPECT_EQ(calc.txtFreq.text, "10.0");
    EXPECT_EQ(calc.txtFres1.text, "9.9");
    EXPECT_EQ(calc.txtFres2.text, "10.1");
    EXPECT_EQ(calc.txtTopR.text, "100");
    for (const auto* box :
         {&calc.txtALwaarde, &calc.txtLmH, &calc.txtQRLC, &calc.txtQLC, &calc.txtQRS, &calc.txtQRP}) {
        EXPECT_EQ(box->text, " ");
    }
    EXPECT_FALSE(calc.cmdBestand.enabled);
    EXPECT_TRUE(calc.txtFres1.enabled);
    EXPECT_TRUE(calc.txtFres2.enabled);
    EXPECT_FALSE(calc.chkQRLC.enabled);
    EXPECT_EQ(calc.chkQRLC.value, 0);
    EXPECT_TRUE(calc.chkLprn.enabled);
    EXPECT_EQ(calc.chkLprn.value, 1);
    EXPECT_TRUE(calc.chkQaan.enabled);
    EXPECT_EQ(calc.chkQaan.value, 1);
    EXPECT_EQ(calc.C_eenheid, " nF");
    EXPECT_EQ(calc.f_eenheid, " kHz");
    EXPECT_EQ(calc.Top_eenheid, " pF");
    EXPECT_EQ(calc.lblR, "pF         typ.: 1 - 1000");
    EXPECT_EQ(calc.caption, "QQ0QQQ KERNWIJS");
    EXPECT_EQ(calc.cboKiesregel.items,
              (std::vector<std::string>{"Regel_Line-1", "Regel_Line-2", "Regel_Line-3", "Regel_Line-4",
                                        "Regel_Line-5", "Regel_Line-6", "Regel_Line-7"}));
    EXPECT_EQ(calc.cboKiesregel.selected, 0);
    EXPECT_TRUE(platform.shown.empty());
    EXPECT_EQ(platform.beeps, 0);
}

TEST_F(StartupTest, ShowsTheDataSheetBesideTheCalculator) {
    calc.Form_Load();
    EXPECT_TRUE(sheet.loaded());
    EXPECT_TRUE(sheet.visible());
}

TEST_F(StartupTest, ASecondInstanceOnlyShowsItsMessageAndEnds) {
    platform.otherInstance = true;
    const Calculator before = calc;
    calc.Form_Load();
    ASSERT_EQ(platform.shown.size(), 1u);
    const MessageBox& box = platform.lastMessage();
    EXPECT_EQ(box.title, "Error !");
    EXPECT_EQ(box.text, "The application is already running!!! \r");
    EXPECT_EQ(box.icon, MsgIcon::Critical);
    EXPECT_EQ(box.buttons, MsgButtons::Ok);
    EXPECT_TRUE(box.systemModal);
    EXPECT_EQ(platform.endRequests, 1);
    EXPECT_EQ(calc, before);
    EXPECT_FALSE(sheet.loaded());
}

TEST_F(StartupTest, StartingAgainGivesTheSameState) {
    calc.Form_Load();
    const Calculator first = calc;
    calc.setText(&Calculator::txtCap, "47");
    calc.selectOption(&Calculator::optTOPC, 1);
    platform.settings.clear();  // nothing kept from the run before
    calc.Form_Load();
    EXPECT_EQ(calc, first);
}

}  // namespace
}  // namespace kw
