#pragma once

// Independent readers of what the exports write, used to judge their output: a PostScript
// string literal as a PostScript interpreter reads it, and a semicolon-separated row with
// double-quoted fields.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kw::fuzz {

struct PostScriptString {
    std::string value;    // the bytes the interpreter puts into the string
    std::size_t end = 0;  // index just after the closing parenthesis
};

// Reads the string literal that starts with the '(' at text[0]. Parentheses nest unless
// escaped; "\\", "\(", "\)", "\n", "\r", "\t", "\b", "\f" and one to three octal digits are
// escapes; a backslash before a line break joins the lines; before any other byte it is
// dropped. Stricter than an interpreter in one point: a raw byte below 0x20 is refused, so a
// string can never break the page's line structure. nullopt when the literal is malformed
// or unterminated; the reason goes to `why`.
std::optional<PostScriptString> readPostScriptString(std::string_view text, std::string* why = nullptr);

// The fields of one row: ';' separates; a field that starts with '"' runs to the next lone
// '"', a doubled '"' standing for one. nullopt for a quote inside an unquoted field, an
// unterminated quoted field, or text after a closing quote.
std::optional<std::vector<std::string>> readCsvRow(std::string_view row);

// The lines of a text whose every line ends with CR LF; nullopt when the text does not end
// with CR LF (an empty text has no lines).
std::optional<std::vector<std::string>> crLfLines(std::string_view text);

}  // namespace kw::fuzz
