#pragma once

// Sweeps of a coil alone on a core whose complex permeability is known at every frequency:
// Z = jωLs + 1 / (jωCd + 1 / (Rcu + jωL0·µ)), µ = µ′ − jµ″, written as the analyser would
// see it across port 1 (S11) or in series between two ports (S21). Noise: each point's S off
// by a normal complex number of the given spread, from a fixed seed. Frequencies step
// evenly, as analysers sweep.

#include <cmath>
#include <complex>
#include <functional>
#include <numbers>
#include <random>
#include <string>

#include "sweep/touchstone.h"
#include "tests/support/ideal_tank.h"

namespace kw::test {

using Permeability = std::function<std::complex<double>(double hertz)>;  // µ′ − jµ″

struct CoilOnCore {
    Permeability mu;
    double l0 = 1e-9;      // [H] the winding on a core of µ = 1
    double cd = 3e-12;     // [F]
    double ls = 10e-9;     // [H]
    double rcu = 0.01;     // [ohm]
    double startHz = 100e3;
    double stopHz = 200e6;
    int points = 1001;
    double noise = 0.001;  // spread of each part of S
    bool series = false;   // S21 with the coil between the ports
    unsigned seed = 24;
};

inline std::complex<double> coilImpedance(const CoilOnCore& c, double f) {
    const double w = 2.0 * std::numbers::pi * f;
    const std::complex<double> j(0, 1);
    const std::complex<double> core = c.rcu + j * w * c.l0 * c.mu(f);
    return j * w * c.ls + 1.0 / (j * w * c.cd + 1.0 / core);
}

inline TouchstoneSweep coilSweep(const CoilOnCore& c) {
    std::mt19937 random(c.seed);
    std::normal_distribution<double> noise(0.0, c.noise);
    TouchstoneSweep s;
    s.ports = c.series ? 2 : 1;
    constexpr double r0 = 50;
    for (int i = 0; i < c.points; ++i) {
        const double f = c.startHz + (c.stopHz - c.startHz) * i / (c.points - 1);
        const std::complex<double> z = coilImpedance(c, f);
        const std::complex<double> jitter(noise(random), noise(random));
        s.hertz.push_back(f);
        if (c.series) {
            s.s21.push_back(2.0 * r0 / (z + 2.0 * r0) + jitter);
            s.s11.push_back(z / (z + 2.0 * r0));
        } else {
            s.s11.push_back(reflection(z) + jitter);
        }
    }
    return s;
}

// The same as a .s1p text, real and imaginary parts.
inline std::string coilSweepText(const TouchstoneSweep& s) {
    std::string text = "# Hz S RI R 50\n";
    for (std::size_t i = 0; i < s.hertz.size(); ++i) {
        text += onePortLine(s.hertz[i], s.s11[i]);
    }
    return text;
}

}  // namespace kw::test
