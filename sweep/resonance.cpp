#include "sweep/resonance.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <numbers>
#include <optional>

#include "sweep/least_squares.h"

namespace kw {

namespace {

constexpr double kHalfPowerDb = 3.0;
constexpr double kLevelFloorDb = -400.0;    // of a power of zero or less
constexpr double kLargestImpedance = 1e15;  // [ohm] S11 of exactly one
constexpr double kTenOverLn10 = 10.0 / std::numbers::ln10;

// Smoothing for the peak search: a running median of five points takes out a single bad
// point; on long sweeps a running mean over one point in a hundred calms the noise besides.
constexpr std::size_t kMedianHalfWidth = 2;
constexpr std::size_t kFewestPointsToSmooth = 15;  // shorter sweeps are taken as they are
constexpr std::size_t kPointsPerMeanHalfWidth = 200;

// The fit.
constexpr std::size_t kFewestFitPoints = 7;
constexpr int kMostWindowMoves = 4;
constexpr std::size_t kPointsToSearchWith = 400;  // every few points of a longer window
constexpr double kMadToDeviation = 1.4826;        // median absolute deviation to standard deviation
constexpr double kSetAsideDeviations = 5.0;
constexpr std::size_t kFewestPointsToSetAside = 15;
constexpr std::size_t kPointsPerSetAside = 20;  // at most one in this many is set aside
constexpr std::size_t kFewestPointsForTilt = 12;
constexpr double kTiltPin = 1e6;  // the weight that holds the tilt at zero on a coarse sweep
// |S11| below which a point's noise is taken as that of this size (an analyser's floor).
constexpr double kReflectionNoiseFloor = 0.03;
// A fit whose points stray further than this from the ideal tank's curve does not describe the
// sweep (a band filter's flat top, say); the points read off the sweep are better then.
constexpr double kLargestFitScatterDb = 1.0;
constexpr double kLowestQ = 0.5;

// The deviations from the covariance hold for small noise; at a low signal-to-noise ratio the
// fit of a reflection leans towards a lower Q by up to about a quarter of them besides.
constexpr double kUncertaintyMargin = 1.25;

// Refusing and advising.
constexpr double kMostQUncertainty = 0.35;               // share of Q
constexpr double kMostF0UncertaintyInBandwidths = 0.07;  // share of f0 / Q
constexpr double kAdviceQUncertainty = 0.03;             // share of Q
constexpr double kFewPointsPerBandwidth = 3.0;
constexpr double kHighTankToPort = 10.0;
constexpr double kLowTankToPort = 0.1;
constexpr double kRivalGuardBandwidths = 3.0;
constexpr double kRivalScatters = 5.0;   // a rival stands this far beyond the fit's scatter
constexpr double kInductiveShare = 0.5;  // of the sweep, for a coil alone
constexpr std::size_t kCapacitivePointsAfterCrossing = 3;

constexpr double kSqrtTwelve = 3.4641016151377544;  // a uniform spread's width over its deviation

using fit::Vector;

double decibels(double magnitude) {
    return magnitude > 0 ? 20.0 * std::log10(magnitude) : kLevelFloorDb;
}

double powerDb(double power) {
    return power > 0 ? 10.0 * std::log10(power) : kLevelFloorDb;
}

std::complex<double> impedance(std::complex<double> s, double r0) {
    const std::complex<double> denominator = 1.0 - s;
    if (std::abs(denominator) < 1.0 / kLargestImpedance) {
        return {kLargestImpedance, 0.0};
    }
    return r0 * (1.0 + s) / denominator;
}

// Detuning of an ideal tank: Q u = +-1 at the -3 dB points.
double detuning(double f, double f0) {
    return f / f0 - f0 / f;
}

double median(std::vector<double> v) {
    if (v.empty()) {
        return 0;
    }
    const auto middle = v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2);
    std::nth_element(v.begin(), middle, v.end());
    return *middle;
}

// ---- smoothing ----

std::vector<double> runningMedian(const std::vector<double>& v, std::size_t half) {
    std::vector<double> out(v.size());
    std::vector<double> window;
    for (std::size_t i = 0; i < v.size(); ++i) {
        const std::size_t a = i >= half ? i - half : 0;
        const std::size_t b = std::min(v.size() - 1, i + half);
        window.assign(v.begin() + static_cast<std::ptrdiff_t>(a),
                      v.begin() + static_cast<std::ptrdiff_t>(b + 1));
        out[i] = median(window);
    }
    return out;
}

std::vector<double> runningMean(const std::vector<double>& v, std::size_t half) {
    std::vector<double> sums(v.size() + 1, 0.0);
    for (std::size_t i = 0; i < v.size(); ++i) {
        sums[i + 1] = sums[i] + v[i];
    }
    std::vector<double> out(v.size());
    for (std::size_t i = 0; i < v.size(); ++i) {
        const std::size_t a = i >= half ? i - half : 0;
        const std::size_t b = std::min(v.size() - 1, i + half);
        out[i] = (sums[b + 1] - sums[a]) / static_cast<double>(b + 1 - a);
    }
    return out;
}

std::vector<double> smoothed(const std::vector<double>& v) {
    if (v.size() < kFewestPointsToSmooth) {
        return v;
    }
    std::vector<double> out = runningMedian(v, kMedianHalfWidth);
    const std::size_t half = v.size() / kPointsPerMeanHalfWidth;
    return half > 0 ? runningMean(out, half) : out;
}

// ---- the sweep as the analysis sees it ----

struct Trace {
    const TouchstoneSweep& sweep;
    SweepParameter parameter;
    std::vector<double> power;      // |S21|², or the resistance Re Z [ohm], as measured
    std::vector<double> level;      // 10 log10 of the smoothed power
    std::vector<double> reactance;  // S11: Im Z [ohm], smoothed

