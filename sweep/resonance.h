#pragma once

// Finding a parallel tank's resonance, its Q and their uncertainties in an analyser's sweep.
//
// Transmission (S21): the tank couples the analyser's two ports through a Top-R or a Top-C;
// |S21| peaks at resonance, and with Top-C it tilts by (f/f0)² besides. The fit is on |S21| in
// dB, where the analyser's noise is even: peak, f0, Q and the tilt.
// Reflection (S11): the tank across port 1, straight or through a series capacitor; the fit is
// on the complex S11 itself, Z = R / (1 + j Q u) - j X (f_ref / f), each point weighted by the
// noise a point of its size carries. Q u = +-1 at the -3 dB points, u = f/f0 - f0/f.
//
// The peak is looked for on a smoothed curve (a running median, then a running mean on long
// sweeps) so that one bad point moves nothing; the fit then sets aside the points that stray
// far beyond the others' scatter. f0 and Q come with one standard deviation from the fit's
// covariance and residuals. What cannot be measured is refused with the reason.

#include <cstddef>
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

// What would make the Q of a sweep more certain, when it is uncertain.
enum class SweepAdvice {
    None,
    TankFarAbovePort,  // S11 of a tank many times the port impedance
    TankFarBelowPort,  // S11 of a tank a small part of the port impedance
    FewPoints,         // few sweep points within the bandwidth
    Noisy,             // the noise of the sweep itself
};

struct Resonance {
    double f0 = 0;  // [Hz]
    double f1 = 0;  // [Hz] lower -3 dB point
    double f2 = 0;  // [Hz] upper -3 dB point
    double q = 0;
    double peak = 0;                // |S21| in dB at f0, or |Z| in ohm at f0
    bool fitted = false;            // false: read off the sweep points, the fit did not hold
    int fitPoints = 0;              // points the fit used
    double f0Uncertainty = 0;       // [Hz] one standard deviation
    double qUncertainty = 0;        // one standard deviation
    int setAside = 0;               // points the fit left out as far beyond the others' scatter
    double tankToPort = 0;          // S11: the tank's resistance at resonance over the port's
    double pointsPerBandwidth = 0;  // sweep points between f1 and f2
    SweepAdvice advice = SweepAdvice::None;

    bool operator==(const Resonance&) const = default;
};

enum class ResonanceFault {
    NoS21,         // a one-port sweep holds no transmission
    TooFewPoints,  // fewer than kFewestSweepPoints
    NotWhole,      // the peak at an edge: the response does not fall 3 dB on one side
    Flat,          // the response falls 3 dB on neither side of its highest point, at an edge
    TooNarrow,     // ... of a highest point inside the sweep: the sweep is too narrow
    TooCoarse,     // the steps are too wide (or the points too noisy) to fit the resonance
    Several,       // more than one peak of about the same height
    CoilAlone,     // S11 inductive throughout: no phase zero crossing, a coil without its tank
    OutOfRange,    // the frequencies fit neither kHz nor MHz of the Calculator
};

struct ResonanceError {
    ResonanceFault fault = ResonanceFault::Flat;
    double atHz = 0;                 // the highest point (NotWhole, Flat, TooNarrow, TooCoarse)
    bool lowSide = false;            // NotWhole: the sweep starts too late (else: ends too early)
    std::vector<double> candidates;  // Several: the peaks' frequencies [Hz], at most three
    std::vector<double> levels;      // Several: their heights, |S21| in dB or the resistance in ohm
    double stepsPerBandwidth = 0;    // TooCoarse: the sweep's step over the bandwidth

    bool operator==(const ResonanceError&) const = default;
};

using ResonanceResult = std::variant<Resonance, ResonanceError>;

// Peaks lower than the highest by more than this do not compete with it.
inline constexpr double kRivalPeakDb = 6.0;
// The fit covers the points within this many bandwidths of the resonance.
inline constexpr double kFitWindowBandwidths = 4.0;
// Fewer points than this are no sweep to look for a resonance in.
inline constexpr std::size_t kFewestSweepPoints = 3;

ResonanceResult FindResonance(const TouchstoneSweep& sweep, SweepParameter parameter);

// The fault as a plain sentence, in English or Dutch; frequencies in MHz.
std::string DescribeResonanceError(const ResonanceError& error, SweepParameter parameter, bool english);

// One line on what limits the Q found and what would help; empty when nothing needs saying.
std::string DescribeAdvice(const Resonance& found, bool english);

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
    int averagedPoints = 0;  // points of a repeated frequency, averaged into one by the reader

    bool operator==(const SweepView&) const = default;
};

}  // namespace kw
