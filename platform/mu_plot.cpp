#include "platform/mu_plot.h"

#include <QChart>
#include <QLegendMarker>
#include <QLogValueAxis>
#include <QXYSeries>
#include <algorithm>
#include <cmath>

namespace kw::gui {

namespace {

QLogValueAxis* logAxis(const QString& title) {
    auto* axis = new QLogValueAxis;
    axis->setTitleText(title);
    axis->setLabelFormat(QStringLiteral("%g"));
    axis->setBase(10.0);
    return axis;
}

}  // namespace

MuPlot::MuPlot(QChart* chart, const QString& title, const QString& axisFrequency, const QString& axisMu)
    : chart_(chart) {
    chart_->removeAllSeries();
    for (QAbstractAxis* axis : chart_->axes()) {
        chart_->removeAxis(axis);
        delete axis;
    }
    chart_->setTitle(title);
    frequency_ = logAxis(axisFrequency);
    mu_ = logAxis(axisMu);
    chart_->addAxis(frequency_, Qt::AlignBottom);
    chart_->addAxis(mu_, Qt::AlignLeft);
}

void MuPlot::include(double value) {
    lowest_ = std::min(lowest_, value);
    highest_ = std::max(highest_, value);
}

void MuPlot::add(QXYSeries* series, const QString& name, const std::vector<ComplexPermeability>& points,
                 bool imag, bool named) {
    series->setName(name);
    for (const auto& pt : points) {
        const double value = imag ? pt.imag : pt.real;
        if (value >= kPlotLowestMu) {
            series->append(pt.freqHz / kHzPerMHz, value);
            include(value);
        }
    }
    attach(series, named);
}

void MuPlot::attach(QAbstractSeries* series, bool named) {
    chart_->addSeries(series);
    series->attachAxis(frequency_);
    series->attachAxis(mu_);
    if (!named) {
        for (QLegendMarker* marker : chart_->legend()->markers(series)) {
            marker->setVisible(false);
        }
    }
}

void MuPlot::setFrequencyRange(double lowMHz, double highMHz) {
    frequency_->setRange(lowMHz, highMHz);
}

void MuPlot::fitMu() {
    mu_->setRange(std::pow(10.0, std::floor(std::log10(lowest_))), std::pow(10.0, std::ceil(std::log10(highest_))));
}

}  // namespace kw::gui