    const std::vector<double>& hertz() const { return sweep.hertz; }
    bool s21() const { return parameter == SweepParameter::S21; }
};

Trace traceOf(const TouchstoneSweep& sweep, SweepParameter parameter) {
    Trace t{sweep, parameter, {}, {}, {}};
    const std::size_t n = sweep.hertz.size();
    t.power.reserve(n);
    if (parameter == SweepParameter::S21) {
        for (const auto& s : sweep.s21) {
            t.power.push_back(std::norm(s));
        }
    } else {
        std::vector<double> reactance;
        reactance.reserve(n);
        for (const auto& s : sweep.s11) {
            const std::complex<double> z = impedance(s, sweep.referenceOhm);
            t.power.push_back(z.real());
            reactance.push_back(z.imag());
        }
        t.reactance = smoothed(reactance);
    }
    const std::vector<double> smooth = smoothed(t.power);
    t.level.reserve(n);
    for (const double p : smooth) {
        t.level.push_back(powerDb(p));
    }
    return t;
}

// A parallel resonance turns the reactance from inductive to capacitive. A sweep inductive over
// most of its span that never does so is a coil without its tank (or one resonating above).
bool inductiveThroughout(const std::vector<double>& reactance) {
    const std::size_t n = reactance.size();
    const auto inductive = static_cast<std::size_t>(
        std::count_if(reactance.begin(), reactance.end(), [](double x) { return x > 0; }));
    if (static_cast<double>(inductive) < kInductiveShare * static_cast<double>(n)) {
        return false;
    }
    for (std::size_t i = 0; i + 1 < n; ++i) {
        if (reactance[i] > 0 && reactance[i + 1] <= 0) {
            const std::size_t end = std::min(n, i + 1 + kCapacitivePointsAfterCrossing);
            if (std::all_of(reactance.begin() + static_cast<std::ptrdiff_t>(i + 1),
                            reactance.begin() + static_cast<std::ptrdiff_t>(end),
                            [](double x) { return x <= 0; })) {
                return false;
            }
        }
    }
    return true;
}

// ---- the top of the smoothed curve ----

// The frequency where the level crosses `target` between points a and b.
double crossing(const std::vector<double>& hertz, const std::vector<double>& value, std::size_t a,
                std::size_t b, double target) {
    const double va = value[a];
    const double vb = value[b];
    if (va == vb) {
        return 0.5 * (hertz[a] + hertz[b]);
    }
    const double t = std::clamp((target - va) / (vb - va), 0.0, 1.0);
    return hertz[a] + t * (hertz[b] - hertz[a]);
}

struct Top {
    std::size_t index = 0;
    bool lowSide = false;   // the level falls 3 dB below the top before the sweep starts
    bool highSide = false;  // ... and before it ends
    double f1 = 0;          // [Hz] where it does, or the sweep's edge
    double f2 = 0;
};

Top topOf(const std::vector<double>& hertz, const std::vector<double>& level, std::size_t first,
          std::size_t last) {
    Top t;
    t.index =
        static_cast<std::size_t>(std::max_element(level.begin() + static_cast<std::ptrdiff_t>(first),
                                                  level.begin() + static_cast<std::ptrdiff_t>(last + 1)) -
                                 level.begin());
    const double half = level[t.index] - kHalfPowerDb;
    t.f1 = hertz[first];
    for (std::size_t j = t.index; j > first; --j) {
        if (level[j - 1] <= half) {
            t.lowSide = true;
            t.f1 = crossing(hertz, level, j - 1, j, half);
            break;
        }
    }
    t.f2 = hertz[last];
    for (std::size_t j = t.index; j < last; ++j) {
        if (level[j + 1] <= half) {
            t.highSide = true;
            t.f2 = crossing(hertz, level, j + 1, j, half);
            break;
        }
    }
    return t;
}

ResonanceError edgeFault(const Top& top, std::size_t points, double atHz) {
    if (!top.lowSide && !top.highSide) {
        const bool inside = top.index > 0 && top.index + 1 < points;
        return {inside ? ResonanceFault::TooNarrow : ResonanceFault::Flat, atHz, false, {}, {}, 0};
    }
    return {ResonanceFault::NotWhole, atHz, !top.lowSide, {}, {}, 0};
}

// The tops of the smoothed curve, in one pass: a top counts once the level has fallen 3 dB
// below it, and the next is looked for once the level has risen 3 dB above the lowest point
// since. Tops closer than that belong to one peak, its highest point.
std::vector<std::size_t> tops(const std::vector<double>& level) {
    std::vector<std::size_t> out;
    bool seekingTop = true;
    std::size_t top = 0;
    std::size_t low = 0;
    for (std::size_t i = 1; i < level.size(); ++i) {
        if (seekingTop) {
            if (level[i] > level[top]) {
                top = i;
            } else if (level[i] <= level[top] - kHalfPowerDb) {
                out.push_back(top);
                seekingTop = false;
                low = i;
            }
        } else if (level[i] < level[low]) {
            low = i;
        } else if (level[i] >= level[low] + kHalfPowerDb) {
            seekingTop = true;
            top = i;
        }
    }
    if (seekingTop) {
        out.push_back(top);
    }
    return out;
}

// ---- the fit ----

struct Tank {
    double f0 = 0;  // [Hz]
    double q = 0;
    double peak = 0;    // |S21| in dB at f0, or the resistance [ohm]
    double tilt = 0;    // S21: the power of f/f0 the coupling adds to |S21|
    double series = 0;  // S11: the series reactance times the frequency [ohm Hz]; -j series / f
};

struct Window {
    std::size_t first = 0;
    std::size_t last = 0;
    std::size_t stride = 1;  // every how many points the fit takes
    bool sameSpan(const Window& o) const { return first == o.first && last == o.last; }
    std::size_t size() const { return last - first + 1; }
    std::size_t taken() const { return (last - first) / stride + 1; }
};

// The points within kFitWindowBandwidths of f0, and never fewer than kFewestFitPoints.
Window windowAround(const std::vector<double>& hertz, double f0, double bandwidth) {
    const double reach = kFitWindowBandwidths * bandwidth;
    const auto low = std::lower_bound(hertz.begin(), hertz.end(), f0 - reach);
    const auto high = std::upper_bound(hertz.begin(), hertz.end(), f0 + reach);
    const std::size_t n = hertz.size();
    Window w;
    w.first = std::min(static_cast<std::size_t>(low - hertz.begin()), n - 1);
    w.last = high == hertz.begin() ? 0 : static_cast<std::size_t>(high - hertz.begin()) - 1;
    if (w.last < w.first) {
        w.last = w.first;
    }
    while (w.size() < std::min(kFewestFitPoints, n)) {
        const bool lower =
            w.first > 0 && (w.last + 1 >= n || f0 - hertz[w.first - 1] < hertz[w.last + 1] - f0);
        if (lower) {
            --w.first;
        } else {
            ++w.last;
        }
    }
    return w;
}

struct Fit {
    Tank tank;
    double f0Deviation = 0;  // [Hz]
    double qDeviation = 0;
    double scatterDb = 0;
    double scatter = 0;  // root mean square of the residuals, in the model's unit
    Window window;
    int setAside = 0;
    bool sound = false;
};

using Params = Vector<4>;

// |S21| in dB: peak + tilt 20 log10(f/f0) - 10 log10(1 + Q² u²).
// Parameters: the peak, f0 = seed (1 + x1), Q = seed exp(x2), the tilt.
struct TransmissionModel {
    const Trace& t;
    const std::vector<double>& levelDb;  // 20 log10 |S21| of each point
    const std::vector<bool>& aside;
    Window w;
    Tank seed;
    bool withTilt;

