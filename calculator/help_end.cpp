#include "calculator/calculator.h"

namespace kw {

// TODO(issue 3): help and end.
void Calculator::cmdHelp_Click() {}
void Calculator::cmdEinde_Click() {}

}  // namespace kw
