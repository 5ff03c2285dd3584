#include "calculator/calculator.h"

namespace kw {

// TODO(issue 3): the language switch.
void Calculator::optLANG_Click(std::int16_t) {}

}  // namespace kw
