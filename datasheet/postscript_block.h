#pragma once

// The PostScript lines that print a data sheet's texts on the overlay template. They call
// the template's procedures textscale, mm and m; the template draws the form itself.

#include <string>
#include <string_view>
#include <vector>

#include "datasheet/datasheet.h"

namespace kw {

// The inside of a PostScript string literal for text. With bracketConvert, '(' and ')'
// first become '[' and ']'. Every backslash and remaining parenthesis is then escaped and
// control characters become octal escapes, so the string is always well formed.
std::string postScriptString(std::string_view text, bool bracketConvert);

// The block written before every marker line of the template, one entry per line.
std::vector<std::string> postScriptBlock(const DataSheet& sheet);

// Measurement line k (1..7) is printed, and gets a CSV row, when its turns field is not empty.
inline bool measurementLinePresent(const DataSheet& sheet, int k) {
    return !sheet.line(k, LineField::N).empty();
}

}  // namespace kw
