// Runs the built kernwijs-cli export subcommand on sheets in a temporary folder.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "common/text.h"
#include "datasheet/datasheet.h"
#include "datasheet/tor_file.h"
#include "tests/support/cli_runner.h"

namespace {

namespace fs = std::filesystem;

using kw::test::CliRun;
using kw::test::readAll;
using kw::test::writeAll;

// A sheet with every field filled, as a user would after seven measurements.
kw::DataSheet fullSheet() {
    kw::DataSheet sheet;
    sheet.txtDD = "05";
    sheet.txtMM = "03";
    sheet.txtJJ = "26";
    sheet.txtTest1 = "Meting van Andr\xC3\xA9";
    sheet.txtFabr1 = "Amidon (43)";
    sheet.txtType1 = "FT-50; zwart";
    sheet.txtMu =
        "850 \xC2\xB5 @ 25 \xC2\xB0"
        "C";
    for (int k = 1; k <= kw::kMeasurementLines; ++k) {
        sheet.line(k, kw::LineField::N) = std::to_string(10 * k);
        sheet.line(k, kw::LineField::C) = "100.5 pF";
        sheet.line(k, kw::LineField::Fres) = "10.1234 MHz";
        sheet.line(k, kw::LineField::Top) = "100 K";
    }
    sheet.regel(3) =
        "gee\xC3\xAB"
        "maileerd (\xC3\xA9\xC3\xA9n laag)";
    return sheet;
}

class ExportCliTest : public kw::test::CliFolderTest {
protected:
    fs::path writeSheet(const std::string& name, const kw::DataSheet& sheet = fullSheet()) {
        writeAll(dir / name, kw::EncodeFileText(kw::TorFileText(sheet)));
        return dir / name;
    }

    CliRun exportRun(const std::vector<std::string>& args) { return run("export", args); }
};

std::vector<std::string> crlfLines(const std::string& bytes) {
    return kw::SplitLines(bytes, kw::LineEnds::CrLfOrCr);
}

// The number of columns of a CSV row, counting quoted fields as one.
int csvColumns(const std::string& row) {
    int columns = 1;
    bool inQuotes = false;
    for (const char c : row) {
        if (c == '"') {
            inQuotes = !inQuotes;
        } else if (c == ';' && !inQuotes) {
            ++columns;
        }
    }
    return columns;
}

TEST_F(ExportCliTest, EachSheetGetsItsPageAndCsvBesideItAndSuccessStaysQuiet) {
    writeSheet("ring1.tor");
    writeSheet("ring2.tor");
    const CliRun run = exportRun({"ring1.tor", "ring2.tor", "--csv"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    for (const std::string stem : {"ring1", "ring2"}) {
        const std::string page = readAll(dir / (stem + ".ps"));
        EXPECT_EQ(page.substr(0, 14), "%!PS-Adobe-3.0");
        EXPECT_NE(page.find("\r\n(Meting van Andr\xE9) show\r\n"), std::string::npos);
        std::string upper = stem;
        std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
        const std::vector<std::string> csv = crlfLines(readAll(dir / (upper + ".CSV")));
        ASSERT_EQ(csv.size(), 3u + kw::kMeasurementLines);
        EXPECT_EQ(csv[2], "NL CSV setting - decimal comma is used");
        for (std::size_t i = 3; i < csv.size(); ++i) {
            EXPECT_EQ(csvColumns(csv[i]), 21) << csv[i];
        }
        // Boxes the file leaves out stay empty: a placeholder is no data.
        EXPECT_EQ(csv[3].substr(0, 33), "Amidon (43);;\"FT-50; zwart\";;;;;;");
    }
}

TEST_F(ExportCliTest, OutputNameOrOutputFolderReplaceTheDefault) {
    writeSheet("ring.tor");
    fs::create_directory(dir / "pages");
    EXPECT_EQ(exportRun({"ring.tor", "-o", "chosen.ps", "--csv"}).status, 0);
    EXPECT_TRUE(fs::is_regular_file(dir / "chosen.ps"));
    EXPECT_TRUE(fs::is_regular_file(dir / "CHOSEN.CSV"));
    EXPECT_EQ(exportRun({"ring.tor", "--outdir", "pages"}).status, 0);
    EXPECT_TRUE(fs::is_regular_file(dir / "pages" / "ring.ps"));
    EXPECT_FALSE(fs::exists(dir / "pages" / "RING.CSV"));
    EXPECT_FALSE(fs::exists(dir / "ring.ps"));
}

TEST_F(ExportCliTest, UsageErrorsGiveStatusTwoAndWriteNothing) {
    writeSheet("ring1.tor");
    writeSheet("ring2.tor");
    fs::create_directory(dir / "a");
    fs::create_directory(dir / "out");
    writeSheet("a/ring1.tor");
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"ring1.tor", "ring2.tor", "-o", "both.ps"},
        {"ring1.tor", "-o", "x.ps", "--outdir", "out"},
        {"ring1.tor", "--outdir", "missing"},
        {"ring1.tor", "--lang", "FR"},
        {"ring1.tor", "a/ring1.tor", "--outdir", "out"},
        {"ring1.tor", "ring1.tor"},
    };
    for (const auto& args : cases) {
        const CliRun run = exportRun(args);
        EXPECT_EQ(run.status, 2) << (args.empty() ? "" : args.back());
        EXPECT_NE(run.err, "");
    }
    EXPECT_TRUE(fs::is_empty(dir / "out"));
    EXPECT_FALSE(fs::exists(dir / "ring1.ps"));
}

TEST_F(ExportCliTest, VerbosePrintsTheSuccessMessageInTheChosenLanguage) {
    writeSheet("ring.tor");
    EXPECT_EQ(exportRun({"ring.tor", "--verbose", "--lang", "UK"}).err, "OK!\n  All looks OK!  \n");
    EXPECT_EQ(exportRun({"ring.tor", "--verbose"}).err, "OK!\n  Alles lijkt OK!  \n");
}

TEST_F(ExportCliTest, FaultyOrMissingTemplateAndRefusedNameGiveStatusThreeWithTheirMessage) {
    writeSheet("ring.tor");
    writeAll(dir / "bad.ps", "%!PS-Adobe-3.0\r\n%%Creator: someone else\r\n%%TEXT723DUMMY\r\n");
    CliRun run = exportRun({"ring.tor", "--template", "bad.ps", "--lang", "uk"});
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.err,
              "Error !\n  Is the input name OK?  \n  Is it really postscript, I miss something (%%)  \n");
    EXPECT_FALSE(fs::exists(dir / "ring.ps"));

