#pragma once

// The properties the fuzz targets check, as plain functions: bytes in, nullopt when every
// property held, otherwise a description of what broke. The libFuzzer targets abort on a
// description; the corpus test runs the same functions over the committed seeds.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kw::fuzz {

using Finding = std::optional<std::string>;

// The bytes as a .tor file: read into a sheet, written, read back into an empty sheet, which
// must then hold what the writer promises.
Finding torRoundTrip(std::string_view bytes);

// The bytes as VOORVUL.INI: only turns, capacitance and Top of the first seven data lines
// change, and each refused line is reported once.
Finding prefillReader(std::string_view bytes);

// A flag byte, then the page name and the sheet's text fields separated by 0x1F, then 0x1E
// and the template. Every printed text is a well-formed PostScript string holding the
// field's text, every CSV row has 21 columns, and a run that fails writes nothing.
Finding exportRun(std::string_view bytes);

// The bytes as a user's session at the Calculator: typed keys, pasted texts, option and
// check box clicks, Calculate and Fill Line. Results are always proper result texts and
// Fill Line is enabled exactly when the inputs are those of the last good calculation.
Finding calculatorSession(std::string_view bytes);

// The bytes as a network analyser's sweep (the first byte picks the port count of the file
// name and the parameter): read whole or refused at a line that exists, a found resonance
// lies inside the sweep, and the Calculator either takes its frequencies so that Calculate
// gets the found Q, or shows one message and changes nothing.
Finding touchstoneSweep(std::string_view bytes);

struct Target {
    std::string_view name;  // also the folder of its seed corpus
    Finding (*run)(std::string_view bytes);
};

inline constexpr std::array<Target, 5> kTargets = {{
    {"tor_reader", &torRoundTrip},
    {"prefill_reader", &prefillReader},
    {"export", &exportRun},
    {"calculator", &calculatorSession},
    {"touchstone", &touchstoneSweep},
}};

}  // namespace kw::fuzz
