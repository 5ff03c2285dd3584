#pragma once

// The tooltip of every control of the windows, one table per window and language, keyed
// by control name. A control of a numbered row ("txtN3", "txtRegel5") may share the entry
// of its name without the last digit ("txtN", "txtRegel").

#include <string_view>

namespace kw {

enum class TipWindow { Calculator, DataSheet, Identify };

// The control's tooltip in the language, or empty when it has none.
std::string_view ControlTip(TipWindow window, std::string_view control, bool english);

}  // namespace kw
