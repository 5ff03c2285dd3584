// PDF beside the exported page and the page on a printer, over faked programs; then one
// real conversion of a full sheet when Ghostscript is installed.

#include "datasheet/pdf_print.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "common/process_runner.h"
#include "datasheet/export.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_platform.h"
#include "tests/support/fake_processes.h"

namespace kw {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

constexpr std::string_view kTemplate = "%!PS-Adobe-3.0\r\n%%Creator: Zeva1 QQ0QQQ\r\n%%TEXT723DUMMY\r\n";
constexpr std::string_view kFakePdf = "%PDF-1.7 from the fake";

class PdfPrintTest : public ::testing::Test {
protected:
    void SetUp() override {
        sheet.platform = &platform;
        sheet.files = &files;
        sheet.processes = &processes;
        sheet.appFolder = platform.appFolder;
        sheet.txtFabr1 = "Amidon";
        files.files[platform.appFolder + "/RINGBLAD3.PS"] = std::string(kTemplate);
        // Ghostscript writes its output; lp leaves the files alone.
        processes.effect = [this](const test::FakeProcesses::Call& call) {
            if (call.program == "gs") {
                files.files[test::ghostscriptOutput(call.arguments)] = std::string(kFakePdf);
            } else {
                printed = files.files[call.arguments.back()];
            }
        };
    }

    // The files whose names start with prefix.
    std::vector<std::string> filesStartingWith(const std::string& prefix) const {
        std::vector<std::string> names;
        for (const auto& [name, bytes] : files.files) {
            if (name.starts_with(prefix)) {
                names.push_back(name);
            }
        }
        return names;
    }

    test::FakePlatform platform;
    test::FakeFileSystem files;
    test::FakeProcesses processes;
    DataSheet sheet;
    std::string printed;  // the page as lp found it
};

TEST_F(PdfPrintTest, PdfNameIsThePageNameWithPdfForPs) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"/d/ring.ps", "/d/ring.pdf"},          {"/d/RING.PS", "/d/RING.pdf"},
        {"/d/ringpage", "/d/ringpage.pdf"},     {"/d/ring.txt", "/d/ring.txt.pdf"},
        {"/d/my.ps/ring", "/d/my.ps/ring.pdf"}, {"ring.Ps", "ring.pdf"},
        {"/d/.ps", "/d/.ps.pdf"},  // a name that is only the extension keeps it
    };
    for (const auto& [page, pdf] : cases) {
        EXPECT_EQ(pdfName(page), pdf) << page;
    }
}

TEST_F(PdfPrintTest, GhostscriptIsToldTheFilesSoThatNoNameCanActAsAnOption) {
    // '%' doubled: Ghostscript would read it as a page number or a device ("%pipe%").
    EXPECT_THAT(
        ghostscriptArguments("-x.ps", "/d/100%.pdf"),
        ElementsAre("-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=pdfwrite", "-dPDFSETTINGS=/prepress",
                    "-dEmbedAllFonts=true", "-dAutoRotatePages=/PageByPage", "-sstdout=%stderr",
                    "-sOutputFile=/d/100%%.pdf", "./-x.ps"));
    EXPECT_EQ(ghostscriptArguments("/d/@ring.ps", "%pipe%lp").back(), "/d/@ring.ps");
    EXPECT_EQ(ghostscriptArguments("/d/@ring.ps", "%pipe%lp").at(9), "-sOutputFile=%%pipe%%lp");
}

TEST_F(PdfPrintTest, ExportWithPdfPutsThePdfBesideThePageThroughATemporaryFile) {
    sheet.chkPDF.value = 1;
    EXPECT_EQ(exportSheet(sheet, "/w/ring.ps"), ExportOutcome::Written);
    ASSERT_EQ(processes.calls.size(), 1u);
    EXPECT_EQ(processes.calls[0].program, "gs");
    EXPECT_EQ(processes.calls[0].arguments.back(), "/w/ring.ps");
    EXPECT_THAT(processes.calls[0].arguments.at(9), StartsWith("-sOutputFile=/w/ring.pdf.part-"));
    EXPECT_EQ(files.files["/w/ring.pdf"], kFakePdf);
    EXPECT_THAT(filesStartingWith("/w/"), ElementsAre("/w/ring.pdf", "/w/ring.ps"));
    EXPECT_EQ(platform.lastMessage().text, "Alles lijkt OK!  ");
}

