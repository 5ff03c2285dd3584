// A coil-alone sweep of 1,001 points read, turned into µ′ and µ″ and ranked against every
// material of the shipped tables.

#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>

#include "material/sweep_identification.h"
#include "sweep/touchstone.h"
#include "tests/support/coil_sweep.h"
#include "tests/support/shipped.h"

namespace {

using kw::test::shipped;

void BM_CoilSweepOf1001PointsAnalysedAndRanked(benchmark::State& state) {
    const auto materials = kw::parseMaterialTable(shipped("materials.csv")).materials;
    const auto curves = kw::parsePermeabilityTable(shipped("permeability.csv"));
    const kw::ToroidSize ft50{12.7, 7.15, 4.8};
    kw::test::CoilOnCore c;
    const auto& curve = curves.curves.at("43");
    c.mu = [&](double f) {
        const auto p = *kw::curveAt(curve, f);
        return std::complex<double>(p.real, -p.imag);
    };
    c.l0 = *kw::windingInductance(8, ft50);
    const std::string text = kw::test::coilSweepText(kw::test::coilSweep(c));
    for (auto _ : state) {
        const kw::TouchstoneResult read = kw::ReadTouchstone(text, 1);
        benchmark::DoNotOptimize(kw::identifySweep(std::get<kw::TouchstoneSweep>(read), kw::SweepParameter::S11, 8,
                                                   ft50, materials, curves));
    }
}
BENCHMARK(BM_CoilSweepOf1001PointsAnalysedAndRanked)->Unit(benchmark::kMillisecond);

}  // namespace
