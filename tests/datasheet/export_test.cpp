#include "datasheet/export.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/file_system.h"
#include "common/text.h"
#include "datasheet/tor_file.h"
#include "tests/support/fake_platform.h"
#include "tests/support/placeholder_sheet.h"

namespace kw {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

constexpr std::string_view kGoodHead = "%!PS-Adobe-3.0\r\n%%Creator: Zeva1 by QQ0QQQ\r\n";

// A disk on which chosen files cannot be read or written.
class FlakyFileSystem : public LocalFileSystem {
public:
    std::string failRead;
    std::string failWrite;

    ReadResult readFile(const std::string& path) const override {
        if (path == failRead) {
            return {false, {}, "Permission denied"};
        }
        return LocalFileSystem::readFile(path);
    }
    WriteResult writeFileAtomic(const std::string& path, std::string_view bytes) override {
        if (path == failWrite) {
            return {false, "No space left on device"};
        }
        return LocalFileSystem::writeFileAtomic(path, bytes);
    }
};

std::string readBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

void writeBytes(const fs::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string> crlfLines(const std::string& text) {
    return SplitLines(text, LineEnds::CrLfOrCr);
}

class ExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device rd;
        root = fs::temp_directory_path() / ("kernwijs_export_" + std::to_string(rd()));
        app = root / "app";
        work = root / "work";
        fs::create_directories(app);
        fs::create_directories(work);
        platform.appFolder = app.string();
        sheet.platform = &platform;
        sheet.files = &disk;
        sheet.appFolder = app.string();
        test::fillWithPlaceholders(sheet);
        page = (work / "ring.ps").string();
        csv = (work / "RING.CSV").string();
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(root, ec);
    }

    void useTemplate(std::string_view bytes, const std::string& name = "RINGBLAD3.PS") {
        writeBytes(app / name, bytes);
    }
    ExportOutcome exportTo(const std::string& name) {
        platform.dialogAnswers.push_back(name);
        return runExportDialog(sheet);
    }

    fs::path root, app, work;
    std::string page, csv;
    test::FakePlatform platform;
    FlakyFileSystem disk;
    DataSheet sheet;
};

TEST_F(ExportTest, DialogProposesATimeStampedPageInTheApplicationFolderAndCancelStaysSilent) {
    platform.time = {2026, 3, 5, 9, 5, 7};
    EXPECT_EQ(runExportDialog(sheet), ExportOutcome::Cancelled);
    ASSERT_EQ(platform.saveDialogs.size(), 1u);
    FileDialogRequest expected;
    expected.title = "Postscript Export file";
    expected.filter = "Postscript (*.PS)|*.PS";
    expected.defaultExt = "PS";
    expected.initialFolder = app.string();
    expected.initialName = (app / "RINGBLAD_090507.ps").string();
    expected.overwritePrompt = true;
    EXPECT_EQ(platform.saveDialogs[0], expected);
    EXPECT_TRUE(platform.shown.empty());
    EXPECT_TRUE(fs::is_empty(work));
}

// A platform that cannot tell where the program lives.
class LostPlatform : public test::FakePlatform {
public:
    std::string applicationFolder() const override { throw std::runtime_error("folder unknown"); }
};

TEST_F(ExportTest, FailureWhileWorkingOutTheNamesIsReportedAndTheProgramGoesOn) {
    LostPlatform lost;
    sheet.platform = &lost;
    sheet.appFolder.clear();
    EXPECT_EQ(runExportDialog(sheet), ExportOutcome::Unexpected);
    ASSERT_EQ(lost.shown.size(), 1u);
    EXPECT_EQ(lost.lastMessage(),
              (MessageBox{"Fout !", "Hardstikke fout!  \rEr trad een fout op, type  \rfolder unknown",
                          MsgIcon::Critical, MsgButtons::Ok, true}));
    EXPECT_TRUE(lost.saveDialogs.empty());
    EXPECT_EQ(lost.endRequests, 0);
}

TEST_F(ExportTest, TemplateWithoutMarkerIsCopiedLineByLineWithCrLf) {
    useTemplate(std::string(kGoodHead) + "line3\rline4 has a lone \n inside\r\nlast");
    sheet.chkCSV.value = 1;
    EXPECT_EQ(exportTo(page), ExportOutcome::Written);
    EXPECT_EQ(readBytes(page), std::string(kGoodHead) + "line3\r\nline4 has a lone \n inside\r\nlast\r\n");
    EXPECT_EQ(crlfLines(readBytes(csv)).size(), 3u);
    EXPECT_EQ(platform.lastMessage(),
              (MessageBox{"OK!", "Alles lijkt OK!  ", MsgIcon::None, MsgButtons::Ok, true}));
}

