#pragma once

// The texts a found resonance puts into the Calculator's three frequency fields, and a value
// written with its uncertainty.

#include <cstdint>
#include <optional>
#include <string>

namespace kw {

struct FrequencyFieldTexts {
    std::int16_t unitIndex = 0;  // of optFreq: 0 kHz, 1 MHz
    std::string freq;
    std::string f1;
    std::string f2;

    bool operator==(const FrequencyFieldTexts&) const = default;
};

// Worst relative difference allowed between the Q the Calculator reads from the texts,
// freq / (f2 - f1), and the Q found.
inline constexpr double kFieldQTolerance = 2e-4;

// The three frequencies [Hz] as texts in the unit of optFreq index `unitIndex` when all three
// lie within the fields' range there (0.01 to 50000), in the other unit otherwise; nullopt when
// neither holds them. Each text has as few decimals as keep the resonance within a millionth
// and the Q of the texts within kFieldQTolerance; the point is the separator.
std::optional<FrequencyFieldTexts> FieldTextsFor(double f0, double f1, double f2, std::int16_t unitIndex);

// A value with its standard deviation, both to the deviation's first digit (two when that
// digit is 1 or 2): "118 ± 4", "7.0500 ± 0.0012", "1230 ± 60". The value alone, to six
// digits, when the deviation is no positive number or below a ten-millionth of the value.
std::string WithUncertainty(double value, double deviation);

}  // namespace kw