TEST_F(PdfPrintTest, GhostscriptWritesInThePdfsFolderOrIsNotRun) {
    // A name without a folder: the current one.
    EXPECT_EQ(writePdf(&processes, files, "ring.ps", "ring.pdf").outcome, PdfOutcome::Written);
    EXPECT_THAT(processes.calls.at(0).arguments.at(9), StartsWith("-sOutputFile=./ring.pdf.part-"));
    EXPECT_EQ(files.files["ring.pdf"], kFakePdf);
    // A folder that takes no new file: the system's reason, and Ghostscript is spared.
    files.writeFailure = "Read-only file system";
    EXPECT_EQ(writePdf(&processes, files, "/w/ring.ps", "/w/ring.pdf"),
              (PdfResult{PdfOutcome::Failed, false, "Read-only file system"}));
    EXPECT_EQ(processes.calls.size(), 1u);
}

TEST_F(PdfPrintTest, FailedConversionsKeepThePageAndAnEarlierPdfAndSaySo) {
    struct Case {
        ProcessResult gs;
        bool writes;     // Ghostscript leaves an output file behind
        bool noService;  // no way to run programs at all
        bool english;
        std::string text;
        std::optional<std::string> moveFails;  // the finished PDF cannot take the old one's place
    };
    const std::string written = "\rThe PostScript page is written:\r/w/ring.ps";
    const std::string geschreven = "\rDe PostScript-pagina is geschreven:\r/w/ring.ps";
    const std::vector<Case> cases = {
        {{false, false, -1, "No such file or directory"},
         false,
         false,
         true,
         "No PDF: Ghostscript (gs) is not installed." + written,
         {}},
        {{}, false, true, false, "Geen PDF: Ghostscript (gs) is niet ge\xC3\xAFnstalleerd." + geschreven, {}},
        // Only Ghostscript's last eight non-empty lines, trimmed.
        {{true, false, 1, "1\n2\n3\n4\n5\n6\n\n7\n8\n9\n  Error: /undefined in foo  \r\n"},
         true,
         false,
         false,
         "Geen PDF: Ghostscript kon de pagina niet omzetten; een eerdere PDF blijft bewaard." + geschreven +
             "\r3\r4\r5\r6\r7\r8\r9\rError: /undefined in foo",
         {}},
        {{true, false, 0, ""},
         false,
         false,
         true,
         "No PDF: Ghostscript could not convert the page; an earlier PDF is kept." + written,
         {}},
        {{true, true, -1, "partial"},
         true,
         false,
         true,
         "No PDF: Ghostscript could not convert the page; an earlier PDF is kept." + written +
             "\rGhostscript was stopped after 60 seconds.",
         {}},
        {{true, false, 0, ""},
         true,
         false,
         true,
         "No PDF: Ghostscript could not convert the page; an earlier PDF is kept." + written +
             "\rPermission denied",
         "Permission denied"},
    };
    sheet.chkPDF.value = 1;
    for (const auto& c : cases) {
        files.files["/w/ring.pdf"] = "earlier pdf";
        sheet.optLANG.selected = c.english ? 1 : 0;
        sheet.processes = c.noService ? nullptr : &processes;
        processes.results = {c.gs};
        files.moveFailure = c.moveFails;
        const auto writeOutput = processes.effect;
        if (!c.writes) {
            processes.effect = nullptr;
        }
        EXPECT_EQ(exportSheet(sheet, "/w/ring.ps"), ExportOutcome::PdfFailed) << c.text;
        processes.effect = writeOutput;
        EXPECT_EQ(platform.lastMessage(), (MessageBox{c.english ? "Error !" : "Fout !", c.text,
                                                      MsgIcon::Critical, MsgButtons::Ok, true}));
        EXPECT_EQ(files.files["/w/ring.pdf"], "earlier pdf");
        EXPECT_THAT(files.files["/w/ring.ps"], StartsWith("%!PS-Adobe"));
        EXPECT_EQ(filesStartingWith("/w/").size(), 2u) << "no temporary file is left";
    }
}

