// kernwijs-cli export: each toroid data file exported as the "Export PS" button does, with
// the output name given instead of the save dialog.

#include <filesystem>
#include <iostream>
#include <memory>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "cli_support.h"
#include "commands.h"
#include "common/file_system.h"
#include "datasheet/export.h"

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

int runExport(const ExportOptions& options) {
    const std::vector<std::string> pages = plannedPages(options);
    ScriptedPlatform platform;
    prepareRunPlatform(platform);
    LocalFileSystem disk;

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
    // A missing template is the export's own message (exit status 3), not a usage error.
    cmd->add_option("--template", options->templateFile,
                    "overlay template to use instead of RINGBLAD3.PS in the application folder");
    cmd->add_flag("--verbose", options->verbose, "also print the success message of each export");
    addLangOption(*cmd, options->lang);
    cmd->callback([options, &exitCode] { exitCode = runExport(*options); });
}

}  // namespace kw::cli
