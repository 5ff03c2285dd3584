#include "calculator/result_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string_view>

#include "common/text.h"

namespace kw {

namespace {

constexpr int kSignificantDigits = 15;
constexpr std::string_view kNotFinite = "err";

// The significant digits of a positive finite value (no trailing zeros) and the decimal
// exponent of the first one.
struct Digits {
    std::string digits;
    int exponent = 0;
};

Digits significantDigits(double value) {
    // "d.dddddddddddddde+XX": 15 significant digits, independent of the C locale.
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::scientific, kSignificantDigits - 1);
    const std::string_view text(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
    const auto e = text.find('e');
    Digits d;
    for (const char c : text.substr(0, e)) {
        if (c != '.') {
            d.digits.push_back(c);
        }
    }
    while (d.digits.size() > 1 && d.digits.back() == '0') {
        d.digits.pop_back();
    }
    const std::string_view exponentText = text.substr(e + 1);
    const bool negative = exponentText.front() == '-';
    int exponent = 0;
    std::from_chars(exponentText.data() + 1, exponentText.data() + exponentText.size(), exponent);
    d.exponent = negative ? -exponent : exponent;
    return d;
}

std::string plainText(const Digits& d, char separator) {
    std::string out;
    if (d.exponent < 0) {
        out = "0";
        out += separator;
        out.append(static_cast<std::size_t>(-d.exponent - 1), '0');
        out += d.digits;
        return out;
    }
    const auto integerLength = static_cast<std::size_t>(d.exponent) + 1;
    if (d.digits.size() <= integerLength) {
        out = d.digits;
        out.append(integerLength - d.digits.size(), '0');
        return out;
    }
    out = d.digits.substr(0, integerLength);
    out += separator;
    out += d.digits.substr(integerLength);
    return out;
}

std::string exponentText(const Digits& d, char separator) {
    std::string out(1, d.digits.front());
    if (d.digits.size() > 1) {
        out += separator;
        out += d.digits.substr(1);
    }
    const std::string exponent = std::to_string(d.exponent < 0 ? -d.exponent : d.exponent);
    out += d.exponent < 0 ? "E-" : "E+";
    if (exponent.size() < 2) {
        out += '0';
    }
    out += exponent;
    return out;
}

}  // namespace

std::string ResultText(double value, int decimals, char separator) {
    const double rounded = RoundHalfUp(value, decimals);
    if (!std::isfinite(rounded)) {
        return std::string(kNotFinite);
    }
    if (rounded == 0.0) {
        return "0";
    }
    const bool negative = rounded < 0;
    const Digits d = significantDigits(negative ? -rounded : rounded);
    std::string text =
        d.exponent >= kSignificantDigits ? exponentText(d, separator) : plainText(d, separator);
    return negative ? "-" + text : text;
}

}  // namespace kw
