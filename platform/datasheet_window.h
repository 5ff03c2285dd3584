#pragma once

// The data sheet window: the sheet drawing with the record's text boxes lying in its
// cells, the button row, the file frame and the language buttons.

#include <QWidget>
#include <map>
#include <string>
#include <string_view>

#include "platform/runner.h"

namespace kw {
struct DataSheet;
class DataSheetForm;
}  // namespace kw

namespace kw::gui {

class IdentifyWindow;

class DataSheetWindow : public QWidget {
    Q_OBJECT
public:
    DataSheetWindow(DataSheetForm& form, Runner run, QWidget* parent = nullptr);

    // Sets every widget from the loaded sheet; fires no events back.
    void render(const DataSheet& sheet);
    // A control by its name ("txtN3", "cmdSluiten", "optLANG_1"); nullptr when there is none.
    QWidget* control(std::string_view name) const;
    // Gives the first control of the keyboard order the focus.
    void focusFirst();
    // The size of the form the controls stand on; the window is that size unless the screen
    // is smaller.
    QSize formSize() const;
    // The identify window, once the µ? button has opened it; nullptr before.
    IdentifyWindow* identifyWindow() const { return identify_; }

signals:
    // F1: the help of the program's language.
    void helpRequested();

protected:
    // The window's own close control asks as the Close button does.
    void closeEvent(QCloseEvent* event) override;
    // A .tor file dropped anywhere on the sheet, its boxes too, opens as Input would.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The identify window belongs to the sheet on display and goes with it.
    void hideEvent(QHideEvent* event) override;

private:
    template <class W>
    W* place(std::string_view name, QRect where, std::string_view container = {});
    template <class W>
    W* place(std::string_view name);
    void buildControls();
    void connectControls();
    void setTabOrder();
    void openIdentify();
    void addShortcuts();
    // True when the drag carries a .tor file, which it then opens on the drop.
    bool takeSheetDrop(QDropEvent* event, bool drop);

public:
    // Opens the identify window over the sheet (made hidden when there is none) and reads a
    // coil-alone sweep into it.
    void openIdentifySweep(const std::string& path);

private:

    DataSheetForm& form_;
    Runner run_;
    std::map<std::string, QWidget*, std::less<>> controls_;
    IdentifyWindow* identify_ = nullptr;  // a child, made on first use
    QWidget* page_ = nullptr;             // the form inside the window's scroll area
};

}  // namespace kw::gui
