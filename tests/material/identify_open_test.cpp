// Opening the identify window fills both of its parts from the sheet and one catalogue.

#include "material/identify_open.h"

#include <gtest/gtest.h>

#include "tests/support/fake_file_system.h"
#include "tests/support/fake_platform.h"
#include "tests/support/shipped.h"

namespace kw {
namespace {

TEST(IdentifyOpenTest, BothPartsShareTheCatalogueAndTheSheetsTurns) {
    struct Case {
        const char* name;
        std::string turnsTyped;  // in the sweep part's box before opening
        bool readBefore;         // a sweep already read there
        std::string turnsShown;
    };
    const Case cases[] = {
        {"empty box: the first line's turns", "", false, "12"},
        {"typed turns stay", "7", false, "7"},
        {"a sweep read stays", "7", true, "7"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::FakePlatform platform;
        test::FakeFileSystem files;
        files.files["/opt/kernwijs/materials.csv"] = test::shipped("materials.csv");
        DataSheet sheet;
        sheet.platform = &platform;
        sheet.files = &files;
        sheet.appFolder = "/opt/kernwijs";
        sheet.txtType1 = "T-50 rood";
        sheet.line(2, LineField::N) = "12";
        IdentifySweep sweep;
        sweep.txtWindingen.text = c.turnsTyped;
        sweep.hasResult = c.readBefore;
        sweep.file = c.readBefore ? "/m/coil.s1p" : "";
        IdentifyCore core;

        OpenIdentifyWindow(core, sweep, sheet, files);
        ASSERT_FALSE(core.table.materials.empty());
        EXPECT_EQ(core.colour, "red");
        EXPECT_EQ(core.caption, "Kern bepalen");
        EXPECT_EQ(sweep.materials, core.table.materials);
        EXPECT_EQ(sweep.curves, core.curves);
        EXPECT_EQ(sweep.txtWindingen.text, c.turnsShown);
        EXPECT_EQ(sweep.cmdOpslaan.enabled, c.readBefore);
        EXPECT_EQ(sweep.file, c.readBefore ? "/m/coil.s1p" : "");
    }
}

}  // namespace
}  // namespace kw
