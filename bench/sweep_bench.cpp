// A network analyser's sweep of 10,001 points read and its resonance found by the fit; it should
// stay under 20 ms.

#include <benchmark/benchmark.h>

#include <string>

#include "sweep/resonance.h"
#include "sweep/touchstone.h"
#include "tests/support/ideal_tank.h"

namespace {

constexpr int kSweepPoints = 10001;

void readAndFind(benchmark::State& state, bool transmission, double resistance = 300, double noiseDb = 0.05) {
    const std::string text = kw::test::idealTankSweep(
        {.f0 = 7.05e6, .q = 120, .resistance = resistance, .points = kSweepPoints, .noiseDb = noiseDb},
        transmission);
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

// A tank 100 × the port impedance in 0.3 dB of noise: every start of the fit is tried.
void BM_NoisyReflectionSweepOfAHighTankOf10001Points(benchmark::State& state) {
    readAndFind(state, false, 5000, 0.3);
}
BENCHMARK(BM_NoisyReflectionSweepOfAHighTankOf10001Points)->Unit(benchmark::kMillisecond);

}  // namespace
