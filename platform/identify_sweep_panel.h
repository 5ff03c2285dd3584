#pragma once

// The sweep part of the identify window: the turns box, "Sweep..." and "Save as CSV", what
// the sweep gave, the spot-frequency table, the nearest materials and the plot of µ′ and µ″
// over the band. Draws the IdentifySweep record and forwards its buttons; a sweep file
// dropped on the identify window comes here too.

#include <QGroupBox>

#include "material/identify_sweep.h"
#include "platform/runner.h"

class QChart;
class QChartView;
class QLabel;
class QLineEdit;
class QMimeData;
class QPushButton;
class QTableWidget;

namespace kw {
class DataSheetForm;
}  // namespace kw

namespace kw::gui {

class SweepPanel : public QGroupBox {
    Q_OBJECT
public:
    SweepPanel(DataSheetForm& form, Runner run, QWidget* parent = nullptr);

    // Draws the record as opening the identify window filled it.
    void setRecord(IdentifySweep record);
    // Captions and turns from the sheet; keeps a sweep already read.
    void follow(const DataSheet& sheet);
    // A dropped sweep file; false when the data holds none.
    bool drop(const QMimeData* data);
    static bool holdsSweep(const QMimeData* data);
    // Reads a sweep file into the panel; for an operation already running.
    void openFile(const std::string& path);

    const IdentifySweep& record() const { return sweep_; }

private:
    void render();
    void renderPlot();

    DataSheetForm& form_;
    Runner run_;
    IdentifySweep sweep_;

    QLabel* lblWindingen_ = nullptr;
    QLineEdit* txtWindingen_ = nullptr;
    QPushButton* cmdSweep_ = nullptr;
    QPushButton* cmdOpslaan_ = nullptr;
    QLabel* bestand_ = nullptr;
    QLabel* resultaat_ = nullptr;
    QTableWidget* spots_ = nullptr;
    QTableWidget* ranks_ = nullptr;
    QChartView* plotView_ = nullptr;
    QChart* plot_ = nullptr;
};

}  // namespace kw::gui