TEST(ExportTemplateTest, MarkersCountFromTheThirdLineOn) {
    DataSheet sheet;
    const FilledTemplate filled = fillTemplate(
        "%!PS-Adobe-3.0 %%TEXT723DUMMY\r\n%%Creator: Zeva1 QQ0QQQ %%TEXT723DUMMY\r\nshowpage\r\n", sheet,
        false);
    ASSERT_EQ(filled.check, TemplateCheck::Ok);
    EXPECT_EQ(filled.markers, 0);
    EXPECT_EQ(filled.page,
              "%!PS-Adobe-3.0 %%TEXT723DUMMY\r\n%%Creator: Zeva1 QQ0QQQ %%TEXT723DUMMY\r\nshowpage\r\n");
}

TEST_F(ExportTest, AnUntouchedSheetExportsAndSavesNoPlaceholderText) {
    const DataSheet fresh;  // its boxes show their names only as hints
    const FilledTemplate filled = fillTemplate(std::string(kGoodHead) + "%%TEXT723DUMMY\r\n", fresh, true);
    ASSERT_EQ(filled.check, TemplateCheck::Ok);
    for (const char* hint : {"(DD)", "(Fabr1)", "(N1)", "(Rp7)", "(Regel4)", "(Ri)", "(Mu)", "(Test1)"}) {
        EXPECT_THAT(filled.page, ::testing::Not(HasSubstr(hint))) << hint;
    }
    EXPECT_THAT(filled.page, HasSubstr("%%mu-tor\r\n7 textscale\r\n13 mm 10 mm m \r\n() show\r\n"));
    EXPECT_EQ(crlfLines(filled.csv).size(), 3u);          // the opening lines, no measurement row
    EXPECT_EQ(crlfLines(TorFileText(fresh)).size(), 4u);  // recognition, comment, [END], comment
}

TEST_F(ExportTest, EveryMarkerLineGetsTheBlockAndEveryRowAgain) {
    useTemplate(std::string(kGoodHead) + "a\r\n%%TEXT723DUMMY\r\nb\r\nx %%TEXT723DUMMY y\r\nshowpage\r\n");
    sheet.chkCSV.value = 1;
    sheet.line(4, LineField::N) = "";
    ASSERT_EQ(exportTo(page), ExportOutcome::Written);
    const std::vector<std::string> lines = crlfLines(readBytes(page));
    std::vector<std::string> block = {"%%datum "};
    int blocks = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == "%%datum ") {
            ++blocks;
        }
        if (lines[i].find("%%TEXT723DUMMY") != std::string::npos) {
            EXPECT_EQ(lines[i - 1], "(Test1) show");  // the block ends right before the marker
            EXPECT_EQ(lines[i - 4], "%%testinfo rechtsboven");
        }
    }
    EXPECT_EQ(blocks, 2);
    EXPECT_EQ(lines.back(), "showpage");
    const std::vector<std::string> rows = crlfLines(readBytes(csv));
    ASSERT_EQ(rows.size(), 3u + 2 * 6);
    EXPECT_EQ(rows[3].substr(0, 33), "Fabr1;Fabr2;Type1;Type2;Type3;Bui");
    EXPECT_EQ(rows[3], rows[9]);
    EXPECT_THAT(rows[6], HasSubstr(";N5;"));  // line 4 left out
}

