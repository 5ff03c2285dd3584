// A full sheet exported with its PDF (Ghostscript started once), and kernwijs-cli export
// --pdf of 100 sheets, whose conversions run one per core. Wall-clock times: the work is
// done in the child processes.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "common/file_system.h"
#include "common/process_runner.h"
#include "common/scripted_platform.h"
#include "common/text.h"
#include "datasheet/export.h"
#include "datasheet/tor_file.h"

namespace {

namespace fs = std::filesystem;

constexpr int kBatchSheets = 100;

kw::DataSheet fullSheet() {
    kw::DataSheet sheet;
    for (const auto& name : kw::DataSheet::textFieldNames()) {
        *sheet.field(name) = "Andr\xC3\xA9 " + name.substr(3);
    }
    for (int k = 1; k <= kw::kMeasurementLines; ++k) {
        sheet.line(k, kw::LineField::N) = std::to_string(10 * k);
        sheet.line(k, kw::LineField::C) = "100.5 pF";
        sheet.line(k, kw::LineField::Fres) = "10.1234 MHz";
    }
    return sheet;
}

// The programs and the template sit together in the build's bin folder.
fs::path binFolder() {
    return fs::read_symlink("/proc/self/exe").parent_path();
}

fs::path freshFolder(const std::string& stem) {
    std::random_device rd;
    const fs::path dir = fs::temp_directory_path() / (stem + std::to_string(rd()));
    fs::create_directories(dir);
    return dir;
}

void BM_FullSheetExportWithPdf(benchmark::State& state) {
    const fs::path dir = freshFolder("kernwijs_bench_pdf_");
    kw::ScriptedPlatform platform;
    platform.appFolder = binFolder().string();
    kw::LocalFileSystem disk;
    kw::PosixProcesses processes;
    kw::DataSheet sheet = fullSheet();
    sheet.platform = &platform;
    sheet.files = &disk;
    sheet.processes = &processes;
    sheet.chkPDF.value = 1;
    const std::string page = (dir / "ring.ps").string();
    for (auto _ : state) {
        if (kw::exportSheet(sheet, page) != kw::ExportOutcome::Written) {
            state.SkipWithError(("the export did not succeed: " + platform.lastMessage().text).c_str());
            break;
        }
        platform.shown.clear();
    }
    fs::remove_all(dir);
}
BENCHMARK(BM_FullSheetExportWithPdf)->Unit(benchmark::kMillisecond)->UseRealTime();

// kernwijs-cli export --pdf of 100 sheets in one call.
void BM_CliExportHundredSheetsWithPdf(benchmark::State& state) {
    const fs::path cli = binFolder() / "kernwijs-cli";
    if (!fs::exists(cli)) {
        state.SkipWithError("kernwijs-cli is not beside the benchmark");
        return;
    }
    const fs::path dir = freshFolder("kernwijs_bench_cli_pdf_");
    fs::create_directory(dir / "out");
    const std::string tor = kw::EncodeFileText(kw::TorFileText(fullSheet()));
    for (int i = 0; i < kBatchSheets; ++i) {
        std::ofstream(dir / ("ring" + std::to_string(i) + ".tor"), std::ios::binary) << tor;
    }
    const std::string command = "cd '" + dir.string() + "' && '" + cli.string() +
                                "' export --pdf --outdir out ring*.tor >/dev/null 2>&1";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("kernwijs-cli export --pdf failed");
            break;
        }
    }
    state.counters["sheets"] = kBatchSheets;
    fs::remove_all(dir);
}
BENCHMARK(BM_CliExportHundredSheetsWithPdf)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