    Tank tank(const Params& x) const {
        return {seed.f0 * (1.0 + x[1]), seed.q * std::exp(x[2]), x[0], x[3], 0};
    }
    Params start() const { return {seed.peak, 0.0, 0.0, withTilt ? seed.tilt : 0.0}; }

    double residual(std::size_t i, const Tank& k) const {
        const double f = t.hertz()[i];
        const double u = detuning(f, k.f0);
        return levelDb[i] - (k.peak + 2.0 * kTenOverLn10 * k.tilt * std::log(f / k.f0) -
                             kTenOverLn10 * std::log1p(k.q * k.q * u * u));
    }

    double operator()(const Params& x, fit::Normal<4>* normal) const {
        const Tank k = tank(x);
        if (!(k.f0 > 0) || !std::isfinite(k.q) || !std::isfinite(k.peak)) {
            return std::nan("");
        }
        double sum = 0;
        for (std::size_t i = w.first; i <= w.last; i += w.stride) {
            if (aside[i]) {
                continue;
            }
            const double r = residual(i, k);
            sum += r * r;
            if (normal != nullptr) {
                const double f = t.hertz()[i];
                const double u = detuning(f, k.f0);
                const double g = k.q * k.q * u * u;
                const double dyDg = -kTenOverLn10 / (1.0 + g);
                const double duDf0 = -f / (k.f0 * k.f0) - 1.0 / f;
                const double dyDf0 = -2.0 * kTenOverLn10 * k.tilt / k.f0 + dyDg * 2.0 * k.q * k.q * u * duDf0;
                normal->add(
                    {-1.0, -dyDf0 * seed.f0, -dyDg * 2.0 * g, -2.0 * kTenOverLn10 * std::log(f / k.f0)}, r);
            }
        }
        if (!withTilt) {
            sum += (kTiltPin * x[3]) * (kTiltPin * x[3]);
            if (normal != nullptr) {
                normal->add({0.0, 0.0, 0.0, kTiltPin}, kTiltPin * x[3]);
                normal->residuals -= 1;
            }
        }
        return sum;
    }

    double scatterDb(double cost, std::size_t points) const {
        return std::sqrt(cost / static_cast<double>(points));
    }
};

// S11 of the tank, Z = R / (1 + j Q u) - j series / f, weighted by the noise of a point of its
// size. Parameters: R = seed exp(x0), f0 and Q as above, series = x3 R0 f0seed.
struct ReflectionModel {
    const Trace& t;
    const std::vector<double>& weight;  // 1 / the noise of each point
    const std::vector<bool>& aside;
    Window w;
    Tank seed;