TEST_F(ExportTest, FaultyTemplatesShowTheFaultMessageAndLeaveEarlierExportsUntouched) {
    const std::vector<std::string> templates = {
        "%!PS-Adob\r\n%%Creator: Zeva1 QQ0QQQ\r\n%%TEXT723DUMMY\r\n",
        "%%!PS-Adobe-3.0\r\n%%Creator: Zeva1 QQ0QQQ\r\n%%TEXT723DUMMY\r\n",
        "%!PS-Adobe-3.0\r\n%%Creator: Zeva2 QQ0QQQ\r\n%%TEXT723DUMMY\r\n",
        "%!PS-Adobe-3.0\r\n%%Creator: Zeva1 QQ0QQ\r\n%%TEXT723DUMMY\r\n",
        "%!PS-Adobe-3.0\r\n%%creator: zeva1 qq0qqq\r\n%%TEXT723DUMMY\r\n",
        "%!PS-Adobe-3.0\n%%Creator: Zeva1 QQ0QQQ\n%%TEXT723DUMMY\n",  // LF only: one line
        "%!PS-Adobe-3.0\r\n",
        "",
    };
    sheet.chkCSV.value = 1;
    writeBytes(page, "earlier page");
    writeBytes(csv, "earlier csv");
    for (const auto& text : templates) {
        useTemplate(text);
        platform.shown.clear();
        EXPECT_EQ(exportTo(page), ExportOutcome::TemplateFault) << text;
        ASSERT_EQ(platform.shown.size(), 1u);
        EXPECT_EQ(
            platform.lastMessage(),
            (MessageBox{"Fout !", "Is de invoer naam wel OK?  \rIs het wel postscript, ik mis iets (%%)  ",
                        MsgIcon::Critical, MsgButtons::Ok, true}));
        EXPECT_EQ(readBytes(page), "earlier page");
        EXPECT_EQ(readBytes(csv), "earlier csv");
    }
    EXPECT_EQ(platform.endRequests, 0);
    EXPECT_EQ(std::distance(fs::directory_iterator(work), fs::directory_iterator()), 2);
}

TEST_F(ExportTest, MissingTemplateIsReportedInTheSheetsLanguageAndDeletesNothing) {
    writeBytes(page, "earlier page");
    sheet.optLANG.selected = 1;
    EXPECT_EQ(exportTo(page), ExportOutcome::TemplateMissing);
    EXPECT_EQ(platform.lastMessage(),
              (MessageBox{"ERROR!", "Cannot find postscript overlay file RINGBLAD3.PS! ", MsgIcon::Critical,
                          MsgButtons::Ok, true}));
    sheet.optLANG.selected = 0;
    EXPECT_EQ(exportTo(page), ExportOutcome::TemplateMissing);
    EXPECT_EQ(platform.lastMessage().title, "FOUT!");
    EXPECT_EQ(platform.lastMessage().text, "Kan postscript overlap bestand RINGBLAD3.PS niet vinden! ");
    EXPECT_EQ(readBytes(page), "earlier page");
}

TEST_F(ExportTest, TemplateIsFoundWhateverTheLetterCaseOfItsName) {
    useTemplate(std::string(kGoodHead) + "lower\r\n", "ringblad3.ps");
    EXPECT_EQ(exportTo(page), ExportOutcome::Written);
    EXPECT_EQ(readBytes(page), std::string(kGoodHead) + "lower\r\n");
    fs::create_directory(app / "RINGBLAD3.PS");  // a folder of that name is not a template
    EXPECT_EQ(exportTo(page), ExportOutcome::Written);
}

