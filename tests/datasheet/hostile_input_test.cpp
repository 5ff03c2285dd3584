// Data sheet files that are huge, not text at all, gone by the time they are read, or
// refused by a full or read-only disk: the program says what is wrong, keeps running and
// never leaves a half-written file in place of a good one.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "common/file_system.h"
#include "common/text.h"
#include "datasheet/csv_export.h"
#include "datasheet/datasheet.h"
#include "datasheet/export.h"
#include "datasheet/postscript_block.h"
#include "datasheet/prefill.h"
#include "datasheet/tor_file.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_platform.h"
#include "tests/support/placeholder_sheet.h"

namespace kw {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

constexpr std::size_t kMegabyte = std::size_t{1} << 20;
constexpr std::string_view kTemplateHead = "%!PS-Adobe-3.0\r\n%%Creator: Zeva1 by QQ0QQQ\r\n";
constexpr std::string_view kMarker = "%%TEXT723DUMMY";
constexpr std::string_view kTorFile = "/home/ham/ring.tor";
constexpr std::string_view kPage = "/home/ham/ring.ps";
constexpr std::string_view kCsv = "/home/ham/RING.CSV";
constexpr std::string_view kIni = "/home/ham/VOORVUL.INI";

// Bytes of every value, line breaks and NULs among them, as a file that is no text at all.
std::string noiseBytes(std::size_t size) {
    std::mt19937 random(20260305);
    std::string bytes(size, '\0');
    for (char& b : bytes) {
        b = static_cast<char>(random() & 0xFF);
    }
    return bytes;
}

std::size_t count(std::string_view text, std::string_view part) {
    std::size_t n = 0;
    for (auto at = text.find(part); at != std::string_view::npos; at = text.find(part, at + part.size())) {
        ++n;
    }
    return n;
}

class HostileInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        sheet.platform = &platform;
        sheet.files = &disk;
        sheet.appFolder = "/opt/kernwijs";
        test::fillWithPlaceholders(sheet);
        sheet.markSaved();  // as loaded from a file: loading another asks nothing
        platform.workFolder = "/home/ham";
        disk.files["/opt/kernwijs/RINGBLAD3.PS"] = std::string(kTemplateHead) + "/mm {2.8346 mul} def\r\n" +
                                                   std::string(kMarker) + "\r\nshowpage\r\n";
    }

    void emptyAll() {
        for (const auto& name : DataSheet::textFieldNames()) {
            *sheet.field(name) = "";
        }
    }
    void save(std::string_view path) {
        platform.dialogAnswers.emplace_back(path);
        sheet.cmdUitvoer_Click();
    }
    void load(std::string_view path) {
        platform.dialogAnswers.emplace_back(path);
        sheet.cmdInvoer_Click();
    }
    ExportOutcome exportWithCsv() {
        sheet.chkCSV.value = 1;
        return exportSheet(sheet, std::string(kPage));
    }

    test::FakePlatform platform;
    test::FakeFileSystem disk;
    DataSheet sheet;
};

TEST_F(HostileInputTest, AFieldOfOneMegabyteIsSavedLoadedAndExportedWhole) {
    std::string huge;
    while (huge.size() < kMegabyte) {
        huge += "FT-50 (43) \\ \xC2\xB5 [x] ";
    }
    sheet.txtFabr1 = huge;
    sheet.regel(3) = huge;
    sheet.line(2, LineField::Q) = huge;

    save(kTorFile);
    const DataSheet saved = sheet;
    emptyAll();
    load(kTorFile);
    EXPECT_EQ(sheet, saved);

    ASSERT_EQ(exportWithCsv(), ExportOutcome::Written);
    const std::string& page = disk.files.at(std::string(kPage));
    const std::string printed = Utf8ToCp1252(postScriptString(huge, false));
    EXPECT_THAT(page, HasSubstr("(" + printed + ") show\r\n"));
    const std::vector<std::string> rows = SplitLines(disk.files.at(std::string(kCsv)), LineEnds::CrLfOrCr);
    ASSERT_EQ(rows.size(), 3u + kMeasurementLines);
    for (std::size_t i = 3; i < rows.size(); ++i) {
        EXPECT_EQ(count(rows[i], ";"), static_cast<std::size_t>(kCsvColumns - 1));
    }
}

