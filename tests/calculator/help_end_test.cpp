#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/windows_fixture.h"

namespace kw {
namespace {

namespace fs = std::filesystem;

const std::string kNotFoundNL = "Er is iets mis!   \rHelp bestand KERNWIJS_NL.HLP niet gevonden  \r";
const std::string kNotFoundUK = "Something is wrong!   \rHelp file KERNWIJS_UK.HLP not found  \r";

class HelpEndTest : public test::WindowsTest {
protected:
    HelpEndTest() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = fs::temp_directory_path() / (std::string("kernwijs_help_") + info->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        platform.appFolder = folder.string();
    }
    ~HelpEndTest() override { fs::remove_all(folder); }

    void addFile(const std::string& name) { std::ofstream(folder / name) << "help\n"; }

    fs::path folder;
};

TEST_F(HelpEndTest, HelpShowsTheFileOfTheCurrentLanguageOrSaysItIsMissing) {
    struct Case {
        const char* taal;
        bool nlThere;
        bool ukThere;
        bool viewerWorks;
        const char* shownFile;  // nullptr: the not-found box
        const char* title;
        const std::string* text;
    };
    const Case cases[] = {
        {"NL", true, true, true, "KERNWIJS_NL.HLP", nullptr, nullptr},
        {"UK", true, true, true, "KERNWIJS_UK.HLP", nullptr, nullptr},
        {"UK", true, false, true, nullptr, "Error !", &kNotFoundUK},
        {"NL", false, true, true, nullptr, "Fout !", &kNotFoundNL},
        {"NL", true, true, false, "KERNWIJS_NL.HLP", "Fout !", &kNotFoundNL},
        {"", true, true, true, nullptr, "Fout !", &kNotFoundNL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.taal) + (c.nlThere ? " nl" : "") + (c.ukThere ? " uk" : ""));
        fs::remove(folder / "KERNWIJS_NL.HLP");
        fs::remove(folder / "KERNWIJS_UK.HLP");
        if (c.nlThere) {
            addFile("KERNWIJS_NL.HLP");
        }
        if (c.ukThere) {
            addFile("KERNWIJS_UK.HLP");
        }
        platform.helpWorks = c.viewerWorks;
        platform.helpShown.clear();
        platform.shown.clear();
        calc.Taal = c.taal;
        const Calculator before = calc;

        calc.cmdHelp_Click();

        if (c.shownFile != nullptr) {
            ASSERT_EQ(platform.helpShown.size(), 1u);
            EXPECT_EQ(fs::path(platform.helpShown[0]), folder / c.shownFile);
        } else {
            EXPECT_TRUE(platform.helpShown.empty());
        }
        if (c.text != nullptr) {
            ASSERT_EQ(platform.shown.size(), 1u);
            const MessageBox& box = platform.lastMessage();
            EXPECT_EQ(box.title, c.title);
            EXPECT_EQ(box.text, *c.text);
            EXPECT_EQ(box.icon, MsgIcon::Critical);
            EXPECT_EQ(box.buttons, MsgButtons::Ok);
            EXPECT_TRUE(box.systemModal);
        } else {
            EXPECT_TRUE(platform.shown.empty());
        }
        EXPECT_EQ(calc, before);
    }
}

TEST_F(HelpEndTest, EndWithCancelLeavesBothWindowsAndTheirData) {
    calc.Taal = "UK";
    calc.txtCap.text = "47";
    form.show().txtFabr1 = "Amidon";
    form.get()->markSaved();
    const Calculator before = calc;
    platform.answers = {MsgAnswer::Cancel};

    calc.cmdEinde_Click();

    EXPECT_EQ(platform.lastMessage().text, "You're sure?");
    EXPECT_EQ(platform.lastMessage().title, "Confirmation");
    EXPECT_EQ(calc, before);
    ASSERT_TRUE(form.visible());
    EXPECT_EQ(form.get()->txtFabr1, "Amidon");
    EXPECT_EQ(platform.endRequests, 0);
}

TEST_F(HelpEndTest, EndWithOkUnloadsTheDataSheetAndEndsTheProgram) {
    calc.Taal = "NL";
    form.show();
    calc.cmdEinde_Click();
    EXPECT_EQ(platform.lastMessage().text, "Zeker weten?");
    EXPECT_EQ(platform.lastMessage().title, "Bevestiging");
    EXPECT_EQ(platform.lastMessage().icon, MsgIcon::Question);
    EXPECT_EQ(platform.lastMessage().buttons, MsgButtons::OkCancel);
    EXPECT_FALSE(form.loaded());
    EXPECT_EQ(platform.endRequests, 1);
}

}  // namespace
}  // namespace kw
