#include "material/permeability.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kw {

namespace {

constexpr double kMu0 = 4.0e-7 * std::numbers::pi;  // [H/m]
constexpr double kNano = 1.0e-9;
constexpr double kMilli = 1.0e-3;
constexpr double kPico = 1.0e-12;
constexpr double kMicroHenryPer100TurnsPerNh = 10.0;  // 1 nH·100² = 10 µH

std::optional<double> finite(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

bool positive(double value) {
    return std::isfinite(value) && value > 0.0;
}

}  // namespace

bool isValidToroid(const ToroidSize& size) {
    return positive(size.outerMm) && positive(size.innerMm) && positive(size.heightMm) &&
           size.innerMm < size.outerMm;
}

std::optional<double> relativePermeability(double alNh, const ToroidSize& size) {
    if (!isValidToroid(size) || !positive(alNh)) {
        return std::nullopt;
    }
    const double logRatio = std::log(size.outerMm / size.innerMm);
    return finite(alNh * kNano * 2.0 * std::numbers::pi / (kMu0 * size.heightMm * kMilli * logRatio));
}

std::optional<double> effectivePathLengthMm(const ToroidSize& size) {
    if (!isValidToroid(size)) {
        return std::nullopt;
    }
    const double logRatio = std::log(size.outerMm / size.innerMm);
    return finite(std::numbers::pi * logRatio / (1.0 / size.innerMm - 1.0 / size.outerMm));
}

std::optional<double> effectiveAreaMm2(const ToroidSize& size) {
    if (!isValidToroid(size)) {
        return std::nullopt;
    }
    const double logRatio = std::log(size.outerMm / size.innerMm);
    return finite(0.5 * size.heightMm * logRatio * logRatio / (1.0 / size.innerMm - 1.0 / size.outerMm));
}

double alMilliHenryPer1000Turns(double alNh) {
    return alNh;
}

double alMicroHenryPer100Turns(double alNh) {
    return alNh * kMicroHenryPer100TurnsPerNh;
}

double alNhFromMicroHenryPer100Turns(double alMicroHenryPer100) {
    return alMicroHenryPer100 / kMicroHenryPer100TurnsPerNh;
}

std::optional<double> alFromResonance(int turns, double capPf, double freqHz) {
    if (turns < 1 || !positive(capPf) || !positive(freqHz)) {
        return std::nullopt;
    }
    const double omega = 2.0 * std::numbers::pi * freqHz;
    const double henry = 1.0 / (omega * omega * capPf * kPico);
    const double n = turns;
    return finite(henry / (n * n) / kNano);
}

std::optional<Spread> spreadOf(const std::vector<double>& values) {
    if (values.empty() || !std::all_of(values.begin(), values.end(), positive)) {
        return std::nullopt;
    }
    Spread s;
    s.min = *std::min_element(values.begin(), values.end());
    s.max = *std::max_element(values.begin(), values.end());
    double sum = 0.0;
    for (double v : values) {
        sum += v;
    }
    s.mean = sum / static_cast<double>(values.size());
    s.relative = (s.max - s.min) / s.mean;
    if (!std::isfinite(s.mean) || !std::isfinite(s.relative)) {
        return std::nullopt;
    }
    return s;
}

}  // namespace kw
