// Large files through the data sheet: a .tor file of 100,000 lines, a field of a megabyte
// saved and loaded, and a template of ten megabytes exported.

#include <benchmark/benchmark.h>

#include <string>

#include "common/text.h"
#include "datasheet/datasheet.h"
#include "datasheet/export.h"
#include "datasheet/tor_file.h"

namespace {

constexpr int kTorLines = 100000;
constexpr std::size_t kMegabyte = std::size_t{1} << 20;

std::string hundredThousandLines() {
    std::string text = "[KERNWIJS]\r\n";
    for (int line = 1; line < kTorLines; line += 3) {
        text +=
            "%% comment " + std::to_string(line) + "\r\n[C-LINE3]\r\ninfo " + std::to_string(line) + "\r\n";
    }
    return text + "[END]\r\n";
}

void BM_LoadTorFileOfAHundredThousandLines(benchmark::State& state) {
    const std::string bytes = hundredThousandLines();
    for (auto _ : state) {
        kw::DataSheet sheet;
        benchmark::DoNotOptimize(kw::ApplyTorText(kw::DecodeFileText(bytes), sheet));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_LoadTorFileOfAHundredThousandLines)->Unit(benchmark::kMillisecond);

void BM_SaveAndLoadAMegabyteField(benchmark::State& state) {
    kw::DataSheet sheet;
    sheet.txtFabr1 = std::string(kMegabyte, 'x');
    for (auto _ : state) {
        const std::string bytes = kw::EncodeFileText(kw::TorFileText(sheet));
        kw::DataSheet loaded;
        benchmark::DoNotOptimize(kw::ApplyTorText(kw::DecodeFileText(bytes), loaded));
    }
}
BENCHMARK(BM_SaveAndLoadAMegabyteField)->Unit(benchmark::kMillisecond);

void BM_FillATemplateOfTenMegabytes(benchmark::State& state) {
    std::string text = "%!PS-Adobe-3.0\r\n%%Creator: Zeva1 by QQ0QQQ\r\n%%TEXT723DUMMY\r\n";
    while (text.size() < 10 * kMegabyte) {
        text += "newpath 10 mm 20 mm moveto 30 mm 40 mm lineto stroke\r\n";
    }
    const kw::DataSheet sheet;
    for (auto _ : state) {
        benchmark::DoNotOptimize(kw::fillTemplate(text, sheet, true));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_FillATemplateOfTenMegabytes)->Unit(benchmark::kMillisecond);

}  // namespace
