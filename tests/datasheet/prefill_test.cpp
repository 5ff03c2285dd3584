#include "datasheet/prefill.h"

#include <gtest/gtest.h>

#include <string>

#include "support/fake_file_system.h"
#include "support/fake_platform.h"
#include "support/placeholder_sheet.h"

namespace kw {
namespace {

constexpr const char* kIni = "/home/ham/VOORVUL.INI";

MessageBox warning(std::string title, std::string text) {
    return {std::move(title), std::move(text), MsgIcon::Critical, MsgButtons::Ok, false};
}

class PrefillTest : public ::testing::Test {
protected:
    void SetUp() override {
        sheet.platform = &platform;
        sheet.files = &disk;
        test::fillWithPlaceholders(sheet);
        platform.workFolder = "/home/ham";
    }

    void prefill(std::string text) {
        disk.files[kIni] = std::move(text);
        sheet.cmdVoorVul_Click();
    }

    // Turns, capacitance and Top of measurement line k.
    std::vector<std::string> fixed(int k) const {
        return {sheet.line(k, LineField::N), sheet.line(k, LineField::C), sheet.line(k, LineField::Top)};
    }

    test::FakePlatform platform;
    test::FakeFileSystem disk;
    DataSheet sheet;
};

using Fields = std::vector<std::string>;

TEST_F(PrefillTest, FillsTurnsCapacitanceAndTopOfTheFirstLines) {
    prefill("[PREFILL] any text\r\n12; 150;2.2\r\n  8 ;1.5 nF ; 3 K\r\n20;47;a;b\r\n");
    EXPECT_EQ(fixed(1), (Fields{"12", "150", "2.2"}));
    EXPECT_EQ(fixed(2), (Fields{"8 ", "1.5 nF ", "3 K"}));
    EXPECT_EQ(fixed(3), (Fields{"20", "47", "a;b"}));
    EXPECT_EQ(fixed(4), (Fields{"N4", "C4", "Top4"}));
    EXPECT_TRUE(platform.shown.empty());
}

TEST_F(PrefillTest, LeavesEveryOtherFieldAsItWas) {
    const DataSheet before = sheet;
    prefill("[PREFILL]\r\n1;2;3\r\n");
    DataSheet expected = before;
    expected.line(1, LineField::N) = "1";
    expected.line(1, LineField::C) = "2";
    expected.line(1, LineField::Top) = "3";
    EXPECT_EQ(sheet, expected);
}

TEST_F(PrefillTest, CommentsAndShortLinesDoNotUseUpMeasurementLines) {
    prefill("[PREFILL]\r\n%% turns;C;Top\r\n1;1;1\r\n\r\nab\r\n;;\r\n%%2;2;2\r\n3;3;3\r\n");
    EXPECT_EQ(fixed(1), (Fields{"1", "1", "1"}));
    EXPECT_EQ(fixed(2), (Fields{"3", "3", "3"}));
    EXPECT_EQ(fixed(3), (Fields{"N3", "C3", "Top3"}));
}

TEST_F(PrefillTest, AnEighthAndLaterDataLineIsRefusedEachTime) {
    std::string text = "[PREFILL]\r\n";
    for (int k = 1; k <= 9; ++k) {
        text += std::to_string(k) + ";c;t\r\n";
    }
    prefill(text);
    sheet.optLANG.selected = 1;
    prefill("[PREFILL]\r\n1;2;3\r\n1;2;3\r\n1;2;3\r\n1;2;3\r\n1;2;3\r\n1;2;3\r\n1;2;3\r\nxyz\r\n");

    EXPECT_EQ(fixed(7), (Fields{"1", "2", "3"}));
    EXPECT_EQ(platform.shown, (std::vector<MessageBox>{warning("Melding!", "Teveel invoer regels!"),
                                                       warning("Melding!", "Teveel invoer regels!"),
                                                       warning("Warning!", "Too many input lines!")}));
}

TEST_F(PrefillTest, AMissingFileIsReportedAndNothingIsRead) {
    sheet.cmdVoorVul_Click();
    sheet.optLANG.selected = 1;
    sheet.cmdVoorVul_Click();
    EXPECT_EQ(platform.shown,
              (std::vector<MessageBox>{warning("Melding!", "VOORVUL.INI niet gevonden!"),
                                       warning("Warning!", "Prefill file VOORVUL.INI not found!")}));
}

TEST_F(PrefillTest, OnlyTheFileInTheCurrentFolderCounts) {
    disk.files["/opt/kernwijs/VOORVUL.INI"] = "[PREFILL]\r\n1;2;3\r\n";
    sheet.appFolder = "/opt/kernwijs";
    sheet.cmdVoorVul_Click();
    EXPECT_EQ(platform.shown.size(), 1u);
    EXPECT_EQ(fixed(1), (Fields{"N1", "C1", "Top1"}));
}

TEST_F(PrefillTest, TheFileIsFoundInAnyLetterCaseTheExactSpellingFirst) {
    struct Case {
        std::vector<std::string> names;  // in the current folder, each holding "<its index>;2;3"
        std::string turns;               // of line 1 afterwards; empty: not found
    };
    const Case cases[] = {
        {{"voorvul.ini"}, "0"},
        {{"Voorvul.Ini", "VOORVUL.INI"}, "1"},
        {{"VOORVUL.INI", "voorvul.ini"}, "0"},
        {{"VOORVUL.INI.bak", "VOORVUL"}, ""},
    };
    for (const auto& c : cases) {
        disk.files.clear();
        platform.shown.clear();
        sheet.line(1, LineField::N) = "";
        for (std::size_t i = 0; i < c.names.size(); ++i) {
            disk.files["/home/ham/" + c.names[i]] = "[PREFILL]\r\n" + std::to_string(i) + ";2;3\r\n";
        }
        sheet.cmdVoorVul_Click();
        EXPECT_EQ(sheet.line(1, LineField::N), c.turns) << c.names.front();
        EXPECT_EQ(platform.shown.size(), c.turns.empty() ? 1u : 0u) << c.names.front();
    }
}

TEST_F(PrefillTest, AWrongOrMissingFirstLineAssignsNothing) {
    for (const char* text : {"[prefill]\r\n1;2;3\r\n", "", "\r\n[PREFILL]\r\n1;2;3\r\n"}) {
        prefill(text);
    }
    sheet.optLANG.selected = 1;
    prefill("1;2;3");

    EXPECT_EQ(fixed(1), (Fields{"N1", "C1", "Top1"}));
    EXPECT_EQ(platform.shown,
              (std::vector<MessageBox>{warning("Melding!", "VOORVUL.INI niet in orde!"),
                                       warning("Melding!", "VOORVUL.INI niet in orde!"),
                                       warning("Melding!", "VOORVUL.INI niet in orde!"),
                                       warning("Warning!", "Prefill file VOORVUL.INI not OK!")}));
}

TEST_F(PrefillTest, ADataLineWithoutTwoSemicolonsIsReportedAndKeepsItsPlace) {
    prefill("[PREFILL]\r\n1;1;1\r\n12;150\r\n3;3;3\r\n");
    sheet.optLANG.selected = 1;
    prefill("[PREFILL]\r\n%% header\r\nno separator\r\n");

    EXPECT_EQ(fixed(1), (Fields{"1", "1", "1"}));
    EXPECT_EQ(fixed(2), (Fields{"N2", "C2", "Top2"}));
    EXPECT_EQ(fixed(3), (Fields{"3", "3", "3"}));
    EXPECT_EQ(
        platform.shown,
        (std::vector<MessageBox>{
            warning("Melding!",
                    "Regel 3 van VOORVUL.INI is geen goede invoerregel:\r12;150\r"
                    "Een invoerregel is windingen;capaciteit;Top waarde\rMeetregel 2 is niet veranderd.\r"),
            warning(
                "Warning!",
                "Line 3 of VOORVUL.INI is not a proper data line:\rno separator\r"
                "A data line is turns;capacitance;Top value\rMeasurement line 1 was left as it was.\r")}));
}

TEST_F(PrefillTest, AnUnreadableFileIsReportedWithTheSystemsReason) {
    disk.files[kIni] = "[PREFILL]\r\n1;2;3\r\n";
    disk.readFailure = "Permission denied";
    sheet.cmdVoorVul_Click();
    EXPECT_EQ(platform.shown, (std::vector<MessageBox>{warning(
                                  "Melding!", "VOORVUL.INI kon niet worden gelezen:\rPermission denied\r")}));
}

TEST_F(PrefillTest, CrLfCrAndLfAllEndALine) {
    for (std::string_view end : {"\r\n", "\r", "\n"}) {
        DataSheet target;
        const std::string e(end);
        const PrefillOutcome outcome =
            ApplyPrefillText("[PREFILL]" + e + "%% c" + e + "5;10 pF;2 K" + e + "6;20;3", target);
        EXPECT_EQ(outcome, (PrefillOutcome{true, {}}));
        EXPECT_EQ(target.line(1, LineField::Top), "2 K");
        EXPECT_EQ(target.line(2, LineField::N), "6");
    }
}

TEST_F(PrefillTest, ReadsWindows1252AndUtf8Files) {
    prefill(
        "[PREFILL]\r\n5;1 \xB5"
        "F;2\r\n");
    EXPECT_EQ(sheet.line(1, LineField::C), "1 µF");
    prefill("[PREFILL]\r\n5;2 µF;2\r\n");
    EXPECT_EQ(sheet.line(1, LineField::C), "2 µF");
}

}  // namespace
}  // namespace kw
