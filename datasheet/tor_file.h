#pragma once

// The toroid data file (.tor): a line-oriented text meant to be read and edited by hand.
// Every value stands on a line of its own after a bracketed token line.

#include <string>
#include <string_view>

#include "datasheet/datasheet.h"

namespace kw {

inline constexpr std::string_view kTorRecognition = "[KERNWIJS]";

// The whole file text for the sheet, in memory as UTF-8, every line ended by CR LF.
// Only filled fields are written; a measurement line only when its turns field is filled.
std::string TorFileText(const DataSheet& sheet);

enum class TorReadOutcome {
    Loaded,            // read up to "[END]" or to the end of the file
    WrongStart,        // the first line does not begin with the recognition token; nothing assigned
    EndedInsideBlock,  // the file ended before a block's last value line; earlier values stay
};

// Applies a file's text (already decoded, any of CR LF, CR or LF ending a line) to the sheet.
// Fields whose token does not occur keep their text.
TorReadOutcome ApplyTorText(std::string_view text, DataSheet& sheet);

}  // namespace kw
