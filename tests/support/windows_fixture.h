#pragma once

#include <gtest/gtest.h>

#include "calculator/calculator.h"
#include "common/file_system.h"
#include "datasheet/datasheet.h"
#include "tests/support/fake_platform.h"

namespace kw::test {

// Both windows over the fake platform, wired as the program wires them. Nothing is loaded
// or run yet.
class WindowsTest : public ::testing::Test {
protected:
    WindowsTest() {
        calc.platform = &platform;
        calc.files = &files;
        calc.dataSheet = &form;
    }

    // The data sheet exactly as a new load makes it.
    DataSheet freshSheet() {
        DataSheet sheet;
        sheet.platform = &platform;
        sheet.files = &files;
        sheet.appFolder = platform.appFolder;
        sheet.folders->user = platform.appFolder;
        return sheet;
    }

    FakePlatform platform;
    LocalFileSystem files;
    DataSheetForm form{platform, files};
    Calculator calc;
};

}  // namespace kw::test
