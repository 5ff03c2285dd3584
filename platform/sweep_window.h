#pragma once

// The sweep window: draws the SweepRecord the Calculator keeps and forwards its Close button.
// The chart is made when the first sweep is opened, not at start-up.

#include <QDialog>

#include "platform/runner.h"
#include "sweep/sweep_window.h"

class QChartView;
class QLabel;
class QPushButton;

namespace kw::gui {

class SweepWindow : public QDialog {
    Q_OBJECT
public:
    SweepWindow(SweepRecord& record, Runner run, QWidget* parent);

    // Sets the title, the chart and the texts from the record; nothing when they are as drawn.
    void render();

private:
    void renderChart();

    SweepRecord& record_;
    Runner run_;
    SweepRecord drawn_;  // what the widgets show
    bool rendered_ = false;
    QChartView* chartView_ = nullptr;
    QLabel* summary_ = nullptr;
    QLabel* method_ = nullptr;
    QPushButton* close_ = nullptr;
};

}  // namespace kw::gui
