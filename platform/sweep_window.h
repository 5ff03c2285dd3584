#pragma once

// The sweep the Calculator opened last, as a curve over frequency with the resonance and the
// two -3 dB points marked: |S21| in dB, or |Z| and its phase for a reflection sweep. The chart
// is made when the first sweep is opened, not at start-up.

#include <QDialog>

#include "sweep/resonance.h"

class QChart;
class QChartView;
class QLabel;
class QPushButton;

namespace kw::gui {

class SweepWindow : public QDialog {
    Q_OBJECT
public:
    explicit SweepWindow(QWidget* parent);

    // Draws the sweep with its texts in the language given.
    void render(const SweepView& view, bool english);

private:
    QChartView* chartView_ = nullptr;
    QLabel* summary_ = nullptr;
    QLabel* method_ = nullptr;
    QPushButton* close_ = nullptr;
};

}  // namespace kw::gui
