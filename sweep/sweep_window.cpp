#include "sweep/sweep_window.h"

#include <algorithm>
#include <cmath>

#include "common/path_text.h"
#include "common/text.h"
#include "sweep/field_texts.h"
#include "sweep/sweep_texts.h"
#include "sweep/touchstone.h"

namespace kw {

namespace {

constexpr double kHertzPerMegahertz = 1e6;
constexpr double kHalfPowerRatio = 0.70710678118654752;  // |Z| at the -3 dB points
constexpr double kHalfPowerDb = 3.0;
constexpr double kDecibelsPerDecade = 20.0;  // of an amplitude
constexpr int kEdgeDigits = 8;               // f1 and f2 in the summary
constexpr int kPeakDigits = 4;
constexpr double kPhaseLimit = 90.0;  // [°] a tank's phase stays within ±90°
constexpr int kPhaseTicks = 7;        // every 30°

double megahertz(double hertz) {
    return hertz / kHertzPerMegahertz;
}

// The curve as drawn: |S21| in dB, or |Z|, kept in dB above one ohm, shown in ohm.
ChartSeries curveSeries(const SweepView& view, const SweepTexts& t) {
    const bool s21 = view.parameter == SweepParameter::S21;
    const SweepCurve& c = view.curve;
    ChartSeries curve{std::string(s21 ? t.seriesS21 : t.seriesZ), SeriesLook::Line, {}, false};
    for (std::size_t i = 0; i < c.hertz.size(); ++i) {
        const double y = s21 ? c.level[i] : std::pow(10.0, c.level[i] / kDecibelsPerDecade);
        curve.points.push_back({megahertz(c.hertz[i]), y});
    }
    return curve;
}

// The level axis spans the curve and the resonance marker.
ChartAxis levelAxis(const ChartSeries& curve, double top, std::string_view title) {
    ChartAxis axis{std::string(title)};
    if (curve.points.empty()) {
        return axis;
    }
    axis.ranged = true;
    axis.rounded = true;
    axis.low = top;
    axis.high = top;
    for (const ChartPoint& p : curve.points) {
        axis.low = std::min(axis.low, p.y);
        axis.high = std::max(axis.high, p.y);
    }
    return axis;
}

SweepChart chartOf(const SweepView& view, const SweepTexts& t) {
    const bool s21 = view.parameter == SweepParameter::S21;
    const SweepCurve& c = view.curve;
    const Resonance& r = view.found;
    SweepChart chart;
    chart.series.push_back(curveSeries(view, t));

    // The fitted tank at f0 and its -3 dB points.
    const double down = HalfPowerLevel(r.peak, view.parameter);
    chart.series.push_back(
        {std::string(t.markResonance), SeriesLook::Dots, {{megahertz(r.f0), r.peak}}, false});
    chart.series.push_back({std::string(s21 ? t.markHalfPower : t.markPhaseHalfPower),
                            SeriesLook::Squares,
                            {{megahertz(r.f1), down}, {megahertz(r.f2), down}},
                            false});

    chart.frequency.title = t.axisFrequency;
    if (!c.hertz.empty()) {
        chart.frequency.ranged = true;
        chart.frequency.rounded = true;
        chart.frequency.low = megahertz(c.hertz.front());
        chart.frequency.high = megahertz(c.hertz.back());
    }
    chart.level = levelAxis(chart.series.front(), r.peak, s21 ? t.axisS21 : t.axisZ);

    if (!s21 && !c.phaseDeg.empty()) {
        ChartSeries phase{std::string(t.seriesPhase), SeriesLook::DashedLine, {}, true};
        for (std::size_t i = 0; i < c.hertz.size(); ++i) {
            phase.points.push_back({megahertz(c.hertz[i]), c.phaseDeg[i]});
        }
        chart.series.push_back(std::move(phase));
        chart.hasPhase = true;
        chart.phase = {std::string(t.axisPhase), true, -kPhaseLimit, kPhaseLimit, false, kPhaseTicks};
    }
    return chart;
}

std::string summaryOf(const SweepView& view, const SweepTexts& t) {
    const Resonance& r = view.found;
    const bool s21 = view.parameter == SweepParameter::S21;
    return FillIn(t.summary,
                  {WithUncertainty(megahertz(r.f0), megahertz(r.f0Uncertainty)),
                   GeneralNumber(megahertz(r.f1), kEdgeDigits), GeneralNumber(megahertz(r.f2), kEdgeDigits),
                   WithUncertainty(r.q, r.qUncertainty)}) +
           std::string(t.summaryGap) +
           FillIn(s21 ? t.peakS21 : t.peakZ, {GeneralNumber(r.peak, kPeakDigits)});
}

// How the numbers came about, and one line each on what limits them.
std::string methodOf(const SweepView& view, const SweepTexts& t, bool english) {
    const Resonance& r = view.found;
    std::string text = r.fitted ? FillIn(t.fitted, {std::to_string(r.fitPoints)}) : std::string(t.readOff);
    const auto addLine = [&text](const std::string& line) {
        if (!line.empty()) {
            text += '\n';
            text += line;
        }
    };
    if (r.setAside > 0) {
        addLine(FillIn(t.setAside, {std::to_string(r.setAside)}));
    }
    addLine(DescribeAdvice(r, english));
    addLine(DescribeAveragedPoints(view.averagedPoints, english));
    return text;
}

}  // namespace

double HalfPowerLevel(double peak, SweepParameter parameter) {
    return parameter == SweepParameter::S21 ? peak - kHalfPowerDb : peak * kHalfPowerRatio;
}

void SweepRecord::Form_Load(const SweepView& view, bool english) {
    const SweepTexts& t = sweepTexts(english);
    caption = FillIn(t.caption, {FileOnly(view.file)});
    chart = chartOf(view, t);
    lblSummary = summaryOf(view, t);
    lblMethod = methodOf(view, t, english);
    cmdSluiten.caption = t.close;
}

void SweepRecord::cmdSluiten_Click() {
    visible = false;
}

void SweepRecord::showSweep(const SweepView& view, bool english) {
    Form_Load(view, english);
    opened = view.opened;
    visible = true;
}

void SweepRecord::followLanguage(const SweepView& view, bool english) {
    if (opened != 0) {
        Form_Load(view, english);
    }
}

}  // namespace kw
