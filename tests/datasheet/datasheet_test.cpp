#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "tests/support/windows_fixture.h"

namespace kw {
namespace {

constexpr std::int16_t kNL = 0;
constexpr std::int16_t kUK = 1;

class DataSheetTest : public test::WindowsTest {
protected:
    DataSheetTest() { platform.appFolder = "/opt/kernwijs"; }

    // A loaded sheet whose every text field holds something typed by the user.
    DataSheet& typedSheet() {
        DataSheet& sheet = form.show();
        for (const auto& name : DataSheet::textFieldNames()) {
            *sheet.field(name) = "typed " + name;
        }
        return sheet;
    }

    std::set<std::string> emptyFields(const DataSheet& sheet) const {
        std::set<std::string> names;
        for (const auto& name : DataSheet::textFieldNames()) {
            if (sheet.field(name)->empty()) {
                names.insert(name);
            }
        }
        return names;
    }
};

TEST_F(DataSheetTest, LoadingRemembersTheApplicationFolderAndUnticksCsv) {
    DataSheet& sheet = form.getHidden();
    EXPECT_TRUE(form.loaded());
    EXPECT_FALSE(form.visible());
    EXPECT_EQ(sheet.appFolder, "/opt/kernwijs");
    EXPECT_EQ(sheet.chkCSV.value, 0);
    EXPECT_TRUE(sheet.chkCSV.enabled);
    EXPECT_EQ(sheet.txtFabr1, "");
    EXPECT_EQ(sheet.optLANG.selected, kNoSelection);
    EXPECT_TRUE(platform.shown.empty());
}

TEST_F(DataSheetTest, ASecondInstanceIsRefusedInEnglishAndEndsTheProgram) {
    platform.otherInstance = true;
    form.getHidden();
    ASSERT_EQ(platform.shown.size(), 1u);
    EXPECT_EQ(platform.lastMessage().title, "Error !");
    EXPECT_EQ(platform.lastMessage().text, "The application is already running!!! \r");
    EXPECT_EQ(platform.lastMessage().icon, MsgIcon::Critical);
    EXPECT_EQ(platform.lastMessage().buttons, MsgButtons::Ok);
    EXPECT_FALSE(platform.lastMessage().systemModal);  // modal to the sheet only, unlike the Calculator's
    EXPECT_EQ(platform.endRequests, 1);
}

TEST_F(DataSheetTest, FillDateTakesDayMonthAndTheYearWithoutItsCentury) {
    struct Case {
        LocalTime today;
        const char* dd;
        const char* mm;
        const char* jj;
    };
    const Case cases[] = {
        {{2026, 3, 5, 9, 0, 0}, "05", "03", "26"},
        {{1999, 12, 31, 23, 59, 59}, "31", "12", "99"},
        {{2000, 1, 1, 0, 0, 0}, "01", "01", "00"},
        {{2109, 10, 9, 12, 0, 0}, "09", "10", "09"},
    };
    DataSheet& sheet = form.show();
    for (const auto& c : cases) {
        platform.time = c.today;
        sheet.cmdDatum_Click();
        EXPECT_EQ(sheet.txtDD, c.dd) << c.today.year;
        EXPECT_EQ(sheet.txtMM, c.mm) << c.today.year;
        EXPECT_EQ(sheet.txtJJ, c.jj) << c.today.year;
    }
    EXPECT_TRUE(platform.shown.empty());
}

TEST_F(DataSheetTest, CancelLeavesTheSheetAsItWas) {
    DataSheet& sheet = typedSheet();
    const DataSheet before = sheet;
    platform.answers = {MsgAnswer::Cancel, MsgAnswer::Cancel, MsgAnswer::Cancel};
    sheet.cmdWisM_Click();
    sheet.cmdWis_Click();
    EXPECT_EQ(sheet, before);
    form.cmdSluiten_Click();
    ASSERT_TRUE(form.loaded());
    EXPECT_EQ(*form.get(), before);
    EXPECT_EQ(platform.shown.size(), 3u);
}

TEST_F(DataSheetTest, DeleteDatalinesEmptiesTheMeasurementsAndInfoLineEightOnly) {
    DataSheet& sheet = typedSheet();
    const DataSheet before = sheet;
    sheet.cmdWisM_Click();

    std::set<std::string> expected;
    for (int k = 1; k <= kMeasurementLines; ++k) {
        for (const auto stem : kLineFieldStems) {
            expected.insert(std::string(stem) + std::to_string(k));
        }
    }
    expected.insert("txtRegel8");
    EXPECT_EQ(emptyFields(sheet), expected);
    EXPECT_EQ(sheet.regel(7), before.regel(7));
    EXPECT_EQ(sheet.txtDD, before.txtDD);
}

TEST_F(DataSheetTest, DeleteAllEmptiesEverythingButTheDate) {
    DataSheet& sheet = form.show();
    sheet.txtDD = "DD";  // as a loaded file may hold them
    sheet.txtMM = "03";
    sheet.chkCSV.value = 1;
    sheet.selectLanguage(kUK);
    sheet.cmdWis_Click();

    const std::set<std::string> empty = emptyFields(sheet);
    EXPECT_EQ(empty.size(), 89u + 1u);  // and the year, which was empty before
    EXPECT_EQ(empty.size() + 2, DataSheet::textFieldNames().size());
    EXPECT_EQ(sheet.txtDD, "DD");
    EXPECT_EQ(sheet.txtMM, "03");
    EXPECT_EQ(sheet.chkCSV.value, 1);
    EXPECT_EQ(sheet.optLANG.selected, kUK);
}

TEST_F(DataSheetTest, TheConfirmationIsEnglishOnlyWhileUkIsSelected) {
    struct Case {
        int selected;
        const char* text;
        const char* title;
    };
    const Case cases[] = {
        {kUK, "You're sure?", "Confirmation"},
        {kNL, "Zeker weten?", "Bevestiging"},
        {kNoSelection, "Zeker weten?", "Bevestiging"},
    };
    DataSheet& sheet = form.show();
    for (const auto& c : cases) {
        sheet.optLANG.selected = c.selected;
        platform.answers = {MsgAnswer::Cancel};
        sheet.cmdWisM_Click();
        const MessageBox& box = platform.lastMessage();
        EXPECT_EQ(box.text, c.text) << c.selected;
        EXPECT_EQ(box.title, c.title) << c.selected;
        EXPECT_EQ(box.icon, MsgIcon::Question);
        EXPECT_EQ(box.buttons, MsgButtons::OkCancel);
    }
}

TEST_F(DataSheetTest, ItsLanguageButtonsChangeOnlyTheCloseCaption) {
    DataSheet& sheet = form.show();
    DataSheet expected = sheet;

    sheet.selectLanguage(kUK);
    expected.optLANG.selected = kUK;
    expected.cmdSluiten.caption = "Close";
    EXPECT_EQ(sheet, expected);

    sheet.selectLanguage(kNL);
    expected.optLANG.selected = kNL;
    expected.cmdSluiten.caption = "Sluiten";
    EXPECT_EQ(sheet, expected);
}

TEST_F(DataSheetTest, GoPsFolderOpensTheLastExportsFolderAndSaysWhenNoFileManagerStarts) {
    struct Case {
        std::string lastExport;  // empty: nothing exported this run
        bool opens;
        int language;
        std::vector<MessageBox> shown;
    };
    const Case cases[] = {
        {"", true, kNL, {}},
        {"/home/ham/pages", true, kNL, {}},
        {"/home/ham/pages",
         false,
         kNL,
         {{"Melding!", "Er kon geen bestandsbeheerder worden gestart.\rDe map is:\r/home/ham/pages"}}},
        {"", false, kUK, {{"Warning!", "No file manager could be started.\rThe folder is:\r/opt/kernwijs"}}},
    };
    for (const auto& c : cases) {
        DataSheet& sheet = form.show();
        platform.appFolder = "/elsewhere";  // the folder was taken at load
        sheet.folders->postScript = c.lastExport;
        sheet.optLANG.selected = c.language;
        platform.folderOpens = c.opens;
        platform.openedFolders.clear();
        platform.shown.clear();
        sheet.cmdMap_Click();
        EXPECT_EQ(platform.openedFolders,
                  std::vector<std::string>{c.lastExport.empty() ? "/opt/kernwijs" : c.lastExport});
        EXPECT_EQ(platform.shown, c.shown) << c.lastExport;
        platform.appFolder = "/opt/kernwijs";
    }
}

TEST_F(DataSheetTest, CloseDiscardsTheTextsAndTheNextUseStartsFromThePlaceholders) {
    typedSheet().selectLanguage(kUK);
    form.get()->markSaved();  // nothing unsaved: the plain question
    form.cmdSluiten_Click();
    EXPECT_EQ(platform.lastMessage().text, "You're sure?");
    EXPECT_FALSE(form.loaded());
    EXPECT_FALSE(form.visible());

    EXPECT_EQ(form.show(), freshSheet());
}

}  // namespace
}  // namespace kw
