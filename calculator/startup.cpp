#include "calculator/calculator.h"

namespace kw {

// TODO(issue 2): start-up.
void Calculator::Form_Load() {}

}  // namespace kw
