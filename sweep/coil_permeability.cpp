#include "sweep/coil_permeability.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <numbers>

#include "sweep/least_squares.h"

#include <charconv>

namespace kw {

namespace {

using Complex = std::complex<double>;

constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Each point is averaged with its neighbours within this share of its frequency, as many on
// each side, so a straight stretch of the curve keeps its value.
constexpr double kSmoothShare = 0.03;
constexpr int kMostNeighbours = 20;
// µ″ of a low-loss core is a small part of Z and takes the noise of all of it: it is averaged
// further, the same way.
constexpr double kLossSmoothShare = 0.15;
constexpr int kMostLossNeighbours = 100;
// The Cd and Ls fit uses the points from this many times the self-resonance ...
constexpr double kFitFromResonance = 1.3;
// ... up to this many times it (further up the analyser's own errors take over).
constexpr double kFitToResonance = 8.0;
constexpr int kFewestFitPoints = 6;
// ... and only over a span of at least this ratio; shorter, Cd and Ls are not told apart.
constexpr double kFitSpan = 1.35;
// Leads a sweep does not show (the self-resonance lies above its end) are taken as this
// much: a few centimetres of wire. [H]
constexpr double kTypicalLead = 15e-9;
constexpr double kMostAssumedLeadShare = 0.25;
// Lead inductances tried, in steps. [H]
constexpr double kLeadStep = 0.5e-9;
constexpr double kMostLead = 150e-9;
// Without a self-resonance in the sweep the band ends where a capacitance this large would
// change µ by the share below. [F]
constexpr double kUnseenStray = 4e-12;
constexpr double kMostUnseenCorrection = 0.05;
// A point is reported when its noise is at most this share of µ ...
constexpr double kMostNoise = 0.02;
// ... or, when that leaves fewer than kWantedPoints, this share.
constexpr int kWantedPoints = 5;
constexpr double kMostNoiseOfFewPoints = 0.06;
// The copper resistance is the low end's intercept over this many points.
constexpr int kCopperPoints = 8;
// Below this the analyser's noise is not told from the sweep's own slope.
constexpr double kLeastNoise = 1e-5;
// Spread of a normal number from the median of its absolute value, and the second difference
// of three noisy points against one.
constexpr double kMedianToSigma = 1.4826;
const double kSecondDifferenceGain = std::sqrt(1.5);

Complex impedanceOf(Complex s, SweepParameter parameter, double r0) {
    if (parameter == SweepParameter::S21) {
        return 2.0 * r0 * (1.0 - s) / s;
    }
    return r0 * (1.0 + s) / (1.0 - s);
}

// |dZ/dS|: how much the analyser's noise in S moves Z.
double impedanceGain(Complex s, SweepParameter parameter, double r0) {
    if (parameter == SweepParameter::S21) {
        return 2.0 * r0 / std::norm(s);
    }
    return 2.0 * r0 / std::norm(1.0 - s);
}

const std::vector<Complex>& valuesOf(const TouchstoneSweep& sweep, SweepParameter parameter) {
    return parameter == SweepParameter::S21 ? sweep.s21 : sweep.s11;
}

// The noise of one S component, from how far each point lies off the line through its two
// neighbours; the median keeps a resonance's bend out of it.
double noiseOf(const std::vector<double>& f, const std::vector<Complex>& s) {
    std::vector<double> off;
    for (std::size_t i = 1; i + 1 < s.size(); ++i) {
        const double t = (f[i] - f[i - 1]) / (f[i + 1] - f[i - 1]);
        const Complex line = s[i - 1] + t * (s[i + 1] - s[i - 1]);
        off.push_back(std::abs(s[i].real() - line.real()));
        off.push_back(std::abs(s[i].imag() - line.imag()));
    }
    if (off.empty()) {
        return kLeastNoise;
    }
    std::nth_element(off.begin(), off.begin() + static_cast<std::ptrdiff_t>(off.size() / 2), off.end());
    return std::max(kLeastNoise, off[off.size() / 2] * kMedianToSigma / kSecondDifferenceGain);
}

// Z is averaged rather than S: S of a nearly lossless coil runs along the rim of the chart,
// and the mean of points on an arc lies inside it, which would read as loss.
struct Smoothed {
    Complex z;
    int averaged = 1;
};

std::vector<Smoothed> smooth(const std::vector<double>& f, const std::vector<Complex>& z, double share,
                             int most) {
    std::vector<Smoothed> out(f.size());
    const auto n = static_cast<int>(f.size());
    for (int i = 0; i < n; ++i) {
        int k = 0;
        while (k < most && i - k - 1 >= 0 && i + k + 1 < n && f[i] - f[i - k - 1] <= share * f[i] &&
               f[i + k + 1] - f[i] <= share * f[i]) {
            ++k;
        }
        Complex sum = 0;
        for (int j = i - k; j <= i + k; ++j) {
            sum += z[j];
        }
        out[i] = {sum / static_cast<double>(2 * k + 1), 2 * k + 1};
    }
    return out;
}

// The first frequency where the reactance turns from inductive to capacitive and stays so
// for the next few points; interpolated between the two points.
constexpr std::size_t kStaysCapacitive = 3;

// The low end, for telling a coil from something else: this many points.
constexpr std::size_t kLowEndPoints = 10;

// A tank's inductance at half its resonance reads 4/3 of the low end's; a rise of less than
// this is a winding's.
constexpr double kTankRise = 1.1;
// Above its resonance a tank's capacitance reads 3/4 of its capacitor at twice the resonance
// and 15/16 at four times.
constexpr double kNearAboveResonance = 2.0;
constexpr double kFarAboveResonance = 4.0;
// A sweep that ends below this many times the resonance shows too little of the rise.
constexpr double kFarEnoughAboveResonance = 2.5;
// A capacitance seen at twice the resonance below this share of the one that would resonate
// is no tuning capacitor's.
constexpr double kLeastTankShare = 0.5;

// A crossing where the noise is this large against Z is the noise's, not the coil's.
constexpr double kMostCrossingNoise = 0.5;

constexpr std::size_t kCrossingSide = 10;
constexpr double kCrossingNoises = 2.0;
// A crossing counts when the reactance stands out of the noise on both sides: inductive
// over the points before it, capacitive over those after.
std::optional<double> selfResonance(const std::vector<double>& f, const std::vector<Complex>& z,
                                    const std::vector<double>& noiseOhm) {
    for (std::size_t i = 1; i < z.size(); ++i) {
        if (!(z[i - 1].imag() > 0.0 && z[i].imag() <= 0.0)) {
            continue;
        }
        double before = 0;
        for (std::size_t j = i - std::min(i, kCrossingSide); j < i; ++j) {
            before = std::max(before, z[j].imag() - kCrossingNoises * noiseOhm[j]);
        }
        bool stays = true;
        double after = 0;
        for (std::size_t j = i; j < std::min(z.size(), i + kCrossingSide); ++j) {
            stays = stays && (j >= i + kStaysCapacitive || z[j].imag() <= 0.0);
            after = std::max(after, -z[j].imag() - kCrossingNoises * noiseOhm[j]);
        }
        if (stays && before > 0.0 && after > 0.0) {
            const double t = z[i - 1].imag() / (z[i - 1].imag() - z[i].imag());
            return f[i - 1] + t * (f[i] - f[i - 1]);
        }
    }
    return std::nullopt;
}

// Least squares of y over the columns; false when they do not tell the coefficients apart.
template <std::size_t N>
bool leastSquares(const std::vector<std::array<double, N>>& x, const std::vector<double>& y,
                  std::array<double, N>& c, double& residual) {
    fit::Normal<N> normal;
    for (std::size_t i = 0; i < y.size(); ++i) {
        normal.add(x[i], y[i]);
    }
    if (!fit::Solve(normal.jtj, normal.jtr, c)) {
        return false;
    }
    residual = 0;
    for (std::size_t i = 0; i < y.size(); ++i) {
        double e = y[i];
        for (std::size_t r = 0; r < N; ++r) {
            e -= c[r] * x[i][r];
        }
        residual += e * e;
    }
    return true;
}

struct Parasitics {
    double cd = 0;  // [F]
    double ls = 0;  // [H]
};

// Above the self-resonance, with the lead taken out, ω·Im(Y) = ω²·Cd − Re(1/(L0·µ)); the
// second term is constant for a core with one relaxation and changes slowly for any other,
// so it is fitted as a + b·ω. The lead's inductance is the one that leaves the straightest fit.
std::optional<Parasitics> fitAboveResonance(const std::vector<double>& f, const std::vector<Complex>& z,
                                            double f0) {
    std::vector<std::size_t> use;
    for (std::size_t i = 0; i < f.size(); ++i) {
        if (f[i] >= kFitFromResonance * f0 && f[i] <= kFitToResonance * f0) {
            use.push_back(i);
        }
    }
    if (use.size() < static_cast<std::size_t>(kFewestFitPoints) ||
        f[use.back()] < kFitSpan * f[use.front()]) {
        return std::nullopt;
    }
    const double w0 = kTwoPi * f0;
    std::vector<std::array<double, 3>> x;
    for (const std::size_t i : use) {
        const double u = f[i] / f0;
        x.push_back({u * u, 1.0, u});
    }
    std::optional<Parasitics> best;
    double bestResidual = 0;
    std::vector<double> y(use.size());
    for (double ls = 0; ls <= kMostLead; ls += kLeadStep) {
        for (std::size_t k = 0; k < use.size(); ++k) {
            const double w = kTwoPi * f[use[k]];
            const Complex y1 = 1.0 / (z[use[k]] - Complex(0, w * ls));
            y[k] = y1.imag() * w / w0;
        }
        std::array<double, 3> c{};
        double residual = 0;
        if (leastSquares(x, y, c, residual) && (!best || residual < bestResidual)) {
            best = Parasitics{c[0] / w0, ls};
            bestResidual = residual;
        }
    }
    // A lead at the end of the range tried is no fit but the model failing.
    if (best && (!(best->cd > 0.0) || best->ls > kMostLead - kLeadStep)) {
        return std::nullopt;
    }
    return best;
}

// Im(Z)/ω at the point nearest to a frequency. [H]
double apparentInductance(const std::vector<double>& f, const std::vector<Complex>& z, double hertz) {
    const auto near = std::min_element(f.begin(), f.end(), [&](double a, double b) {
        return std::abs(a - hertz) < std::abs(b - hertz);
    });
    const auto i = static_cast<std::size_t>(near - f.begin());
    return z[i].imag() / (kTwoPi * f[i]);
}

// Im(Y)/ω with the lead taken out, at the point nearest to a frequency. [F]
double capacitanceAt(const std::vector<double>& f, const std::vector<Complex>& z, double ls, double hertz) {
    const auto near = std::min_element(f.begin(), f.end(), [&](double a, double b) {
        return std::abs(a - hertz) < std::abs(b - hertz);
    });
    const auto i = static_cast<std::size_t>(near - f.begin());
    const double w = kTwoPi * f[i];
    return (1.0 / (z[i] - Complex(0, w * ls))).imag() / w;
}

// From the resonance alone: at half of it the apparent inductance is L/(1 − ¼) for a core
// whose µ holds, and Cd = 1/(ω0²·L·(1 + tan²δ)).
std::optional<double> strayFromResonance(const std::vector<double>& f, const std::vector<Complex>& z,
                                         double f0) {
    const double fa = kVouchedShareOfResonance * f0;
    const auto near = std::min_element(f.begin(), f.end(), [&](double a, double b) {
        return std::abs(a - fa) < std::abs(b - fa);
    });
    const double u = *near / f0;
    // A lossy core takes part of the resonance itself: of its admittance 1/(jωL(1 − j·tanδ)),
    // only the share 1/(1 + tan²δ) stands against the winding's capacitance.
    const Complex za = z[static_cast<std::size_t>(near - f.begin())];
    const double tangent = za.imag() > 0.0 ? std::max(0.0, za.real()) / za.imag() : 0.0;
    const double l = apparentInductance(f, z, fa) * (1.0 - u * u) * (1.0 + tangent * tangent);
    if (!(l > 0.0)) {
        return std::nullopt;
    }
    const double w0 = kTwoPi * f0;
    return 1.0 / (w0 * w0 * l);
}

// Below the resonance, for a core whose µ′ holds: Im(Z)/ω = Ls + L/(1 − (f/f0)²), straight in
// 1/(1 − (f/f0)²); the lead is the intercept and Cd = 1/(ω0²·L). Where µ′ falls with frequency
// the line bends, and the fit is not taken.
constexpr double kPoleFitFrom = 0.2;
constexpr double kPoleFitTo = 0.9;
constexpr double kMostPoleFitScatter = 0.01;

std::optional<Parasitics> fitBelowResonance(const std::vector<double>& f, const std::vector<Complex>& z,
                                            double f0) {
    std::vector<std::array<double, 2>> x;
    std::vector<double> y;
    for (std::size_t i = 0; i < f.size(); ++i) {
        const double u = f[i] / f0;
        if (u >= kPoleFitFrom && u <= kPoleFitTo) {
            x.push_back({1.0, 1.0 / (1.0 - u * u)});
            y.push_back(z[i].imag() / (kTwoPi * f[i]));
        }
    }
    std::array<double, 2> c{};
    double residual = 0;
    if (y.size() < static_cast<std::size_t>(kFewestFitPoints) || !leastSquares(x, y, c, residual) ||
        !(c[1] > 0.0)) {
        return std::nullopt;
    }
    // A bent line (µ′ falling) tells neither Cd nor the lead.
    const double scatter = std::sqrt(residual / static_cast<double>(y.size())) / (c[0] + c[1]);
    if (scatter > kMostPoleFitScatter) {
        return std::nullopt;
    }
    const double w0 = kTwoPi * f0;
    return Parasitics{1.0 / (w0 * w0 * c[1]), std::clamp(c[0], 0.0, kMostLead)};
}

// One decimal, with the language's decimal sign.
std::string oneDecimal(double value, bool english) {
    char buffer[32];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 1);
    std::string text(buffer, r.ptr);
    if (!english) {
        std::replace(text.begin(), text.end(), '.', ',');
    }
    return text;
}

}  // namespace

