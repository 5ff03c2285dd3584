#pragma once

#include <functional>

namespace kw::gui {

// Runs one operation of a window record to completion, then redraws both windows.
using Runner = std::function<void(const std::function<void()>&)>;

}  // namespace kw::gui
