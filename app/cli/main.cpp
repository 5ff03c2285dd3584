#include <iostream>

#include "commands.h"

int main(int argc, char** argv) {
    CLI::App app{"kernwijs-cli: toroid AL and Q calculations, data sheets and exports"};
    app.require_subcommand(1);
    int exitCode = kw::cli::kExitOk;
    kw::cli::addCalcCommand(app, exitCode);
    kw::cli::addSheetCommand(app, exitCode);
    kw::cli::addExportCommand(app, exitCode);
    kw::cli::addIdentifyCommand(app, exitCode);
    kw::cli::addPrintCommand(app, exitCode);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int rc = app.exit(e);
        return rc == 0 ? kw::cli::kExitOk : kw::cli::kExitUsage;
    } catch (const std::exception& e) {
        std::cerr << "kernwijs-cli: " << e.what() << '\n';
        return kw::cli::kExitUsage;
    }
    return exitCode;
}
