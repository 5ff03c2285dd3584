// The windows' places at start on screens of every size and scale, as relations between
// rectangles: inside the screen, apart where they fit, and each window's grips free.

#include "common/window_placement.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kw {
namespace {

// Outer sizes near the real ones at 100 %: the Calculator 330 x 600, the sheet 740 x 600;
// side by side they need 330 + 16 + 740 = 1086 across.
constexpr WindowSize kCalculator{330, 600};
constexpr WindowSize kSheet{740, 600};
constexpr int kTitleBar = 30;
constexpr int kCalculatorKeep = 250;
constexpr int kGrip = 64;
constexpr int kGap = 16;
constexpr int kScrollBar = 16;

struct ScreenCase {
    const char* name;
    Rect available;   // a 30 pixel panel taken off; scaled screens in logical pixels
    bool sideBySide;  // 1086 fits across
    bool calcWhole;   // 600 + 0 fits down and 330 + 64 across
    bool sheetWhole;  // 740 fits right of 250, and 600 fits under a 30 pixel title bar
    Rect calc;        // the places themselves, worked out by hand
    Rect sheet;
};

const ScreenCase kScreens[] = {
    // Side by side: (1280 - 1086) / 2 = 97 from the left, (994 - 600) / 4 = 98 from the top.
    {"1280x1024", {0, 0, 1280, 994}, true, true, true, {97, 98, 330, 600}, {443, 98, 740, 600}},
    // 1024 - 740 = 284 >= 250; the sheet starts under the 30 pixel title bar.
    {"1280x1024 at 125 %", {0, 0, 1024, 795}, false, true, true, {0, 0, 330, 600}, {284, 30, 740, 600}},
    // 853 - 250 = 603 < 740: cut short across, 16 higher for the scroll bar.
    {"1280x1024 at 150 %", {0, 0, 853, 663}, false, true, false, {0, 0, 330, 600}, {250, 30, 603, 616}},
    // 330 + 16 wide, 497 high; the sheet 640 - 250 = 390 wide, 497 - 30 high.
    {"1280x1024 at 200 %", {0, 0, 640, 497}, false, false, false, {0, 0, 346, 497}, {250, 30, 390, 467}},
    {"1024x768", {0, 0, 1024, 738}, false, true, true, {0, 0, 330, 600}, {284, 30, 740, 600}},
    // 48 + (1232 - 1086) / 2 = 121; (1024 - 600) / 4 = 106.
    {"panel on the left", {48, 0, 1232, 1024}, true, true, true, {121, 106, 330, 600}, {467, 106, 740, 600}},
    {"panel on top, 1024x768", {0, 30, 1024, 738}, false, true, true, {0, 30, 330, 600}, {284, 60, 740, 600}},
    // Exactly 1086 across and 600 high still stands side by side, without scroll bars.
    {"exactly large enough", {0, 0, 1086, 600}, true, true, true, {0, 0, 330, 600}, {346, 0, 740, 600}},
    // The Calculator 300 - 64 wide, the sheet the 64 pixel grip beside it.
    {"tiny", {0, 0, 300, 200}, false, false, false, {0, 0, 236, 200}, {236, 30, 64, 170}},
};

bool whole(const Rect& placed, WindowSize asked) {
    return placed.width == asked.width && placed.height == asked.height;
}

TEST(WindowPlacementTest, BothWindowsStayOnTheScreenWithTheirGripsFree) {
    for (const ScreenCase& screen : kScreens) {
        SCOPED_TRACE(screen.name);
        const Placement placed = placeWindows(
            {screen.available, kCalculator, kSheet, kTitleBar, kCalculatorKeep, kGrip, kGap, kScrollBar});
        const Rect& calc = placed.calculator;
        const Rect& sheet = placed.sheet;
        EXPECT_TRUE(screen.available.contains(calc));
        EXPECT_TRUE(screen.available.contains(sheet));
        EXPECT_GT(calc.width * calc.height, 0);
        EXPECT_GT(sheet.width * sheet.height, 0);
        EXPECT_EQ(placed.sideBySide, screen.sideBySide);
        EXPECT_EQ(calc, screen.calc);
        EXPECT_EQ(sheet, screen.sheet);
        EXPECT_EQ(whole(calc, kCalculator), screen.calcWhole);
        EXPECT_EQ(whole(sheet, kSheet), screen.sheetWhole);
        // Cut short in height, with room across: wider by the vertical scroll bar.
        if (calc.height < kCalculator.height &&
            screen.available.width >= kCalculator.width + kScrollBar + kGrip) {
            EXPECT_EQ(calc.width, kCalculator.width + kScrollBar);
        }
        if (placed.sideBySide) {
            EXPECT_FALSE(calc.overlaps(sheet));
            continue;
        }
        // The sheet covers neither the Calculator's title bar nor its buttons ...
        const Rect calcTitle{calc.left, calc.top, calc.width, kTitleBar};
        const Rect calcButtons{calc.left, calc.top, std::min(kCalculatorKeep, calc.width), calc.height};
        EXPECT_FALSE(calcTitle.overlaps(sheet));
        EXPECT_FALSE(calcButtons.overlaps(sheet));
        // ... and the Calculator, in front, leaves a grip of the sheet's title bar.
        EXPECT_GE(sheet.right() - std::max(sheet.left, calc.right()), std::min(kGrip, sheet.width));
    }
}

// Narrower than two grips (100 < 2 x 64): the Calculator keeps half the width, 50, cut short
// in height to 200 - 0; the sheet its grip, from 100 - 64 = 36, under the title bar, 200 - 30 high.
TEST(WindowPlacementTest, AScreenNarrowerThanTwoGripsGivesTheCalculatorHalf) {
    const Placement placed = placeWindows(
        {{0, 0, 100, 200}, kCalculator, kSheet, kTitleBar, kCalculatorKeep, kGrip, kGap, kScrollBar});
    EXPECT_EQ(placed.calculator, (Rect{0, 0, 50, 200}));
    EXPECT_EQ(placed.sheet, (Rect{36, 30, 64, 170}));
}

// A window 640 x 500 opened from an owner, 16 apart, on a 1366 x 738 area unless said.
struct BesideCase {
    const char* name;
    Rect available;
    Rect owner;
    WindowSize size;
    Rect expected;  // worked out by hand
};

constexpr Rect kWide{0, 0, 1366, 738};
constexpr WindowSize kChild{640, 500};

const BesideCase kBeside[] = {
    // 100 + 330 + 16 = 446; 446 + 640 = 1086 fits.
    {"room on the right", kWide, {100, 50, 330, 600}, kChild, {446, 50, 640, 500}},
    // 380 + 330 + 16 = 726; 726 + 640 = 1366, the area's right edge exactly.
    {"exactly room on the right", kWide, {380, 0, 330, 400}, kChild, {726, 0, 640, 500}},
    // 800 - 16 - 640 = 144.
    {"room on the left only", kWide, {800, 100, 500, 600}, kChild, {144, 100, 640, 500}},
    // 656 - 16 - 640 = 0, the area's left edge exactly.
    {"exactly room on the left", kWide, {656, 0, 600, 300}, kChild, {0, 0, 640, 500}},
    // Neither side: 1366 - 640 = 726 against the right edge.
    {"room on neither side", kWide, {655, 0, 600, 300}, kChild, {726, 0, 640, 500}},
    // The top 400 moves up to 738 - 500 = 238.
    {"owner low on the screen", kWide, {100, 400, 330, 300}, kChild, {446, 238, 640, 500}},
    {"taller than the area", kWide, {100, 50, 330, 600}, {640, 800}, {446, 0, 640, 800}},
    {"wider than the area", kWide, {0, 0, 330, 600}, {1400, 500}, {0, 0, 1400, 500}},
    // A panel on the left and on top: the area starts at 48, 30; the owner above it comes down.
    {"panels", {48, 30, 1318, 738}, {48, 10, 330, 600}, kChild, {394, 30, 640, 500}},
};

TEST(WindowPlacementTest, AWindowOpenedFromAnotherStandsBesideIt) {
    for (const BesideCase& c : kBeside) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(placeBeside(c.available, c.owner, c.size, kGap), c.expected);
    }
}

// The help window, on its own, in the middle of the area (1366 x 738 unless said).
TEST(WindowPlacementTest, AWindowOnItsOwnStandsInTheMiddle) {
    const struct {
        const char* name;
        Rect available;
        WindowSize size;
        Rect expected;  // worked out by hand
    } cases[] = {
        // (1366 - 640) / 2 = 363, (738 - 500) / 2 = 119.
        {"fits", kWide, kChild, {363, 119, 640, 500}},
        // Panels on the left and on top: 48 + (1318 - 640) / 2 = 387, 30 + (708 - 500) / 2 = 134.
        {"panels", {48, 30, 1318, 708}, kChild, {387, 134, 640, 500}},
        {"larger than the area", {48, 30, 600, 400}, kChild, {48, 30, 640, 500}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(placeCentred(c.available, c.size), c.expected);
    }
}

}  // namespace
}  // namespace kw
