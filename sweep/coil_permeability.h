#pragma once

// The complex permeability of a core from an analyser's sweep of a coil wound on it, the coil
// alone across port 1 (S11) or in series between the ports (S21).
//
// The sweep gives the coil's impedance Z(f). What is not the core is taken out first: a lead
// inductance Ls in series, the winding's own capacitance Cd across the coil, the copper
// resistance Rcu in series with the core's inductance:
//   Z = jωLs + 1 / (jωCd + 1 / (Rcu + jωL0·µ)),   µ = µ′ − jµ″,
// with L0 = µ0·N²·h·ln(OD/ID)/(2π) the coil's inductance on a core of µ = 1.
// Cd and Ls come from the sweep above the self-resonance, where the coil looks like Cd with
// the lead in series; Rcu from the low end. µ is reported only where these corrections are
// small and the analyser's noise is small against the coil's impedance.

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "sweep/resonance.h"
#include "sweep/touchstone.h"

namespace kw {

struct PermeabilityPoint {
    double hertz = 0;
    double muReal = 0;  // µ′
    double muImag = 0;  // µ″
    double noise = 0;   // relative uncertainty of µ′ and µ″ at this point from the analyser's noise

    bool operator==(const PermeabilityPoint&) const = default;
};

struct CoilPermeability {
    std::vector<PermeabilityPoint> points;  // the vouched band, ascending
    double validToHz = 0;                   // the highest frequency reported
    std::optional<double> selfResonanceHz;  // where the coil's reactance turns capacitive
    std::optional<double> strayPf;          // Cd; nullopt when the sweep does not show it
    double leadNh = 0;                      // Ls taken out
    bool leadFitted = false;                // Ls read from the sweep; else a typical lead, assumed
    double copperOhm = 0;                   // Rcu

    bool operator==(const CoilPermeability&) const = default;
};

enum class CoilFault {
    NoS21,         // S21 asked of a one-port sweep
    TooFewPoints,  // fewer than kFewestVouchedPoints below the self-resonance with little noise
    Tank,          // a capacitor across the coil: a tuned circuit, for the Calculator
    NotInductive,  // capacitive at the low end: no coil across the port
    LeadTooLarge,  // the leads' inductance is not small against the core's
    NoWinding,     // no turns or no core size to turn inductance into µ
};

struct CoilError {
    CoilFault fault = CoilFault::TooFewPoints;
    double value = 0;  // TooFewPoints: the points found; Tank: the capacitance [pF]; LeadTooLarge: Ls [nH]
    double limit = 0;  // LeadTooLarge: the core's inductance at the low end [nH]

    bool operator==(const CoilError&) const = default;
};

using CoilResult = std::variant<CoilPermeability, CoilError>;

// Fewer vouched points than this tell nothing.
inline constexpr int kFewestVouchedPoints = 1;
// µ is vouched up to this share of the self-resonance, where Cd changes it by a third ...
inline constexpr double kVouchedShareOfResonance = 0.5;
// ... and up to this share, where it doubles it, when the sweep has too few points below half.
inline constexpr double kFurthestShareOfResonance = 0.65;
// A capacitance across the coil above this is a tuning capacitor, not a winding's own. [pF]
inline constexpr double kMostWindingPf = 30.0;
// The leads may have at most this share of the core's inductance: a lead the sweep shows is
// taken out to a nanohenry or two.
inline constexpr double kMostLeadShare = 0.5;

// Z of the device from one sweep point: the coil across port 1 (S11) or in series between
// the ports (S21). [ohm]
std::complex<double> CoilImpedance(const TouchstoneSweep& sweep, SweepParameter parameter, std::size_t index);

// l0Henry: the inductance of the winding on a core of µ = 1 (µ0·N²·h·ln(OD/ID)/(2π)).
CoilResult AnalyseCoilSweep(const TouchstoneSweep& sweep, SweepParameter parameter, double l0Henry);

// True when the impedance (S11: across the port, S21: in series) stays inductive over the
// whole sweep: no resonance, a coil alone rather than a tank.
bool LooksLikeCoilAlone(const TouchstoneSweep& sweep, SweepParameter parameter);

// The refusal in one sentence, in English or Dutch.
std::string DescribeCoilError(const CoilError& error, bool english);

}  // namespace kw
