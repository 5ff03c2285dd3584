#pragma once

// Reading numbers from the texts of the input fields, and the key rule that keeps those
// texts readable as decimal numbers.

#include <cstdint>
#include <string_view>

namespace kw {

// Key codes the input filters know.
inline constexpr std::int16_t kKeyBackspace = 8;
inline constexpr std::int16_t kKeyEnter = 13;
inline constexpr std::int16_t kKeyComma = 44;
inline constexpr std::int16_t kKeyPoint = 46;
inline constexpr std::int16_t kKeyDigit0 = 48;
inline constexpr std::int16_t kKeyDigit9 = 57;
inline constexpr std::int16_t kKeySwallowed = 0;

// The value of the leading number of a text: blanks, tabs and line feeds are skipped
// wherever they stand; an optional sign, digits with at most one point and an optional
// exponent (E or D) are read up to the first other character. 0 when there is no number.
// The point is the only decimal separator. A number too large for a double gives
// +/-infinity, one too small gives 0.
double LeadingValue(std::string_view text);

// LeadingValue after every comma has been replaced by a point.
double DecimalValue(std::string_view text);

// What a key filter decided about a typed key. The code itself is set to kKeySwallowed
// when the key is refused.
enum class KeyVerdict {
    Pass,          // the key goes to the field
    Swallow,       // refused silently
    SwallowBeep,   // refused with a beep
    PassAndFocus,  // Enter: the field takes the focus, the key goes on
};

// Digits, backspace and Enter pass; a point or a comma passes only while the field's text
// holds neither; everything else is refused with a beep. fieldText is the text before the key.
KeyVerdict DecimalKeyFilter(std::int16_t& KeyAscii, std::string_view fieldText);

// As DecimalKeyFilter, but a point or a comma is refused with a beep too.
KeyVerdict DigitKeyFilter(std::int16_t& KeyAscii);

// Every key is refused with a beep.
KeyVerdict ReadOnlyKeyFilter(std::int16_t& KeyAscii);

}  // namespace kw
