#include <string>

#include "calculator/calculator.h"
#include "calculator/captions.h"
#include "calculator/messages.h"
#include "common/file_system.h"
#include "common/path_text.h"
#include "datasheet/datasheet.h"

namespace kw {

namespace {

constexpr std::string_view kHelpFileNL = "KERNWIJS_NL.HLP";
constexpr std::string_view kHelpFileUK = "KERNWIJS_UK.HLP";

}  // namespace

std::string Calculator::helpFilePath() const {
    if (Taal == kTaalNL) {
        return JoinPath(platform->applicationFolder(), std::string(kHelpFileNL));
    }
    if (Taal == kTaalUK) {
        return JoinPath(platform->applicationFolder(), std::string(kHelpFileUK));
    }
    return {};
}

void Calculator::cmdHelp_Click() {
    const std::string helpFile = helpFilePath();
    if (!helpFile.empty() && files != nullptr && files->fileExists(helpFile) &&
        platform->showHelp(helpFile)) {
        return;
    }
    show(*platform, kHelpNotFound, Taal == kTaalUK);
}

void Calculator::cmdEinde_Click() {
    // Unsaved texts on the sheet are offered for saving instead of "You're sure?".
    const bool english = Taal == kTaalUK;
    if (dataSheet != nullptr ? !dataSheet->mayEnd(english) : !confirm(*platform, english)) {
        return;
    }
    // Files are read and written whole inside one operation, so none is open here.
    if (dataSheet != nullptr) {
        dataSheet->unload();
    }
    platform->endProgram();
}

}  // namespace kw