    run = exportRun({"ring.tor", "-o", "abc.ps"});
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.err,
              "Error !\n  Er gaat iets fout!\n  Dat was niet leuk wat je deed!\n  Verkeerde parameters!\n");

    // A template that is not there is the export's own message, not a usage error.
    run = exportRun({"ring.tor", "--template", "missing.ps", "--lang", "UK"});
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.err, "ERROR!\n  Cannot find postscript overlay file RINGBLAD3.PS! \n");
    EXPECT_FALSE(fs::exists(dir / "ring.ps"));
}

TEST_F(ExportCliTest, SheetThatDoesNotLoadIsSkippedAndTheOthersAreExported) {
    writeAll(dir / "junk.tor", "not a data sheet\r\n");
    writeSheet("ring.tor");
    const CliRun run = exportRun({"junk.tor", "ring.tor"});
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.err, "");
    EXPECT_FALSE(fs::exists(dir / "junk.ps"));
    EXPECT_TRUE(fs::is_regular_file(dir / "ring.ps"));
}

TEST_F(ExportCliTest, OtherTemplateIsUsedWhenGiven) {
    writeSheet("ring.tor");
    writeAll(dir / "mine.ps", "%!PS-Adobe-3.0\r\n%%Creator: Zeva1 QQ0QQQ\r\n%%TEXT723DUMMY\r\nshowpage\r\n");
    EXPECT_EQ(exportRun({"ring.tor", "--template", "mine.ps"}).status, 0);
    const std::vector<std::string> lines = crlfLines(readAll(dir / "ring.ps"));
    ASSERT_GT(lines.size(), 4u);
    EXPECT_EQ(lines[2], "%%datum ");
    EXPECT_EQ(lines[lines.size() - 2], "%%TEXT723DUMMY");
}

TEST_F(ExportCliTest, FullSheetPageRendersInGhostscript) {
    if (std::system("gs --version >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "Ghostscript (gs) is not installed";
    }
    writeSheet("ring.tor");
    ASSERT_EQ(exportRun({"ring.tor", "--csv"}).status, 0);
    const CliRun gs = kw::test::runProgram(
        dir, "gs", {"-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=nullpage", "ring.ps"});
    const std::string output = gs.out + gs.err;
    EXPECT_EQ(gs.status, 0) << output;
    EXPECT_EQ(output.find("Error"), std::string::npos) << output;
}

}  // namespace