    double r0() const { return t.sweep.referenceOhm; }
    Tank tank(const Params& x) const {
        return {seed.f0 * (1.0 + x[1]), seed.q * std::exp(x[2]), seed.peak * std::exp(x[0]), 0,
                x[3] * r0() * seed.f0};
    }
    Params start() const { return {0.0, 0.0, 0.0, seed.series / (r0() * seed.f0)}; }

    std::complex<double> error(std::size_t i, const Tank& k) const {
        const std::complex<double> z =
            tankImpedance(i, k) - std::complex<double>(0.0, k.series / t.hertz()[i]);
        return weight[i] * (t.sweep.s11[i] - (z - r0()) / (z + r0()));
    }
    std::complex<double> tankImpedance(std::size_t i, const Tank& k) const {
        return k.peak / std::complex<double>(1.0, k.q * detuning(t.hertz()[i], k.f0));
    }
    double residual(std::size_t i, const Tank& k) const { return std::abs(error(i, k)); }

    double operator()(const Params& x, fit::Normal<4>* normal) const {
        const Tank k = tank(x);
        if (!(k.f0 > 0) || !std::isfinite(k.q) || !std::isfinite(k.peak) || !std::isfinite(k.series)) {
            return std::nan("");
        }
        const std::complex<double> j(0.0, 1.0);
        double sum = 0;
        for (std::size_t i = w.first; i <= w.last; i += w.stride) {
            if (aside[i]) {
                continue;
            }
            const double f = t.hertz()[i];
            const std::complex<double> zt = tankImpedance(i, k);
            const std::complex<double> z = zt - j * (k.series / f);
            const std::complex<double> e = weight[i] * (t.sweep.s11[i] - (z - r0()) / (z + r0()));
            sum += std::norm(e);
            if (normal != nullptr) {
                // S = 1 - 2 R0 / (z + R0): dS/dz = 2 R0 / (z + R0)²; the error's derivatives are
                // -weight dS/dz times those of z.
                const double u = detuning(f, k.f0);
                const std::complex<double> d = 1.0 + j * k.q * u;
                const std::complex<double> scale = -weight[i] * 2.0 * r0() / ((z + r0()) * (z + r0()));
                const std::complex<double> g0 = scale * zt;
                const std::complex<double> g1 =
                    scale * (-zt * j * k.q / d) * (-f / (k.f0 * k.f0) - 1.0 / f) * seed.f0;
                const std::complex<double> g2 = scale * (-zt * j * k.q * u / d);
                const std::complex<double> g3 = scale * (-j * r0() * seed.f0 / f);
                normal->add({g0.real(), g1.real(), g2.real(), g3.real()}, e.real());
                normal->add({g0.imag(), g1.imag(), g2.imag(), g3.imag()}, e.imag());
            }
        }
        return sum;
    }

