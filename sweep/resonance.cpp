#include "sweep/resonance.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <numbers>

#include "common/path_text.h"

namespace kw {

namespace {

constexpr double kHalfPowerDb = 3.0;
constexpr double kLevelFloorDb = -400.0;    // |S21| of exactly zero
constexpr double kLargestImpedance = 1e15;  // [ohm] S11 of exactly one
constexpr double kPhaseAtHalfPower = 45.0;  // [deg]
constexpr int kFewestFitPoints = 5;
// A fit whose points stray further than this from the ideal tank's curve does not describe the
// sweep (a band filter's flat top, say); the points read off the sweep are better then.
constexpr double kLargestFitScatterDb = 1.0;
constexpr double kHertzPerMegahertz = 1e6;

using Params = std::array<double, 3>;

double decibels(double magnitude) {
    return magnitude > 0 ? 20.0 * std::log10(magnitude) : kLevelFloorDb;
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

// ---- the fit ----

bool solve3(std::array<std::array<double, 3>, 3> a, Params b, Params& x) {
    for (int c = 0; c < 3; ++c) {
        int pivot = c;
        for (int r = c + 1; r < 3; ++r) {
            if (std::fabs(a[r][c]) > std::fabs(a[pivot][c])) {
                pivot = r;
            }
        }
        if (!(std::fabs(a[pivot][c]) > 0)) {
            return false;
        }
        std::swap(a[c], a[pivot]);
        std::swap(b[c], b[pivot]);
        for (int r = c + 1; r < 3; ++r) {
            const double k = a[r][c] / a[c][c];
            for (int k2 = c; k2 < 3; ++k2) {
                a[r][k2] -= k * a[c][k2];
            }
            b[r] -= k * b[c];
        }
    }
    for (int c = 2; c >= 0; --c) {
        double s = b[c];
        for (int k = c + 1; k < 3; ++k) {
            s -= a[c][k] * x[k];
        }
        x[c] = s / a[c][c];
    }
    return std::isfinite(x[0]) && std::isfinite(x[1]) && std::isfinite(x[2]);
}

// Levenberg-Marquardt over three parameters. `model(x, normal, gradient)` adds JᵀJ and Jᵀr of
// the residuals at x and returns their sum of squares (NaN when x is no sensible tank).
template <class Model>
Params leastSquares(Model&& model, Params x) {
    constexpr int kMostSteps = 200;
    constexpr double kSmallestGain = 1e-14;
    double lambda = 1e-3;
    std::array<std::array<double, 3>, 3> normal{};
    Params gradient{};
    double cost = model(x, &normal, &gradient);
    if (!std::isfinite(cost)) {
        return x;
    }
    for (int step = 0; step < kMostSteps; ++step) {
        bool improved = false;
        for (int tries = 0; tries < 12 && !improved; ++tries) {
            auto damped = normal;
            for (int i = 0; i < 3; ++i) {
                damped[i][i] += lambda * std::max(normal[i][i], 1e-12);
            }
            Params delta{};
            if (!solve3(damped, {-gradient[0], -gradient[1], -gradient[2]}, delta)) {
                lambda *= 4;
                continue;
            }
            const Params next = {x[0] + delta[0], x[1] + delta[1], x[2] + delta[2]};
            const double nextCost = model(next, nullptr, nullptr);
            if (std::isfinite(nextCost) && nextCost < cost) {
                const double gain = (cost - nextCost) / std::max(cost, 1e-300);
                x = next;
                lambda = std::max(lambda / 3, 1e-12);
                std::array<std::array<double, 3>, 3> n{};
                Params g{};
                cost = model(x, &n, &g);
                normal = n;
                gradient = g;
                improved = true;
                if (gain < kSmallestGain) {
                    return x;
                }
            } else {
                lambda *= 4;
            }
        }
        if (!improved) {
            break;
        }
    }
    return x;
}

void accumulate(const Params& j, double r, std::array<std::array<double, 3>, 3>* normal, Params* gradient) {
    if (normal == nullptr) {
        return;
    }
    for (int a = 0; a < 3; ++a) {
        (*gradient)[a] += j[a] * r;
        for (int b = 0; b < 3; ++b) {
            (*normal)[a][b] += j[a] * j[b];
        }
    }
}

struct Seed {
    double f0 = 0;
    double q = 0;
    double peak = 0;  // dB (S21) or ohm (S11)
};

struct Fit {
    Seed tank;
    double scatterDb = 0;  // root mean square of the level residuals
};

// |S21| in dB of an ideal tank: peak - 10 log10(1 + Q² u²). Parameters: the peak in dB,
// f0 = f0seed (1 + x1), Q = Qseed exp(x2).
Fit fitTransmission(const SweepCurve& c, std::size_t first, std::size_t last, const Seed& seed) {
    const double tenOverLn10 = 10.0 / std::numbers::ln10;
    auto model = [&](const Params& x, std::array<std::array<double, 3>, 3>* normal, Params* gradient) {
        const double f0 = seed.f0 * (1.0 + x[1]);
        const double q = seed.q * std::exp(x[2]);
        if (!(f0 > 0) || !std::isfinite(q)) {
            return std::nan("");
        }
        double sum = 0;
        for (std::size_t i = first; i <= last; ++i) {
            const double f = c.hertz[i];
            const double u = detuning(f, f0);
            const double g = q * q * u * u;
            const double r = c.level[i] - (x[0] - tenOverLn10 * std::log1p(g));
            sum += r * r;
            if (normal != nullptr) {
                // dr/dx = -dy/dx, with dy/dg = -10 / (ln10 (1 + g)).
                const double dyDg = -tenOverLn10 / (1.0 + g);
                const double dgDu = 2.0 * q * q * u;
                const double duDx1 = seed.f0 * (-f / (f0 * f0) - 1.0 / f);
                accumulate({-1.0, -dyDg * dgDu * duDx1, -dyDg * 2.0 * g}, r, normal, gradient);
            }
        }
        return sum;
    };
    const Params x = leastSquares(model, {seed.peak, 0.0, 0.0});
    const double cost = model(x, nullptr, nullptr);
    const double points = static_cast<double>(last - first + 1);
    return {{seed.f0 * (1.0 + x[1]), seed.q * std::exp(x[2]), x[0]}, std::sqrt(cost / points)};
}

// S11 of an ideal tank Z = R / (1 + j Q u) straight across the port, fitted in the plane of
// S where the analyser's noise is even. Parameters: R = Rseed exp(x0), f0 and Q as above.
Fit fitReflection(const TouchstoneSweep& s, const SweepCurve& c, std::size_t first, std::size_t last,
                  const Seed& seed) {
    const double r0 = s.referenceOhm;
    auto model = [&](const Params& x, std::array<std::array<double, 3>, 3>* normal, Params* gradient) {
        const double f0 = seed.f0 * (1.0 + x[1]);
        const double q = seed.q * std::exp(x[2]);
        const double r = seed.peak * std::exp(x[0]);
        if (!(f0 > 0) || !std::isfinite(r) || !std::isfinite(q)) {
            return std::nan("");
        }
        const std::complex<double> j(0.0, 1.0);
        double sum = 0;
        for (std::size_t i = first; i <= last; ++i) {
            const double f = c.hertz[i];
            const double u = detuning(f, f0);
            const std::complex<double> d = 1.0 + j * q * u;
            const std::complex<double> z = r / d;
            const std::complex<double> e = s.s11[i] - (z - r0) / (z + r0);
            sum += std::norm(e);
            if (normal != nullptr) {
                // S = 1 - 2 R0 / (z + R0), so dS/dz = 2 R0 / (z + R0)²; the residual's
                // derivatives are -dS/dz times those of z.
                const std::complex<double> dSdz = 2.0 * r0 / ((z + r0) * (z + r0));
                const std::complex<double> dzDx0 = z;              // R = Rseed exp(x0)
                const std::complex<double> dzDu = -z * j * q / d;  // z = R / (1 + j Q u)
                const std::complex<double> dzDx1 = dzDu * seed.f0 * (-f / (f0 * f0) - 1.0 / f);
                const std::complex<double> dzDx2 = -z * j * q * u / d;  // Q = Qseed exp(x2)
                const std::complex<double> g0 = -dSdz * dzDx0;
                const std::complex<double> g1 = -dSdz * dzDx1;
                const std::complex<double> g2 = -dSdz * dzDx2;
                accumulate({g0.real(), g1.real(), g2.real()}, e.real(), normal, gradient);
                accumulate({g0.imag(), g1.imag(), g2.imag()}, e.imag(), normal, gradient);
            }
        }
        return sum;
    };
    const Params x = leastSquares(model, {0.0, 0.0, 0.0});
    const Seed tank{seed.f0 * (1.0 + x[1]), seed.q * std::exp(x[2]), seed.peak * std::exp(x[0])};
    double sum = 0;
    for (std::size_t i = first; i <= last; ++i) {
        const double shown =
            decibels(std::abs(tank.peak / std::complex<double>(1.0, tank.q * detuning(c.hertz[i], tank.f0))));
        sum += (c.level[i] - shown) * (c.level[i] - shown);
    }
    return {tank, std::sqrt(sum / static_cast<double>(last - first + 1))};
}

// ---- finding the peak ----

struct PeakTop {
    std::size_t index = 0;
    bool lowSide = false;   // the level falls 3 dB below the top before it
    bool highSide = false;  // ... and after it
    bool whole() const { return lowSide && highSide; }
};

enum class Side { Dropped, Higher, Edge };

struct Walk {
    Side side = Side::Edge;
    std::size_t index = 0;  // the first point 3 dB down (Dropped) or higher (Higher)
};

// From the top i in direction dir: the first point 3 dB below the top, unless a point higher
// than the top (or as high, walking down in frequency) or the sweep's end comes first.
Walk walk(const std::vector<double>& level, std::size_t i, int dir) {
    const double limit = level[i] - kHalfPowerDb;
    for (std::ptrdiff_t j = static_cast<std::ptrdiff_t>(i) + dir;
         j >= 0 && j < static_cast<std::ptrdiff_t>(level.size()); j += dir) {
        const double l = level[static_cast<std::size_t>(j)];
        if (l > level[i] || (dir < 0 && l == level[i])) {
            return {Side::Higher, static_cast<std::size_t>(j)};
        }
        if (l <= limit) {
            return {Side::Dropped, static_cast<std::size_t>(j)};
        }
    }
    return {Side::Edge, 0};
}

struct Peak {
    std::size_t top = 0;
    Walk low;
    Walk high;
};

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

std::string megahertz(double hertz) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, hertz / kHertzPerMegahertz,
                                      std::chars_format::general, 7);
    return std::string(buffer, result.ptr);
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
    if (parameter == SweepParameter::S21 && sweep.s21.size() != sweep.hertz.size()) {
        return ResonanceError{ResonanceFault::NoS21, 0, false, {}};
    }
    const std::size_t n = sweep.hertz.size();
    if (n < 3) {
        return ResonanceError{ResonanceFault::TooFewPoints, 0, false, {}};
    }
    const SweepCurve c = CurveOf(sweep, parameter);
    const std::vector<double>& level = c.level;

