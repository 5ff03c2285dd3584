#pragma once

// Sweeps of an ideal parallel tank, whose resonance and Q are known exactly, written as
// Touchstone text. Transmission: S21 = a / (1 + j Q u), the response of the Top-R set-up
// (loaded Q). Reflection: the tank Z = R / (1 + j Q u) across the port, S11 = (Z - R0) / (Z + R0).
// u = f/f0 - f0/f. Noise: each point's magnitude off by a normal number of dB of the given
// spread, and its phase by the same share, from a fixed seed.

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
};

inline std::string number(double v) {
    char buffer[40];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, 12);
    return std::string(buffer, r.ptr);
}

// One line a point, in Hz and real/imaginary; two ports when transmission.
inline std::string idealTankSweep(const IdealTank& t, bool transmission) {
    std::mt19937 random(t.seed);
    std::normal_distribution<double> noise(0.0, t.noiseDb);
    const double half = t.halfSpanInBandwidths * t.f0 / t.q;
    const double start = t.f0 - half;
    const double step = 2 * half / (t.points - 1);
    const double dbToRadians = std::log(10.0) / 20.0;  // a share of the magnitude as a phase
    std::string text = "! ideal parallel tank\n# Hz S RI R 50\n";
    for (int i = 0; i < t.points; ++i) {
        const double f = start + step * i;
        const double u = f / t.f0 - t.f0 / f;
        std::complex<double> s;
        if (transmission) {
            s = t.peak / std::complex<double>(1.0, t.q * u);
        } else {
            const std::complex<double> z = t.resistance / std::complex<double>(1.0, t.q * u);
            s = (z - 50.0) / (z + 50.0);
        }
        if (t.noiseDb > 0) {
            s *= std::polar(std::pow(10.0, noise(random) / 20.0), noise(random) * dbToRadians);
        }
        text += number(f) + ' ';
        if (transmission) {
            text += "0 0 " + number(s.real()) + ' ' + number(s.imag()) + " 0 0 0 0\n";
        } else {
            text += number(s.real()) + ' ' + number(s.imag()) + '\n';
        }
    }
    return text;
}

}  // namespace kw::test
