#include "platform/program.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <exception>

#include "calculator/captions.h"
#include "common/window_placement.h"
#include "platform/calculator_window.h"
#include "platform/datasheet_window.h"
#include "platform/layout.h"
#include "platform/scrolling_page.h"
#include "sweep/touchstone.h"

namespace kw::gui {

namespace {
// What the window manager adds around a window, in logical pixels, generously: its real
// size is known only once the window is shown.
constexpr int kTitleBarAllowance = 30;
constexpr int kBorderAllowance = 4;  // each side
constexpr int kWindowGap = 16;       // between the two windows side by side
constexpr int kGrip = 64;            // the least of a title bar kept free to take hold of
// The Calculator's command buttons stand left of this (the right edge of Calculate and End).
constexpr std::string_view kRightmostCommand = "cmdEinde";

WindowSize outerSize(QSize form) {
    return {form.width() + 2 * kBorderAllowance, form.height() + kTitleBarAllowance + kBorderAllowance};
}

void putWindow(QWidget& window, const Rect& outer) {
    window.move(outer.left, outer.top);
    sizeScrollingWindow(&window, QSize(outer.width - 2 * kBorderAllowance,
                                       outer.height - kTitleBarAllowance - kBorderAllowance));
}
}  // namespace

// The platform as both records see it: every call goes to the real one, and a request to
// end the program is noted so the windows can follow at once.
class Program::Services : public Platform {
public:
    explicit Services(Platform& inner) : inner_(inner) {}
    bool endRequested() const { return endRequested_; }

