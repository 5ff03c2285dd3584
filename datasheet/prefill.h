#pragma once

// The prefill file VOORVUL.INI: per measurement line the turns, the total capacitance and the
// Top value that the measuring set-up fixes before a measurement. Written by hand, only read.

#include <string>
#include <string_view>
#include <vector>

#include "datasheet/datasheet.h"

namespace kw {

inline constexpr std::string_view kPrefillFileName = "VOORVUL.INI";
inline constexpr std::string_view kPrefillRecognition = "[PREFILL]";

// A data line that assigned nothing.
struct PrefillProblem {
    enum class Kind {
        TooMany,       // an eighth or later data line
        MissingField,  // fewer than two semicolons; its measurement line is left as it was
    };
    Kind kind = Kind::TooMany;
    int fileLine = 0;         // counted from 1, the recognition line included
    int measurementLine = 0;  // the line it was meant for; 0 for TooMany
    std::string text;         // the line as it stands in the file

    bool operator==(const PrefillProblem&) const = default;
};

struct PrefillOutcome {
    bool recognised = false;  // false: the first line is missing or not "[PREFILL]"; nothing assigned
    std::vector<PrefillProblem> problems;  // in file order

    bool operator==(const PrefillOutcome&) const = default;
};

// Applies a prefill file's text (already decoded, any of CR LF, CR or LF ending a line) to the
// turns, capacitance and Top fields of the sheet's measurement lines.
PrefillOutcome ApplyPrefillText(std::string_view text, DataSheet& sheet);

// The Pre Fill button on the given file: reads it, applies it and shows the messages. False
// when nothing could be applied (no file, unreadable, wrong first line); true when the data
// lines were applied, also when some of them were refused with a warning.
bool PrefillFromFile(DataSheet& sheet, const std::string& path);

}  // namespace kw
