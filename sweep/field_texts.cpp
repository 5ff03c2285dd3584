#include "sweep/field_texts.h"

#include <array>
#include <charconv>
#include <cmath>

#include "common/text.h"

namespace kw {

namespace {

constexpr double kFieldLowest = 0.01;      // below this the calculation reports a zero frequency
constexpr double kFieldHighest = 50000.0;  // the fields' range
constexpr std::array<double, 2> kHertzPerUnit = {1e3, 1e6};  // kHz, MHz
constexpr int kMostDecimals = 12;
constexpr double kResonanceTolerance = 1e-6;

std::string fixed(double value, int decimals) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

double valueOf(const std::string& text) {
    double v = 0;
    std::from_chars(text.data(), text.data() + text.size(), v);
    return v;
}

bool fits(double value) {
    return value >= kFieldLowest && value <= kFieldHighest;
}

}  // namespace

std::optional<FrequencyFieldTexts> FieldTextsFor(double f0, double f1, double f2, std::int16_t unitIndex) {
    if (!(f1 < f0 && f0 < f2)) {
        return std::nullopt;
    }
    const std::int16_t current = unitIndex == 1 ? 1 : 0;
    for (const std::int16_t unit : {current, static_cast<std::int16_t>(1 - current)}) {
        const double scale = kHertzPerUnit[static_cast<std::size_t>(unit)];
        const double v0 = f0 / scale;
        const double v1 = f1 / scale;
        const double v2 = f2 / scale;
        if (!(fits(v0) && fits(v1) && fits(v2))) {
            continue;
        }
        const double q = v0 / (v2 - v1);
        for (int decimals = 0; decimals <= kMostDecimals; ++decimals) {
            FrequencyFieldTexts t{unit, fixed(v0, decimals), fixed(v1, decimals), fixed(v2, decimals)};
            const double t0 = valueOf(t.freq);
            const double t1 = valueOf(t.f1);
            const double t2 = valueOf(t.f2);
            if (t1 < t0 && t0 < t2 && std::fabs(t0 - v0) <= kResonanceTolerance * v0 &&
                std::fabs(t0 / (t2 - t1) - q) <= kFieldQTolerance * q) {
                return t;
            }
        }
    }
    return std::nullopt;
}

std::string WithUncertainty(double value, double deviation) {
    constexpr int kPlainDigits = 6;
    constexpr double kTwoDigitsBelow = 3.0;  // a leading 1 or 2 keeps its second digit
    constexpr double kSmallestShare = 1e-7;  // of the value: less is no noise, only rounding
    if (!(deviation > kSmallestShare * std::fabs(value)) || !std::isfinite(deviation) ||
        !std::isfinite(value)) {
        return GeneralNumber(value, kPlainDigits);
    }
    int exponent = static_cast<int>(std::floor(std::log10(deviation)));
    if (deviation / std::pow(10.0, exponent) < kTwoDigitsBelow) {
        --exponent;
    }
    if (exponent >= 0) {
        const double unit = std::pow(10.0, exponent);
        return fixed(std::round(value / unit) * unit, 0) + " ± " +
               fixed(std::round(deviation / unit) * unit, 0);
    }
    return fixed(value, -exponent) + " ± " + fixed(deviation, -exponent);
}

}  // namespace kw
