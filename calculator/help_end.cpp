#include <string>

#include "calculator/calculator.h"
#include "calculator/captions.h"
#include "common/path_text.h"
#include "common/shared_messages.h"
#include "datasheet/datasheet.h"

namespace kw {

namespace {

constexpr std::string_view kHelpFileNL = "KERNWIJS_NL.HLP";
constexpr std::string_view kHelpFileUK = "KERNWIJS_UK.HLP";

MessageBox helpNotFound(bool english) {
    MessageBox box;
    box.title = english ? kErrorTitleEnglish : kErrorTitleDutch;
    box.text = english ? "Something is wrong!   \rHelp file KERNWIJS_UK.HLP not found  \r"
                       : "Er is iets mis!   \rHelp bestand KERNWIJS_NL.HLP niet gevonden  \r";
    box.icon = MsgIcon::Critical;
    box.buttons = MsgButtons::Ok;
    box.systemModal = true;
    return box;
}

}  // namespace

void Calculator::cmdHelp_Click() {
    std::string helpFile;
    if (Taal == kTaalNL) {
        helpFile = JoinPath(platform->applicationFolder(), std::string(kHelpFileNL));
    } else if (Taal == kTaalUK) {
        helpFile = JoinPath(platform->applicationFolder(), std::string(kHelpFileUK));
    }
    if (!helpFile.empty() && FileExists(helpFile) && platform->showHelp(helpFile)) {
        return;
    }
    platform->showMessage(helpNotFound(Taal == kTaalUK));
}

void Calculator::cmdEinde_Click() {
    if (!confirm(*platform, Taal == kTaalUK)) {
        return;
    }
    // Files are read and written whole inside one operation, so none is open here.
    if (dataSheet != nullptr) {
        dataSheet->unload();
    }
    platform->endProgram();
}

}  // namespace kw
