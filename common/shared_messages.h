#pragma once

// Message boxes that both windows show, written once.

#include "common/services.h"

namespace kw {

inline constexpr std::string_view kErrorTitleEnglish = "Error !";
inline constexpr std::string_view kErrorTitleDutch = "Fout !";

// Start-up refusal of a second instance; the same in both languages.
MessageBox AlreadyRunningBox();

// The question box before End, Delete Datalines, Delete All and Close; true only on OK.
bool confirm(Messages& messages, bool english);

}  // namespace kw
