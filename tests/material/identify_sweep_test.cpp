#include "material/identify_sweep.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace kw