Complex CoilImpedance(const TouchstoneSweep& sweep, SweepParameter parameter, std::size_t index) {
    return impedanceOf(valuesOf(sweep, parameter)[index], parameter, sweep.referenceOhm);
}

CoilResult AnalyseCoilSweep(const TouchstoneSweep& sweep, SweepParameter parameter, double l0Henry) {
    if (parameter == SweepParameter::S21 && sweep.s21.size() != sweep.hertz.size()) {
        return CoilError{CoilFault::NoS21};
    }
    if (!(l0Henry > 0.0) || !std::isfinite(l0Henry)) {
        return CoilError{CoilFault::NoWinding};
    }
    const double r0 = sweep.referenceOhm;
    // Points at zero hertz or where the impedance is infinite say nothing about the core.
    std::vector<double> f;
    std::vector<Complex> s;
    const auto& raw = valuesOf(sweep, parameter);
    for (std::size_t i = 0; i < sweep.hertz.size() && i < raw.size(); ++i) {
        const Complex z = impedanceOf(raw[i], parameter, r0);
        if (sweep.hertz[i] > 0.0 && std::isfinite(z.real()) && std::isfinite(z.imag())) {
            f.push_back(sweep.hertz[i]);
            s.push_back(raw[i]);
        }
    }
    if (f.size() < static_cast<std::size_t>(kFewestVouchedPoints)) {
        return CoilError{CoilFault::TooFewPoints, static_cast<double>(f.size())};
    }
    const double sigma = noiseOf(f, s);
    std::vector<Complex> rawZ;
    for (const Complex v : s) {
        rawZ.push_back(impedanceOf(v, parameter, r0));
    }
    const std::vector<Smoothed> sm = smooth(f, rawZ, kSmoothShare, kMostNeighbours);
    std::vector<Complex> z;
    for (const auto& p : sm) {
        z.push_back(p.z);
    }
    std::vector<double> noiseOhm;
    for (std::size_t i = 0; i < f.size(); ++i) {
        noiseOhm.push_back(sigma * impedanceGain(s[i], parameter, r0) / std::sqrt(sm[i].averaged));
    }
    // The low end must be inductive: most of its first points that stand out of the noise,
    // below the self-resonance (a coil that resonates within the first steps of a coarse
    // sweep is capacitive from there on).
    CoilPermeability result;
    result.selfResonanceHz = selfResonance(f, z, noiseOhm);
    std::size_t quiet = 0;
    std::size_t inductive = 0;
    std::size_t firstQuiet = f.size();  // the first quiet and inductive point
    for (std::size_t i = 0; i < f.size() && quiet < kLowEndPoints; ++i) {
        if (result.selfResonanceHz && f[i] >= *result.selfResonanceHz) {
            break;
        }
        if (noiseOhm[i] <= kMostCrossingNoise * std::abs(z[i])) {
            ++quiet;
            if (z[i].imag() > 0.0) {
                firstQuiet = std::min(firstQuiet, i);
                ++inductive;
            }
        }
    }
    if (2 * inductive <= quiet) {
        return CoilError{CoilFault::NotInductive};
    }
    firstQuiet = std::min(firstQuiet, f.size() - 1);
    Parasitics par;
    if (result.selfResonanceHz) {
        if (const auto fit = fitAboveResonance(f, z, *result.selfResonanceHz)) {
            par = *fit;
            result.leadFitted = true;
        } else if (const auto below = fitBelowResonance(f, z, *result.selfResonanceHz)) {
            par = *below;
            result.leadFitted = par.ls > 0.0;
        } else if (const auto cd = strayFromResonance(f, z, *result.selfResonanceHz)) {
            par.cd = *cd;
        }
        // A tank shows its capacitor both ways: in the fit, and as the capacitance that
        // resonates with the low end's inductance. A tank's capacitor also lifts the
        // inductance on the way to the resonance, and it is the same all the way up, so the
        // capacitance seen above the resonance grows towards it. A core whose µ′ collapses
        // (and turns capacitive itself) lowers the inductance, and its own capacitance falls
        // off above: that is no tank, and the fit read the core, not the winding. Nor is a
        // core whose µ′ rises before it collapses, where the capacitance seen above the
        // resonance stays far below what would resonate with the low end.
        const double f0 = *result.selfResonanceHz;
        const double w0 = kTwoPi * f0;
        std::size_t low = 0;
        while (low + 1 < f.size() && noiseOhm[low] > kMostNoise * std::abs(z[low])) {
            ++low;
        }
        const double lowEnd = z[low].imag() / (kTwoPi * f[low]);
        const double resonating = lowEnd > 0.0 ? 1.0 / (w0 * w0 * lowEnd) : 0.0;
        const bool rises = apparentInductance(f, z, kVouchedShareOfResonance * f0) > kTankRise * lowEnd;
        const double far = std::min(kFarAboveResonance * f0, f.back());
        const bool coreTurnsCapacitive =
            f.back() >= kFarEnoughAboveResonance * f0 &&
            capacitanceAt(f, z, par.ls, far) < capacitanceAt(f, z, par.ls, kNearAboveResonance * f0);
        const double tank = std::min(par.cd, resonating);
        const bool showsTheCapacitor = f.back() < kNearAboveResonance * f0 ||
                                       capacitanceAt(f, z, par.ls, kNearAboveResonance * f0) >= kLeastTankShare * tank;
        if (tank * 1e12 > kMostWindingPf) {
            if (rises && !coreTurnsCapacitive && showsTheCapacitor) {
                return CoilError{CoilFault::Tank, par.cd * 1e12};
            }
            const auto cd = strayFromResonance(f, z, f0);
            par = {cd && *cd * 1e12 <= kMostWindingPf ? *cd : 0.0, 0.0};
            result.leadFitted = false;
        }
        if (coreTurnsCapacitive) {
            // Such a core resonates by itself: no more than a typical winding's capacitance
            // is taken out.
            par.cd = std::min(par.cd, kUnseenStray);
        }
        if (par.cd > 0.0) {
            result.strayPf = par.cd * 1e12;
        }
    }
    // Leads the sweep does not show are still there: short ones are taken out, never more
    // than half of the low end's inductance.
    if (!result.leadFitted) {
        const double lowEnd = z[firstQuiet].imag() / (kTwoPi * f[firstQuiet]);
        par.ls = std::min(kTypicalLead, kMostAssumedLeadShare * lowEnd);
    }
    result.leadNh = par.ls * 1e9;

    // The core's own impedance at every point.
    std::vector<Complex> zc(f.size());
    std::vector<double> noise(f.size());
    for (std::size_t i = 0; i < f.size(); ++i) {
        const double w = kTwoPi * f[i];
        const Complex zp = z[i] - Complex(0, w * par.ls);
        zc[i] = 1.0 / (1.0 / zp - Complex(0, w * par.cd));
        noise[i] = noiseOhm[i] / std::abs(zc[i]);
    }
    // The band runs from the first quiet point up to where the corrections grow. A coil that
    // resonates within the sweep's first steps leaves few points below half its resonance:
    // then the band reaches further up and takes noisier points, rather than tell nothing.
    const auto bandWithin = [&](double share, double mostNoise) {
        std::vector<std::size_t> band;
        for (std::size_t i = 0; i < f.size(); ++i) {
            const double w = kTwoPi * f[i];
            if (result.selfResonanceHz ? f[i] > share * *result.selfResonanceHz
                                       : w * kUnseenStray * std::abs(z[i]) > kMostUnseenCorrection) {
                break;
            }
            if (noise[i] <= mostNoise && zc[i].imag() > 0.0) {
                band.push_back(i);
            } else if (!band.empty() && noise[i] <= mostNoise) {
                break;
            }
        }
        return band;
    };
    std::vector<std::size_t> band = bandWithin(kVouchedShareOfResonance, kMostNoise);
    if (band.size() < static_cast<std::size_t>(kWantedPoints)) {
        band = bandWithin(kFurthestShareOfResonance, kMostNoiseOfFewPoints);
    }
    if (band.size() < static_cast<std::size_t>(kFewestVouchedPoints)) {
        return CoilError{CoilFault::TooFewPoints, static_cast<double>(band.size())};
    }
    const double lowEndCore = zc[band.front()].imag() / (kTwoPi * f[band.front()]);
    if (result.leadFitted && par.ls > kMostLeadShare * lowEndCore) {
        return CoilError{CoilFault::LeadTooLarge, par.ls * 1e9, lowEndCore * 1e9};
    }

    // Rcu: where the low end's resistance heads at zero frequency.
    std::vector<std::array<double, 2>> x;
    std::vector<double> y;
    for (std::size_t k = 0; k < band.size() && k < static_cast<std::size_t>(kCopperPoints); ++k) {
        x.push_back({1.0, f[band[k]] / f[band.front()]});
        y.push_back(zc[band[k]].real());
    }
    std::array<double, 2> c{};
    double residual = 0;
    if (leastSquares(x, y, c, residual)) {
        result.copperOhm = std::clamp(c[0], 0.0, *std::min_element(y.begin(), y.end()));
        result.copperOhm = std::max(result.copperOhm, 0.0);
    }
    std::vector<double> bandHertz;
    std::vector<Complex> loss;
    for (const std::size_t i : band) {
        const double wl = kTwoPi * f[i] * l0Henry;
        bandHertz.push_back(f[i]);
        loss.push_back((zc[i].real() - result.copperOhm) / wl);
        result.points.push_back({f[i], zc[i].imag() / wl, 0.0, noise[i]});
    }
    const std::vector<Smoothed> smoothLoss = smooth(bandHertz, loss, kLossSmoothShare, kMostLossNeighbours);
    for (std::size_t k = 0; k < band.size(); ++k) {
        result.points[k].muImag = smoothLoss[k].z.real();
    }
    result.validToHz = result.points.back().hertz;
    return result;
}

