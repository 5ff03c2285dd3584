#include "material/number_format.h"

#include <cmath>
#include <cstdio>

#include "common/text.h"

namespace kw {

namespace {

constexpr int kMostDecimals = 9;
constexpr double kPercent = 100.0;

}  // namespace

std::string formatDecimals(double value, int decimals, char separator) {
    if (!std::isfinite(value) || decimals < 0 || decimals > kMostDecimals) {
        return kNoNumber;
    }
    const double rounded = RoundHalfUp(std::abs(value), decimals);
    if (!std::isfinite(rounded)) {
        return kNoNumber;
    }
    char buffer[64];
    const int length = std::snprintf(buffer, sizeof buffer, "%.*f", decimals, rounded);
    if (length < 0 || length >= static_cast<int>(sizeof buffer)) {
        return kNoNumber;
    }
    std::string text(buffer, static_cast<std::size_t>(length));
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') {
            text.pop_back();
        }
    }
    for (char& c : text) {
        if (c == '.') {
            c = separator;
        }
    }
    if (value < 0.0 && rounded != 0.0) {
        text.insert(text.begin(), '-');
    }
    return text;
}

std::string formatMeasured(double value, char separator) {
    constexpr double kWhole = 100.0;
    constexpr double kOneDecimal = 10.0;
    constexpr double kTwoDecimals = 1.0;
    const double size = std::abs(value);
    const int decimals = size >= kWhole ? 0 : size >= kOneDecimal ? 1 : size >= kTwoDecimals ? 2 : 3;
    return formatDecimals(value, decimals, separator);
}

std::string formatPercent(double fraction, int decimals, char separator) {
    std::string text = formatDecimals(fraction * kPercent, decimals, separator);
    if (text == kNoNumber) {
        return text;
    }
    if (text.front() != '-') {
        text.insert(text.begin(), '+');
    }
    return text + " %";
}

}  // namespace kw
