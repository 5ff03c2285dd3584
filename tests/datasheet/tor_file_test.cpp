#include "datasheet/tor_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/fake_file_system.h"
#include "support/fake_platform.h"
#include "support/placeholder_sheet.h"

namespace kw {
namespace {

constexpr std::string_view kFixedComment =
    "%%  herkenning op 1e regel, na TOKEN regels hierna GEEN comment regels, alleen ervoor!\r\n";
constexpr std::string_view kClosing = "[END]\r\n%%  en vanaf hier net zoveel kommentaar als nodig is \r\n";
constexpr std::string_view kFile = "/home/ham/ring.tor";

class TorFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        sheet.platform = &platform;
        sheet.files = &disk;
        sheet.appFolder = "/opt/kernwijs";
        test::fillWithPlaceholders(sheet);
        sheet.markSaved();  // as loaded from a file: loading another asks nothing
    }

    void emptyAll() {
        for (const auto& name : DataSheet::textFieldNames()) {
            *sheet.field(name) = "";
        }
    }

    void english() { sheet.optLANG.selected = 1; }

    void save(std::string_view path) {
        platform.dialogAnswers.push_back(std::string(path));
        sheet.cmdUitvoer_Click();
    }

    void load(std::string_view path) {
        platform.dialogAnswers.push_back(std::string(path));
        sheet.cmdInvoer_Click();
    }

    static std::string tor(std::string_view body) {
        return "[KERNWIJS]\r\n" + std::string(kFixedComment) + std::string(body) + std::string(kClosing);
    }

    test::FakePlatform platform;
    test::FakeFileSystem disk;
    DataSheet sheet;
};

TEST_F(TorFileTest, AnEmptySheetWritesExactlyFourLines) {
    emptyAll();
    EXPECT_EQ(TorFileText(sheet), tor(""));
}

TEST_F(TorFileTest, WritesOnlyTheBlocksOfFilledFieldsInTheirOrder) {
    emptyAll();
    sheet.txtDD = "05";
    sheet.txtJJ = "26";
    sheet.txtFabr1 = "Mix 43 (new)";
    sheet.txtMu = "850";
    sheet.txtTest1 = " ";                    // only a blank is still filled
    sheet.line(2, LineField::C) = "100 pF";  // without turns the line is not written
    sheet.line(3, LineField::N) = "12";
    sheet.line(3, LineField::Top) = "2.2 K";
    sheet.regel(8) = "Q(RLC)";

    EXPECT_EQ(TorFileText(sheet), tor("%%  DD\r\n[DATEDD]\r\n05\r\n"
                                      "%%  JJ\r\n[DATEJJ]\r\n26\r\n"
                                      "%%fabr1\r\n[FABR1]\r\nMix 43 (new)\r\n"
                                      "[MU]\r\n850\r\n"
                                      "%% testinfo rechtsboven\r\n[TEST1]\r\n \r\n"
                                      "%%invul ringmeetregel3\r\n[M-LINE3]\r\n12\r\n\r\n\r\n\r\n\r\n\r\n\r\n"
                                      "2.2 K\r\n\r\n\r\n"
                                      "%% info regel8\r\n[C-LINE8]\r\nQ(RLC)\r\n"));
}