    // The peaks, in one pass: a top counts once the level has fallen 3 dB below it, and the
    // next top is looked for once the level has risen 3 dB above the lowest point since.
    // Tops closer than that belong to one peak, its highest point. The first peak is whole
    // only when the sweep starts 3 dB below it, the last only when the sweep ends so.
    std::vector<PeakTop> peaks;
    bool seekingTop = true;
    bool afterValley = false;
    std::size_t top = 0;
    std::size_t low = 0;
    double lowestBeforeTop = level[0];
    double lowestSoFar = level[0];
    for (std::size_t i = 1; i < n; ++i) {
        lowestSoFar = std::min(lowestSoFar, level[i]);
        if (seekingTop) {
            if (level[i] > level[top]) {
                top = i;
                lowestBeforeTop = lowestSoFar;
            } else if (level[i] <= level[top] - kHalfPowerDb) {
                peaks.push_back({top, afterValley || lowestBeforeTop <= level[top] - kHalfPowerDb, true});
                seekingTop = false;
                low = i;
            }
        } else if (level[i] < level[low]) {
            low = i;
        } else if (level[i] >= level[low] + kHalfPowerDb) {
            seekingTop = true;
            afterValley = true;
            top = i;
        }
    }
    if (seekingTop) {
        peaks.push_back({top, afterValley || lowestBeforeTop <= level[top] - kHalfPowerDb, false});
    }
    const auto byLevel = [&](const PeakTop& a, const PeakTop& b) { return level[a.index] < level[b.index]; };
    const auto wholeEnd =
        std::partition(peaks.begin(), peaks.end(), [](const PeakTop& t) { return t.whole(); });
    if (wholeEnd == peaks.begin()) {
        const PeakTop& t = *std::max_element(peaks.begin(), peaks.end(), byLevel);
        if (!t.lowSide && !t.highSide) {
            return ResonanceError{ResonanceFault::Flat, c.hertz[t.index], false, {}};
        }
        return ResonanceError{ResonanceFault::NotWhole, c.hertz[t.index], !t.lowSide, {}};
    }
    const std::size_t bestTop = std::max_element(peaks.begin(), wholeEnd, byLevel)->index;
    std::vector<double> rivals;
    for (const PeakTop& t : peaks) {
        if (level[t.index] >= level[bestTop] - kRivalPeakDb) {
            rivals.push_back(c.hertz[t.index]);
        }
    }
    if (rivals.size() > 1) {
        std::sort(rivals.begin(), rivals.end());
        return ResonanceError{ResonanceFault::Several, c.hertz[bestTop], false, rivals};
    }
    const Peak best{bestTop, walk(level, bestTop, -1), walk(level, bestTop, +1)};

