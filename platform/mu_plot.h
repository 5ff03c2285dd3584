#pragma once

// The log-log plot of µ over frequency that the identify window and its sweep part draw:
// the chart cleared, a title, logarithmic axes in MHz and µ, and series added on them with
// the range of everything drawn kept, so the µ axis ends on whole decades around it.

#include <QString>
#include <vector>

#include "material/core_catalogue.h"

class QAbstractSeries;
class QChart;
class QLogValueAxis;
class QXYSeries;

namespace kw::gui {

// The µ axis is logarithmic; µ″ runs down towards zero and is cut here.
inline constexpr double kPlotLowestMu = 0.1;
inline constexpr double kHzPerMHz = 1.0e6;

class MuPlot {
public:
    MuPlot(QChart* chart, const QString& title, const QString& axisFrequency, const QString& axisMu);

    // µ′ or µ″ of the points from kPlotLowestMu up; the legend names it when named.
    void add(QXYSeries* series, const QString& name, const std::vector<ComplexPermeability>& points, bool imag,
             bool named);
    // The range drawn so far widens to a value (for series drawn apart).
    void include(double value);
    void attach(QAbstractSeries* series, bool named);
    // Whole decades around everything drawn.
    void fitMu();
    void setFrequencyRange(double lowMHz, double highMHz);

private:
    QChart* chart_;
    QLogValueAxis* frequency_ = nullptr;
    QLogValueAxis* mu_ = nullptr;
    double lowest_ = 1.0;
    double highest_ = 10.0;
};

}  // namespace kw::gui
