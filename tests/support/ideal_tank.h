#pragma once

// Sweeps of an ideal parallel tank, whose resonance and Q are known exactly, written as
// Touchstone text. Transmission: S21 = a (f/f0)^tilt / (1 + j Q u), the response of the Top-R
// set-up (loaded Q), tilted by (f/f0)² through a Top-C. Reflection: the tank Z = R / (1 + j Q u)
// across the port, through a series capacitor of the given reactance at f0 when not zero,
// S11 = (Z - R0) / (Z + R0). u = f/f0 - f0/f. Noise: each point's magnitude off by a normal
// number of dB of the given spread, and its phase by the same share, from a fixed seed. A spike
// multiplies one point's |S21| or |Z| by the given number of dB.

#include <charconv>
#include <cmath>
#include <complex>
#include <random>
#include <string>

namespace kw::test {

struct IdealTank {
    double f0 = 1e6;  // [Hz]
    double q = 50;
    double resistance = 200;          // [ohm] at resonance, for a reflection sweep
    double peak = 0.1;                // |S21| at resonance, for a transmission sweep
    double halfSpanInBandwidths = 5;  // the sweep covers f0 +- this many times f0/Q
    int points = 201;
    double noiseDb = 0;
    unsigned seed = 16;
    double tilt = 0;       // S21: the power of f/f0
    double seriesOhm = 0;  // S11: the reactance of a series capacitor at f0 [ohm]
    int spikeAt = -1;      // the point of the spike, none when negative
    double spikeDb = 0;
    double offsetInBandwidths = 0;  // the sweep's middle lies this many times f0/Q above f0
};

inline std::string number(double v) {
    char buffer[40];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, 12);
    return std::string(buffer, r.ptr);
}

// S11 of an impedance across a 50-ohm port.
inline std::complex<double> reflection(std::complex<double> z) {
    return (z - 50.0) / (z + 50.0);
}

// One point of a one-port sweep: Hz, real and imaginary part.
inline std::string onePortLine(double f, std::complex<double> s) {
    return number(f) + ' ' + number(s.real()) + ' ' + number(s.imag()) + '\n';
}

// One line a point, in Hz and real/imaginary; two ports when transmission.
inline std::string idealTankSweep(const IdealTank& t, bool transmission) {
    std::mt19937 random(t.seed);
    std::normal_distribution<double> noise(0.0, t.noiseDb);
    const double half = t.halfSpanInBandwidths * t.f0 / t.q;
    const double start = t.f0 + t.offsetInBandwidths * t.f0 / t.q - half;
    const double step = 2 * half / (t.points - 1);
    const double dbToRadians = std::log(10.0) / 20.0;  // a share of the magnitude as a phase
    std::string text = "! ideal parallel tank\n# Hz S RI R 50\n";
    for (int i = 0; i < t.points; ++i) {
        const double f = start + step * i;
        const double u = f / t.f0 - t.f0 / f;
        std::complex<double> s;
        const double spike = i == t.spikeAt ? std::pow(10.0, t.spikeDb / 20.0) : 1.0;
        if (transmission) {
            s = spike * t.peak * std::pow(f / t.f0, t.tilt) / std::complex<double>(1.0, t.q * u);
        } else {
            const std::complex<double> z = spike * (t.resistance / std::complex<double>(1.0, t.q * u) -
                                                    std::complex<double>(0, t.seriesOhm * t.f0 / f));
            s = reflection(z);
        }
        if (t.noiseDb > 0) {
            s *= std::polar(std::pow(10.0, noise(random) / 20.0), noise(random) * dbToRadians);
        }
        if (transmission) {
            text += number(f) + " 0 0 " + number(s.real()) + ' ' + number(s.imag()) + " 0 0 0 0\n";
        } else {
            text += onePortLine(f, s);
        }
    }
    return text;
}

}  // namespace kw::test