    MsgAnswer showMessage(const MessageBox& box) override { return inner_.showMessage(box); }
    void beep() override { inner_.beep(); }
    void setFocus(std::string_view control) override { inner_.setFocus(control); }
    void showHint(std::string_view control, const std::string& text) override {
        inner_.showHint(control, text);
    }
    char decimalSeparator() const override { return inner_.decimalSeparator(); }
    LocalTime now() const override { return inner_.now(); }
    std::optional<std::string> openFileName(const FileDialogRequest& request) override {
        return inner_.openFileName(request);
    }
    std::optional<std::string> saveFileName(const FileDialogRequest& request) override {
        return inner_.saveFileName(request);
    }
    std::string applicationFolder() const override { return inner_.applicationFolder(); }
    std::string currentFolder() const override { return inner_.currentFolder(); }
    std::string documentsFolder() const override { return inner_.documentsFolder(); }
    bool folderWritable(const std::string& folder) const override { return inner_.folderWritable(folder); }
    bool anotherInstanceRunning() override { return inner_.anotherInstanceRunning(); }
    bool openFolder(const std::string& folder) override { return inner_.openFolder(folder); }
    bool showHelp(const std::string& helpFile) override { return inner_.showHelp(helpFile); }
    void followHelp(const std::string& helpFile) override { inner_.followHelp(helpFile); }
    std::optional<std::string> setting(std::string_view key) const override { return inner_.setting(key); }
    void keepSetting(std::string_view key, const std::string& value) override {
        inner_.keepSetting(key, value);
    }
    void endProgram() override {
        endRequested_ = true;
        inner_.endProgram();
    }
    std::optional<PrintChoice> choosePrinter(const std::string& documentName) override {
        return inner_.choosePrinter(documentName);
    }

private:
    Platform& inner_;
    bool endRequested_ = false;
};

Program::Program(Platform& platform, FileSystem& files, Processes* processes)
    : services_(std::make_unique<Services>(platform)), form_(*services_, files, processes) {
    calc_.platform = services_.get();
    calc_.dataSheet = &form_;
    calc_.files = &files;
    const Runner runner = [this](const std::function<void()>& operation) { run(operation); };
    calcWindow_ = std::make_unique<CalculatorWindow>(calc_, runner);
    sheetWindow_ = std::make_unique<DataSheetWindow>(form_, runner);
    connect(calcWindow_.get(), &CalculatorWindow::closedByUser, this, &Program::calculatorClosed);
    connect(sheetWindow_.get(), &DataSheetWindow::helpRequested, this,
            [this] { run([this] { calc_.cmdHelp_Click(); }); });
    placeWindows();
}

Program::~Program() = default;

bool Program::start() {
    run([this] { calc_.Form_Load(); });
    if (ended_) {
        return false;
    }
    calcWindow_->show();
    calcWindow_->activateWindow();
    calcWindow_->focusFirst();
    return true;
}

void Program::run(const std::function<void()>& operation) {
    if (ended_) {
        return;
    }
    try {
        operation();
    } catch (const std::exception& e) {
        // Never expected; the user learns of it instead of losing the program.
        services_->showMessage({"Error !", e.what(), MsgIcon::Critical, MsgButtons::Ok, true});
    }
    if (services_->endRequested()) {
        finish();
        return;
    }
    renderAll();
}

void Program::renderAll() {
    qtLanguage_.use(calc_.Taal == kTaalNL);
    calcWindow_->render();
    if (const DataSheet* sheet = form_.get()) {
        sheetWindow_->render(*sheet);
    }
    followDataSheet();
    // A coil-alone sweep the user chose to read in µ?: opened once the running operation is done.
    if (calc_.coilSweepsOffered != coilSweepsOpened_) {
        coilSweepsOpened_ = calc_.coilSweepsOffered;
        const std::string path = calc_.coilSweepFile;
        QTimer::singleShot(0, this, [this, path] { sheetWindow_->openIdentifySweep(path); });
    }
}

void Program::followDataSheet() {
    if (form_.visible()) {
        if (!sheetWindow_->isVisible()) {
            sheetWindow_->focusFirst();
            sheetWindow_->show();
        } else if (sheetWindow_->isMinimized()) {
            sheetWindow_->showNormal();
        }
        return;
    }
    if (sheetWindow_->isVisible()) {
        sheetWindow_->hide();
    }
    // The Calculator was closed before: with the sheet gone no window is left to work in.
    if (calcClosed_) {
        finish();
    }
}

void Program::showAgain() {
    if (ended_) {
        return;
    }
    calcClosed_ = false;
    if (form_.visible()) {
        sheetWindow_->showNormal();
        sheetWindow_->raise();
    }
    calcWindow_->showNormal();
    calcWindow_->raise();
    calcWindow_->activateWindow();
}

void Program::openFiles(const QStringList& files) {
    for (const QString& file : files) {
        const std::string path = file.toStdString();
        run([&] { calc_.openFile(path); });
        // A sheet file is read on the sheet, which comes to the front; a sweep's window
        // comes forward by itself.
        const int ports = PortsFromFileName(path);
        if (ports != 1 && ports != 2 && form_.visible()) {
            sheetWindow_->raise();
            sheetWindow_->activateWindow();
        }
    }
}

void Program::calculatorClosed() {
    calcClosed_ = true;
    // Closing the Calculator leaves the data sheet open; without it nothing is left.
    if (!form_.visible()) {
        finish();
    }
}

void Program::placeWindows() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    const QRect area = screen->availableGeometry();
    PlacementRequest request;
    request.available = {area.left(), area.top(), area.width(), area.height()};
    request.calculator = outerSize(calcWindow_->formSize());
    request.sheet = outerSize(sheetWindow_->formSize());
    request.titleBar = kTitleBarAllowance;
    request.calculatorKeep =
        calculatorRect(placeOf(kCalculatorPlaces, kRightmostCommand)).right() + 2 * kBorderAllowance;
    request.grip = kGrip;
    request.gap = kWindowGap;
    request.scrollBar = scrollBarBreadth(calcWindow_.get());
    const Placement placed = kw::placeWindows(request);
    putWindow(*calcWindow_, placed.calculator);
    putWindow(*sheetWindow_, placed.sheet);
}

void Program::finish() {
    if (ended_) {
        return;
    }
    ended_ = true;
    sheetWindow_->hide();
    calcWindow_->hide();
    emit finished();
}

}  // namespace kw::gui
