#pragma once

// Small helpers shared by the kernwijs-cli subcommands. A subcommand drives the windows'
// records headless: a ScriptedPlatform answers the dialogs and records the message boxes,
// which end up on standard error.

#include <CLI/CLI.hpp>
#include <cstddef>
#include <ostream>
#include <string>

#include "common/scripted_platform.h"
#include "datasheet/datasheet.h"

namespace kw::cli {

inline constexpr std::string_view kLangDutch = "NL";
inline constexpr std::string_view kLangEnglish = "UK";

// Adds "--lang NL|UK" (either case) to a subcommand; lang receives "NL" or "UK" and keeps
// its value when the option is not given.
void addLangOption(CLI::App& command, std::string& lang);

// The folder of the running executable, where the build puts the resources; the installed
// data folder when the PostScript template is not there.
std::string applicationFolder();

// A scripted platform for a run in the current folder: the application folder above, the
// current working folder, the clock of the computer.
void prepareRunPlatform(ScriptedPlatform& platform);

// Selects the data sheet's "UK" button for "UK", its "NL" button otherwise.
void selectSheetLanguage(DataSheet& sheet, std::string_view lang);

// Empties every text field of the sheet, the date fields too.
void emptyAllFields(DataSheet& sheet);

// The Input button with its file dialog answered by path. `platform` must be the sheet's.
void loadSheetFile(DataSheet& sheet, ScriptedPlatform& platform, const std::string& path);

// The Output button with its file dialog answered by path. `platform` must be the sheet's.
void saveSheetFile(DataSheet& sheet, ScriptedPlatform& platform, const std::string& path);

// For a sheet kept in a file between runs: empties the sheet, then loads path when the file
// exists (a missing file leaves the sheet empty). False when loading showed a message.
bool openSheetFile(DataSheet& sheet, ScriptedPlatform& platform, const std::string& path);

// Writes the recorded messages from index `from` on: the title on a line, then the text
// with every CR as a line break, indented.
void printMessages(const ScriptedPlatform& platform, std::ostream& out, std::size_t from = 0);

// True when a warning or an error was shown from index `from` on. A plain notice without an
// icon (such as the confirmation of a saved file) does not count.
bool problemShown(const ScriptedPlatform& platform, std::size_t from = 0);

}  // namespace kw::cli
