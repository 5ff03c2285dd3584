#include "commands.h"

namespace kw::cli {

// TODO: the export subcommand.
void addExportCommand(CLI::App& app, int& exitCode) {
    auto* cmd = app.add_subcommand("export", "not yet available");
    cmd->callback([&exitCode] { exitCode = kExitUsage; });
}

}  // namespace kw::cli
