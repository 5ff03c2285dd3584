#pragma once

// How the Calculator writes a computed value into a result field.

#include <string>

namespace kw {

// value rounded half up to `decimals` decimals, written with at most 15 significant digits
// and the given decimal separator: no trailing zeros, no separator for a whole number, a
// zero before the separator below 1. Values of 10^15 and more, whose digits 15 significant
// places cannot all write, get the exponent form "2.533E+21". A value that is not finite
// gives "err"; the calculation never hands one over.
std::string ResultText(double value, int decimals, char separator);

}  // namespace kw