TEST_F(ExportTest, NameChecksLookAtTheFilePartOnly) {
    struct Case {
        std::string name;
        bool accepted;
    };
    const std::vector<Case> cases = {
        {"/data/abcd.ps", true},
        {"/data/abc.ps", false},
        {"/data/Texel/ring.ps", true},
        {"/data/texel.ps", false},
        {"/data/ring.exe.ps", false},
        {"/data/RingBlad3.ps", false},
        {"/data/my_ringblad3_copy.ps", false},
        {"/ringblad3/ring.ps", true},
        {"/data/ri*ng.ps", false},
        {"", false},
        {"/data/", false},
        {"/data/ring", true},
        {"/data/abc", false},
        {"/my.dir/ring", true},
        {"C:\\Data\\ring.b7.ps", true},
        {"abcd.", true},
        {".abcd", false},
        {"/data/\xC3\xA4\xC3\xB6\xC3\xBC.ps", false},  // äöü: three characters in six bytes
        {"/data/\xC3\xA9\xC3\xA9.ps", false},
        {"/data/\xC3\xA4\xC3\xB6\xC3\xBCx.ps", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(exportNameAccepted(c.name), c.accepted) << c.name;
    }
}

TEST_F(ExportTest, RefusedNameShowsTheRefusalAndWritesNothing) {
    useTemplate(std::string(kGoodHead));
    sheet.chkCSV.value = 1;
    EXPECT_EQ(exportTo((work / "abc.ps").string()), ExportOutcome::Refused);
    EXPECT_EQ(
        platform.lastMessage(),
        (MessageBox{"Error !", "Er gaat iets fout!\rDat was niet leuk wat je deed!\rVerkeerde parameters!\r",
                    MsgIcon::Critical, MsgButtons::Ok, true}));
    sheet.optLANG.selected = 1;
    EXPECT_EQ(exportTo((work / "ABC.PS").string()), ExportOutcome::Refused);
    EXPECT_EQ(platform.lastMessage().text,
              "Something is wrong!\rI don't like what you did!\rWrong parameters!\r");
    EXPECT_TRUE(fs::is_empty(work));
}

TEST_F(ExportTest, PageWithoutDotInItsNameIsWrittenAndItsCsvSitsBesideIt) {
    useTemplate(std::string(kGoodHead) + "%%TEXT723DUMMY\r\n");
    sheet.chkCSV.value = 1;
    const std::string plain = (work / "ringpage").string();
    EXPECT_EQ(exportTo(plain), ExportOutcome::Written);
    EXPECT_TRUE(fs::is_regular_file(plain));
    EXPECT_TRUE(fs::is_regular_file(work / "RINGPAGE.CSV"));
}

TEST_F(ExportTest, SheetTextsAreWindows1252AndTemplateLinesAreCopiedByteForByte) {
    sheet.chkCSV.value = 1;
    sheet.txtFabr1 = "Andr\xC3\xA9";  // é
    sheet.line(1, LineField::C) =
        "10 \xC2\xB5"
        "F";  // µ
    // A template's own lines are copied as they are, UTF-8 (ö, an arrow) or Windows-1252.
    useTemplate(std::string(kGoodHead) + "(\xC3\xB6 \xE2\x86\x92) %%TEXT723DUMMY\r\n");
    ASSERT_EQ(exportTo(page), ExportOutcome::Written);
    std::string bytes = readBytes(page);
    EXPECT_THAT(bytes, HasSubstr("(Andr\xE9) show"));
    EXPECT_THAT(bytes, HasSubstr("(10 \xB5"
                                 "F) show"));
    EXPECT_THAT(bytes, HasSubstr("\r\n(\xC3\xB6 \xE2\x86\x92) %%TEXT723DUMMY\r\n"));
    EXPECT_THAT(readBytes(csv), HasSubstr("\r\nAndr\xE9;"));
    EXPECT_THAT(readBytes(csv), HasSubstr(";10;\xB5"
                                          "F;"));

    useTemplate(std::string(kGoodHead) + "(\xF6\x81\xFF) %%TEXT723DUMMY\r\n");
    ASSERT_EQ(exportTo(page), ExportOutcome::Written);
    EXPECT_THAT(readBytes(page), HasSubstr("\r\n(\xF6\x81\xFF) %%TEXT723DUMMY\r\n"));
}

TEST(ExportEncodingTest, TextBecomesWindows1252AndCharactersWithoutAByteBecomeQuestionMarks) {
    struct Case {
        std::string utf8;
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {"plain ASCII", "plain ASCII"},
        {"caf\xC3\xA9 \xC2\xB5 \xC2\xB0", "caf\xE9 \xB5 \xB0"},
        {"\xE2\x82\xAC 5", "\x80 5"},
        {"\xCE\xA9", "?"},
        {"a\xC3", "a?"},
        {"\xC3"
         "a",
         "?a"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToCp1252(c.utf8), c.bytes) << c.utf8;
    }
}

TEST_F(ExportTest, FilesThatCannotBeReadOrWrittenAreReportedWithTheirReason) {
    useTemplate(std::string(kGoodHead) + "%%TEXT723DUMMY\r\n");
    sheet.chkCSV.value = 1;
    sheet.optLANG.selected = 1;

    disk.failWrite = page;
    EXPECT_EQ(exportTo(page), ExportOutcome::Failed);
    EXPECT_EQ(platform.lastMessage(),
              (MessageBox{"Error !", "Cannot write the file\r" + page + "\rNo space left on device",
                          MsgIcon::Critical, MsgButtons::Ok, true}));
    EXPECT_FALSE(fs::exists(csv));

    disk.failWrite = csv;
    EXPECT_EQ(exportTo(page), ExportOutcome::Failed);
    EXPECT_EQ(platform.lastMessage().text, "Cannot write the file\r" + csv + "\rNo space left on device");

    disk.failWrite.clear();
    disk.failRead = (app / "RINGBLAD3.PS").string();
    sheet.optLANG.selected = 0;
    EXPECT_EQ(exportTo(page), ExportOutcome::Failed);
    EXPECT_EQ(platform.lastMessage().text,
              "Kan het bestand niet lezen\r" + disk.failRead + "\rPermission denied");
    EXPECT_EQ(platform.lastMessage().title, "Fout !");
}

TEST_F(ExportTest, RealFolderWithoutWritePermissionIsReported) {
    useTemplate(std::string(kGoodHead));
    const std::string missingFolder = (work / "no such folder" / "ring.ps").string();
    EXPECT_EQ(exportTo(missingFolder), ExportOutcome::Failed);
    EXPECT_THAT(platform.lastMessage().text,
                HasSubstr("Kan het bestand niet schrijven\r" + missingFolder + "\r"));
    EXPECT_GT(platform.lastMessage().text.size(),
              ("Kan het bestand niet schrijven\r" + missingFolder + "\r").size());
}

TEST_F(ExportTest, WithoutCsvTickedAnEarlierCsvIsLeftAlone) {
    useTemplate(std::string(kGoodHead) + "%%TEXT723DUMMY\r\n");
    writeBytes(csv, "earlier csv");
    EXPECT_EQ(exportTo(page), ExportOutcome::Written);
    EXPECT_EQ(readBytes(csv), "earlier csv");
}

TEST_F(ExportTest, TheRunNeverChangesTheSheet) {
    useTemplate(std::string(kGoodHead) + "%%TEXT723DUMMY\r\n");
    sheet.chkCSV.value = 1;
    sheet.txtFabr1 = "FT-50 (43)";
    const DataSheet before = sheet;
    EXPECT_EQ(exportTo(page), ExportOutcome::Written);
    EXPECT_EQ(sheet, before);
}

// ---- the template that comes with the program ----

std::string resourceTemplate() {
    return readBytes(fs::path(KERNWIJS_RESOURCE_DIR) / "RINGBLAD3.PS");
}

TEST(ExportTemplateTest, ShippedTemplatePassesTheChecksAndHasOneMarkerBeforeShowpage) {
    const std::string bytes = resourceTemplate();
    ASSERT_FALSE(bytes.empty());
    const std::vector<std::string> lines = crlfLines(bytes);
    EXPECT_EQ(lines[0].substr(0, 14), "%!PS-Adobe-3.0");
    EXPECT_THAT(lines[1], HasSubstr("%%Creator: Zeva1"));
    EXPECT_THAT(lines[1], HasSubstr("QQ0QQQ"));
    int markers = 0;
    std::size_t marker = 0;
    std::size_t showpage = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].find('\n'), std::string::npos) << "line " << i + 1 << " holds a lone LF";
        if (lines[i].find("%%TEXT723DUMMY") != std::string::npos) {
            ++markers;
            marker = i;
        }
        if (lines[i] == "showpage") {
            showpage = i;
        }
    }
    EXPECT_EQ(markers, 1);
    EXPECT_LT(marker, showpage);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    for (const char* proc : {"/textscale", "/mm", "/m "}) {
        const auto defined = bytes.find(proc);
        ASSERT_NE(defined, std::string::npos) << proc;
        EXPECT_LT(defined, bytes.find("%%TEXT723DUMMY")) << proc;
    }
}

