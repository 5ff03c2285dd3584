#include "material/lenient_text.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

#include "common/text.h"

namespace kw {

namespace {

// Unit words in lower case, with µ written as 'u', and the factor to the reader's unit.
struct UnitFactor {
    std::string_view unit;
    double factor;
};

constexpr double kMmPerCm = 10.0;
constexpr double kMmPerInch = 25.4;
constexpr std::array<UnitFactor, 6> kLengthUnits = {{
    {"", 1.0},
    {"mm", 1.0},
    {"cm", kMmPerCm},
    {"in", kMmPerInch},
    {"inch", kMmPerInch},
    {"\"", kMmPerInch},
}};

constexpr std::array<UnitFactor, 3> kCapacitanceUnits = {{
    {"pf", 1.0},
    {"nf", 1.0e3},
    {"uf", 1.0e6},
}};

constexpr std::array<UnitFactor, 4> kFrequencyUnits = {{
    {"hz", 1.0},
    {"khz", 1.0e3},
    {"mhz", 1.0e6},
    {"ghz", 1.0e9},
}};

// Inductance units in nH, for the part of an AL unit before its '/'.
constexpr std::array<UnitFactor, 4> kInductanceUnits = {{
    {"nh", 1.0},
    {"uh", 1.0e3},
    {"mh", 1.0e6},
    {"h", 1.0e9},
}};

// What may follow the '/' when the turns are squared: "N²", "n^2", "t2", "turns²".
constexpr std::array<std::string_view, 6> kSquaredTurns = {"n2", "n^2", "n\xC2\xB2",
                                                           "t2", "t^2", "t\xC2\xB2"};
// Words after a count of turns: "100T", "100 turns", "1000 wdg".
constexpr std::array<std::string_view, 7> kTurnsWords = {"", "t", "turn", "turns", "wdg", "windingen", "n"};

constexpr std::array<std::string_view, 3> kTurnUnits = {"", "t", "wdg"};

constexpr std::string_view kMicroSign = "\xC2\xB5";  // µ U+00B5
constexpr std::string_view kGreekMu = "\xCE\xBC";    // μ U+03BC
constexpr std::array<std::string_view, 3> kDiameterSigns = {"\xC3\x98", "\xC3\xB8", "\xE2\x8C\x80"};  // Ø ø ⌀

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Lower-case ASCII letters, µ as 'u'.
std::string foldUnit(std::string_view unit) {
    std::string out;
    for (std::size_t i = 0; i < unit.size();) {
        const std::string_view rest = unit.substr(i);
        if (rest.starts_with(kMicroSign) || rest.starts_with(kGreekMu)) {
            out += 'u';
            i += 2;
            continue;
        }
        out += static_cast<char>(std::tolower(static_cast<unsigned char>(unit[i])));
        ++i;
    }
    return out;
}

template <std::size_t N>
std::optional<double> scaled(std::string_view text, const std::array<UnitFactor, N>& units) {
    const auto number = splitNumberAndUnit(text);
    if (!number || !(number->value > 0.0)) {
        return std::nullopt;
    }
    const std::string unit = foldUnit(number->unit);
    for (const auto& u : units) {
        if (unit == u.unit) {
            const double value = number->value * u.factor;
            if (!std::isfinite(value)) {
                return std::nullopt;
            }
            return value;
        }
    }
    return std::nullopt;
}

}  // namespace

std::string_view trimBlanks(std::string_view text) {
    return Trim(text, kBlankAndTab);
}

std::optional<NumberWithUnit> splitNumberAndUnit(std::string_view text) {
    text = trimBlanks(text);
    std::string digits;
    int separators = 0;
    int digitCount = 0;
    std::size_t i = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            digits += c;
            ++digitCount;
        } else if (c == '.' || c == ',') {
            if (++separators > 1) {
                return std::nullopt;
            }
            digits += '.';
        } else {
            break;
        }
    }
    if (digitCount == 0) {
        return std::nullopt;
    }
    const std::string_view unit = trimBlanks(text.substr(i));
    for (char c : unit) {
        if (isBlank(c)) {
            return std::nullopt;
        }
    }
    NumberWithUnit result;
    if (digits.front() == '.') {
        digits.insert(digits.begin(), '0');
    }
    if (digits.back() == '.') {
        digits += '0';
    }
    const char* first = digits.data();
    const char* last = digits.data() + digits.size();
    const auto [end, ec] = std::from_chars(first, last, result.value);
    if (ec != std::errc() || end != last || !std::isfinite(result.value)) {
        return std::nullopt;
    }
    result.unit = std::string(unit);
    return result;
}

