#include "common/window_placement.h"

#include <algorithm>

namespace kw {

bool Rect::contains(const Rect& other) const {
    return other.left >= left && other.top >= top && other.right() <= right() && other.bottom() <= bottom();
}

bool Rect::overlaps(const Rect& other) const {
    return std::max(left, other.left) < std::min(right(), other.right()) &&
           std::max(top, other.top) < std::min(bottom(), other.bottom());
}

Placement placeWindows(const PlacementRequest& request) {
    const Rect& area = request.available;
    const auto room = [&](WindowSize size, int height) {
        if (size.height > height) {
            size.width += request.scrollBar;
        }
        return size;
    };
    const WindowSize calc = room(request.calculator, area.height);
    WindowSize sheet = room(request.sheet, area.height);
    Placement placed;

    if (calc.width + request.gap + sheet.width <= area.width) {
        const int calcHeight = std::min(calc.height, area.height);
        const int sheetHeight = std::min(sheet.height, area.height);
        const int total = calc.width + request.gap + sheet.width;
        const int left = area.left + (area.width - total) / 2;
        // A little above the middle, as a dialog stands.
        const int top = area.top + (area.height - std::max(calcHeight, sheetHeight)) / 4;
        placed.calculator = {left, top, calc.width, calcHeight};
        placed.sheet = {left + calc.width + request.gap, top, sheet.width, sheetHeight};
        placed.sideBySide = true;
        return placed;
    }

    // Leave a grip of the data sheet's title bar beside the Calculator (on a tiny screen,
    // half of it).
    const int calcWidth = std::min(calc.width, std::max(area.width - request.grip, area.width / 2));
    const int calcHeight = std::min(calc.height, area.height);
    placed.calculator = {area.left, area.top, calcWidth, calcHeight};

    const int sheetTop = area.top + std::min(request.titleBar, area.height);
    sheet = room(request.sheet, area.bottom() - sheetTop);
    const int leftmost = std::max(area.left, std::min(area.left + std::min(request.calculatorKeep, calcWidth),
                                                      area.right() - request.grip));
    const int sheetLeft = std::max(area.right() - sheet.width, leftmost);
    const int sheetWidth = area.right() - sheetLeft;
    // Cut short across, it takes a horizontal scroll bar's room in height where there is some.
    const int sheetHeight = sheet.height + (sheetWidth < sheet.width ? request.scrollBar : 0);
    placed.sheet = {sheetLeft, sheetTop, sheetWidth, std::min(sheetHeight, area.bottom() - sheetTop)};
    return placed;
}

Rect placeBeside(const Rect& available, const Rect& owner, WindowSize size, int gap) {
    int left = owner.right() + gap;
    if (left + size.width > available.right()) {
        const int onTheLeft = owner.left - gap - size.width;
        left = onTheLeft >= available.left ? onTheLeft
                                           : std::max(available.left, available.right() - size.width);
    }
    const int top =
        std::clamp(owner.top, available.top, std::max(available.top, available.bottom() - size.height));
    return {left, top, size.width, size.height};
}

Rect placeCentred(const Rect& available, WindowSize size) {
    return {available.left + std::max(0, (available.width - size.width) / 2),
            available.top + std::max(0, (available.height - size.height) / 2), size.width, size.height};
}

}  // namespace kw
