#include "material/lenient_text.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

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

constexpr double kNhPerMicroHenryPer100 = 0.1;
constexpr std::array<UnitFactor, 10> kAlUnits = {{
    {"", 1.0},
    {"nh", 1.0},
    {"nh/n2", 1.0},
    {"nh/n^2", 1.0},
    {"nh/n\xC2\xB2", 1.0},  // ²
    {"nh/t2", 1.0},
    {"nh/t\xC2\xB2", 1.0},
    {"mh/1000", 1.0},
    {"mh/1000t", 1.0},
    {"uh/100", kNhPerMicroHenryPer100},
}};

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
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
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
    return scaled(text, kAlUnits);
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
