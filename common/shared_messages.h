#pragma once

// Message boxes that both windows show, written once.

#include <string_view>
#include <vector>

#include "common/services.h"

namespace kw {

inline constexpr std::string_view kErrorTitleEnglish = "Error !";
inline constexpr std::string_view kErrorTitleDutch = "Fout !";

// A message box's title and text in one language; "%1" ... "%9" in the text stand for the
// arguments it is shown with.
struct Wording {
    std::string_view title;
    std::string_view text;
};

// A message box in both languages, with its icon: the one shape of every message table.
struct BilingualMessage {
    Wording nl;
    Wording uk;
    MsgIcon icon = MsgIcon::Critical;
};

// Shows the message in the chosen language, its arguments filled in: OK only, modal to its
// window.
void show(Messages& messages, const BilingualMessage& message, bool english,
          const std::vector<std::string>& args = {});

// Start-up refusal of a second instance; the same in both languages.
MessageBox AlreadyRunningBox();

// The question box before End, Delete Datalines, Delete All and Close; true only on OK.
bool confirm(Messages& messages, bool english);

}  // namespace kw
