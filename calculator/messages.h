#pragma once

// The Calculator's message boxes, in both languages.

#include "common/services.h"

namespace kw {

// The errors of the calculation.
enum class CalcError { Fout0, Fout1, Fout2, Fout3, Fout4 };

// The error box: critical icon, OK, system-modal; English when english, Dutch otherwise.
MessageBox CalcErrorBox(CalcError error, bool english);

// Start-up refusal of a second instance; the same in both languages.
MessageBox AlreadyRunningBox();

}  // namespace kw