TEST_F(HostileInputTest, ATorFileOfAHundredThousandLinesLoadsUpToItsEnd) {
    constexpr int kLines = 100000;
    std::string text = "[KERNWIJS]\r\n";
    int lines = 1;
    int last = 0;
    while (lines < kLines - 20) {
        ++last;
        text +=
            "%% comment " + std::to_string(last) + "\r\n[C-LINE3]\r\ninfo " + std::to_string(last) + "\r\n";
        lines += 3;
    }
    text +=
        "[M-LINE5]\r\n5\r\n150 pF\r\n3.5 MHz\r\n1\r\n2\r\n3\r\n4\r\n5 "
        "K\r\n6\r\n7\r\n[END]\r\n[FABR1]\r\nafter the end\r\n";
    disk.files[std::string(kTorFile)] = text;

    load(kTorFile);
    EXPECT_TRUE(platform.shown.empty());
    EXPECT_EQ(sheet.regel(3), "info " + std::to_string(last));
    EXPECT_EQ(sheet.line(5, LineField::Top), "5 K");
    EXPECT_EQ(sheet.line(5, LineField::Rp), "7");
    EXPECT_EQ(sheet.txtFabr1, "Fabr1");
}

TEST_F(HostileInputTest, ATemplateOfTenMegabytesIsCopiedWithTheBlockAtItsMarker) {
    std::string tenMegabytes(kTemplateHead);
    const std::string drawing = "newpath 10 mm 20 mm moveto 30 mm 40 mm lineto stroke\r\n";
    while (tenMegabytes.size() < 5 * kMegabyte) {
        tenMegabytes += drawing;
    }
    tenMegabytes += std::string(kMarker) + "\r\n";
    while (tenMegabytes.size() < 10 * kMegabyte) {
        tenMegabytes += drawing;
    }
    disk.files["/opt/kernwijs/RINGBLAD3.PS"] = tenMegabytes;

    ASSERT_EQ(exportWithCsv(), ExportOutcome::Written);
    const std::string& page = disk.files.at(std::string(kPage));
    EXPECT_GT(page.size(), tenMegabytes.size());
    EXPECT_EQ(page.substr(0, 5 * kMegabyte), tenMegabytes.substr(0, 5 * kMegabyte));
    EXPECT_EQ(page.substr(page.size() - kMegabyte), tenMegabytes.substr(tenMegabytes.size() - kMegabyte));
    EXPECT_EQ(count(page, "%%datum"), 1u);
}

TEST_F(HostileInputTest, ATemplateOfMarkerLinesIsRefusedBeforeThePageGrowsBeyondBounds) {
    std::string markers(kTemplateHead);
    while (markers.size() < 10 * kMegabyte) {
        markers += std::string(kMarker) + "\r\n";
    }
    disk.files["/opt/kernwijs/RINGBLAD3.PS"] = markers;
    disk.files[std::string(kPage)] = "an earlier page";
    sheet.optLANG.selected = 1;

    EXPECT_EQ(exportWithCsv(), ExportOutcome::TooLarge);
    EXPECT_EQ(disk.files.at(std::string(kPage)), "an earlier page");
    EXPECT_FALSE(disk.files.contains(std::string(kCsv)));
    EXPECT_EQ(platform.lastMessage(),
              (MessageBox{"Error !",
                          "The page would be larger than 64 MB; nothing was written.\r"
                          "Marker lines (%%TEXT723DUMMY) in the template: " +
                              std::to_string(count(markers, kMarker)),
                          MsgIcon::Critical, MsgButtons::Ok, true}));

    // A few marker lines, as a template may hold, still give a page.
    disk.files["/opt/kernwijs/RINGBLAD3.PS"] =
        std::string(kTemplateHead) + std::string(kMarker) + "\r\n" + std::string(kMarker) + "\r\n";
    EXPECT_EQ(exportWithCsv(), ExportOutcome::Written);
}

TEST_F(HostileInputTest, FilesThatAreNoTextAtAllGiveTheWrongFileMessages) {
    const std::string noise = noiseBytes(kMegabyte);
    sheet.optLANG.selected = 1;
    const DataSheet before = sheet;

    disk.files[std::string(kTorFile)] = noise;
    load(kTorFile);
    EXPECT_THAT(platform.lastMessage().text, HasSubstr("The input file doesn't start the way it should"));

    disk.files[std::string(kIni)] = noise;
    sheet.cmdVoorVul_Click();
    EXPECT_EQ(platform.lastMessage().text, "Prefill file VOORVUL.INI not OK!");
    EXPECT_EQ(sheet, before);

    disk.files["/opt/kernwijs/RINGBLAD3.PS"] = noise;
    EXPECT_EQ(exportWithCsv(), ExportOutcome::TemplateFault);
    EXPECT_FALSE(disk.files.contains(std::string(kPage)));
}

