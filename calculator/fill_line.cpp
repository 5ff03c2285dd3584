#include "calculator/calculator.h"

namespace kw {

// TODO(issue 3): Fill Line.
void Calculator::cmdBestand_Click() {}

}  // namespace kw
