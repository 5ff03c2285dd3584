#include "calculator/calculator.h"

namespace kw {

// TODO(issue 2): the calculation.
void Calculator::cmdBereken_Click() {}

}  // namespace kw
