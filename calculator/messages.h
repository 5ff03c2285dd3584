#pragma once

// The Calculator's message boxes, in both languages.

#include <string>
#include <string_view>

#include "common/services.h"

namespace kw {

// The errors of the calculation.
enum class CalcError { Fout0, Fout1, Fout2, Fout3, Fout4 };

// The error box: critical icon, OK, system-modal; English when english, Dutch otherwise.
MessageBox CalcErrorBox(CalcError error, bool english);

// Fill Line's question before it writes over a line that holds a measurement (1..7).
MessageBox OverwriteLineBox(int line, bool english);

// Shown at an input box whose change rule put its default back: the range it takes and the
// text put back.
std::string RangeHint(std::string_view range, std::string_view putBack, bool english);

// What an input or result box accepts, shown at the box after a refused key; empty for a
// box without a key filter.
std::string_view KeyHint(std::string_view control, bool english);

}  // namespace kw
