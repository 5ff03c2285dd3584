#pragma once

// The desktop program: both window records, their windows and the platform, from
// start-up to end.

#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>
#include <string_view>

#include "calculator/calculator.h"
#include "common/file_system.h"
#include "common/services.h"
#include "datasheet/datasheet.h"
#include "platform/qt_language.h"

class QWidget;

namespace kw::gui {

class CalculatorWindow;
class DataSheetWindow;

class Program : public QObject {
    Q_OBJECT
public:
    // processes runs Ghostscript and the print system; without it neither is there.
    Program(Platform& platform, FileSystem& files, Processes* processes = nullptr);
    ~Program() override;

    // Runs the Calculator's start-up and shows the windows. False when the program ended
    // during start-up (another instance is running).
    bool start();
    bool ended() const { return ended_; }

    Calculator& calculator() { return calc_; }
    DataSheetForm& dataSheet() { return form_; }
    CalculatorWindow& calculatorWindow() { return *calcWindow_; }
    DataSheetWindow& dataSheetWindow() { return *sheetWindow_; }

    // Draws both records and shows or hides the data sheet window as its form says.
    void renderAll();
    // A second start was refused: the windows come to the front, the Calculator also when
    // it was closed.
    void showAgain();
    // Files given on the command line or handed over by a second start: each opens where
    // it belongs (a sweep in the Calculator, a .tor file on the sheet).
    void openFiles(const QStringList& files);

signals:
    // The program has ended: by End, by a fault that ends it, or because its last window
    // was closed.
    void finished();

private:
    class Services;

    void run(const std::function<void()>& operation);
    void followDataSheet();
    void placeWindows();
    void calculatorClosed();
    void finish();

    // Before the windows, so that it goes after them: taking Qt's texts back then reaches
    // no window of this program.
    QtLanguage qtLanguage_;
    std::unique_ptr<Services> services_;
    DataSheetForm form_;
    Calculator calc_;
    std::unique_ptr<CalculatorWindow> calcWindow_;
    std::unique_ptr<DataSheetWindow> sheetWindow_;
    bool calcClosed_ = false;
    bool ended_ = false;
    int coilSweepsOpened_ = 0;  // the Calculator's coil-alone sweeps handed to the identify window
};

}  // namespace kw::gui
