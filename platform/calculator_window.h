#pragma once

// The Calculator window: draws the Calculator record and turns the user's actions into
// its operations.

#include <QWidget>
#include <map>
#include <string>
#include <string_view>

#include "platform/runner.h"

class QComboBox;
class QLabel;
class QGroupBox;
class QRadioButton;
class QAbstractButton;

namespace kw {
struct Calculator;
}

namespace kw::gui {

class KeyFilterLineEdit;
class SweepWindow;

class CalculatorWindow : public QWidget {
    Q_OBJECT
public:
    CalculatorWindow(Calculator& calculator, Runner run, QWidget* parent = nullptr);

    // Sets every widget from the record; fires no events back.
    void render();
    // A control by its name ("txtCap", "optLANG_1"); nullptr when there is none.
    QWidget* control(std::string_view name) const;
    // Gives the first control of the keyboard order that takes the focus the focus.
    void focusFirst();
    // The size of the form the controls stand on; the window is that size unless the screen
    // is smaller.
    QSize formSize() const;

signals:
    // The window's own close control was used.
    void closedByUser();

protected:
    void closeEvent(QCloseEvent* event) override;
    // A .s1p or .s2p file dropped onto the window opens it as the Sweep button would.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QWidget* container(std::string_view name) const;
    template <class W>
    W* place(std::string_view name);
    void buildControls();
    void connectControls();
    void setTabOrder();
    void placeLine();
    void renderSweep();

    Calculator& calc_;
    Runner run_;
    std::map<std::string, QWidget*, std::less<>> controls_;
    QWidget* page_ = nullptr;  // the form inside the window's scroll area
    SweepWindow* sweepWindow_ = nullptr;  // a child, made when the first sweep is opened
    int sweepShown_ = 0;                  // the count of sweeps opened when it was last shown

public:
    SweepWindow* sweepWindow() const { return sweepWindow_; }
};

}  // namespace kw::gui
