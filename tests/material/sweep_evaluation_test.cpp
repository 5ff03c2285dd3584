// How well a coil-alone sweep names the core it was wound on: 160 sweeps made from the
// makers' published curves (every edition) on catalogue sizes, 1 to 20 turns, a winding capacitance of 1 to
// 8 pF, leads of 5 to 30 nH and an analyser's noise, from a fixed seed. The truth is read
// from the curve table's rows by this file's own interpolation.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iostream>
#include <random>
#include <set>
#include <sstream>

#include "material/sweep_identification.h"
#include "tests/support/coil_sweep.h"
#include "tests/support/shipped.h"

namespace kw {
namespace {

using test::shipped;

// µ′ − jµ″ between two rows, straight on log-log scales (µ′ linear where it turns negative).
std::complex<double> truthAt(const std::vector<ComplexPermeability>& rows, double f) {
    if (f <= rows.front().freqHz) {
        return {rows.front().real, -rows.front().imag};
    }
    for (std::size_t i = 1; i < rows.size(); ++i) {
        if (f <= rows[i].freqHz) {
            const auto& a = rows[i - 1];
            const auto& b = rows[i];
            const double t = std::log(f / a.freqHz) / std::log(b.freqHz / a.freqHz);
            const auto between = [t](double x, double y) {
                return x > 0 && y > 0 ? std::exp(std::log(x) + t * std::log(y / x)) : x + t * (y - x);
            };
            return {between(a.real, b.real), -between(a.imag, b.imag)};
        }
    }
    return {rows.back().real, -rows.back().imag};
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

TEST(SweepEvaluationTest, NamesTheSweptMaterialAndItsPermeability) {
    const auto materials = parseMaterialTable(shipped("materials.csv")).materials;
    const auto curves = parsePermeabilityTable(shipped("permeability.csv"));
    const auto cores = parseCoreSizeTable(shipped("cores.csv")).cores;
    // Every material with a maker's published curve, once per grade.
    std::vector<Material> truths;
    std::set<std::string> grades;
    for (const auto& m : materials) {
        const auto c = curves.curves.find(m.grade);
        if (c != curves.curves.end() && c->second.size() > 2 && curves.modelled.count(m.grade) == 0 &&
            grades.insert(m.grade).second) {
            truths.push_back(m);
        }
    }
    ASSERT_GE(truths.size(), 20u);
    // The sizes of each family; a mix is wound on one the catalogue makes it in when there is one.
    const auto sizesFor = [&](const Material& m) {
        std::vector<ToroidSize> made;
        std::vector<ToroidSize> family;
        for (const auto& c : cores) {
            if (c.family == m.family) {
                family.push_back(c.dimensions);
                if (c.grade == m.grade) {
                    made.push_back(c.dimensions);
                }
            }
        }
        return made.empty() ? family : made;
    };
    std::mt19937 random(2412);
    const auto uniform = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(random); };
    const auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    const double stops[] = {30e6, 100e6, 200e6, 300e6};
    const int counts[] = {201, 401, 1001, 1001};

    int sweeps = 0, refused = 0, first = 0, topThree = 0, belowResonance = 0, withResonance = 0;
    std::vector<double> realErrors, topErrors, imagErrors;
    for (int k = 0; k < 160; ++k) {
        const Material& truth = truths[static_cast<std::size_t>(k) % truths.size()];
        const auto sizes = sizesFor(truth);
        const ToroidSize size = sizes[pick(sizes.size())];
        const int turns = 1 + static_cast<int>(pick(20));
        // A grade whose table the maker revised: each edition in turn.
        const auto& editions = curves.editions.at(truth.grade);
        const auto& rows = editions[static_cast<std::size_t>(k / truths.size()) % editions.size()].points;
        test::CoilOnCore c;
        c.mu = [&rows](double f) { return truthAt(rows, f); };
        c.l0 = *windingInductance(turns, size);
        c.cd = uniform(1, 8) * 1e-12;
        c.ls = uniform(5, 30) * 1e-9;
        c.startHz = 100e3;
        c.stopHz = stops[pick(4)];
        c.points = counts[pick(4)];
        c.noise = std::exp(uniform(std::log(3e-4), std::log(3e-3)));
        c.seed = static_cast<unsigned>(k);
        ++sweeps;
        const auto r = identifySweep(test::coilSweep(c), SweepParameter::S11, turns, size, materials, curves);
        const auto* id = std::get_if<SweepIdentification>(&r);
        if (id == nullptr) {
            ++refused;
            continue;
        }
        // The place of the truth's grade among the distinct grades before it.
        std::vector<std::string> before;
        for (const auto& cand : id->candidates) {
            if (cand.material.grade == truth.grade) {
                break;
            }
            if (std::find(before.begin(), before.end(), cand.material.grade) == before.end()) {
                before.push_back(cand.material.grade);
            }
        }
        first += before.empty() ? 1 : 0;
        topThree += before.size() < 3 ? 1 : 0;
        const auto& points = id->permeability.points;
        std::vector<double> real, top, imag;
        for (const auto& p : points) {
            const auto mu = c.mu(p.hertz);
            real.push_back(std::abs(p.muReal / mu.real() - 1.0));
            imag.push_back(std::abs(p.muImag / -mu.imag() - 1.0));
            if (p.hertz >= points.back().hertz - (points.back().hertz - points.front().hertz) / 3) {
                top.push_back(real.back());
            }
        }
        realErrors.push_back(median(real));
        topErrors.push_back(median(top));
        imagErrors.push_back(median(imag));
        // The true self-resonance, walking the model.
        double srf = 0;
        for (double f = c.startHz; f < 2 * c.stopHz && srf == 0; f *= 1.001) {
            srf = coilImpedance(c, f).imag() < 0 ? f : 0;
        }
        if (srf > 0) {
            ++withResonance;
            belowResonance += id->permeability.validToHz < 0.7 * srf ? 1 : 0;
        }
    }
    const auto share = [&](int n) { return static_cast<double>(n) / sweeps; };
    const auto within = [](const std::vector<double>& e, double limit) {
        return static_cast<double>(std::count_if(e.begin(), e.end(), [&](double x) { return x <= limit; })) /
               static_cast<double>(std::max<std::size_t>(e.size(), 1));
    };
    std::cout << "sweeps " << sweeps << ", refused " << share(refused) << ", right first " << share(first)
              << ", top three " << share(topThree) << "\n"
              << "median error mu' " << median(realErrors) << " (within 3 %: " << within(realErrors, 0.03)
              << "), top third " << median(topErrors) << " (within 4 %: " << within(topErrors, 0.04) << ")\n"
              << "median error mu'' " << median(imagErrors) << " (within 10 %: " << within(imagErrors, 0.10)
              << ")\n"
              << "band below 0.7 SRF " << belowResonance << " of " << withResonance << "\n";
    EXPECT_LE(share(refused), 0.02);
    EXPECT_GE(share(first), 0.92);
    EXPECT_GE(share(topThree), 0.98);
}

}  // namespace
}  // namespace kw
