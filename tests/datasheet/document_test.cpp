#include <gtest/gtest.h>

#include <string>

#include "datasheet/tor_file.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_platform.h"

namespace kw {
namespace {

constexpr const char* kFile = "/home/ham/T50-2.tor";
constexpr const char* kOther = "/home/ham/FT37-43.tor";

// The data sheet as a document: what it holds against the file it came from or went to.
class DocumentTest : public ::testing::Test {
protected:
    DocumentTest() {
        DataSheet& source = form.show();
        source.txtFabr1 = "Amidon";
        files.files[kFile] = (TorFileText(source));
        source.txtFabr1 = "Fair-Rite";
        files.files[kOther] = (TorFileText(source));
        form.unload();
        sheet = &form.show();
    }

    test::FakePlatform platform;
    test::FakeFileSystem files;
    DataSheetForm form{platform, files};
    DataSheet* sheet = nullptr;
};

TEST_F(DocumentTest, TheTitleNamesTheFileAndMarksWhatIsUnsaved) {
    EXPECT_FALSE(sheet->unsaved());
    EXPECT_EQ(sheet->windowTitle(), "Ferriet Invul vorm");
    sheet->txtRi = "x";
    EXPECT_EQ(sheet->windowTitle(), "Ferriet Invul vorm *");
    sheet->txtRi.clear();  // typed back as it was: nothing to save
    EXPECT_FALSE(sheet->unsaved());

    sheet->openTorFile(kFile);
    EXPECT_EQ(sheet->txtFabr1, "Amidon");
    EXPECT_EQ(sheet->windowTitle(), "Ferriet Invul vorm \u2013 T50-2.tor");
    sheet->cmdWisM_Click();  // nothing to clear: still saved
    EXPECT_FALSE(sheet->unsaved());
    sheet->regel(8) = "L1 = 1 mH, ";
    EXPECT_EQ(sheet->windowTitle(), "Ferriet Invul vorm \u2013 T50-2.tor *");

    platform.dialogAnswers = {std::string(kOther)};
    sheet->cmdUitvoer_Click();
    EXPECT_EQ(sheet->windowTitle(), "Ferriet Invul vorm \u2013 FT37-43.tor");
}

TEST_F(DocumentTest, UnsavedWorkIsOfferedForSavingBeforeCloseInputAndEnd) {
    sheet->selectLanguage(1);
    sheet->txtType1 = "T-50";
    platform.answers = {MsgAnswer::Cancel};
    form.cmdSluiten_Click();
    ASSERT_TRUE(form.loaded());
    const MessageBox& asked = platform.lastMessage();
    EXPECT_EQ(asked.title, "Unsaved changes");
    EXPECT_EQ(asked.buttons, MsgButtons::SaveDiscardCancel);
    EXPECT_EQ(asked.buttonTexts, (std::vector<std::string>{"Save", "Don't Save", "Cancel"}));

    // Input: Cancel keeps the sheet and asks for no file.
    platform.answers = {MsgAnswer::Cancel};
    sheet->cmdInvoer_Click();
    EXPECT_TRUE(platform.openDialogs.empty());
    EXPECT_EQ(sheet->txtType1, "T-50");

    // End: Save whose dialog is cancelled ends nothing.
    platform.answers = {MsgAnswer::Save};
    EXPECT_FALSE(form.mayEnd(false));
    EXPECT_EQ(platform.lastMessage().title, "Niet opgeslagen");  // End asks in the Calculator's language
    ASSERT_EQ(platform.saveDialogs.size(), 1U);

    // Save through Output, then Close goes on.
    platform.answers = {MsgAnswer::Save};
    platform.dialogAnswers = {std::string("/home/ham/new.tor")};
    form.cmdSluiten_Click();
    EXPECT_FALSE(form.loaded());
    EXPECT_NE(files.files.at("/home/ham/new.tor").find("T-50"), std::string::npos);
}

TEST_F(DocumentTest, DiscardGoesOnAndASavedSheetIsAskedOnlyWhetherTheUserIsSure) {
    sheet->txtType1 = "T-50";
    platform.answers = {MsgAnswer::Discard};
    sheet->Form_DragDrop(kFile);
    EXPECT_EQ(sheet->txtFabr1, "Amidon");
    EXPECT_EQ(sheet->txtType1, "T-50");  // loading adds to the sheet, as Input always did
    EXPECT_EQ(sheet->fileName, kFile);

    sheet->markSaved();
    const std::size_t before = platform.shown.size();
    sheet->openTorFile(kOther);  // nothing unsaved: no question
    EXPECT_EQ(platform.shown.size(), before);
    EXPECT_EQ(sheet->txtFabr1, "Fair-Rite");

    platform.answers = {MsgAnswer::Cancel};
    EXPECT_FALSE(form.mayEnd(true));
    EXPECT_EQ(platform.lastMessage().text, "You're sure?");
}

TEST_F(DocumentTest, AFileThatFailsToLoadLeavesNameAndStateAsTheyWere) {
    files.files["/home/ham/bad.tor"] = ("not a sheet\r\n");
    files.files["/home/ham/short.tor"] = ("[KERNWIJS]\r\n[M-LINE2]\r\n12\r\n");
    sheet->openTorFile("/home/ham/bad.tor");
    EXPECT_EQ(sheet->fileName, "");
    EXPECT_FALSE(sheet->unsaved());
    sheet->openTorFile("/home/ham/missing.tor");
    EXPECT_EQ(sheet->fileName, "");
    // Cut short inside a block: the sheet holds what no file holds whole.
    sheet->openTorFile("/home/ham/short.tor");
    EXPECT_EQ(sheet->fileName, "/home/ham/short.tor");
    EXPECT_TRUE(sheet->unsaved());
}

TEST_F(DocumentTest, TheFoldersOfTheLastRunAreWhereTheDialogsStart) {
    platform.answers = {MsgAnswer::Discard};
    sheet->openTorFile(kFile);
    EXPECT_EQ(platform.settings.at("folders/tor"), "/home/ham");

    test::FakePlatform nextRun;
    nextRun.settings = platform.settings;
    nextRun.settings["folders/export"] = "/home/ham/pages";
    DataSheetForm next{nextRun, files};
    EXPECT_EQ(next.show().torFolder(), "/home/ham");
    EXPECT_EQ(next.get()->exportFolder(), "/home/ham/pages");
}

}  // namespace
}  // namespace kw
