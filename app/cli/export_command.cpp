// kernwijs-cli export: each toroid data file exported as the "Export PS" button does, with
// the output name given instead of the save dialog.

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <iostream>
#include <memory>
#include <set>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "cli_support.h"
#include "commands.h"
#include "common/file_system.h"
#include "common/process_runner.h"
#include "datasheet/export.h"
#include "datasheet/pdf_print.h"

namespace kw::cli {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kPageExtension = ".ps";

struct ExportOptions {
    std::vector<std::string> sheets;
    std::string output;
    std::string outdir;
    std::string templateFile;
    std::string lang = std::string(kLangDutch);
    bool csv = false;
    bool pdf = false;
    bool verbose = false;
};

// The page of one sheet: -o, or the sheet's own name with .ps in --outdir or beside it.
std::string pageNameFor(const ExportOptions& options, const std::string& sheetFile) {
    if (!options.output.empty()) {
        return options.output;
    }
    fs::path page = fs::path(sheetFile).filename();
    page.replace_extension(kPageExtension);
    const fs::path folder =
        options.outdir.empty() ? fs::path(sheetFile).parent_path() : fs::path(options.outdir);
    return (folder / page).string();
}

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec) && !ec;
}

// Refuses what cannot be meant: one -o for several sheets, two sheets on one page, a page
// that would replace the template it is made from.
std::vector<std::string> plannedPages(const ExportOptions& options) {
    if (!options.output.empty() && options.sheets.size() > 1) {
        throw CLI::ValidationError("-o", "names one page; use --outdir for several sheets");
    }
    std::vector<std::string> pages;
    std::set<std::string> seen;
    for (const auto& sheet : options.sheets) {
        pages.push_back(pageNameFor(options, sheet));
        const std::string key = fs::weakly_canonical(pages.back()).string();
        if (!seen.insert(key).second) {
            throw CLI::ValidationError("SHEET", "two sheets would be exported to " + pages.back());
        }
        if (!options.templateFile.empty() && sameFile(pages.back(), options.templateFile)) {
            throw CLI::ValidationError("--template",
                                       "the page " + pages.back() + " would replace the template");
        }
    }
    return pages;
}

struct PdfJob {
    std::string page;
    bool english = false;
    PdfResult result;
};

// Ghostscript's start dominates a conversion: one conversion per core runs at a time.
void convertAll(std::vector<PdfJob>& jobs, Processes& processes, FileSystem& disk) {
    std::atomic<std::size_t> next{0};
    const auto worker = [&] {
        for (std::size_t i = next++; i < jobs.size(); i = next++) {
            jobs[i].result = writePdf(&processes, disk, jobs[i].page, pdfName(jobs[i].page));
        }
    };
    const std::size_t workers =
        std::min<std::size_t>(jobs.size(), std::max(1u, std::thread::hardware_concurrency()));
    std::vector<std::jthread> pool;
    for (std::size_t w = 1; w < workers; ++w) {
        pool.emplace_back(worker);
    }
    worker();
}

int runExport(const ExportOptions& options) {
    const std::vector<std::string> pages = plannedPages(options);
    ScriptedPlatform platform;
    prepareRunPlatform(platform);
    LocalFileSystem disk;
    PosixProcesses processes;
    std::vector<PdfJob> pdfJobs;

    int status = kExitOk;
    for (std::size_t i = 0; i < options.sheets.size(); ++i) {
        DataSheetForm form(platform, disk);
        DataSheet& sheet = form.getHidden();
        selectSheetLanguage(sheet, options.lang);
        emptyAllFields(sheet);

        std::size_t from = platform.shown.size();
        loadSheetFile(sheet, platform, options.sheets[i]);
        if (problemShown(platform, from)) {
            printMessages(platform, std::cerr, from);
            status = kExitMessage;
            continue;  // nothing is exported from a sheet that did not load
        }
        from = platform.shown.size();
        sheet.chkCSV.value = options.csv ? 1 : 0;
        const ExportOutcome outcome = exportSheet(sheet, pages[i], options.templateFile);
        if (outcome == ExportOutcome::Written && !options.verbose) {
            platform.shown.resize(from);  // the success message
        }
        printMessages(platform, std::cerr, from);
        if (outcome != ExportOutcome::Written) {
            status = kExitMessage;
        } else if (options.pdf) {
            pdfJobs.push_back({pages[i], sheet.english(), {}});
        }
    }

    // The pages first, then every PDF at once; the messages come afterwards in sheet order.
    convertAll(pdfJobs, processes, disk);
    for (const PdfJob& job : pdfJobs) {
        if (job.result.outcome != PdfOutcome::Written) {
            const std::size_t from = platform.shown.size();
            showPdfProblem(platform, job.result, job.page, job.english);
            printMessages(platform, std::cerr, from);
            status = kExitMessage;
        }
    }
    return status;
}

}  // namespace

void addExportCommand(CLI::App& app, int& exitCode) {
    auto options = std::make_shared<ExportOptions>();
    auto* cmd = app.add_subcommand("export",
                                   "Export toroid data files as printable PostScript pages, as the Export PS "
                                   "button does, and with --csv also as CSV files. Exit status 3 when an "
                                   "export showed a warning or an error.");
    cmd->add_option("SHEET", options->sheets, "toroid data files (.tor) to export")->required();
    auto* output = cmd->add_option("-o,--output", options->output, "the page of the single sheet (OUT.ps)");
    auto* outdir =
        cmd->add_option("--outdir", options->outdir, "folder for the pages (default: beside each sheet)")
            ->check(CLI::ExistingDirectory);
    output->excludes(outdir);
    cmd->add_flag("--csv", options->csv, "also write the CSV file beside each page, as \"+CSV\" does");
    cmd->add_flag("--pdf", options->pdf,
                  "also write NAME.pdf beside each page NAME.ps, as \"+PDF\" does (needs Ghostscript); "
                  "the conversions of several sheets run at once, one per processor core");
    // A missing template is the export's own message (exit status 3), not a usage error.
    cmd->add_option("--template", options->templateFile,
                    "overlay template to use instead of RINGBLAD3.PS in the application folder");
    cmd->add_flag("--verbose", options->verbose, "also print the success message of each export");
    addLangOption(*cmd, options->lang);
    cmd->callback([options, &exitCode] { exitCode = runExport(*options); });
}

}  // namespace kw::cli
