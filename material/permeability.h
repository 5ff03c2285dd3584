#pragma once

// Magnetic figures of a toroid core from its AL value and its size. Every function
// gives nullopt instead of a number when its inputs lie outside the physics (a zero
// height, an inner diameter not below the outer, a non-finite result).

#include <optional>
#include <vector>

namespace kw {

// A toroid of rectangular cross-section. [mm]
struct ToroidSize {
    double outerMm = 0.0;
    double innerMm = 0.0;
    double heightMm = 0.0;

    bool operator==(const ToroidSize&) const = default;
};

// True when every dimension is finite and positive and the inner diameter lies below the outer.
bool isValidToroid(const ToroidSize& size);

// Relative permeability from AL [nH/N²]: µr = AL·2π / (µ0·h·ln(OD/ID)).
std::optional<double> relativePermeability(double alNh, const ToroidSize& size);

// Effective magnetic path length le = π·ln(OD/ID) / (1/ID − 1/OD). [mm]
std::optional<double> effectivePathLengthMm(const ToroidSize& size);

// Effective cross-section Ae = ½·h·ln²(OD/ID) / (1/ID − 1/OD). [mm²]
std::optional<double> effectiveAreaMm2(const ToroidSize& size);

// AL conventions. nH/N² is the same number as mH per 1000 turns (ferrite catalogues);
// µH per 100 turns (iron-powder catalogues) is ten times that number.
double alMilliHenryPer1000Turns(double alNh);
double alMicroHenryPer100Turns(double alNh);
double alNhFromMicroHenryPer100Turns(double alMicroHenryPer100);

// AL [nH/N²] of a coil of the given turns resonating at freqHz with capPf in parallel, with
// the exact constant; the Calculator keeps its historic rounding (calculator/formulas.h).
std::optional<double> alFromResonance(int turns, double capPf, double freqHz);

// How far a set of values lies apart. relative = (max − min) / mean.
struct Spread {
    double mean = 0.0;
    double min = 0.0;
    double max = 0.0;
    double relative = 0.0;

    bool operator==(const Spread&) const = default;
};

// nullopt for an empty set or one with a non-positive or non-finite value.
std::optional<Spread> spreadOf(const std::vector<double>& values);

}  // namespace kw