    // The residuals are shares of |S|; as dB per component.
    double scatterDb(double cost, std::size_t points) const {
        return 2.0 * kTenOverLn10 * std::sqrt(cost / (2.0 * static_cast<double>(points)));
    }
};

// The points of the window far beyond the others' scatter, at most one in kPointsPerSetAside.
template <class Model>
std::vector<bool> farPoints(const Model& m, const Tank& k, std::size_t n) {
    std::vector<bool> aside(n, false);
    if (m.w.taken() < kFewestPointsToSetAside) {
        return aside;
    }
    std::vector<std::pair<double, std::size_t>> sizes;
    sizes.reserve(m.w.taken());
    for (std::size_t i = m.w.first; i <= m.w.last; i += m.w.stride) {
        sizes.emplace_back(std::fabs(m.residual(i, k)), i);
    }
    std::vector<double> values;
    values.reserve(sizes.size());
    for (const auto& s : sizes) {
        values.push_back(s.first);
    }
    const double limit = kSetAsideDeviations * kMadToDeviation * median(values);
    std::sort(sizes.begin(), sizes.end(), std::greater<>());
    const std::size_t most = std::max<std::size_t>(1, m.w.taken() / kPointsPerSetAside);
    for (std::size_t r = 0; r < most && sizes[r].first > limit; ++r) {
        aside[sizes[r].second] = true;
    }
    return aside;
}

template <class Model>
Fit fitOnce(const Model& m) {
    const fit::Solution<4> s = fit::Minimise<4>(m, m.start());
    Fit out;
    out.tank = m.tank(s.x);
    out.window = m.w;
    out.f0Deviation = m.seed.f0 * std::sqrt(std::max(s.covariance[1][1], 0.0));
    out.qDeviation = out.tank.q * std::sqrt(std::max(s.covariance[2][2], 0.0));
    std::size_t points = 0;
    for (std::size_t i = m.w.first; i <= m.w.last; i += m.w.stride) {
        points += m.aside[i] ? 0 : 1;
    }
    out.scatterDb = m.scatterDb(s.cost, std::max<std::size_t>(points, 1));
    out.scatter = std::sqrt(s.cost / static_cast<double>(std::max<std::size_t>(points, 1)));
    out.setAside = static_cast<int>(m.w.taken() - points);
    out.sound = s.sound && std::isfinite(out.f0Deviation) && std::isfinite(out.qDeviation) &&
                out.tank.q > kLowestQ && out.tank.f0 >= m.t.hertz().front() &&
                out.tank.f0 <= m.t.hertz().back();
    return out;
}

// Fits over the window, sets the far points aside and fits again.
template <class MakeModel>
Fit fitWithoutFarPoints(const Trace& t, const Window& w, const Tank& seed, MakeModel&& make) {
    const std::vector<bool> none(t.hertz().size(), false);
    Fit f = fitOnce(make(w, seed, none));
    const std::vector<bool> far = farPoints(make(w, seed, none), f.tank, none.size());
    if (f.sound && far != none) {
        f = fitOnce(make(w, f.tank, far));
    }
    return f;
}

// Fits over the window around the seed and moves the window to the tank found until it stays;
// on a long sweep over every few points, enough to find the tank.
template <class MakeModel>
Fit searchTank(const Trace& t, Tank seed, MakeModel&& make) {
    Window w = windowAround(t.hertz(), seed.f0, seed.f0 / seed.q);
    Fit best;
    for (int move = 0; move < kMostWindowMoves; ++move) {
        w.stride = std::max<std::size_t>(1, w.size() / kPointsToSearchWith);
        const Fit f = fitWithoutFarPoints(t, w, seed, make);
        if (!f.sound) {
            return move == 0 ? f : best;
        }
        best = f;
        const Window next = windowAround(t.hertz(), f.tank.f0, f.tank.f0 / f.tank.q);
        if (next.sameSpan(w)) {
            break;
        }
        w = next;
        seed = f.tank;
    }
    return best;
}

// The tank found, fitted again over every point of its window.
template <class MakeModel>
Fit finishTank(const Trace& t, const Fit& found, MakeModel&& make) {
    if (!found.sound || found.window.stride == 1) {
        return found;
    }
    Window w = found.window;
    w.stride = 1;
    const Fit f = fitWithoutFarPoints(t, w, found.tank, make);
    return f.sound ? f : found;
}

std::vector<double> transmissionDb(const Trace& t) {
    std::vector<double> levelDb;
    levelDb.reserve(t.sweep.s21.size());
    for (const auto& s : t.sweep.s21) {
        levelDb.push_back(decibels(std::abs(s)));
    }
    return levelDb;
}

Fit fitTransmission(const Trace& t, const Tank& seed) {
    const std::vector<double> levelDb = transmissionDb(t);
    const auto make = [&](Window w, const Tank& s, const std::vector<bool>& aside) {
        return TransmissionModel{t, levelDb, aside, w, s, w.taken() >= kFewestPointsForTilt};
    };
    return finishTank(t, searchTank(t, seed, make), make);
}

// 1 / the noise of each point: a share of |S11|, from the smoothed size so that a point's own
// noise does not weigh it.
std::vector<double> reflectionWeights(const Trace& t) {
    std::vector<double> size;
    size.reserve(t.sweep.s11.size());
    for (const auto& s : t.sweep.s11) {
        size.push_back(std::abs(s));
    }
    std::vector<double> weight;
    weight.reserve(size.size());
    for (const double s : smoothed(size)) {
        weight.push_back(1.0 / std::hypot(s, kReflectionNoiseFloor));
    }
    return weight;
}

// From each start, the sound fit that strays least from its points.
Fit fitReflection(const Trace& t, const std::vector<Tank>& starts) {
    const std::vector<double> weight = reflectionWeights(t);
    const auto make = [&](Window w, const Tank& s, const std::vector<bool>& aside) {
        return ReflectionModel{t, weight, aside, w, s};
    };
    Fit best;
    for (const Tank& start : starts) {
        const Fit f = searchTank(t, start, make);
        if (f.sound && (!best.sound || f.scatterDb < best.scatterDb)) {
            best = f;
        }
    }
    return finishTank(t, best, make);
}

// A first guess of the tank from its admittance: through the series reactance guessed, a
// parallel tank's Y = G + j (2 pi C f - 1 / (2 pi L f)) is linear in G, C and 1/L, so a
// weighted linear fit over the whole sweep, with the points far off the line set aside once,
// gives f0 and Q without any search.
std::optional<Tank> admittanceGuess(const Trace& t, double series) {
    const std::size_t n = t.hertz().size();
    const double r0 = t.sweep.referenceOhm;
    std::vector<std::complex<double>> y(n);
    std::vector<double> weight(n);
    for (std::size_t i = 0; i < n; ++i) {
        const std::complex<double> s = t.sweep.s11[i];
        const std::complex<double> z = impedance(s, r0) + std::complex<double>(0.0, series / t.hertz()[i]);
        y[i] = std::abs(z) > 0 ? 1.0 / z : 0.0;
        // dY = -2 dS / (R0 (1 + S)²) through the series reactance's share; the noise of S is
        // a share of |S|.
        const std::complex<double> zs = z - std::complex<double>(0.0, series / t.hertz()[i]);
        const double toY =
            std::norm(z) > 0 ? 2.0 * r0 / std::norm(zs + r0) * std::norm(zs) / std::norm(z) : 0;
        weight[i] = 1.0 / (std::hypot(std::abs(s), kReflectionNoiseFloor) * std::max(toY, 1e-300));
    }
    std::vector<bool> aside(n, false);
    std::optional<Tank> guess;
    for (int pass = 0; pass < 2; ++pass) {
        double sw = 0;
        double sg = 0;
        fit::Matrix<2> a{};
        fit::Vector<2> b{};
        for (std::size_t i = 0; i < n; ++i) {
            if (aside[i]) {
                continue;
            }
            const double w2 = weight[i] * weight[i];
            const double f = t.hertz()[i];
            const double basis[2] = {f, -1.0 / f};
            sw += w2;
            sg += w2 * y[i].real();
            for (int r = 0; r < 2; ++r) {
                b[r] += w2 * basis[r] * y[i].imag();
                for (int c = 0; c < 2; ++c) {
                    a[r][c] += w2 * basis[r] * basis[c];
                }
            }
        }
        fit::Vector<2> cl{};
        if (!(sw > 0) || !fit::Solve(a, b, cl)) {
            return guess;
        }
        const double g = sg / sw;
        if (!(g > 0 && cl[0] > 0 && cl[1] > 0)) {
            return guess;
        }
        const double f0 = std::sqrt(cl[1] / cl[0]);
        guess = Tank{f0, std::sqrt(cl[0] * cl[1]) / g, 1.0 / g, 0.0, series};
        std::vector<double> sizes(n);
        for (std::size_t i = 0; i < n; ++i) {
            const double f = t.hertz()[i];
            sizes[i] = weight[i] * std::abs(y[i] - std::complex<double>(g, cl[0] * f - cl[1] / f));
        }
        const double limit = kSetAsideDeviations * kMadToDeviation * median(sizes);
        for (std::size_t i = 0; i < n; ++i) {
            aside[i] = sizes[i] > limit;
        }
    }
    return guess;
}

// The guess from the smoothed curve: its top, and the bandwidth between its -3 dB points.
Tank seedFrom(const Trace& t, const Top& top) {
    Tank seed;
    seed.f0 = t.hertz()[top.index];
    seed.q = seed.f0 / std::max(top.f2 - top.f1, seed.f0 * std::numeric_limits<double>::epsilon());
    if (t.s21()) {
        seed.peak = t.level[top.index];
        return seed;
    }
    constexpr double kLeastResistanceShare = 1e-3;  // of the port's
    seed.peak =
        std::max(std::pow(10.0, t.level[top.index] / 10.0), t.sweep.referenceOhm * kLeastResistanceShare);
    // At resonance the tank is real: what reactance remains is the series capacitor's.
    seed.series = -t.reactance[top.index] * seed.f0;
    return seed;
}

// Fits from the admittance's guess, with and without the series reactance the curve suggests,
// and from the curve itself.
Fit bestReflectionFit(const Trace& t, const Tank& seed, bool whole) {
    std::vector<Tank> starts;
    for (const double series : {seed.series, 0.0}) {
        const std::optional<Tank> guess = admittanceGuess(t, series);
        if (guess && guess->f0 > t.hertz().front() && guess->f0 < t.hertz().back()) {
            starts.push_back(*guess);
        }
    }
    if (whole) {
        starts.push_back(seed);
    }
    return fitReflection(t, starts);
}

// ---- what the fit found ----

double meanStep(const std::vector<double>& hertz, const Window& w) {
    return w.size() > 1 ? (hertz[w.last] - hertz[w.first]) / static_cast<double>(w.size() - 1) : 0.0;
}

SweepAdvice adviceFor(const Resonance& r, SweepParameter parameter) {
    if (!(r.qUncertainty > kAdviceQUncertainty * r.q)) {
        return SweepAdvice::None;
    }
    if (r.pointsPerBandwidth < kFewPointsPerBandwidth) {
        return SweepAdvice::FewPoints;
    }
    if (parameter == SweepParameter::S11 && r.tankToPort > kHighTankToPort) {
        return SweepAdvice::TankFarAbovePort;
    }
    if (parameter == SweepParameter::S11 && r.tankToPort < kLowTankToPort) {
        return SweepAdvice::TankFarBelowPort;
    }
    return SweepAdvice::Noisy;
}

// Other peaks of about the same height, away from the tank found: the tank and up to two
// of them, highest first.
// Whether the tank found explains the points around j within its fit's scatter.
template <class Model>
bool explains(const Model& m, const Fit& fit, std::size_t j) {
    std::vector<double> sizes;
    const std::size_t n = m.t.hertz().size();
    for (std::size_t i = j >= kMedianHalfWidth ? j - kMedianHalfWidth : 0;
         i <= std::min(n - 1, j + kMedianHalfWidth); ++i) {
        sizes.push_back(std::fabs(m.residual(i, fit.tank)));
    }
    return median(sizes) <= kRivalScatters * fit.scatter;
}

template <class Explains>
std::optional<ResonanceError> rivals(const Trace& t, const Resonance& r, Explains&& explained) {
    const std::vector<double>& level = t.level;
    const std::vector<double>& hertz = t.hertz();
    const std::size_t main =
        static_cast<std::size_t>(std::lower_bound(hertz.begin(), hertz.end(), r.f0) - hertz.begin());
    const double guard = kRivalGuardBandwidths * (r.f2 - r.f1);
    double height = level[std::min(main, hertz.size() - 1)];
    std::vector<std::size_t> found;
    for (const std::size_t top : tops(level)) {
        if (std::fabs(hertz[top] - r.f0) <= guard) {
            height = std::max(height, level[top]);
        } else if (!explained(top)) {
            found.push_back(top);
        }
    }
    std::erase_if(found, [&](std::size_t i) { return level[i] < height - kRivalPeakDb; });
    if (found.empty()) {
        return std::nullopt;
    }
    std::sort(found.begin(), found.end(), [&](std::size_t a, std::size_t b) { return level[a] > level[b]; });
    found.resize(std::min<std::size_t>(found.size(), 2));
    std::vector<std::pair<double, double>> peaks = {{r.f0, height}};
    for (const std::size_t i : found) {
        peaks.emplace_back(hertz[i], level[i]);
    }
    std::sort(peaks.begin(), peaks.end());
    ResonanceError e{ResonanceFault::Several, r.f0, false, {}, {}, 0};
    for (const auto& [f, db] : peaks) {
        e.candidates.push_back(f);
        // |S21| in dB, or the resistance in ohm
        e.levels.push_back(t.s21() ? db : std::pow(10.0, db / 10.0));
    }
    return e;
}

// Read off the points when no tank's curve fits: the highest point within the smoothed
// curve's -3 dB points and where the measured level crosses 3 dB below it.
Resonance readOff(const Trace& t, const Top& top) {
    const std::vector<double>& hertz = t.hertz();
    std::vector<double> level;
    level.reserve(t.power.size());
    for (const double p : t.power) {
        level.push_back(powerDb(p));
    }
    const auto from = std::lower_bound(hertz.begin(), hertz.end(), top.f1) - hertz.begin();
    const auto to = std::upper_bound(hertz.begin(), hertz.end(), top.f2) - hertz.begin();
    const std::size_t first = static_cast<std::size_t>(from);
    const std::size_t last = std::max(first, static_cast<std::size_t>(to) - 1);
    Top inside = topOf(hertz, level, first, last);
    // Crossings from the chosen top over the whole sweep.
    const double half = level[inside.index] - kHalfPowerDb;
    double f1 = hertz.front();
    for (std::size_t j = inside.index; j > 0; --j) {
        if (level[j - 1] <= half) {
            f1 = crossing(hertz, level, j - 1, j, half);
            break;
        }
    }
    double f2 = hertz.back();
    for (std::size_t j = inside.index; j + 1 < hertz.size(); ++j) {
        if (level[j + 1] <= half) {
            f2 = crossing(hertz, level, j + 1, j, half);
            break;
        }
    }
    Resonance r;
    r.f0 = hertz[inside.index];
    r.f1 = std::min(f1, r.f0);
    r.f2 = std::max(f2, r.f0);
    if (!(r.f1 < r.f0 && r.f0 < r.f2)) {
        r.f0 = 0.5 * (r.f1 + r.f2);
    }
    r.q = r.f0 / (r.f2 - r.f1);
    r.peak = t.s21() ? level[inside.index] : t.power[inside.index];
    // A point anywhere within a step: a uniform spread of one step.
    const double step = meanStep(hertz, {0, hertz.size() - 1});
    r.f0Uncertainty = step / kSqrtTwelve;
    r.qUncertainty = r.q * std::sqrt(2.0) * r.f0Uncertainty / (r.f2 - r.f1);
    r.pointsPerBandwidth = (r.f2 - r.f1) / step;
    return r;
}

// Without a tank's curve, every other peak of about the same height is a rival.
ResonanceResult readOffUnlessRivals(const Trace& t, const Top& top) {
    const Resonance r = readOff(t, top);
    if (std::optional<ResonanceError> several = rivals(t, r, [](std::size_t) { return false; })) {
        return *several;
    }
    return r;
}

// Refused before anything is fitted: no S21 to read, or too few points.
std::optional<ResonanceError> unreadable(const TouchstoneSweep& sweep, SweepParameter parameter) {
    if (parameter == SweepParameter::S21 && sweep.s21.size() != sweep.hertz.size()) {
        return ResonanceError{ResonanceFault::NoS21, 0, false, {}, {}, 0};
    }
    if (sweep.hertz.size() < kFewestSweepPoints) {
        return ResonanceError{ResonanceFault::TooFewPoints, 0, false, {}, {}, 0};
    }
    return std::nullopt;
}

// No tank's curve could be fitted: a peak cut off by the sweep's edge, a sweep too coarse for
// its bandwidth, or a fine transmission sweep read off its points.
ResonanceResult withoutFit(const Trace& t, const Top& top, const Tank& seed, bool whole) {
    const std::vector<double>& hertz = t.sweep.hertz;
    const std::size_t n = hertz.size();
    if (!whole) {
        return edgeFault(top, n, hertz[top.index]);
    }
    const double stepOverBandwidth = meanStep(hertz, {0, n - 1}) * seed.q / seed.f0;
    if (!t.s21() || stepOverBandwidth > 1.0 / kFewPointsPerBandwidth) {
        return ResonanceError{ResonanceFault::TooCoarse, seed.f0, false, {}, {}, stepOverBandwidth};
    }
    return readOffUnlessRivals(t, top);
}

// The points scatter too far around the fitted curve: a whole transmission peak is read off
// its points, anything else is too coarse to tell.
ResonanceResult scatteredFit(const Trace& t, const Top& top, const Fit& fit, bool whole) {
    if (!whole || !t.s21()) {
        return ResonanceError{ResonanceFault::TooCoarse,
                              fit.tank.f0,
                              false,
                              {},
                              {},
                              meanStep(t.sweep.hertz, fit.window) * fit.tank.q / fit.tank.f0};
    }
    return readOffUnlessRivals(t, top);
}

// The resonance as the fitted tank gives it, with the fit's uncertainties.
Resonance fromFit(const Trace& t, const Fit& fit) {
    const Tank& k = fit.tank;
    Resonance r;
    r.f0 = k.f0;
    r.q = k.q;
    r.f1 = LowerHalfPowerPoint(k.f0, k.q);
    r.f2 = UpperHalfPowerPoint(k.f0, k.q);
    r.peak = k.peak;
    r.fitted = true;
    r.fitPoints = static_cast<int>(fit.window.taken()) - fit.setAside;
    r.setAside = fit.setAside;
    r.f0Uncertainty = kUncertaintyMargin * fit.f0Deviation;
    r.qUncertainty = kUncertaintyMargin * fit.qDeviation;
    r.tankToPort = t.s21() ? 0.0 : k.peak / t.sweep.referenceOhm;
    const double step = meanStep(t.sweep.hertz, fit.window);
    r.pointsPerBandwidth = step > 0 ? (r.f2 - r.f1) / step : 0.0;
    return r;
}

// A fitted resonance is refused when the fit leaves Q or f0 too uncertain, or when its -3 dB
// points fall outside the sweep.
std::optional<ResonanceError> uncertainOrCut(const std::vector<double>& hertz, const Fit& fit, const Resonance& r) {
    if (fit.qDeviation > kMostQUncertainty * r.q ||
        fit.f0Deviation > kMostF0UncertaintyInBandwidths * (r.f2 - r.f1)) {
        return ResonanceError{ResonanceFault::TooCoarse, r.f0, false, {}, {}, meanStep(hertz, fit.window) / (r.f2 - r.f1)};
    }
    if (r.f1 < hertz.front() || r.f2 > hertz.back()) {
        return ResonanceError{ResonanceFault::NotWhole, r.f0, r.f1 < hertz.front(), {}, {}, 0};
    }
    return std::nullopt;
}

// Another peak the fitted tank does not explain, of about the same height, is a rival.
std::optional<ResonanceError> rivalsOfFit(const Trace& t, const Fit& fit, const Resonance& r) {
    const std::vector<bool> none(t.sweep.hertz.size(), false);
    if (t.s21()) {
        const std::vector<double> levelDb = transmissionDb(t);
        const TransmissionModel m{t, levelDb, none, fit.window, fit.tank, true};
        return rivals(t, r, [&](std::size_t j) { return explains(m, fit, j); });
    }
    const std::vector<double> weight = reflectionWeights(t);
    const ReflectionModel m{t, weight, none, fit.window, fit.tank};
    return rivals(t, r, [&](std::size_t j) { return explains(m, fit, j); });
}

}  // namespace

