#pragma once

// Text helpers shared by every layer. Files are Windows-1252 bytes; in memory every text
// is UTF-8.

#include <string>
#include <string_view>
#include <vector>

namespace kw {

bool IsValidUtf8(std::string_view bytes);

// Windows-1252 bytes to UTF-8. The five bytes Windows-1252 leaves undefined map to the
// C1 control characters of the same number, so no byte is lost.
std::string Cp1252ToUtf8(std::string_view bytes);

// True when every character of the UTF-8 text has a Windows-1252 byte.
bool FitsCp1252(std::string_view utf8);

// UTF-8 to Windows-1252; a character without a byte becomes '?'.
std::string Utf8ToCp1252(std::string_view utf8);

// A file's bytes as text: valid UTF-8 stays as it is (without a leading byte-order mark),
// anything else is read as Windows-1252.
std::string DecodeFileText(std::string_view bytes);

// A text as file bytes: Windows-1252 when every character fits and the bytes cannot be
// mistaken for UTF-8, otherwise UTF-8. DecodeFileText gives the text back exactly.
std::string EncodeFileText(std::string_view utf8);

// Characters of a UTF-8 text (a malformed byte counts as one).
std::size_t CharacterCount(std::string_view utf8);

// Upper case of the Latin, Greek and Cyrillic letters (ä becomes Ä, š becomes Š); letters
// without a single capital (ß) and every other character stay as they are, malformed bytes too.
std::string UpperText(std::string_view utf8);

enum class LineEnds {
    CrLfOrCr,      // a line ends at CR LF or a lone CR; a lone LF is an ordinary character
    CrLfOrCrOrLf,  // a lone LF ends a line as well
};

// Splits a file's text into lines without their terminators. A last line without a
// terminator counts; an empty text has no lines.
std::vector<std::string> SplitLines(std::string_view text, LineEnds ends);

// The text without the given characters at either end.
inline constexpr std::string_view kBlankAndTab = " \t";
std::string_view Trim(std::string_view text, std::string_view blanks);

// ASCII letters upper case; every other byte stays.
std::string UpperAscii(std::string_view text);

// The line and a CR LF after it, appended to out.
void AppendCrLfLine(std::string& out, std::string_view line);

// The message pattern with %1 ... %9 replaced by the values in order; a placeholder without
// a value stays as written.
std::string FillIn(std::string_view pattern, const std::vector<std::string>& values);

// The text between double quotes, a quote inside doubled, as a CSV field.
std::string CsvQuoted(std::string_view text);

// One line of a comma-separated file split at commas outside double quotes ("" inside
// quotes is one quote), each field without blanks and tabs at either end.
std::vector<std::string> SplitCsvLine(std::string_view line);

// A data line of a comma-separated table.
struct CsvRow {
    int line = 0;                     // counted from 1 in the whole text
    std::string text;                 // the line, without blanks and tabs at either end
    bool complete = false;            // false: the line ends before one of the columns asked for
    std::vector<std::string> fields;  // in the order of the names asked for; empty for an absent column
};

struct CsvTable {
    // The first name asked for that the header lacks (the first name when the text has no
    // header); empty when the header has them all.
    std::string missingColumn;
    std::vector<CsvRow> rows;
};

// The columns of a comma-separated text by their names in its header: the first line that
// is neither blank nor a '#' comment; later such lines are skipped. The names from
// `required` on may be absent from the header: their fields read empty.
CsvTable ReadCsvColumns(std::string_view text, const std::vector<std::string_view>& names,
                        std::size_t required);

// floor(value x 10^decimals + 0.5) / 10^decimals.
double RoundHalfUp(double value, int decimals);

// The value to `digits` significant digits, fixed or with an exponent as printf's "%g" chooses,
// trailing zeros dropped: "10.1005", "1.5e-07".
std::string GeneralNumber(double value, int digits);

}  // namespace kw
