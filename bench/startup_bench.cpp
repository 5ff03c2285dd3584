// The desktop program's start: creating both windows and running the start-up sequence
// until both windows are shown and drawn, offscreen. Also the peak memory after one start.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QUuid>
#include <memory>

#include "common/file_system.h"
#include "platform/program.h"
#include "platform/qt_platform.h"

namespace {

constexpr double kKiBPerMiB = 1024.0;

// The process's peak resident memory so far, in MiB; 0 where the system does not say.
double peakMemoryMiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).trimmed().split(' ').first().toDouble() / kKiBPerMiB;
        }
    }
    return 0;
}

const QString kLockName =
    QStringLiteral("kernwijs-bench-") + QUuid::createUuid().toString(QUuid::WithoutBraces);

struct StartedProgram {
    kw::gui::QtPlatform platform{kLockName};
    kw::LocalFileSystem files;
    kw::gui::Program program{platform, files};

    StartedProgram() {
        program.start();
        // Until both windows have been laid out and painted.
        QApplication::processEvents();
    }
};

void PeakMemoryAfterStartUp(benchmark::State& state) {
    for (auto _ : state) {
        StartedProgram started;
        benchmark::DoNotOptimize(&started);
        state.counters["peak_MiB"] = peakMemoryMiB();
    }
}
BENCHMARK(PeakMemoryAfterStartUp)->Iterations(1)->Unit(benchmark::kMillisecond);

void StartUp(benchmark::State& state) {
    for (auto _ : state) {
        auto started = std::make_unique<StartedProgram>();
        benchmark::DoNotOptimize(started.get());
        state.PauseTiming();
        started.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(StartUp)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