TEST_F(HostileInputTest, NoiseAfterAProperFirstLineIsReadAsFarAsItMakesSense) {
    const std::string noise = noiseBytes(kMegabyte);
    disk.files[std::string(kTorFile)] = "[KERNWIJS]\r\n" + noise;
    load(kTorFile);
    for (const auto& name : DataSheet::textFieldNames()) {
        EXPECT_TRUE(IsValidUtf8(*sheet.field(name))) << name;
    }

    disk.files[std::string(kIni)] = "[PREFILL]\r\n" + noise;
    sheet.cmdVoorVul_Click();  // warnings for the lines beyond seven, each once

    disk.files["/opt/kernwijs/RINGBLAD3.PS"] = std::string(kTemplateHead) + noise;
    EXPECT_EQ(exportWithCsv(), ExportOutcome::Written);
    save(kTorFile);
    EXPECT_EQ(platform.lastMessage().title, "OK!");
}

TEST_F(HostileInputTest, EveryWriteRefusedByTheDiskKeepsTheEarlierFilesAndSaysWhy) {
    const std::string reasons[] = {"No space left on device", "Permission denied", "Read-only file system",
                                   "Disk quota exceeded"};
    for (const auto& reason : reasons) {
        disk.files[std::string(kTorFile)] = "earlier sheet";
        disk.files[std::string(kPage)] = "earlier page";
        disk.files[std::string(kCsv)] = "earlier csv";
        disk.writeFailure = reason;

        save(kTorFile);
        EXPECT_THAT(platform.lastMessage().text, HasSubstr(reason));
        EXPECT_EQ(exportWithCsv(), ExportOutcome::Failed);
        EXPECT_THAT(platform.lastMessage().text, HasSubstr(reason));

        EXPECT_EQ(disk.files.at(std::string(kTorFile)), "earlier sheet") << reason;
        EXPECT_EQ(disk.files.at(std::string(kPage)), "earlier page") << reason;
        EXPECT_EQ(disk.files.at(std::string(kCsv)), "earlier csv") << reason;
    }
}

TEST_F(HostileInputTest, AFileThatBecameUnreadableIsReportedWithTheReasonAndChangesNothing) {
    disk.files[std::string(kTorFile)] = "[KERNWIJS]\r\n[FABR1]\r\nother\r\n";
    disk.files[std::string(kIni)] = "[PREFILL]\r\n1;2;3\r\n";
    disk.files[std::string(kPage)] = "earlier page";
    const DataSheet before = sheet;
    for (const std::string reason : {"Permission denied", "Input/output error"}) {
        disk.readFailure = reason;
        load(kTorFile);
        EXPECT_THAT(platform.lastMessage().text, HasSubstr(reason));
        sheet.cmdVoorVul_Click();
        EXPECT_THAT(platform.lastMessage().text, HasSubstr(reason));
        EXPECT_EQ(exportWithCsv(), ExportOutcome::Failed);
        EXPECT_THAT(platform.lastMessage().text, HasSubstr(reason));
        sheet.chkCSV.value = 0;
        EXPECT_EQ(sheet, before) << reason;
        EXPECT_EQ(disk.files.at(std::string(kPage)), "earlier page") << reason;
    }
}

// ---- the real disk ----

// A disk on which a file disappears right after the program has looked for it.
class VanishingFileSystem : public LocalFileSystem {
public:
    std::string vanishing;

    bool fileExists(const std::string& path) const override {
        const bool found = LocalFileSystem::fileExists(path);
        vanish();
        return found;
    }
    std::optional<std::string> findFileAnyCase(const std::string& folder,
                                               const std::string& name) const override {
        auto found = LocalFileSystem::findFileAnyCase(folder, name);
        vanish();
        return found;
    }

private:
    void vanish() const {
        std::error_code ignored;
        fs::remove(vanishing, ignored);
    }
};

// Answers the open dialog and lets the chosen file vanish before the program reads it.
class VanishingDialogs : public test::FakePlatform {
public:
    std::optional<std::string> openFileName(const FileDialogRequest& request) override {
        auto chosen = test::FakePlatform::openFileName(request);
        std::error_code ignored;
        fs::remove(*chosen, ignored);
        return chosen;
    }
};

class HostileDiskTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("kernwijs_hostile_" + std::to_string(::getpid()) + "_" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        folder = root / "Ringkernen van 'Jan' \"de Vries\" \xC3\xA9\xC3\xA9n \xC2\xB5";
        fs::create_directories(folder);
        write(folder / "RINGBLAD3.PS", std::string(kTemplateHead) + std::string(kMarker) + "\r\n");
        platform.appFolder = folder.string();
        platform.workFolder = folder.string();
        sheet.platform = &platform;
        sheet.files = &disk;
        sheet.appFolder = folder.string();
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }

    static void write(const fs::path& file, std::string_view bytes) {
        std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    static std::string read(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path root;
    fs::path folder;
    VanishingDialogs platform;
    VanishingFileSystem disk;
    DataSheet sheet;
};

TEST_F(HostileDiskTest, NamesWithBlanksQuotesAndAccentsWorkForEveryFile) {
    const fs::path tor = folder / "ring 'nr 1' (\xC3\xA9\xC3\xA9n).tor";
    sheet.txtFabr1 = "Amidon";
    sheet.line(1, LineField::N) = "12";
    platform.dialogAnswers.emplace_back(tor.string());
    sheet.cmdUitvoer_Click();
    EXPECT_EQ(platform.lastMessage().title, "OK!");
    EXPECT_THAT(read(tor), HasSubstr("[FABR1]\r\nAmidon\r\n"));

    write(folder / "VOORVUL.INI", "[PREFILL]\r\n7;8;9\r\n");
    sheet.cmdVoorVul_Click();
    EXPECT_EQ(sheet.line(1, LineField::N), "7");

    const fs::path page = folder / "ring 'nr 1' (\xC3\xA9\xC3\xA9n).ps";
    sheet.chkCSV.value = 1;
    EXPECT_EQ(exportSheet(sheet, page.string()), ExportOutcome::Written);
    EXPECT_TRUE(fs::exists(page));
    EXPECT_TRUE(fs::exists(folder / "RING 'NR 1' (\xC3\x89\xC3\x89N).CSV"));  // ÉÉN
}

TEST_F(HostileDiskTest, AFileThatVanishesBetweenTheDialogAndTheReadIsReportedAndChangesNothing) {
    const fs::path tor = folder / "ring.tor";
    write(tor, "[KERNWIJS]\r\n[FABR1]\r\nother\r\n[END]\r\n");
    sheet.optLANG.selected = 1;
    const DataSheet before = sheet;
    platform.dialogAnswers.emplace_back(tor.string());
    sheet.cmdInvoer_Click();
    EXPECT_EQ(sheet, before);
    EXPECT_EQ(platform.lastMessage().text,
              "The file could not be read:\r" + tor.string() + "\rNo such file or directory\r");

    disk.vanishing = (folder / "VOORVUL.INI").string();
    write(disk.vanishing, "[PREFILL]\r\n7;8;9\r\n");
    sheet.cmdVoorVul_Click();
    EXPECT_EQ(sheet, before);
    EXPECT_EQ(platform.lastMessage().text,
              "Prefill file VOORVUL.INI could not be read:\rNo such file or directory\r");

    disk.vanishing = (folder / "RINGBLAD3.PS").string();
    const fs::path page = folder / "ring.ps";
    EXPECT_EQ(exportSheet(sheet, page.string()), ExportOutcome::Failed);
    EXPECT_THAT(platform.lastMessage().text, HasSubstr("No such file or directory"));
    EXPECT_FALSE(fs::exists(page));
}

TEST_F(HostileDiskTest, AFolderInPlaceOfTheFileIsReportedAndLeftAlone) {
    const fs::path taken = folder / "taken.tor";
    fs::create_directories(taken);
    sheet.optLANG.selected = 1;
    platform.dialogAnswers.emplace_back(taken.string());
    sheet.cmdUitvoer_Click();
    EXPECT_THAT(platform.lastMessage().text, HasSubstr("Is a directory"));
    EXPECT_TRUE(fs::is_directory(taken));
    EXPECT_EQ(exportSheet(sheet, (folder / "taken.ps").string()), ExportOutcome::Written);
    fs::create_directories(folder / "blocked.ps");
    EXPECT_EQ(exportSheet(sheet, (folder / "blocked.ps").string()), ExportOutcome::Failed);
    EXPECT_TRUE(fs::is_directory(folder / "blocked.ps"));
}

}  // namespace
}  // namespace kw
