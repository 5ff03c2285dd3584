#include "material/identify_sweep.h"

#include <gtest/gtest.h>

#include "tests/support/coil_sweep.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_platform.h"

namespace kw {
namespace {

// Save as CSV asks for a file only with a result to write and a file system to write it to.
TEST(IdentifySweepTest, SaveAsksForAFileOnlyWhenItCanWrite) {
    struct Case {
        bool hasResult;
        bool withFiles;
        std::size_t dialogs;
    };
    for (const Case& c : {Case{true, true, 1}, Case{false, true, 0}, Case{true, false, 0}}) {
        test::FakePlatform platform;
        test::FakeFileSystem files;
        DataSheet sheet;
        sheet.platform = &platform;
        sheet.files = c.withFiles ? &files : nullptr;
        platform.dialogAnswers.push_back(std::nullopt);  // the dialog, when asked, is cancelled
        IdentifySweep sweep;
        sweep.hasResult = c.hasResult;
        sweep.file = "/home/ham/ft50.s1p";
        sweep.cmdOpslaan_Click(sheet);
        EXPECT_EQ(platform.saveDialogs.size(), c.dialogs) << c.hasResult << c.withFiles;
    }
}

// A sweep read enables Save as CSV, plots both µ′ and µ″ and lists the spot frequencies in
// the desktop's decimal separator.
TEST(IdentifySweepTest, ASweepReadEnablesSaveAndIsPlotted) {
    test::FakePlatform platform;
    platform.separator = ',';
    test::FakeFileSystem files;
    DataSheet sheet;
    sheet.platform = &platform;
    sheet.files = &files;
    sheet.txtBuiten = "12.7";
    sheet.txtBinnen = "7.15";
    sheet.txtHoog = "4.8";
    test::CoilOnCore c;
    c.mu = [](double) { return std::complex<double>(125, -1); };
    c.l0 = 100 * 2e-7 * 4.8e-3 * 0.57446;  // ten turns on an FT-50
    files.files["/home/ham/ft50.s1p"] = test::coilSweepText(test::coilSweep(c));
    IdentifySweep sweep;
    sweep.txtWindingen.text = "10";
    ASSERT_TRUE(sweep.openSweep("/home/ham/ft50.s1p", sheet));
    EXPECT_TRUE(sweep.cmdOpslaan.enabled);
    EXPECT_TRUE(sweep.plot.measured.hasImag);
    ASSERT_GE(sweep.spotRows.size(), 2u);
    EXPECT_EQ(sweep.spotRows[1][0], "3,5");  // 3.5 MHz
    EXPECT_EQ(sweep.plot.measured.points.size(), sweep.result.permeability.points.size());
}

}  // namespace
}  // namespace kw