// Runs Ghostscript on a file; returns its exit status and fills output.
int runGhostscript(const fs::path& file, std::string& output) {
    const std::string command =
        "gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=nullpage \"" + file.string() + "\" 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return -1;
    }
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        output += buffer;
    }
    return pclose(pipe);
}

bool ghostscriptAvailable() {
    return std::system("gs --version > /dev/null 2>&1") == 0;
}

TEST_F(ExportTest, FullSheetOnTheShippedTemplateRendersWithoutPostScriptErrors) {
    if (!ghostscriptAvailable()) {
        GTEST_SKIP() << "Ghostscript (gs) is not installed";
    }
    useTemplate(resourceTemplate());
    sheet.chkCSV.value = 1;
    sheet.txtFabr1 = "Amidon (USA)";
    sheet.txtType1 = "FT-50-43 \\ zwart";
    sheet.txtMu =
        "850 \xC2\xB5 @ 25 \xC2\xB0"
        "C";
    sheet.txtTest1 = "Meting ) van Andr\xC3\xA9";
    sheet.regel(1) = "unbalanced ( parenthesis";
    sheet.regel(8) = "backslash at the end \\";
    for (int k = 1; k <= kMeasurementLines; ++k) {
        sheet.line(k, LineField::C) = "100.5 pF)";
        sheet.line(k, LineField::Q) = "(12";
    }
    ASSERT_EQ(exportTo(page), ExportOutcome::Written);
    std::string output;
    EXPECT_EQ(runGhostscript(page, output), 0) << output;
    EXPECT_THAT(output, ::testing::Not(HasSubstr("Error"))) << output;
}

}  // namespace
}  // namespace kw
