#pragma once

// Where the windows go, worked out from rectangles alone so that any screen and any scale
// factor can be tried without one: the two main windows at start, and a window opened from
// one of them, or on its own.

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

// A window opened from another (its owner) stands beside it, `gap` apart: on the right where
// it fits inside the available area, else on the left where it fits there, else against the
// area's right edge over the owner's last columns. Its top is level with the owner's, moved up
// as far as it must to end inside the area. A window larger than the area keeps its left and
// top edges, with their title bar and first controls, inside it.
Rect placeBeside(const Rect& available, const Rect& owner, WindowSize size, int gap);

// A window that has no owner to stand beside (help) goes in the middle of the available area;
// one larger than the area keeps its left and top edges inside it.
Rect placeCentred(const Rect& available, WindowSize size);

}  // namespace kw
