#pragma once

// The one shape of every text a window shows in both languages, the one way to show a
// message box, and the boxes both windows show.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "common/services.h"

namespace kw {

// A text in one language: a message box's title, its text and its buttons' captions, or,
// with no title, a line shown elsewhere (a hint, a refusal, a part of a longer text). "%1"
// ... "%9" in the text stand for the arguments it is shown with; lines are joined by a CR.
struct Wording {
    std::string_view title;
    std::string_view text;
    std::array<std::string_view, 3> buttons = {};  // in the box's order; empty: the toolkit's

    bool operator==(const Wording&) const = default;
};

// A text in both languages and, for a message box, its icon, buttons and modality: the one
// shape of every message and text table.
struct BilingualMessage {
    Wording nl;
    Wording uk;
    MsgIcon icon = MsgIcon::Critical;
    MsgButtons buttons = MsgButtons::Ok;
    bool systemModal = false;  // true: modal to the whole desktop, not only to its window

    const Wording& in(bool english) const { return english ? uk : nl; }
    // The text in the chosen language, its arguments filled in.
    std::string text(bool english, const std::vector<std::string>& args = {}) const;

    bool operator==(const BilingualMessage&) const = default;
};

inline constexpr std::string_view kErrorTitleEnglish = "Error !";
inline constexpr std::string_view kErrorTitleDutch = "Fout !";

// Shows the message box in the chosen language, its arguments filled in, and gives the
// button the user chose.
MsgAnswer show(Messages& messages, const BilingualMessage& message, bool english,
               const std::vector<std::string>& args = {});

// Start-up refusal of a second instance; the same in both languages, modal to the desktop.
inline constexpr BilingualMessage kAlreadyRunning = {
    .nl = {kErrorTitleEnglish, "The application is already running!!! \r"},
    .uk = {kErrorTitleEnglish, "The application is already running!!! \r"},
    .systemModal = true,
};

// The question before End, Delete Datalines, Delete All and Close.
inline constexpr BilingualMessage kConfirm = {
    .nl = {"Bevestiging", "Zeker weten?"},
    .uk = {"Confirmation", "You're sure?"},
    .icon = MsgIcon::Question,
    .buttons = MsgButtons::OkCancel,
};

// kConfirm shown; true only on OK.
bool confirm(Messages& messages, bool english);

}  // namespace kw
