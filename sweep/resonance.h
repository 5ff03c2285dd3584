#pragma once

// Finding a parallel tank's resonance and its two -3 dB points in an analyser's sweep.
//
// Transmission (S21): the tank couples the analyser's two ports through a Top-R or a Top-C;
// the response peaks at resonance and the -3 dB points lie where |S21| is 3 dB below the peak.
// Reflection (S11): the tank straight across port 1; its impedance Z = R0 (1 + S) / (1 - S)
// peaks at resonance, where the phase of Z crosses zero, and the tank's own -3 dB points lie
// where that phase is +45 and -45 degrees.
//
// A single sweep point near a -3 dB crossing carries the noise of that point, so the three
// frequencies come from a least-squares fit of the ideal tank's response over the points
// within 10 dB of the peak; from the fit, Q = f0 / (f2 - f1) exactly.

#include <string>
#include <variant>
#include <vector>

#include "sweep/touchstone.h"

namespace kw {

enum class SweepParameter { S21, S11 };

// The curve the analysis works on and the sweep window draws.
struct SweepCurve {
    std::vector<double> hertz;
    std::vector<double> level;     // |S21| in dB, or |Z| in dB above one ohm
    std::vector<double> phaseDeg;  // phase of Z in degrees (S11 only)

    bool operator==(const SweepCurve&) const = default;
};

SweepCurve CurveOf(const TouchstoneSweep& sweep, SweepParameter parameter);

struct Resonance {
    double f0 = 0;  // [Hz]
    double f1 = 0;  // [Hz] lower -3 dB point
    double f2 = 0;  // [Hz] upper -3 dB point
    double q = 0;
    double peak = 0;      // |S21| in dB at f0, or |Z| in ohm at f0
    bool fitted = false;  // false: read off the sweep points, the fit did not hold
    int fitPoints = 0;    // points the fit used

    bool operator==(const Resonance&) const = default;
};

enum class ResonanceFault {
    NoS21,         // a one-port sweep holds no transmission
    TooFewPoints,  // fewer than three points
    NotWhole,      // the sweep ends before the response falls 3 dB on one side
    Flat,          // nowhere a peak that falls 3 dB on both sides
    Several,       // more than one peak of about the same height
    OutOfRange,    // the frequencies fit neither kHz nor MHz of the Calculator
};

struct ResonanceError {
    ResonanceFault fault = ResonanceFault::Flat;
    double atHz = 0;                 // the highest point (NotWhole, Flat)
    bool lowSide = false;            // NotWhole: the sweep starts too late (else: ends too early)
    std::vector<double> candidates;  // Several: the peaks' frequencies [Hz]

    bool operator==(const ResonanceError&) const = default;
};

using ResonanceResult = std::variant<Resonance, ResonanceError>;

// Peaks lower than the highest by more than this do not compete with it.
inline constexpr double kRivalPeakDb = 6.0;
// The fit covers the points within this of the peak.
inline constexpr double kFitWindowDb = 10.0;

ResonanceResult FindResonance(const TouchstoneSweep& sweep, SweepParameter parameter);

// The fault as a plain sentence, in English or Dutch; frequencies in MHz.
std::string DescribeResonanceError(const ResonanceError& error, SweepParameter parameter, bool english);

// The -3 dB points of an ideal parallel tank of resonance f0 and quality q:
// q (f/f0 - f0/f) = -1 and +1.
double LowerHalfPowerPoint(double f0, double q);
double UpperHalfPowerPoint(double f0, double q);

}  // namespace kw

namespace kw {

// The last sweep opened into the Calculator, as the sweep window shows it.
struct SweepView {
    int opened = 0;  // counts the sweeps opened; the window comes up when it changes
    std::string file;
    SweepParameter parameter = SweepParameter::S21;
    SweepCurve curve;
    Resonance found;

    bool operator==(const SweepView&) const = default;
};

}  // namespace kw
