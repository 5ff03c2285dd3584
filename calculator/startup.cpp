#include "calculator/calculator.h"

namespace kw {

// TODO(issue 3): start-up, help and end.
void Calculator::Form_Load() {}
void Calculator::cmdHelp_Click() {}
void Calculator::cmdEinde_Click() {}

}  // namespace kw
