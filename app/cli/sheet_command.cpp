#include "commands.h"

namespace kw::cli {

// TODO: the sheet subcommand.
void addSheetCommand(CLI::App& app, int& exitCode) {
    auto* cmd = app.add_subcommand("sheet", "not yet available");
    cmd->callback([&exitCode] { exitCode = kExitUsage; });
}

}  // namespace kw::cli
