#pragma once

// The subcommands of kernwijs-cli. Each registers itself on the app and, when it runs,
// stores its exit status: 0 no message shown, 3 a message was shown, 2 usage error.

#include <CLI/CLI.hpp>

namespace kw::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitMessage = 3;

void addCalcCommand(CLI::App& app, int& exitCode);
void addSheetCommand(CLI::App& app, int& exitCode);
void addExportCommand(CLI::App& app, int& exitCode);
void addIdentifyCommand(CLI::App& app, int& exitCode);
void addPrintCommand(CLI::App& app, int& exitCode);

}  // namespace kw::cli
