#include "calculator/calculator.h"

namespace kw {

// TODO(issue 2): method and unit options.
void Calculator::optCapVal_Click(std::int16_t) {}
void Calculator::optFreq_Click(std::int16_t) {}
void Calculator::optTOPC_Click(std::int16_t) {}
void Calculator::chkQaan_Click() {}

}  // namespace kw
