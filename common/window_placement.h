#pragma once

// Where the two windows go at start, worked out from the screen's available area alone so
// that any screen and any scale factor can be tried without one.

namespace kw {

// A rectangle in screen pixels; right() and bottom() lie just outside it.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool contains(const Rect& other) const;
    // True when the two share at least one pixel.
    bool overlaps(const Rect& other) const;
    bool operator==(const Rect&) const = default;
};

struct WindowSize {
    int width = 0;
    int height = 0;
};

struct PlacementRequest {
    Rect available;         // the screen without its panels
    WindowSize calculator;  // outer sizes, window frame included, at the forms' own size
    WindowSize sheet;
    int titleBar = 0;        // height of a window's title bar
    int calculatorKeep = 0;  // width, from the Calculator's left edge, that holds its buttons
    int grip = 0;            // the least width of a title bar left free to take hold of
    int gap = 0;             // between the windows when they stand side by side
    int scrollBar = 0;       // breadth of a scroll bar, added to a window cut short
};

struct Placement {
    Rect calculator;  // outer rectangles; smaller than asked where the screen is smaller
    Rect sheet;
    bool sideBySide = false;
};

// Side by side, centred, when both fit across; otherwise the Calculator at the top left
// and the data sheet overlapping it from the right, starting under the Calculator's title
// bar and right of its buttons, so that neither window can hide what the other needs to be
// taken hold of. Both always lie inside the available area; a window larger than that gets
// the area's size (and scrolls its contents); one cut short in one direction gets a scroll
// bar's room in the other where the area allows, so that it need not scroll both ways.
Placement placeWindows(const PlacementRequest& request);

}  // namespace kw