TEST_F(PdfPrintTest, PrintHandsTheChosenPrinterAndCopiesToLp) {
    struct Case {
        PrintChoice choice;
        std::vector<std::string> options;  // before the page
    };
    // The job is named as Export PS would name the page at 14:30:05.
    const std::vector<Case> cases = {
        {{"laser", 2, {}}, {"-d", "laser", "-n", "2", "-t", "RINGBLAD_143005"}},
        {{"", 1, {}}, {"-n", "1", "-t", "RINGBLAD_143005"}},
        {{"-odd name", 5000, {}}, {"-d", "-odd name", "-n", "999", "-t", "RINGBLAD_143005"}},
        {{"", 0, {}}, {"-n", "1", "-t", "RINGBLAD_143005"}},  // no fewer than one copy
        {{"", 999, {}}, {"-n", "999", "-t", "RINGBLAD_143005"}},
    };
    for (const auto& c : cases) {
        processes.calls.clear();
        platform.printAnswers = {c.choice};
        EXPECT_EQ(printSheet(sheet), PrintOutcome::Printed);
        ASSERT_EQ(processes.calls.size(), 1u);
        EXPECT_EQ(processes.calls[0].program, "lp");
        std::vector<std::string> args = processes.calls[0].arguments;
        const std::string page = args.back();
        args.pop_back();
        EXPECT_EQ(args, c.options);
        EXPECT_THAT(printed, StartsWith("%!PS-Adobe-3.0\r\n"));
        EXPECT_THAT(printed, HasSubstr("(Amidon) show"));
        EXPECT_FALSE(files.files.contains(page)) << "the temporary page is removed";
    }
    EXPECT_EQ(platform.printDialogs, std::vector<std::string>(cases.size(), "RINGBLAD_143005"));
    EXPECT_TRUE(platform.shown.empty());
}

TEST_F(PdfPrintTest, PrintProblemsAreShownAndCancelDoesNothing) {
    EXPECT_EQ(printSheet(sheet), PrintOutcome::Cancelled);
    EXPECT_TRUE(processes.calls.empty());
    EXPECT_TRUE(platform.shown.empty());

    platform.printAnswers = {PrintChoice{}};
    processes.results = {{false, false, -1, "No such file or directory"}};
    sheet.optLANG.selected = 1;
    EXPECT_EQ(printSheet(sheet), PrintOutcome::NoPrintSystem);
    EXPECT_EQ(platform.lastMessage(),
              (MessageBox{"Error !",
                          "Cannot print: no print system found (the program lp of CUPS is not installed).",
                          MsgIcon::Critical, MsgButtons::Ok, true}));

    platform.printAnswers = {PrintChoice{}};
    processes.results = {{true, false, 1, "lp: Error - No default destination.\n"}};
    sheet.optLANG.selected = 0;
    EXPECT_EQ(printSheet(sheet), PrintOutcome::Failed);
    EXPECT_EQ(
        platform.lastMessage().text,
        "Kan niet afdrukken: het afdruksysteem nam de pagina niet aan.\rlp: Error - No default destination.");

    // Into a PDF file: Ghostscript's complaint, without a page to name.
    platform.printAnswers = {PrintChoice{"", 1, "/w/sheet.pdf"}};
    processes.results = {{true, false, 1, "Unrecoverable error\n"}};
    EXPECT_EQ(printSheet(sheet), PrintOutcome::Failed);
    EXPECT_EQ(platform.lastMessage().text,
              "Geen PDF: Ghostscript kon de pagina niet omzetten; een eerdere PDF blijft bewaard.\r"
              "Unrecoverable error");
    EXPECT_THAT(filesStartingWith("/"), ElementsAre(platform.appFolder + "/RINGBLAD3.PS"));

    // No room for the page in the temporary folder.
    platform.printAnswers = {PrintChoice{}};
    files.writeFailure = "No space left on device";
    EXPECT_EQ(printSheet(sheet), PrintOutcome::Failed);
    EXPECT_EQ(platform.lastMessage().text,
              "Kan het bestand niet schrijven\rkernwijs-print-.ps\rNo space left on device");
    files.writeFailure.reset();

    files.files.clear();
    platform.printDialogs.clear();
    EXPECT_EQ(printSheet(sheet), PrintOutcome::NotBuilt);
    EXPECT_EQ(platform.lastMessage().text, "Kan postscript overlap bestand RINGBLAD3.PS niet vinden! ");
    EXPECT_TRUE(platform.printDialogs.empty()) << "no dialog without a page to print";
}

