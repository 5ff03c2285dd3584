#include "platform/program.h"

#include <QGuiApplication>
#include <QScreen>
#include <exception>

#include "platform/calculator_window.h"
#include "platform/datasheet_window.h"

namespace kw::gui {

namespace {
constexpr int kWindowGap = 16;      // [px] between the two windows
constexpr int kFrameAllowance = 8;  // [px] for the window manager's borders
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
    bool anotherInstanceRunning() override { return inner_.anotherInstanceRunning(); }
    bool openFolder(const std::string& folder) override { return inner_.openFolder(folder); }
    bool showHelp(const std::string& helpFile) override { return inner_.showHelp(helpFile); }
    void endProgram() override {
        endRequested_ = true;
        inner_.endProgram();
    }

private:
    Platform& inner_;
    bool endRequested_ = false;
};

Program::Program(Platform& platform, FileSystem& files)
    : services_(std::make_unique<Services>(platform)), form_(*services_, files) {
    calc_.platform = services_.get();
    calc_.dataSheet = &form_;
    calc_.files = &files;
    const Runner runner = [this](const std::function<void()>& operation) { run(operation); };
    calcWindow_ = std::make_unique<CalculatorWindow>(calc_, runner);
    sheetWindow_ = std::make_unique<DataSheetWindow>(form_, runner);
    connect(calcWindow_.get(), &CalculatorWindow::closedByUser, this, &Program::calculatorClosed);
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
    calcWindow_->render();
    if (const DataSheet* sheet = form_.get()) {
        sheetWindow_->render(*sheet);
    }
    followDataSheet();
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
    const int width = calcWindow_->width() + kWindowGap + sheetWindow_->width() + 2 * kFrameAllowance;
    const int left = area.left() + std::max(0, (area.width() - width) / 2);
    const int top = area.top() + std::max(0, (area.height() - sheetWindow_->height()) / 4);
    calcWindow_->move(left, top);
    sheetWindow_->move(left + calcWindow_->width() + kFrameAllowance + kWindowGap, top);
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
