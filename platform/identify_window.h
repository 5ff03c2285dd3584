#pragma once

// The "Identify core" window over the data sheet: draws the IdentifyCore record of the
// loaded sheet and forwards its button that writes µr into the sheet. While it is open it
// follows the sheet, so what it shows (and what it writes) is never out of date.

#include <QDialog>
#include <array>

#include "material/identify_core.h"
#include "platform/runner.h"

class QChart;
class QChartView;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace kw {
class DataSheetForm;
}  // namespace kw

namespace kw::gui {

class SweepPanel;

class IdentifyWindow : public QDialog {
    Q_OBJECT
public:
    IdentifyWindow(DataSheetForm& form, Runner run, QWidget* parent);

    // Reads the sheet and the material table afresh and brings the window to the front.
    void showFor(const DataSheet& sheet);
    // Reads the sheet again, with the table read at opening; nothing while hidden.
    void follow(const DataSheet& sheet);
    const IdentifyCore& record() const { return core_; }
    // Reads a coil-alone sweep into the window's sweep part (the Calculator hands it over).
    void openSweep(const std::string& path);
    const SweepPanel* sweepPanel() const { return sweepPanel_; }

protected:
    // A sweep file dropped on the window goes to the sweep panel.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    struct ValueRow {
        QLabel* label;
        QLabel* value;
    };

    void buildControls();
    void placeBesideSheet();
    void render();
    void renderTips(bool english);
    void renderValue(const ValueRow& row, const LabelledValue& shown);
    void renderPlot();

    DataSheetForm& form_;
    Runner run_;
    IdentifyCore core_;
    bool placed_ = false;

    QFrame* hintStrip_ = nullptr;
    QLabel* hints_ = nullptr;
    QGroupBox* frameMaten_ = nullptr;
    std::array<ValueRow, 5> dimensions_{};  // outer, inner, height, le, Ae
    QGroupBox* frameRegels_ = nullptr;
    QTableWidget* lineRows_ = nullptr;
    std::array<ValueRow, 6> summary_{};  // mean AL, spread, corrected AL, mean µr, µr range, size
    QGroupBox* frameEigenC_ = nullptr;
    QLabel* eigenC_ = nullptr;
    QGroupBox* frameKandidaten_ = nullptr;
    QLabel* familie_ = nullptr;
    QFrame* warningStrip_ = nullptr;
    QLabel* waarschuwing_ = nullptr;
    QLabel* lblKleur_ = nullptr;
    QComboBox* cboKleur_ = nullptr;
    QTableWidget* candidateRows_ = nullptr;
    QLabel* groepen_ = nullptr;
    QLabel* rangorde_ = nullptr;
    QLabel* catalogus_ = nullptr;
    QChartView* plotView_ = nullptr;
    QChart* plot_ = nullptr;
    QPushButton* cmdMu_ = nullptr;
    QPushButton* cmdSluiten_ = nullptr;
    SweepPanel* sweepPanel_ = nullptr;
};

}  // namespace kw::gui
