// kernwijs-cli export --pdf and kernwijs-cli print, with the real programs, stand-ins for
// them on PATH, or none at all.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/process_runner.h"
#include "common/text.h"
#include "datasheet/datasheet.h"
#include "datasheet/tor_file.h"
#include "tests/support/cli_runner.h"

namespace {

namespace fs = std::filesystem;

using kw::test::CliRun;
using kw::test::readAll;
using kw::test::writeAll;

bool startsWith(const std::string& text, std::string_view start) {
    return text.starts_with(start);
}
bool holds(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

bool runs(const std::string& program, const std::vector<std::string>& args) {
    return kw::PosixProcesses().run(program, args, 60).succeeded();
}

class PrintCliTest : public kw::test::CliFolderTest {
protected:
    void SetUp() override {
        CliFolderTest::SetUp();
        kw::DataSheet sheet;
        sheet.txtFabr1 = "Amidon (43)";
        sheet.txtTest1 = "Meting van Andr\xC3\xA9";
        writeAll(dir / "ring.tor", kw::EncodeFileText(kw::TorFileText(sheet)));
        fs::create_directory(dir / "bin");
    }

    // kernwijs-cli with PATH holding only the folder bin (stand-ins for gs and lp).
    CliRun runWithOnlyBin(const std::vector<std::string>& args) {
        std::vector<std::string> all = {"PATH=" + (dir / "bin").string(), KERNWIJS_CLI};
        all.insert(all.end(), args.begin(), args.end());
        return kw::test::runProgram(dir, "/usr/bin/env", all);
    }
};

TEST_F(PrintCliTest, ExportWithPdfWritesEachPdfBesideItsPageInTheOutdir) {
    if (!runs("gs", {"--version"})) {
        GTEST_SKIP() << "Ghostscript (gs) is not installed";
    }
    fs::create_directory(dir / "out");
    for (const char* name : {"ring1.tor", "ring2.tor", "ring3.tor"}) {
        fs::copy_file(dir / "ring.tor", dir / name);
    }
    const CliRun run =
        this->run("export", {"ring1.tor", "ring2.tor", "ring3.tor", "--pdf", "--outdir", "out"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    for (const char* name : {"ring1", "ring2", "ring3"}) {
        EXPECT_TRUE(startsWith(readAll(dir / "out" / (std::string(name) + ".pdf")), "%PDF-")) << name;
        EXPECT_TRUE(startsWith(readAll(dir / "out" / (std::string(name) + ".ps")), "%!PS-Adobe")) << name;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "out"), fs::directory_iterator()), 6)
        << "no temporary file is left";
}

TEST_F(PrintCliTest, MissingGhostscriptOrPrintSystemGivesTheMessageAndExitThree) {
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{"export", "ring.tor", "--pdf"},
         "Geen PDF: Ghostscript (gs) is niet ge\xC3\xAF"
         "nstalleerd.\n  De PostScript-pagina is geschreven:\n  "
         "ring.ps\n"},
        {{"print", "ring.tor", "--lang", "UK"},
         "Cannot print: no print system found (the program lp of CUPS is not installed).\n"},
    };
    for (const auto& c : cases) {
        const CliRun run = runWithOnlyBin(c.args);
        EXPECT_EQ(run.status, 3) << c.args[0];
        EXPECT_TRUE(holds(run.err, c.message)) << run.err;
    }
    EXPECT_TRUE(startsWith(readAll(dir / "ring.ps"), "%!PS-Adobe"));
    EXPECT_FALSE(fs::exists(dir / "ring.pdf"));
}

TEST_F(PrintCliTest, PrintHandsTheFilledPageToLpWithPrinterAndCopies) {
    // lp's stand-in keeps its arguments and the page it was given.
    writeAll(dir / "bin" / "lp",
             "#!/bin/sh\nPATH=/usr/bin:/bin\nprintf '%s\\n' \"$@\" > lp.args\n"
             "for last; do :; done\ncat \"$last\" > lp.ps\n");
    fs::permissions(dir / "bin" / "lp", fs::perms::owner_all);
    const CliRun run = runWithOnlyBin({"print", "ring.tor", "--printer", "laser", "-n", "3"});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> args =
        kw::SplitLines(readAll(dir / "lp.args"), kw::LineEnds::CrLfOrCrOrLf);
    ASSERT_EQ(args.size(), 7u);
    EXPECT_EQ(std::vector<std::string>(args.begin(), args.begin() + 5),
              (std::vector<std::string>{"-d", "laser", "-n", "3", "-t"}));
    EXPECT_TRUE(startsWith(args[5], "RINGBLAD_"));
    EXPECT_FALSE(fs::exists(args[6])) << "the temporary page is removed";
    const std::string page = readAll(dir / "lp.ps");
    EXPECT_TRUE(startsWith(page, "%!PS-Adobe-3.0\r\n"));
    EXPECT_TRUE(holds(page, "(Amidon [43]) show"));
    EXPECT_TRUE(holds(page, "(Meting van Andr\xE9) show"));
}

// A queue that throws its pages away, made for the test when the print system lets us.
TEST_F(PrintCliTest, PrintReachesARealPrintQueue) {
    const std::string queue = "kernwijs-test-" + std::to_string(::getpid());
    if (!runs("lpstat", {"-r"}) || !runs("lpadmin", {"-p", queue, "-E", "-v", "file:/dev/null"})) {
        GTEST_SKIP() << "no running CUPS scheduler that lets this user add a queue";
    }
    const CliRun run = this->run("print", {"ring.tor", "--printer", queue});
    EXPECT_EQ(run.status, 0) << run.err;
    const CliRun missing = this->run("print", {"ring.tor", "--printer", queue + "-missing", "--lang", "UK"});
    EXPECT_EQ(missing.status, 3);
    EXPECT_TRUE(holds(missing.err, "Cannot print: the print system did not take the page.\n  lp: "));
    runs("lpadmin", {"-x", queue});
}

}  // namespace
