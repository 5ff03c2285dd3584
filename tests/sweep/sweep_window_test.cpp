// The sweep window's record: the -3 dB level, the chart, and every text in both languages.

#include "sweep/sweep_window.h"

#include <gtest/gtest.h>

namespace kw {
namespace {

TEST(SweepWindowTest, TheHalfPowerLevelLiesThreeDecibelsOrARootOfTwoDown) {
    struct Case {
        double peak;
        SweepParameter parameter;
        double expected;
    };
    const Case cases[] = {
        {-6.0, SweepParameter::S21, -9.0},
        {0.0, SweepParameter::S21, -3.0},
        {1000.0, SweepParameter::S11, 707.10678118654752},  // 1000 / 1.41421356
        {0.0, SweepParameter::S11, 0.0},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(HalfPowerLevel(c.peak, c.parameter), c.expected) << c.peak;
    }
}

// A transmission sweep of three points, 9.9 / 10 / 10.1 MHz at -9 / -6 / -9 dB, fitted, f0
// and Q with their deviations; and a reflection sweep at 40 / 60 / 40 dB above one ohm
// (100 / 1000 / 100 ohm) whose fitted tank peaks at 1234.56 ohm, read off, with points set
// aside and repeated.
SweepView transmission() {
    SweepView v;
    v.opened = 1;
    v.file = "/m/tank.s2p";
    v.parameter = SweepParameter::S21;
    v.curve = {{9.9e6, 10e6, 10.1e6}, {-9, -6, -9}, {}};
    v.found = {.f0 = 10e6,
               .f1 = 9.9e6,
               .f2 = 10.1e6,
               .q = 50,
               .peak = -6,
               .fitted = true,
               .fitPoints = 3,
               .f0Uncertainty = 1200,
               .qUncertainty = 4};
    return v;
}

SweepView reflection() {
    SweepView v;
    v.opened = 2;
    v.file = "/m/coil.s1p";
    v.parameter = SweepParameter::S11;
    v.curve = {{3.4e6, 3.5e6, 3.6e6}, {40, 60, 40}, {45, 0, -45}};
    v.found = {.f0 = 3.5e6, .f1 = 3.485447e6, .f2 = 3.5146137e6, .q = 120, .peak = 1234.56, .setAside = 2};
    v.averagedPoints = 2;
    return v;
}

TEST(SweepWindowTest, EveryTextInBothLanguages) {
    struct Case {
        SweepView view;
        bool english;
        const char* caption;
        const char* summary;
        const char* method;
        const char* close;
    };
    const Case cases[] = {
        {transmission(), true, "Sweep - tank.s2p",
         "f0 = 10.0000 ± 0.0012 MHz    f1 = 9.9 MHz    f2 = 10.1 MHz    Q = 50 ± 4    Peak -6 dB",
         "Fitted to the ideal tank over 3 points near the resonance; ± gives one standard deviation.",
         "Close"},
        {transmission(), false, "Meting - tank.s2p",
         "f0 = 10.0000 ± 0.0012 MHz    f1 = 9.9 MHz    f2 = 10.1 MHz    Q = 50 ± 4    Piek -6 dB",
         "Aangepast aan de ideale kring over 3 punten rond de resonantie; ± geeft een standaardafwijking.",
         "Sluiten"},
        // f1 and f2 to eight digits; no deviation: f0 and Q alone.
        {reflection(), true, "Sweep - coil.s1p",
         "f0 = 3.5 MHz    f1 = 3.485447 MHz    f2 = 3.5146137 MHz    Q = 120    Tank 1235 Ω",
         "Read off the sweep points: the ideal tank's curve does not fit this sweep.\n"
         "2 points far beyond the others' scatter were left out.\n"
         "2 points repeated the frequency before them; the points of each frequency were averaged into one.",
         "Close"},
        {reflection(), false, "Meting - coil.s1p",
         "f0 = 3.5 MHz    f1 = 3.485447 MHz    f2 = 3.5146137 MHz    Q = 120    Kring 1235 Ω",
         "Afgelezen van de meetpunten: de curve van de ideale kring past niet bij deze meting.\n"
         "2 punten ver buiten de spreiding van de andere zijn weggelaten.\n"
         "2 punten herhaalden de frequentie ervoor; de punten van elke frequentie zijn gemiddeld tot een.",
         "Sluiten"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        SweepRecord record;
        record.Form_Load(c.view, c.english);
        EXPECT_EQ(record.caption, c.caption);
        EXPECT_EQ(record.lblSummary, c.summary);
        EXPECT_EQ(record.lblMethod, c.method);
        EXPECT_EQ(record.cmdSluiten.caption, c.close);
    }
}

TEST(SweepWindowTest, TheChartMarksTheResonanceAndTheHalfPowerPoints) {
    SweepRecord record;
    record.Form_Load(transmission(), true);
    const SweepChart& s21 = record.chart;
    ASSERT_EQ(s21.series.size(), 3u);
    EXPECT_EQ(s21.series[0].name, "|S21|");
    EXPECT_EQ(s21.series[0].points, (std::vector<ChartPoint>{{9.9, -9}, {10, -6}, {10.1, -9}}));
    EXPECT_EQ(s21.series[1], (ChartSeries{"Resonance", SeriesLook::Dots, {{10, -6}}, false}));
    EXPECT_EQ(s21.series[2].name, "-3 dB points");
    EXPECT_EQ(s21.series[2].look, SeriesLook::Squares);
    EXPECT_EQ(s21.series[2].points, (std::vector<ChartPoint>{{9.9, -9}, {10.1, -9}}));
    EXPECT_EQ(s21.frequency, (ChartAxis{"Frequency (MHz)", true, 9.9, 10.1, true, 0}));
    EXPECT_EQ(s21.level, (ChartAxis{"|S21| (dB)", true, -9, -6, true, 0}));
    EXPECT_FALSE(s21.hasPhase);

    // |Z| in ohm, the marker at 1234.56 ohm above the curve's own points, the phase on its own
    // axis.
    record.Form_Load(reflection(), false);
    const SweepChart& s11 = record.chart;
    ASSERT_EQ(s11.series.size(), 4u);
    EXPECT_EQ(s11.series[0].name, "|Z|");
    ASSERT_EQ(s11.series[0].points.size(), 3u);
    EXPECT_DOUBLE_EQ(s11.series[0].points[0].y, 100.0);
    EXPECT_DOUBLE_EQ(s11.series[0].points[1].y, 1000.0);
    EXPECT_EQ(s11.series[2].name, "±45° punten (-3 dB)");
    EXPECT_DOUBLE_EQ(s11.series[2].points[1].y, 872.965747781664);  // 1234.56 / 1.41421356
    EXPECT_EQ(s11.series[3],
              (ChartSeries{"Fase van Z", SeriesLook::DashedLine, {{3.4, 45}, {3.5, 0}, {3.6, -45}}, true}));
    EXPECT_EQ(s11.level.title, "|Z| (Ω)");
    EXPECT_DOUBLE_EQ(s11.level.low, 100.0);
    EXPECT_DOUBLE_EQ(s11.level.high, 1234.56);
    EXPECT_TRUE(s11.hasPhase);
    EXPECT_EQ(s11.phase, (ChartAxis{"Fase van Z (°)", true, -90, 90, false, 7}));

    // A sweep without points leaves the ranges to the toolkit, and draws no phase.
    SweepView empty = reflection();
    empty.curve = {};
    record.Form_Load(empty, true);
    EXPECT_FALSE(record.chart.frequency.ranged);
    EXPECT_FALSE(record.chart.level.ranged);
    EXPECT_FALSE(record.chart.hasPhase);
    EXPECT_EQ(record.chart.series.size(), 3u);
    EXPECT_TRUE(record.chart.series[0].points.empty());
}

TEST(SweepWindowTest, ANewSweepShowsTheWindowAndCloseHidesIt) {
    SweepRecord record;
    record.followLanguage(transmission(), true);  // nothing opened yet
    EXPECT_EQ(record, SweepRecord{});

    record.showSweep(transmission(), false);
    EXPECT_TRUE(record.visible);
    EXPECT_EQ(record.opened, 1);
    record.cmdSluiten_Click();
    EXPECT_FALSE(record.visible);

    // The language follows while hidden; the window stays hidden until the next sweep.
    record.followLanguage(transmission(), true);
    EXPECT_EQ(record.caption, "Sweep - tank.s2p");
    EXPECT_FALSE(record.visible);
    record.showSweep(reflection(), true);
    EXPECT_TRUE(record.visible);
    EXPECT_EQ(record.opened, 2);
}

}  // namespace
}  // namespace kw
