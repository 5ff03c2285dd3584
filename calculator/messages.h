#pragma once

// The Calculator's message boxes, in both languages.

#include <string_view>

#include "common/services.h"

namespace kw {

// The errors of the calculation.
enum class CalcError { Fout0, Fout1, Fout2, Fout3, Fout4 };

// The error box: critical icon, OK, system-modal; English when english, Dutch otherwise.
MessageBox CalcErrorBox(CalcError error, bool english);

// Start-up refusal of a second instance; the same in both languages.
MessageBox AlreadyRunningBox();

// What an input or result box accepts, shown at the box after a refused key; empty for a
// box without a key filter.
std::string_view KeyHint(std::string_view control, bool english);

}  // namespace kw