TEST_F(PdfPrintTest, PrintIntoAPdfFileGoesThroughGhostscript) {
    platform.printAnswers = {PrintChoice{"", 1, "/w/sheet.pdf"}};
    EXPECT_EQ(printSheet(sheet), PrintOutcome::Printed);
    ASSERT_EQ(processes.calls.size(), 1u);
    EXPECT_EQ(processes.calls[0].program, "gs");
    EXPECT_EQ(files.files["/w/sheet.pdf"], kFakePdf);
    EXPECT_THAT(filesStartingWith("/"), ElementsAre(platform.appFolder + "/RINGBLAD3.PS", "/w/sheet.pdf"));
}

// ---- the real Ghostscript on the shipped template ----

std::string readBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

std::string commandOutput(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
            output += buffer;
        }
        pclose(pipe);
    }
    return output;
}

struct Raster {
    int width = 0;
    int height = 0;
    std::string grey;  // one byte a pixel, row by row

    unsigned char at(int x, int y) const { return static_cast<unsigned char>(grey[y * width + x]); }
};

// A binary PGM as Ghostscript's pgmraw device writes it: "P5", comment lines, size, 255.
Raster readPgm(const fs::path& file) {
    std::istringstream in(readBytes(file));
    Raster r;
    std::string magic;
    in >> magic;
    while (in >> std::ws && in.peek() == '#') {
        std::string comment;
        std::getline(in, comment);
    }
    int maxGrey = 0;
    in >> r.width >> r.height >> maxGrey;
    in.get();
    r.grey.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return r;
}

class RealPdfTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!PosixProcesses().run("gs", {"--version"}, kGhostscriptSeconds).succeeded()) {
            GTEST_SKIP() << "Ghostscript (gs) is not installed";
        }
        std::random_device rd;
        dir = fs::temp_directory_path() / ("kernwijs_pdf_" + std::to_string(rd()));
        fs::create_directories(dir);
        sheet.platform = &platform;
        sheet.files = &disk;
        sheet.processes = &processes;
        sheet.appFolder = KERNWIJS_RESOURCE_DIR;
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }

    Raster render(const fs::path& file) {
        const fs::path pgm = dir / (file.filename().string() + ".pgm");
        EXPECT_TRUE(processes
                        .run("gs",
                             {"-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=pgmraw", "-r80",
                              "-sOutputFile=" + pgm.string(), file.string()},
                             kGhostscriptSeconds)
                        .succeeded());
        return readPgm(pgm);
    }

    fs::path dir;
    test::FakePlatform platform;
    LocalFileSystem disk;
    PosixProcesses processes;
    DataSheet sheet;
};

