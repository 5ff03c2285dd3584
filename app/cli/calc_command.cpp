#include "commands.h"

namespace kw::cli {

// TODO: the calc subcommand.
void addCalcCommand(CLI::App& app, int& exitCode) {
    auto* cmd = app.add_subcommand("calc", "not yet available");
    cmd->callback([&exitCode] { exitCode = kExitUsage; });
}

}  // namespace kw::cli
