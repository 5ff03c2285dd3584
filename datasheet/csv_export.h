#pragma once

// The spreadsheet file written beside the PostScript page: three opening lines, then one
// row of 21 semicolon-separated columns per printed measurement line.

#include <string>
#include <string_view>
#include <vector>

#include "datasheet/datasheet.h"

namespace kw {

inline constexpr int kCsvColumns = 21;

// The column letters, the column names and the decimal-separator note.
std::vector<std::string> csvOpeningLines(bool english);

// The row of measurement line k (1..7).
std::string csvRow(const DataSheet& sheet, int k, bool english);

// The rows of every printed measurement line, in order.
std::vector<std::string> csvRows(const DataSheet& sheet, bool english);

// One field as it goes into a row: a plain decimal number gets the language's decimal
// separator; a line break becomes a blank; a field holding ';' or '"' is quoted with its
// quotes doubled. A field that is no number and starts with '=', '+', '-', '@', a tab or a
// CR is quoted with an apostrophe in front, so that a spreadsheet shows it as text instead
// of running it as a formula; a lone "-" stays as it is.
std::string csvField(std::string_view text, bool english);

// Optional sign, digits and at most one '.' or ',', with at least one digit; blanks around
// it are allowed.
bool isPlainDecimal(std::string_view text);

// The CSV file beside the page: same folder, the file part upper-cased (accented letters too) with its ".PS"
// extension (any case) replaced by ".CSV", or ".CSV" appended when it has none.
std::string csvName(const std::string& pageName);

}  // namespace kw