    // Read off the sweep: the -3 dB crossings, and for S11 the phase's zero and +-45 degrees.
    const std::size_t p = best.top;
    const double halfPower = level[p] - kHalfPowerDb;
    Seed seed;
    double f1 = crossing(c.hertz, level, best.low.index, best.low.index + 1, halfPower);
    double f2 = crossing(c.hertz, level, best.high.index, best.high.index - 1, halfPower);
    seed.f0 = c.hertz[p];
    seed.peak = parameter == SweepParameter::S21 ? level[p] : std::pow(10.0, level[p] / 20.0);
    if (parameter == SweepParameter::S11) {
        const std::vector<double>& phase = c.phaseDeg;
        std::size_t zero = n;
        for (std::size_t j = best.low.index; j < best.high.index; ++j) {
            if (phase[j] >= 0 && phase[j + 1] < 0 &&
                (zero == n || std::max(j, p) - std::min(j, p) < std::max(zero, p) - std::min(zero, p))) {
                zero = j;
            }
        }
        if (zero < n) {
            seed.f0 = crossing(c.hertz, phase, zero, zero + 1, 0.0);
            std::size_t a = zero;
            while (a > 0 && phase[a] < kPhaseAtHalfPower) {
                --a;
            }
            std::size_t b = zero + 1;
            while (b + 1 < n && phase[b] > -kPhaseAtHalfPower) {
                ++b;
            }
            if (phase[a] >= kPhaseAtHalfPower && phase[b] <= -kPhaseAtHalfPower) {
                f1 = crossing(c.hertz, phase, a, a + 1, kPhaseAtHalfPower);
                f2 = crossing(c.hertz, phase, b, b - 1, -kPhaseAtHalfPower);
            }
        }
    }
    if (!(f2 > f1)) {
        f1 = c.hertz[best.low.index];
        f2 = c.hertz[best.high.index];
    }
    seed.q = seed.f0 / (f2 - f1);
    Resonance read{seed.f0, f1, f2, seed.q, parameter == SweepParameter::S21 ? level[p] : seed.peak,
                   false,   0};
    if (!(f1 < seed.f0 && seed.f0 < f2)) {
        read.f0 = 0.5 * (f1 + f2);
        read.q = read.f0 / (f2 - f1);
        seed.f0 = read.f0;
        seed.q = read.q;
    }

