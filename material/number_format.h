#pragma once

// Numbers as the identify window shows them: rounded half up, plain decimals, the
// user's decimal separator. A value that is not finite never becomes text.

#include <string>

namespace kw {

// Rounded half up (away from zero) to at most the given decimals, without trailing zeros.
// "–" for a value that is not finite.
std::string formatDecimals(double value, int decimals, char separator);

// About three significant figures: 0 decimals from 100, 1 from 10, 2 from 1, else 3.
std::string formatMeasured(double value, char separator);

// A signed percentage of a fraction, "+4 %" or "-12 %".
std::string formatPercent(double fraction, int decimals, char separator);

// What the window shows where it has no number.
inline constexpr const char* kNoNumber = "–";

}  // namespace kw