TEST_F(RealPdfTest, FullSheetPdfHoldsEveryTextEmbedsItsFontsAndLooksLikeThePage) {
    // Every field its own text, accents and the Windows-1252 extras included.
    const std::vector<std::pair<std::string, std::string>> fields = {
        {"txtDD", "05"},
        {"txtMM", "03"},
        {"txtJJ", "26"},
        {"txtTest1", "Meting van Andr\xC3\xA9"},
        {"txtFabr1", "Amidon"},
        {"txtFabr2", "F\xC3\xA4hrmann"},
        {"txtType1", "FT-50-43"},
        {"txtType2", "zwart \xC3\xA7\xC3\xA0"},
        {"txtType3", "\xE2\x82\xAC 5 \xE2\x80\x93 ok"},
        {"txtBuiten", "12.7"},
        {"txtBinnen", "7.15"},
        {"txtHoog", "4.83"},
        {"txtRi", "0.35"},
        {"txtMu", "850 \xC2\xB5"},
    };
    for (const auto& [name, text] : fields) {
        *sheet.field(name) = text;
    }
    for (int k = 1; k <= kMeasurementLines; ++k) {
        for (int f = 0; f < kLineFields; ++f) {
            sheet.line(k, static_cast<LineField>(f)) = "v" + std::to_string(k) + std::to_string(f);
        }
    }
    for (int k = 1; k <= kInfoLines; ++k) {
        sheet.regel(k) =
            "gee\xC3\xAB"
            "maileerd draad " +
            std::to_string(k) +
            " \xC2\xB0"
            "C \xC3\x9F";
    }
    sheet.chkPDF.value = 1;
    const fs::path page = dir / "ring.ps";
    ASSERT_EQ(exportSheet(sheet, page.string()), ExportOutcome::Written) << platform.lastMessage().text;
    const fs::path pdf = dir / "ring.pdf";
    ASSERT_THAT(readBytes(pdf), StartsWith("%PDF-"));

    ASSERT_TRUE(processes.run("pdftotext", {"-enc", "UTF-8", pdf.string(), (dir / "ring.txt").string()}, 60)
                    .succeeded())
        << "pdftotext (poppler-utils) is needed";
    const std::string text = readBytes(dir / "ring.txt");
    for (const auto& name : DataSheet::textFieldNames()) {
        EXPECT_THAT(text, HasSubstr(*sheet.field(name))) << name;
    }

    // pdffonts: name, type (one or two words), encoding, then emb sub uni object-id generation.
    const std::string fonts = commandOutput("pdffonts '" + pdf.string() + "'");
    std::istringstream rows(fonts.substr(fonts.find("\n---") + 1));
    std::string row;
    std::getline(rows, row);  // the rule under the heading
    int fontCount = 0;
    while (std::getline(rows, row)) {
        std::vector<std::string> words;
        std::istringstream split(row);
        for (std::string w; split >> w;) {
            words.push_back(w);
        }
        ASSERT_GE(words.size(), 6u) << row;
        EXPECT_EQ(words[words.size() - 5], "yes") << "not embedded: " << row;
        ++fontCount;
    }
    EXPECT_GE(fontCount, 2) << fonts;  // the form's regular and bold type at least

    // The PDF shows the landscape sheet upright: its page is the PostScript page turned a
    // quarter to the right, so PostScript pixel (x, y) is the PDF's (height - 1 - y, x).
    const Raster ps = render(page);
    const Raster shown = render(pdf);
    ASSERT_EQ(shown.width, ps.height);
    ASSERT_EQ(shown.height, ps.width);
    constexpr int kClearlyDifferent = 128;  // of 255 grey levels
    long different = 0;
    long inked = 0;
    for (int y = 0; y < ps.height; ++y) {
        for (int x = 0; x < ps.width; ++x) {
            different += std::abs(ps.at(x, y) - shown.at(ps.height - 1 - y, x)) > kClearlyDifferent ? 1 : 0;
            inked += ps.at(x, y) < kClearlyDifferent ? 1 : 0;
        }
    }
    // Type rasterised from the embedded font program differs at glyph edges only (about one
    // inked pixel in eleven); a page turned the wrong way or its texts gone differ by more.
    EXPECT_LT(different, inked / 8) << different << " of " << inked << " inked pixels";
}

}  // namespace
}  // namespace kw