    // The fit over the points within kFitWindowDb of the top.
    std::size_t first = p;
    while (first > 0 && level[first - 1] >= level[p] - kFitWindowDb) {
        --first;
    }
    std::size_t last = p;
    while (last + 1 < n && level[last + 1] >= level[p] - kFitWindowDb) {
        ++last;
    }
    const int points = static_cast<int>(last - first + 1);
    if (points < kFewestFitPoints) {
        return read;
    }
    const Fit fit = parameter == SweepParameter::S21 ? fitTransmission(c, first, last, seed)
                                                     : fitReflection(sweep, c, first, last, seed);
    const Seed& t = fit.tank;
    Resonance fitted{t.f0,  LowerHalfPowerPoint(t.f0, t.q), UpperHalfPowerPoint(t.f0, t.q), t.q, t.peak, true,
                     points};
    const bool sound = std::isfinite(t.f0) && std::isfinite(t.q) && std::isfinite(t.peak) && t.q > 0.5 &&
                       t.f0 >= c.hertz[first] && t.f0 <= c.hertz[last] && fitted.f1 >= c.hertz.front() &&
                       fitted.f2 <= c.hertz.back() && fit.scatterDb <= kLargestFitScatterDb;
    return sound ? fitted : read;
}

std::string DescribeResonanceError(const ResonanceError& error, SweepParameter parameter, bool english) {
    const bool s21 = parameter == SweepParameter::S21;
    const std::string at = megahertz(error.atHz);
    switch (error.fault) {
        case ResonanceFault::NoS21:
            return english ? "The sweep holds only a reflection (S11); it has no transmission (S21)."
                           : "De meting bevat alleen een reflectie (S11), geen doorgang (S21).";
        case ResonanceFault::TooFewPoints:
            return english ? "The sweep has too few points to find a resonance."
                           : "De meting heeft te weinig punten om een resonantie te vinden.";
        case ResonanceFault::NotWhole:
            if (error.lowSide) {
                return FillIn(
                    english ? (s21 ? "No whole peak: below the highest point (%1 MHz) |S21| does not fall "
                                     "3 dB before the sweep starts. Start the sweep lower."
                                   : "No whole peak: below the highest point (%1 MHz) |Z| does not fall "
                                     "3 dB before the sweep starts. Start the sweep lower.")
                            : (s21 ? "Geen hele piek: onder het hoogste punt (%1 MHz) zakt |S21| geen "
                                     "3 dB voordat de meting begint. Begin de meting lager."
                                   : "Geen hele piek: onder het hoogste punt (%1 MHz) zakt |Z| geen "
                                     "3 dB voordat de meting begint. Begin de meting lager."),
                    {at});
            }
            return FillIn(english
                              ? (s21 ? "No whole peak: above the highest point (%1 MHz) |S21| does not fall "
                                       "3 dB before the sweep ends. End the sweep higher."
                                     : "No whole peak: above the highest point (%1 MHz) |Z| does not fall "
                                       "3 dB before the sweep ends. End the sweep higher.")
                              : (s21 ? "Geen hele piek: boven het hoogste punt (%1 MHz) zakt |S21| geen "
                                       "3 dB voordat de meting eindigt. Eindig de meting hoger."
                                     : "Geen hele piek: boven het hoogste punt (%1 MHz) zakt |Z| geen "
                                       "3 dB voordat de meting eindigt. Eindig de meting hoger."),
                          {at});
        case ResonanceFault::Flat:
            return FillIn(english
                              ? "No peak: nowhere in the sweep does the response fall 3 dB on both sides of "
                                "its highest point (%1 MHz)."
                              : "Geen piek: nergens in de meting zakt de respons 3 dB aan beide kanten van "
                                "het hoogste punt (%1 MHz).",
                          {at});
        case ResonanceFault::Several: {
            std::string list;
            for (std::size_t i = 0; i < error.candidates.size(); ++i) {
                if (i > 0) {
                    list += i + 1 == error.candidates.size() ? (english ? " and " : " en ") : ", ";
                }
                list += megahertz(error.candidates[i]);
            }
            return FillIn(english
                              ? "More than one resonance: peaks of about the same height at %1 MHz. "
                                "Narrow the sweep to one of them."
                              : "Meer dan een resonantie: pieken van ongeveer dezelfde hoogte bij %1 MHz. "
                                "Beperk de meting tot een ervan.",
                          {list});
        }
        case ResonanceFault::OutOfRange:
            return FillIn(english
                              ? "The resonance at %1 MHz lies outside the frequencies the Calculator takes "
                                "(0.01 kHz to 50000 MHz)."
                              : "De resonantie bij %1 MHz ligt buiten de frequenties die de rekenaar "
                                "aanneemt (0,01 kHz tot 50000 MHz).",
                          {at});
    }
    return {};
}

}  // namespace kw