TEST_F(TorFileTest, ASheetFullOfTextWritesEveryBlockWithItsCommentAndToken) {
    const std::string text = TorFileText(sheet);
    for (std::string_view line :
         {"%%  MM\r\n[DATEMM]\r\nMM\r\n", "%%fabr2\r\n[FABR2]\r\nFabr2\r\n",
          "%%type3\r\n[TYPE3]\r\nType3\r\n", "%%Buiten\r\n[INOUTOUT]\r\nBuiten\r\n",
          "%%binnen\r\n[INOUTIN]\r\nBinnen\r\n", "%%hoogte\r\n[INOUTHIGH]\r\nHoog\r\n", "\r\n[RI]\r\nRi\r\n",
          "%%invul ringmeetregel7\r\n[M-LINE7]\r\nN7\r\nC7\r\nFres7\r\nmH7\r\nf17\r\nf27\r\n"
          "Q7\r\nTop7\r\nRs7\r\nRp7\r\n",
          "%% info regel1\r\n[C-LINE1]\r\nRegel1\r\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }
}

TEST_F(TorFileTest, ALineBreakInsideAFieldCannotShiftTheLaterValues) {
    emptyAll();
    sheet.txtFabr1 = "two\nlines\r";
    EXPECT_EQ(TorFileText(sheet), tor("%%fabr1\r\n[FABR1]\r\ntwo lines \r\n"));
}

TEST_F(TorFileTest, RecognitionDependsOnTheFirstCharactersOfTheFirstLine) {
    struct Case {
        std::string text;
        TorReadOutcome outcome;
    };
    const Case cases[] = {
        {"[KERNWIJS] written by hand\r\n[FABR1]\r\nAmidon\r\n", TorReadOutcome::Loaded},
        {"%% [KERNWIJS]\r\n[FABR1]\r\nAmidon\r\n", TorReadOutcome::WrongStart},
        {"[kernwijs]\r\n[FABR1]\r\nAmidon\r\n", TorReadOutcome::WrongStart},
        {"\r\n[KERNWIJS]\r\n[FABR1]\r\nAmidon\r\n", TorReadOutcome::WrongStart},
        {"", TorReadOutcome::WrongStart},
    };
    for (const auto& c : cases) {
        DataSheet target;
        EXPECT_EQ(ApplyTorText(c.text, target), c.outcome) << c.text;
        EXPECT_EQ(target.txtFabr1, c.outcome == TorReadOutcome::Loaded ? "Amidon" : "") << c.text;
    }
}

TEST_F(TorFileTest, ATokenCountsAnywhereInALineAndTheEarliestInMatchingOrderWins) {
    ApplyTorText(
        "[KERNWIJS]\r\n"
        "%% a comment mentioning [FABR1] takes the next line\r\n"
        "Ferroxcube\r\n"
        "[C-LINE2] [TYPE1] [DATEMM]\r\n"
        "07\r\n",
        sheet);
    EXPECT_EQ(sheet.txtFabr1, "Ferroxcube");
    EXPECT_EQ(sheet.txtMM, "07");
    EXPECT_EQ(sheet.txtType1, "Type1");
    EXPECT_EQ(sheet.regel(2), "Regel2");
}

TEST_F(TorFileTest, ValueLinesAreTakenVerbatim) {
    ApplyTorText("[KERNWIJS]\r\n[TYPE1]\r\n  [END] (43) \r\n[TYPE2]\r\n[FABR1]\r\n[RI]\r\n\r\n", sheet);
    EXPECT_EQ(sheet.txtType1, "  [END] (43) ");
    EXPECT_EQ(sheet.txtType2, "[FABR1]");
    EXPECT_EQ(sheet.txtFabr1, "Fabr1");
    EXPECT_EQ(sheet.txtRi, "");
}

TEST_F(TorFileTest, AFileEndingInsideABlockKeepsWhatItAssigned) {
    EXPECT_EQ(ApplyTorText("[KERNWIJS]\r\n[M-LINE4]\r\n20\r\n150 pF\r\n3.5 MHz", sheet),
              TorReadOutcome::EndedInsideBlock);
    EXPECT_EQ(sheet.lines[3],
              (MeasurementLine{"20", "150 pF", "3.5 MHz", "mH4", "f14", "f24", "Q4", "Top4", "Rs4", "Rp4"}));
}

TEST_F(TorFileTest, NothingAfterTheEndTokenIsRead) {
    EXPECT_EQ(ApplyTorText("[KERNWIJS]\r\n[MU]\r\n125\r\n[END]\r\n[RI]\r\n7\r\n", sheet),
              TorReadOutcome::Loaded);
    EXPECT_EQ(sheet.txtMu, "125");
    EXPECT_EQ(sheet.txtRi, "Ri");
}

TEST_F(TorFileTest, LoadingAddsToTheSheetAndALaterValueWins) {
    sheet.line(2, LineField::C) = "kept";
    ApplyTorText("[KERNWIJS]\r\n[TYPE1]\r\nT-50\r\n[TYPE1]\r\nT-68\r\n", sheet);
    EXPECT_EQ(sheet.txtType1, "T-68");
    EXPECT_EQ(sheet.line(2, LineField::C), "kept");
    EXPECT_EQ(sheet.txtFabr1, "Fabr1");
}

TEST_F(TorFileTest, BlocksInReverseOrderLoadTheSameAsInWritingOrder) {
    const std::string blocks[] = {"[DATEDD]\r\n05\r\n", "[INOUTIN]\r\n6\r\n",
                                  "[M-LINE1]\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n",
                                  "[C-LINE8]\r\nlast\r\n"};
    DataSheet inOrder;
    DataSheet reversed;
    ApplyTorText("[KERNWIJS]\r\n" + blocks[0] + blocks[1] + blocks[2] + blocks[3], inOrder);
    ApplyTorText("[KERNWIJS]\r\n" + blocks[3] + blocks[2] + blocks[1] + blocks[0], reversed);
    EXPECT_EQ(reversed, inOrder);
    EXPECT_EQ(reversed.txtBinnen, "6");
    EXPECT_EQ(reversed.line(1, LineField::Rp), "10");
}

TEST_F(TorFileTest, CrLfCrAndLfAllEndALine) {
    for (std::string_view end : {"\r\n", "\r", "\n"}) {
        DataSheet target;
        const std::string e(end);
        ApplyTorText("[KERNWIJS]" + e + "[FABR1]" + e + "Amidon" + e + "[M-LINE1]" + e + "10" + e + "100 pF" +
                         e + "7 MHz" + e + "5" + e + "6.9" + e + "7.1" + e + "35" + e + "2 K" + e + "1.5" +
                         e + "90" + e + "[END]" + e,
                     target);
        EXPECT_EQ(target.txtFabr1, "Amidon");
        EXPECT_EQ(target.lines[0],
                  (MeasurementLine{"10", "100 pF", "7 MHz", "5", "6.9", "7.1", "35", "2 K", "1.5", "90"}));
    }
}

TEST_F(TorFileTest, SaveAndLoadReturnEveryFieldAsTyped) {
    int n = 0;
    for (const auto& name : DataSheet::textFieldNames()) {
        *sheet.field(name) = name + " µ Ø (" + std::to_string(++n) + ")";
    }
    sheet.txtFabr2 = "Ω 日本 [x]";
    sheet.regel(8) = "";
    DataSheet before = sheet;
    before.fileName = kFile;
    before.markSaved();

    save(kFile);
    emptyAll();
    sheet.markSaved();
    load(kFile);

    EXPECT_EQ(sheet, before);
    ASSERT_EQ(platform.shown.size(), 1u);  // only the saved confirmation
}

TEST_F(TorFileTest, WritesWindows1252WhenEverythingFitsOtherwiseUtf8) {
    emptyAll();
    sheet.txtMu = "µ 2000 €";
    save(kFile);
    EXPECT_NE(disk.files.at(std::string(kFile)).find("[MU]\r\n\xB5 2000 \x80\r\n"), std::string::npos);

    sheet.txtRi = "Ω";
    save(kFile);
    EXPECT_NE(disk.files.at(std::string(kFile)).find("[MU]\r\nµ 2000 €\r\n"), std::string::npos);
}

TEST_F(TorFileTest, ReadsWindows1252AndUtf8Files) {
    disk.files["/a.tor"] = "[KERNWIJS]\r\n[MU]\r\n\xB5i 125\r\n";
    disk.files["/b.tor"] = "\xEF\xBB\xBF[KERNWIJS]\r\n[MU]\r\nµi 125\r\n";
    for (const char* path : {"/a.tor", "/b.tor"}) {
        sheet.txtMu = "";
        load(path);
        EXPECT_EQ(sheet.txtMu, "µi 125") << path;
    }
}

TEST_F(TorFileTest, FilesWrittenWithSquareBracketsLoadUnchanged) {
    disk.files[std::string(kFile)] = tor("%%fabr1\r\n[FABR1]\r\nMix 43 [new]\r\n");
    load(kFile);
    EXPECT_EQ(sheet.txtFabr1, "Mix 43 [new]");
    EXPECT_TRUE(platform.shown.empty());
}

TEST_F(TorFileTest, SaveProposesATimeStampedNameInTheApplicationFolder) {
    platform.time = {2026, 3, 5, 9, 5, 7};
    save(kFile);
    ASSERT_EQ(platform.saveDialogs.size(), 1u);
    EXPECT_EQ(platform.saveDialogs[0],
              (FileDialogRequest{"Kernwijs data file", "Toroid (*.TOR)|*.TOR", "TOR", "/opt/kernwijs",
                                 "/opt/kernwijs/RINGBLAD_090507.TOR", true}));
}

TEST_F(TorFileTest, DialogsStartInTheUserFolderAndThenWhereTheLastFileWent) {
    struct Case {
        bool programFolderWritable;
        std::string documents;
        std::string firstFolder;
    };
    const Case cases[] = {
        {true, "/home/ham/Documents", "/opt/kernwijs"},  // a build tree or a portable copy
        {false, "/home/ham/Documents", "/home/ham/Documents"},
        {false, "", "/opt/kernwijs"},  // nowhere better to go
    };
    for (const auto& c : cases) {
        platform.settings.clear();  // a first run each time
        DataSheetForm form(platform, disk);
        platform.readOnlyFolders =
            c.programFolderWritable ? std::vector<std::string>{} : std::vector<std::string>{"/opt/kernwijs"};
        platform.docsFolder = c.documents;
        platform.saveDialogs.clear();
        platform.openDialogs.clear();
        DataSheet& shown = form.show();
        platform.dialogAnswers.push_back("/home/ham/tor/ring.tor");
        shown.cmdUitvoer_Click();
        shown.cmdInvoer_Click();  // cancelled
        form.unload();            // the run keeps its folders while the sheet is closed
        form.show().cmdUitvoer_Click();

        ASSERT_EQ(platform.saveDialogs.size(), 2u);
        EXPECT_EQ(platform.saveDialogs[0].initialFolder, c.firstFolder);
        EXPECT_EQ(platform.saveDialogs[0].initialName, c.firstFolder + "/RINGBLAD_143005.TOR");
        EXPECT_EQ(platform.openDialogs.at(0).initialFolder, "/home/ham/tor");
        EXPECT_EQ(platform.saveDialogs[1].initialFolder, "/home/ham/tor");
        EXPECT_EQ(platform.saveDialogs[1].initialName, "/home/ham/tor/RINGBLAD_143005.TOR");
        EXPECT_EQ(form.get()->exportFolder(), c.firstFolder);  // pages are kept apart
    }
}

TEST_F(TorFileTest, ASavedFileIsConfirmedInTheSheetsLanguage) {
    save(kFile);
    english();
    save(kFile);
    ASSERT_EQ(platform.shown.size(), 2u);
    EXPECT_EQ(platform.shown[0],
              (MessageBox{"OK!", "Alles lijkt OK!", MsgIcon::None, MsgButtons::Ok, false}));
    EXPECT_EQ(platform.shown[1], (MessageBox{"OK!", "All looks OK!", MsgIcon::None, MsgButtons::Ok, false}));
}

TEST_F(TorFileTest, CancelChangesNothingAndSaysNothing) {
    disk.files["/x.tor"] = tor("[FABR1]\r\nother\r\n");
    const DataSheet before = sheet;
    sheet.cmdUitvoer_Click();
    sheet.cmdInvoer_Click();
    EXPECT_EQ(sheet, before);
    EXPECT_EQ(disk.writeAttempts, 0);
    EXPECT_TRUE(platform.shown.empty());
}

TEST_F(TorFileTest, AFailingDiskKeepsTheEarlierFileAndNamesTheReason) {
    disk.files[std::string(kFile)] = "earlier";
    disk.writeFailure = "No space left on device";
    save(kFile);
    english();
    save(kFile);

    EXPECT_EQ(disk.files.at(std::string(kFile)), "earlier");
    ASSERT_EQ(platform.shown.size(), 2u);
    EXPECT_EQ(
        platform.shown[0],
        (MessageBox{"Fout!",
                    "Het bestand kon niet worden opgeslagen:\r/home/ham/ring.tor\rNo space left on device\r"
                    "Een eerder bestand met die naam is niet veranderd.\r",
                    MsgIcon::Critical, MsgButtons::Ok, false}));
    EXPECT_EQ(platform.shown[1],
              (MessageBox{"Error!",
                          "The file could not be saved:\r/home/ham/ring.tor\rNo space left on device\r"
                          "An earlier file of that name is unchanged.\r",
                          MsgIcon::Critical, MsgButtons::Ok, false}));
}

TEST_F(TorFileTest, LoadStartsInTheApplicationFolderWithAWildcardName) {
    load(kFile);
    ASSERT_EQ(platform.openDialogs.size(), 1u);
    EXPECT_EQ(platform.openDialogs[0],
              (FileDialogRequest{"Kernwijs data file", "Toroid File (*.tor)|*.tor|Notepad File (*.txt)|*.txt",
                                 "", "/opt/kernwijs", "*.TOR", false}));
}

TEST_F(TorFileTest, EmptyWildcardAndShortNamesAreRefused) {
    disk.files["/*.TOR"] = tor("[FABR1]\r\nother\r\n");
    const DataSheet before = sheet;
    disk.files["a.to"] = disk.files["/*.TOR"];
    for (const char* name : {"", "*.TOR", "/*.TOR", "a.to", "µ.to"}) {
        load(name);
    }
    english();
    load("*.TOR");
    EXPECT_EQ(sheet.txtFabr1, before.txtFabr1);

    disk.files["a.tor"] = tor("[FABR1]\r\nfive characters will do\r\n");
    load("a.tor");
    EXPECT_EQ(sheet.txtFabr1, "five characters will do");
    ASSERT_EQ(platform.shown.size(), 6u);
    EXPECT_EQ(platform.shown[0],
              (MessageBox{"Fout!",
                          "Er gaat iets fout!\rDat was niet leuk wat je deed!\rEr zijn geen lege parameters "
                          "toegestaan!\r",
                          MsgIcon::Critical, MsgButtons::Ok, false}));
    EXPECT_EQ(platform.shown[5],
              (MessageBox{"Error!",
                          "Something is wrong!\rI don't like what you did!\rNo empty parameters allowed!\r",
                          MsgIcon::Critical, MsgButtons::Ok, false}));
}

TEST_F(TorFileTest, AFileWithTheWrongStartIsRefusedInBothLanguages) {
    disk.files["/notes.txt"] = "%% [KERNWIJS]\r\n[FABR1]\r\nother\r\n";
    disk.files["/empty.tor"] = "";
    load("/notes.txt");
    english();
    load("/empty.tor");

    EXPECT_EQ(sheet.txtFabr1, "Fabr1");
    ASSERT_EQ(platform.shown.size(), 2u);
    EXPECT_EQ(platform.shown[0],
              (MessageBox{"Error!",
                          "Er is iets mis!\rHet invoer bestand start NIET zoals het zou moeten\r"
                          "Herstel dit en doe opnieuw\r",
                          MsgIcon::Critical, MsgButtons::Ok, false}));
    EXPECT_EQ(platform.shown[1],
              (MessageBox{"Error!",
                          "Something is wrong!\rThe input file doesn't start the way it should\r"
                          "Correct the file and reload\r",
                          MsgIcon::Critical, MsgButtons::Ok, false}));
}

TEST_F(TorFileTest, AnUnreadableFileIsReportedWithTheSystemsReason) {
    disk.readFailure = "Permission denied";
    english();
    load(kFile);
    ASSERT_EQ(platform.shown.size(), 1u);
    EXPECT_EQ(platform.lastMessage(),
              (MessageBox{"Error!", "The file could not be read:\r/home/ham/ring.tor\rPermission denied\r",
                          MsgIcon::Critical, MsgButtons::Ok, false}));
}

TEST_F(TorFileTest, SavesAndLoadsThroughARealFolder) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("kernwijs_tor_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    LocalFileSystem local;
    sheet.files = &local;
    sheet.txtFabr1 = "Amidon (T)";
    const std::string path = (folder / "ring.tor").string();
    const DataSheet before = sheet;

    save(path);
    save(path);  // replaces the first file
    emptyAll();
    load(path);

    EXPECT_EQ(sheet.texts(), before.texts());
    EXPECT_FALSE(sheet.unsaved());
    EXPECT_EQ(std::vector<fs::path>(fs::directory_iterator(folder), {}), std::vector<fs::path>{path});
    fs::remove_all(folder);
}

}  // namespace
}  // namespace kw
