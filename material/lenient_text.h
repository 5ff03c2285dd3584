#pragma once

// Lenient readers for the data sheet's free texts. The sheet stores whatever the user
// typed or Fill Line wrote: "12,7", "12.7 mm", "150 nF", "10.0 kHz", "350". Each reader
// accepts one number with a point or a comma, optionally followed by a known unit, and
// gives nullopt for anything else (an empty box, a placeholder, a second number, a
// negative or zero value, an unknown unit).

#include <optional>
#include <string>
#include <string_view>

namespace kw {

// The number at the start of a text and the unit word after it, blanks trimmed.
struct NumberWithUnit {
    double value = 0.0;
    std::string unit;

    bool operator==(const NumberWithUnit&) const = default;
};

// Digits with at most one '.' or ',', then optional blanks and a unit word without blanks.
std::optional<NumberWithUnit> splitNumberAndUnit(std::string_view text);

// A dimension in mm: no unit or "mm"; "cm" and "in" (or ") are converted. A leading "Ø" is allowed. [mm]
std::optional<double> readDimensionMm(std::string_view text);

// A capacitance with its unit: "pF", "nF", "µF"/"uF". Without a unit the size is unknown. [pF]
std::optional<double> readCapacitancePf(std::string_view text);

// A frequency with its unit: "Hz", "kHz", "MHz", "GHz" in any letter case. [Hz]
std::optional<double> readFrequencyHz(std::string_view text);

// An AL value: a bare number (nH/N²) or an inductance per turns squared or per a count of
// turns, as catalogues write it: "350 nH/N²", "0.35 µH/N²", "49 µH/100T", "49 uH/100 turns",
// "350 mH/1000T". [nH/N²]
std::optional<double> readAlNh(std::string_view text);

// A whole, positive number of turns, optionally followed by "t" or "wdg".
std::optional<int> readTurns(std::string_view text);

// The text with its leading and trailing blanks and tabs removed.
std::string_view trimBlanks(std::string_view text);

}  // namespace kw
