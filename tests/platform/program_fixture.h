#pragma once

// The desktop program over the fake platform and an in-memory disk, started as a user
// starts it. Controls are found by their names.

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <string>

#include "platform/calculator_window.h"
#include "platform/datasheet_window.h"
#include "platform/program.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_platform.h"

namespace kw::test {

struct RunningProgram {
    FakePlatform platform;
    FakeFileSystem files;
    gui::Program program{platform, files};

    RunningProgram() {
        platform.appFolder = KERNWIJS_RESOURCE_DIR;
        program.start();
    }

    template <class W = QWidget>
    W* calc(const char* name) {
        return qobject_cast<W*>(program.calculatorWindow().control(name));
    }
    template <class W = QWidget>
    W* sheet(const char* name) {
        return qobject_cast<W*>(program.dataSheetWindow().control(name));
    }
    QString calcText(const char* name) { return calc<QLineEdit>(name)->text(); }
    QString sheetText(const char* name) { return sheet<QLineEdit>(name)->text(); }
    void clickCalc(const char* name) { click(calc(name)); }
    void clickSheet(const char* name) { click(sheet(name)); }

    // Near the left edge: on an option button or a check box that is the indicator.
    static void click(QWidget* widget) {
        QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, QPoint(kClickInset, widget->height() / 2));
    }
    static constexpr int kClickInset = 6;  // [px]
};

}  // namespace kw::test
