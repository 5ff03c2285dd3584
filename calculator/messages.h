#pragma once

// Every message and hint the Calculator shows, in both languages.

#include <string_view>

#include "common/shared_messages.h"

namespace kw {

// The errors of the calculation.
enum class CalcError { Fout0, Fout1, Fout2, Fout3, Fout4 };

// The calculation's error box: critical icon, OK, modal to the desktop.
const BilingualMessage& CalcErrorMessage(CalcError error);

// Fill Line's question before it writes over a line that holds a measurement: %1 the line.
inline constexpr BilingualMessage kOverwriteLine = {
    .nl = {"Bevestiging", "Regel %1 bevat al een meting.\rOverschrijven?"},
    .uk = {"Confirmation", "Line %1 already holds a measurement.\rOverwrite it?"},
    .icon = MsgIcon::Question,
    .buttons = MsgButtons::OkCancel,
};

// Help without its file.
inline constexpr BilingualMessage kHelpNotFound = {
    .nl = {kErrorTitleDutch, "Er is iets mis!   \rHelp bestand KERNWIJS_NL.HLP niet gevonden  \r"},
    .uk = {kErrorTitleEnglish, "Something is wrong!   \rHelp file KERNWIJS_UK.HLP not found  \r"},
    .systemModal = true,
};

// A sweep without a resonance, offered to the identify window: %1 the file, %2 and %3 its
// band in MHz.
inline constexpr BilingualMessage kCoilSweepOffer = {
    .nl = {"Sweep",
           "%1 heeft geen resonantie: de impedantie blijft van %2 tot %3 MHz inductief.\r"
           "Dit lijkt een sweep van de spoel alleen, zonder condensator.\r"
           "Openen in µ? om de µ′ en µ″ van de kern te bepalen?"},
    .uk = {"Sweep",
           "%1 has no resonance: the impedance stays inductive from %2 to %3 MHz.\r"
           "This looks like a sweep of the coil alone, without a capacitor.\r"
           "Open it in µ? to read the core's µ′ and µ″?"},
    .icon = MsgIcon::Question,
    .buttons = MsgButtons::OkCancel,
};

// Opening a sweep: %1 the file, %2 the system's reason.
inline constexpr BilingualMessage kSweepReadFailed = {
    .nl = {kErrorTitleDutch, "Het bestand kon niet worden gelezen:\r%1\r%2\r"},
    .uk = {kErrorTitleEnglish, "The file could not be read:\r%1\r%2\r"},
};
// Opening a sweep: %1 the file, %2 what was wrong.
inline constexpr BilingualMessage kSweepUnusable = {
    .nl = {kErrorTitleDutch, "De meting kon niet worden gebruikt:\r%1\r%2"},
    .uk = {kErrorTitleEnglish, "The sweep could not be used:\r%1\r%2"},
};

// Shown at an input box whose change rule put its default back: %1 the range it takes, %2
// the text put back.
inline constexpr BilingualMessage kRangeHint = {
    .nl = {{}, "Buiten het bereik (%1): %2 teruggezet"},
    .uk = {{}, "Out of range (%1): %2 put back"},
};

// What an input or result box accepts, shown at the box after a refused key; empty for a
// box without a key filter.
std::string_view KeyHint(std::string_view control, bool english);

}  // namespace kw