double LowerHalfPowerPoint(double f0, double q) {
    const double h = 1.0 / (2.0 * q);
    return f0 * (std::sqrt(1.0 + h * h) - h);
}

double UpperHalfPowerPoint(double f0, double q) {
    const double h = 1.0 / (2.0 * q);
    return f0 * (std::sqrt(1.0 + h * h) + h);
}

SweepCurve CurveOf(const TouchstoneSweep& sweep, SweepParameter parameter) {
    SweepCurve c;
    c.hertz = sweep.hertz;
    c.level.reserve(sweep.hertz.size());
    if (parameter == SweepParameter::S21) {
        for (const auto& s : sweep.s21) {
            c.level.push_back(decibels(std::abs(s)));
        }
        return c;
    }
    c.phaseDeg.reserve(sweep.hertz.size());
    for (const auto& s : sweep.s11) {
        const std::complex<double> z = impedance(s, sweep.referenceOhm);
        c.level.push_back(decibels(std::abs(z)));
        c.phaseDeg.push_back(std::arg(z) * 180.0 / std::numbers::pi);
    }
    return c;
}

ResonanceResult FindResonance(const TouchstoneSweep& sweep, SweepParameter parameter) {
    if (std::optional<ResonanceError> refused = unreadable(sweep, parameter)) {
        return *refused;
    }
    const Trace t = traceOf(sweep, parameter);
    if (!t.s21() && inductiveThroughout(t.reactance)) {
        return ResonanceError{ResonanceFault::CoilAlone, 0, false, {}, {}, 0};
    }
    const Top top = topOf(sweep.hertz, t.level, 0, sweep.hertz.size() - 1);
    const bool whole = top.lowSide && top.highSide;
    const Tank seed = seedFrom(t, top);
    // A reflection sweep is fitted even when its resistance looks cut off: the phase holds
    // the resonance where the resistance is lost in noise.
    if (!whole && t.s21()) {
        return edgeFault(top, sweep.hertz.size(), sweep.hertz[top.index]);
    }
    const Fit fit = t.s21() ? fitTransmission(t, seed) : bestReflectionFit(t, seed, whole);
    if (!fit.sound) {
        return withoutFit(t, top, seed, whole);
    }
    if (fit.scatterDb > kLargestFitScatterDb) {
        return scatteredFit(t, top, fit, whole);
    }
    Resonance r = fromFit(t, fit);
    if (std::optional<ResonanceError> refused = uncertainOrCut(sweep.hertz, fit, r)) {
        return *refused;
    }
    if (std::optional<ResonanceError> several = rivalsOfFit(t, fit, r)) {
        return *several;
    }
    r.advice = adviceFor(r, parameter);
    return r;
}

}  // namespace kw