bool LooksLikeCoilAlone(const TouchstoneSweep& sweep, SweepParameter parameter) {
    const auto& values = valuesOf(sweep, parameter);
    if (values.size() < 2 || values.size() != sweep.hertz.size()) {
        return false;
    }
    return std::all_of(values.begin(), values.end(), [&](Complex s) {
        return impedanceOf(s, parameter, sweep.referenceOhm).imag() > 0.0;
    });
}

std::string DescribeCoilError(const CoilError& e, bool english) {
    const std::string value = oneDecimal(e.value, english);
    const std::string limit = oneDecimal(e.limit, english);
    switch (e.fault) {
        case CoilFault::NoS21:
            return english ? "This sweep holds no S21: it was made with one port."
                           : "Deze sweep bevat geen S21: hij is met één poort gemaakt.";
        case CoilFault::TooFewPoints:
            return english ? "Too few points below the self-resonance to tell the permeability (" +
                                 std::to_string(static_cast<int>(e.value)) +
                                 ", at least " + std::to_string(kFewestVouchedPoints) + ")."
                           : "Te weinig punten onder de eigenresonantie om de permeabiliteit te bepalen (" +
                                 std::to_string(static_cast<int>(e.value)) + ", minstens " + std::to_string(kFewestVouchedPoints) + ").";
        case CoilFault::Tank:
            return english ? "This sweep is a tuned circuit (" + value +
                                 " pF across the coil), not a coil alone: use the Calculator's Sweep…"
                           : "Deze sweep is een kring (" + value +
                                 " pF over de spoel), geen losse spoel: gebruik Sweep… in de Calculator.";
        case CoilFault::NotInductive:
            return english ? "The sweep is not inductive at its low end: no coil across the port."
                           : "De sweep is aan de lage kant niet inductief: geen spoel op de poort.";
        case CoilFault::LeadTooLarge:
            return english ? "The leads' inductance (" + value + " nH) is not small against the core's (" +
                                 limit + " nH): wind more turns or shorten the leads."
                           : "De zelfinductie van de aansluitdraden (" + value +
                                 " nH) is niet klein tegen die van de kern (" + limit +
                                 " nH): wikkel meer windingen of maak de draden korter.";
        case CoilFault::NoWinding:
            return english ? "The number of turns or the core's size is missing."
                           : "Het aantal windingen of de maat van de kern ontbreekt.";
    }
    return {};
}

}  // namespace kw