std::optional<double> readDimensionMm(std::string_view text) {
    text = trimBlanks(text);
    for (const auto sign : kDiameterSigns) {
        if (text.starts_with(sign)) {
            text.remove_prefix(sign.size());
            break;
        }
    }
    return scaled(text, kLengthUnits);
}

std::optional<double> readCapacitancePf(std::string_view text) {
    return scaled(text, kCapacitanceUnits);
}

std::optional<double> readFrequencyHz(std::string_view text) {
    return scaled(text, kFrequencyUnits);
}

std::optional<double> readAlNh(std::string_view text) {
    // Blanks inside the unit are allowed ("49 uH/100 turns"); those before it separate the number.
    text = trimBlanks(text);
    std::size_t unitStart = 0;
    while (unitStart < text.size() &&
           (std::isdigit(static_cast<unsigned char>(text[unitStart])) || text[unitStart] == '.' ||
            text[unitStart] == ',' || isBlank(text[unitStart]))) {
        ++unitStart;
    }
    std::string compact(text.substr(0, unitStart));
    for (char c : text.substr(unitStart)) {
        if (!isBlank(c)) {
            compact += c;
        }
    }
    const auto number = splitNumberAndUnit(compact);
    if (!number || !(number->value > 0.0)) {
        return std::nullopt;
    }
    const std::string unit = foldUnit(number->unit);
    if (unit.empty()) {
        return number->value;
    }
    const std::size_t slash = unit.find('/');
    const std::string_view inductance = std::string_view(unit).substr(0, slash);
    double factor = 0.0;
    for (const auto& u : kInductanceUnits) {
        if (inductance == u.unit) {
            factor = u.factor;
        }
    }
    if (factor == 0.0) {
        return std::nullopt;
    }
    double turns = 1.0;  // "350 nH" is per turn squared; "350 mH" alone says too little
    if (slash == std::string::npos && inductance != kInductanceUnits.front().unit) {
        return std::nullopt;
    }
    if (slash != std::string::npos) {
        const std::string_view per = std::string_view(unit).substr(slash + 1);
        bool squared = false;
        for (const auto w : kSquaredTurns) {
            squared = squared || per == w;
        }
        if (!squared) {
            std::size_t digits = 0;
            while (digits < per.size() && std::isdigit(static_cast<unsigned char>(per[digits]))) {
                ++digits;
            }
            bool word = false;
            for (const auto w : kTurnsWords) {
                word = word || per.substr(digits) == w;
            }
            if (digits == 0 || !word) {
                return std::nullopt;
            }
            turns = 0.0;
            std::from_chars(per.data(), per.data() + digits, turns);
            if (!(turns >= 1.0)) {
                return std::nullopt;
            }
        }
    }
    const double value = number->value * factor / (turns * turns);
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

std::optional<int> readTurns(std::string_view text) {
    const auto number = splitNumberAndUnit(text);
    if (!number) {
        return std::nullopt;
    }
    const std::string unit = foldUnit(number->unit);
    bool known = false;
    for (const auto u : kTurnUnits) {
        known = known || unit == u;
    }
    constexpr double kMostTurns = 100000.0;
    if (!known || number->value < 1.0 || number->value > kMostTurns ||
        number->value != std::floor(number->value)) {
        return std::nullopt;
    }
    return static_cast<int>(number->value);
}

}  // namespace kw
