#pragma once

// The sweep window as a record: the sweep the Calculator opened last, as a curve over
// frequency with the resonance and the two -3 dB points marked (|S21| in dB, or |Z| and its
// phase for a reflection sweep), the numbers found and how they came about. A toolkit
// binding only draws the record and forwards the Close button.

#include <string>
#include <vector>

#include "common/controls.h"
#include "sweep/resonance.h"

namespace kw {

// How a series is drawn.
enum class SeriesLook { Line, DashedLine, Dots, Squares };

struct ChartPoint {
    double x = 0;
    double y = 0;

    bool operator==(const ChartPoint&) const = default;
};

struct ChartSeries {
    std::string name;
    SeriesLook look = SeriesLook::Line;
    std::vector<ChartPoint> points;
    bool phaseAxis = false;  // against the phase axis on the right, not the level axis

    bool operator==(const ChartSeries&) const = default;
};

struct ChartAxis {
    std::string title;
    bool ranged = false;  // false: the toolkit's own range
    double low = 0;
    double high = 0;
    bool rounded = false;  // widened to round numbers at the ticks
    int ticks = 0;         // 0: the toolkit's own count

    bool operator==(const ChartAxis&) const = default;
};

struct SweepChart {
    std::vector<ChartSeries> series;  // in drawing order, the curve first
    ChartAxis frequency;              // [MHz] at the bottom
    ChartAxis level;                  // |S21| [dB] or |Z| [ohm] on the left
    bool hasPhase = false;
    ChartAxis phase;  // [°] on the right, S11 only

    bool operator==(const SweepChart&) const = default;
};

// The level of the two -3 dB points: 3 dB under an |S21| peak in dB, 1/√2 of a tank's |Z| in ohm.
double HalfPowerLevel(double peak, SweepParameter parameter);

struct SweepRecord {
    std::string caption;  // the window title, with the file's name
    SweepChart chart;
    std::string lblSummary;  // f0, f1, f2, Q and the peak
    std::string lblMethod;   // how the numbers came about, one line each
    Button cmdSluiten;
    bool visible = false;
    int opened = 0;  // SweepView::opened of the sweep shown; a new one comes to the front

    bool operator==(const SweepRecord&) const = default;

    // Fills every text and the chart from the sweep, in the language given.
    void Form_Load(const SweepView& view, bool english);
    // Hides the window; the next sweep opened shows it again.
    void cmdSluiten_Click();

    // A sweep just opened: loads it and shows the window.
    void showSweep(const SweepView& view, bool english);
    // The Calculator's language switch: texts of a loaded window in the new language.
    void followLanguage(const SweepView& view, bool english);
};

}  // namespace kw
