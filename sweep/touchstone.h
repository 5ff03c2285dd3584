#pragma once

// Reading a network analyser's sweep from a Touchstone file (.s1p, .s2p): version 1 with its
// option line, and the keywords of version 2. Only one- and two-port S-parameter files are
// taken. A file is read whole or not at all: on any fault the result holds no data, only
// the line and what was wrong with it.

#include <complex>
#include <cstddef>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kw {

struct TouchstoneSweep {
    int ports = 0;              // 1 or 2
    double referenceOhm = 50;   // of port 1
    std::vector<double> hertz;  // strictly rising
    std::vector<std::complex<double>> s11;
    std::vector<std::complex<double>> s21;  // empty for a one-port file
    int averagedPoints = 0;  // points that repeated the frequency before them, averaged into it

    bool operator==(const TouchstoneSweep&) const = default;
};

enum class TouchstoneFault {
    Empty,               // no data at all
    NotANumber,          // detail: the word
    BadOption,           // detail: the word on the option line
    NotSParameters,      // detail: the parameter letter
    BadReference,        // detail: the word after R
    UnsupportedPorts,    // detail: the port count
    UnknownPorts,        // the count of values on the first data line fits no port count
    WrongValueCount,     // detail: the count found
    FrequencyNotRising,  // detail: the frequency
    BadKeyword,          // detail: the keyword line
    BadKeywordValue,     // detail: the value
    CountMismatch,       // detail: the number of points read
    UnsupportedMatrix,   // detail: the matrix format or mixed-mode order
    NotFinite,           // detail: the value
    MissingNetworkData,  // a version 2 file without [Network Data]
    TooManyPoints,       // detail: the limit
    LateKeyword,         // a keyword that says how to read the data, after data; detail: it
    OnePortInTwoPort,    // a file named .s2p whose lines hold a frequency and one pair each
    LateOptionLine,      // an option line after data
};

struct TouchstoneError {
    int line = 0;  // 1-based; the line after the last one for faults at the end
    TouchstoneFault fault = TouchstoneFault::Empty;
    std::string detail;
    int expected = 0;  // the count the file should have had (WrongValueCount, CountMismatch)

    bool operator==(const TouchstoneError&) const = default;
};

using TouchstoneResult = std::variant<TouchstoneSweep, TouchstoneError>;

// More points than this are refused rather than read (a file of many megabytes of garbage
// digits would otherwise fill the memory).
inline constexpr std::size_t kMostSweepPoints = 1'000'000;

// The port count a file name's extension gives (".s1p" 1, ".S2P" 2, ".s3p" 3); 0 when the
// name has no such extension.
int PortsFromFileName(std::string_view path);

// Reads the text of a Touchstone file. `ports` is the count the file name gives (0 when
// unknown); a version 2 file states its own. A version 1 file of unknown port count is read
// by the count of values on its first data line.
TouchstoneResult ReadTouchstone(std::string_view text, int ports);

// The fault as a sentence naming the line, in English or Dutch.
std::string DescribeTouchstoneError(const TouchstoneError& error, bool english);

// One line saying that points of a repeated frequency were averaged; empty when none were.
std::string DescribeAveragedPoints(int averagedPoints, bool english);

}  // namespace kw
