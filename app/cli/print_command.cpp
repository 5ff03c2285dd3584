// kernwijs-cli print: a toroid data file on paper, as the Print button does, with the
// printer given instead of the print dialog.

#include <iostream>
#include <memory>
#include <string>

#include "cli_support.h"
#include "commands.h"
#include "common/file_system.h"
#include "common/process_runner.h"
#include "datasheet/pdf_print.h"

namespace kw::cli {

namespace {

struct PrintOptions {
    std::string sheet;
    std::string printer;
    int copies = 1;
    std::string templateFile;
    std::string lang = std::string(kLangDutch);
};

int runPrint(const PrintOptions& options) {
    ScriptedPlatform platform;
    prepareRunPlatform(platform);
    LocalFileSystem disk;
    PosixProcesses processes;
    DataSheetForm form(platform, disk, &processes);
    DataSheet& sheet = form.getHidden();
    selectSheetLanguage(sheet, options.lang);
    emptyAllFields(sheet);

    loadSheetFile(sheet, platform, options.sheet);
    if (problemShown(platform)) {
        printMessages(platform, std::cerr);
        return kExitMessage;  // nothing is printed from a sheet that did not load
    }
    const std::size_t from = platform.shown.size();
    platform.printAnswers.push_back(PrintChoice{options.printer, options.copies, {}});
    const PrintOutcome outcome = printSheet(sheet, options.templateFile);
    printMessages(platform, std::cerr, from);
    return outcome == PrintOutcome::Printed ? kExitOk : kExitMessage;
}

}  // namespace

void addPrintCommand(CLI::App& app, int& exitCode) {
    auto options = std::make_shared<PrintOptions>();
    auto* cmd = app.add_subcommand("print",
                                   "Print a toroid data file's page through the print system (CUPS), as the "
                                   "Print button does. Exit status 3 when there is no print system or no "
                                   "printer, or printing failed.");
    cmd->add_option("SHEET", options->sheet, "toroid data file (.tor) to print")->required();
    cmd->add_option("--printer", options->printer,
                    "the print system's name of the printer (default: its default)");
    cmd->add_option("-n,--copies", options->copies, "number of copies")->check(CLI::Range(1, 999));
    cmd->add_option("--template", options->templateFile,
                    "overlay template to use instead of RINGBLAD3.PS in the application folder")
        ->check(CLI::ExistingFile);
    addLangOption(*cmd, options->lang);
    cmd->callback([options, &exitCode] { exitCode = runPrint(*options); });
}

}  // namespace kw::cli
