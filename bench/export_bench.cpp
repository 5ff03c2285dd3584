// The export of one full sheet, in memory and through the disk, and kernwijs-cli export of
// 1,000 sheets timed by the wall clock.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "common/file_system.h"
#include "common/scripted_platform.h"
#include "common/text.h"
#include "datasheet/export.h"
#include "datasheet/tor_file.h"

namespace {

namespace fs = std::filesystem;

constexpr int kSheetsPerRun = 1000;

kw::DataSheet fullSheet() {
    kw::DataSheet sheet;
    sheet.txtDD = "05";
    sheet.txtMM = "03";
    sheet.txtJJ = "26";
    sheet.txtTest1 = "Meting van Andr\xC3\xA9";
    sheet.txtFabr1 = "Amidon (43)";
    sheet.txtFabr2 = "Fair-Rite";
    sheet.txtType1 = "FT-50-43";
    sheet.txtType2 = "zwart";
    sheet.txtType3 = "\xC2\xB5 850";
    sheet.txtBuiten = "12.7";
    sheet.txtBinnen = "7.15";
    sheet.txtHoog = "4.83";
    sheet.txtRi = "0.35";
    sheet.txtMu = "850";
    for (int k = 1; k <= kw::kMeasurementLines; ++k) {
        sheet.line(k, kw::LineField::N) = std::to_string(10 * k);
        sheet.line(k, kw::LineField::C) = "100.5 pF";
        sheet.line(k, kw::LineField::Fres) = "10.1234 MHz";
        sheet.line(k, kw::LineField::mH) = "523.45";
        sheet.line(k, kw::LineField::f1) = "9.9876";
        sheet.line(k, kw::LineField::f2) = "10.2345";
        sheet.line(k, kw::LineField::Q) = "123.4";
        sheet.line(k, kw::LineField::Top) = "100 K";
        sheet.line(k, kw::LineField::Rs) = "12.345";
        sheet.line(k, kw::LineField::Rp) = "123456";
    }
    for (int k = 1; k <= kw::kInfoLines; ++k) {
        sheet.regel(k) =
            "gee\xC3\xAB"
            "maileerd draad, 21 \xC2\xB0"
            "C (regel " +
            std::to_string(k) + ")";
    }
    sheet.chkCSV.value = 1;
    return sheet;
}

// The programs and the template sit together in the build's bin folder.
fs::path binFolder() {
    return fs::read_symlink("/proc/self/exe").parent_path();
}

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

fs::path freshFolder(const std::string& stem) {
    std::random_device rd;
    const fs::path dir = fs::temp_directory_path() / (stem + std::to_string(rd()));
    fs::create_directories(dir);
    return dir;
}

void BM_FullSheetPageAndCsvInMemory(benchmark::State& state) {
    const std::string templateText = readAll(binFolder() / "RINGBLAD3.PS");
    if (templateText.empty()) {
        state.SkipWithError("RINGBLAD3.PS is not beside the benchmark");
        return;
    }
    const kw::DataSheet sheet = fullSheet();
    for (auto _ : state) {
        const kw::FilledTemplate filled = kw::fillTemplate(templateText, sheet, true);
        const std::string& page = filled.page;
        std::string csv = kw::Utf8ToCp1252(filled.csv);
        benchmark::DoNotOptimize(page);
        benchmark::DoNotOptimize(csv);
    }
}
BENCHMARK(BM_FullSheetPageAndCsvInMemory)->Unit(benchmark::kMicrosecond);

// The whole run after the save dialog: template found and read, page and CSV written.
void BM_FullSheetExportToDisk(benchmark::State& state) {
    const fs::path dir = freshFolder("kernwijs_bench_export_");
    kw::ScriptedPlatform platform;
    platform.appFolder = binFolder().string();
    kw::LocalFileSystem disk;
    kw::DataSheet sheet = fullSheet();
    sheet.platform = &platform;
    sheet.files = &disk;
    const std::string page = (dir / "ring.ps").string();
    for (auto _ : state) {
        if (kw::exportSheet(sheet, page) != kw::ExportOutcome::Written) {
            state.SkipWithError("the export did not succeed");
            break;
        }
        platform.shown.clear();
    }
    fs::remove_all(dir);
}
BENCHMARK(BM_FullSheetExportToDisk)->Unit(benchmark::kMicrosecond);

// kernwijs-cli export --csv of 1,000 full sheets in one call.
void BM_CliExportThousandSheets(benchmark::State& state) {
    const fs::path cli = binFolder() / "kernwijs-cli";
    if (!fs::exists(cli)) {
        state.SkipWithError("kernwijs-cli is not beside the benchmark");
        return;
    }
    const fs::path dir = freshFolder("kernwijs_bench_cli_");
    fs::create_directory(dir / "out");
    const std::string tor = kw::EncodeFileText(kw::TorFileText(fullSheet()));
    for (int i = 0; i < kSheetsPerRun; ++i) {
        std::ofstream(dir / ("ring" + std::to_string(i) + ".tor"), std::ios::binary) << tor;
    }
    const std::string command = "cd '" + dir.string() + "' && '" + cli.string() +
                                "' export --csv --outdir out ring*.tor >/dev/null 2>&1";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("kernwijs-cli export failed");
            break;
        }
    }
    state.counters["sheets"] = kSheetsPerRun;
    fs::remove_all(dir);
}
BENCHMARK(BM_CliExportThousandSheets)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace
