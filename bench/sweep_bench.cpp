// A network analyser's sweep of 10,001 points read and its resonance found by the fit.

#include <benchmark/benchmark.h>

#include <string>

#include "sweep/resonance.h"
#include "sweep/touchstone.h"
#include "tests/support/ideal_tank.h"

namespace {

constexpr int kSweepPoints = 10001;

void readAndFind(benchmark::State& state, bool transmission) {
    const std::string text = kw::test::idealTankSweep(
        {.f0 = 7.05e6, .q = 120, .resistance = 300, .points = kSweepPoints, .noiseDb = 0.05}, transmission);
    for (auto _ : state) {
        const kw::TouchstoneResult read = kw::ReadTouchstone(text, transmission ? 2 : 1);
        benchmark::DoNotOptimize(
            kw::FindResonance(std::get<kw::TouchstoneSweep>(read),
                              transmission ? kw::SweepParameter::S21 : kw::SweepParameter::S11));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_TransmissionSweepOf10001Points(benchmark::State& state) {
    readAndFind(state, true);
}
BENCHMARK(BM_TransmissionSweepOf10001Points)->Unit(benchmark::kMillisecond);

void BM_ReflectionSweepOf10001Points(benchmark::State& state) {
    readAndFind(state, false);
}
BENCHMARK(BM_ReflectionSweepOf10001Points)->Unit(benchmark::kMillisecond);

}  // namespace
