// Runs the built kernwijs-cli sheet subcommand on files in a temporary folder.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/support/cli_runner.h"

namespace {

namespace fs = std::filesystem;

using kw::test::CliRun;
using kw::test::readAll;
using kw::test::writeAll;

class SheetCliTest : public kw::test::CliFolderTest {
protected:
    CliRun sheet(const std::vector<std::string>& args) { return run("sheet", args); }
};

// Every field empty except the given ones.
nlohmann::json onlyThese(const nlohmann::json& filled, const nlohmann::json& shown) {
    nlohmann::json expected = shown;
    for (auto& [name, value] : expected.items()) {
        value = filled.contains(name) ? filled[name] : nlohmann::json("");
    }
    return expected;
}

TEST_F(SheetCliTest, LoadsHandMadeFilesWithAnyLineEndsIntoAnEmptySheet) {
    for (const std::string end : {"\r\n", "\r", "\n"}) {
        writeAll(dir / "ring.tor", "[KERNWIJS] by hand" + end + "%% [FABR1] mentioned in a comment" + end +
                                       "Amidon (T)" + end + "[M-LINE2]" + end + "12" + end + "150 pF" + end +
                                       "3.5 MHz" + end + end + "3.4" + end + "3.6" + end + "50" + end +
                                       "2 K" + end + "1.2" + end + end + "[C-LINE1]" + end + "\xB5 gemeten" +
                                       end + "[END]" + end + "[TYPE1]" + end + "after the end" + end);
        const CliRun run = sheet({"ring.tor", "--json"});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");
        const auto shown = nlohmann::json::parse(run.out);
        EXPECT_EQ(shown.size(), 92u);
        EXPECT_EQ(shown, onlyThese({{"txtFabr1", "Amidon (T)"},
                                    {"txtN2", "12"},
                                    {"txtC2", "150 pF"},
                                    {"txtFres2", "3.5 MHz"},
                                    {"txtf12", "3.4"},
                                    {"txtf22", "3.6"},
                                    {"txtQ2", "50"},
                                    {"txtTop2", "2 K"},
                                    {"txtRs2", "1.2"},
                                    {"txtRegel1", "µ gemeten"}},
                                   shown));
    }
}

TEST_F(SheetCliTest, PrefillsAndSavesTheExactLayout) {
    writeAll(dir / "ring.tor", "[KERNWIJS]\r\n[DATEDD]\r\n05\r\n[TYPE2]\r\nFT-50 (43)\r\n");
    writeAll(dir / "VOORVUL.INI", "[PREFILL]\n%% N;C;Top\n10; 100 pF;2 K\n\n20;47 pF;1;x\n");
    const CliRun run = sheet({"ring.tor", "--prefill", "VOORVUL.INI", "-o", "out.tor"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "OK!\n  Alles lijkt OK!\n");
    EXPECT_NE(run.out.find("FT-50 (43)"), std::string::npos) << run.out;
    EXPECT_EQ(readAll(dir / "out.tor"),
              "[KERNWIJS]\r\n"
              "%%  herkenning op 1e regel, na TOKEN regels hierna GEEN comment regels, alleen ervoor!\r\n"
              "%%  DD\r\n[DATEDD]\r\n05\r\n"
              "%%type2\r\n[TYPE2]\r\nFT-50 (43)\r\n"
              "%%invul ringmeetregel1\r\n[M-LINE1]\r\n10\r\n100 pF\r\n\r\n\r\n\r\n\r\n\r\n2 K\r\n\r\n\r\n"
              "%%invul ringmeetregel2\r\n[M-LINE2]\r\n20\r\n47 pF\r\n\r\n\r\n\r\n\r\n\r\n1;x\r\n\r\n\r\n"
              "[END]\r\n"
              "%%  en vanaf hier net zoveel kommentaar als nodig is \r\n");
}

TEST_F(SheetCliTest, PrintsAReadableTableInTheChosenLanguage) {
    writeAll(dir / "ring.tor",
             "[KERNWIJS]\r\n[FABR1]\r\nAmidon\r\n[M-LINE3]\r\n7\r\n1 nF\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
    const CliRun run = sheet({"ring.tor", "--lang", "uk"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Manufacturer   Amidon\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Line  N  C     Fres  mH  f1  f2  Q  Top  Rs  Rp\n"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("3     7  1 nF\n"), std::string::npos) << run.out;
}

TEST_F(SheetCliTest, AWrongFileIsReportedInTheChosenLanguageAndNothingIsWritten) {
    writeAll(dir / "notes.txt", "%% [KERNWIJS]\r\n");
    const CliRun dutch = sheet({"notes.txt", "-o", "out.tor"});
    const CliRun english = sheet({"notes.txt", "-o", "out.tor", "--lang", "UK"});

    EXPECT_EQ(dutch.status, 3);
    EXPECT_EQ(dutch.err,
              "Error!\n  Er is iets mis!\n  Het invoer bestand start NIET zoals het zou moeten\n"
              "  Herstel dit en doe opnieuw\n");
    EXPECT_EQ(english.status, 3);
    EXPECT_EQ(english.err,
              "Error!\n  Something is wrong!\n  The input file doesn't start the way it should\n"
              "  Correct the file and reload\n");
    EXPECT_EQ(english.out, "");
    EXPECT_FALSE(fs::exists(dir / "out.tor"));
}

TEST_F(SheetCliTest, PrefillWarningsAreShownAndTheSheetIsStillPrintedAndSaved) {
    writeAll(dir / "ring.tor", "[KERNWIJS]\r\n");
    std::string eight = "[PREFILL]\r\n";
    for (int k = 1; k <= 8; ++k) {
        eight += std::to_string(k) + ";2;3\r\n";
    }
    const std::string saved = "OK!\n  All looks OK!\n";
    struct Case {
        std::string ini;  // empty: no prefill file at all
        std::string err;
        std::string savedLine;  // a measurement line the saved file holds; empty: nothing saved
    };
    const Case cases[] = {
        // Seven lines filled, the eighth refused.
        {eight, "Warning!\n  Too many input lines!\n" + saved, "[M-LINE7]\r\n7\r\n2\r\n"},
        // Line 1 refused, the next data line still lands on line 2.
        {"[PREFILL]\r\n12 pF\r\n5;6;7\r\n",
         "Warning!\n  Line 2 of VOORVUL.INI is not a proper data line:\n  12 pF\n"
         "  A data line is turns;capacitance;Top value\n  Measurement line 1 was left as it was.\n" +
             saved,
         "[M-LINE2]\r\n5\r\n6\r\n"},
        {"[prefill]\r\n1;2;3\r\n", "Warning!\n  Prefill file VOORVUL.INI not OK!\n", ""},
        {"", "Warning!\n  Prefill file VOORVUL.INI not found!\n", ""},
    };
    for (const auto& c : cases) {
        fs::remove(dir / "out.tor");
        fs::remove(dir / "VOORVUL.INI");
        if (!c.ini.empty()) {
            writeAll(dir / "VOORVUL.INI", c.ini);
        }
        const CliRun run = sheet({"ring.tor", "--prefill", "VOORVUL.INI", "-o", "out.tor", "--lang", "UK"});
        EXPECT_EQ(run.status, 3) << c.ini;
        EXPECT_EQ(run.err, c.err) << c.ini;
        EXPECT_EQ(run.out.empty(), c.savedLine.empty()) << c.ini;
        if (c.savedLine.empty()) {
            EXPECT_FALSE(fs::exists(dir / "out.tor")) << c.ini;
        } else {
            EXPECT_NE(readAll(dir / "out.tor").find(c.savedLine), std::string::npos) << c.ini;
        }
    }
    const CliRun missing = sheet({"ring.tor", "--prefill", "nothere.ini"});
    EXPECT_EQ(missing.status, 3);
    EXPECT_EQ(missing.err, "Melding!\n  VOORVUL.INI niet gevonden!\n");
}

TEST_F(SheetCliTest, AFailedSaveKeepsTheEarlierFileAndSaysWhy) {
    writeAll(dir / "ring.tor", "[KERNWIJS]\r\n[MU]\r\n125\r\n");
    // The temporary file beside a name this long is too long for the file system.
    const std::string earlier(250, 'r');
    writeAll(dir / earlier, "earlier sheet");
    const CliRun run = sheet({"ring.tor", "-o", earlier, "--lang", "UK"});

    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(readAll(dir / earlier), "earlier sheet");
    EXPECT_EQ(run.err, "Error!\n  The file could not be saved:\n  " + earlier +
                           "\n  File name too long\n  An earlier file of that name is unchanged.\n");
}

TEST_F(SheetCliTest, ASaveIntoAReadOnlyFolderKeepsTheEarlierFile) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "the superuser may write into any folder";
    }
    writeAll(dir / "ring.tor", "[KERNWIJS]\r\n");
    fs::create_directory(dir / "locked");
    writeAll(dir / "locked" / "old.tor", "earlier sheet");
    fs::permissions(dir / "locked", fs::perms::owner_read | fs::perms::owner_exec);
    const CliRun run = sheet({"ring.tor", "-o", "locked/old.tor"});
    fs::permissions(dir / "locked", fs::perms::owner_all);

    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(readAll(dir / "locked" / "old.tor"), "earlier sheet");
    EXPECT_NE(run.err.find("Permission denied"), std::string::npos) << run.err;
}

TEST_F(SheetCliTest, UsageErrorsExitWithTwo) {
    writeAll(dir / "ring.tor", "[KERNWIJS]\r\n");
    EXPECT_EQ(sheet({}).status, 2);
    EXPECT_EQ(sheet({"ring.tor", "--lang", "DE"}).status, 2);
    EXPECT_EQ(sheet({"ring.tor", "--unknown"}).status, 2);
}

}  // namespace
