#include "common/shared_messages.h"

#include <string>

namespace kw {

bool confirm(Messages& messages, bool english) {
    MessageBox box;
    box.title = english ? "Confirmation" : "Bevestiging";
    box.text = english ? "You're sure?" : "Zeker weten?";
    box.icon = MsgIcon::Question;
    box.buttons = MsgButtons::OkCancel;
    return messages.showMessage(box) == MsgAnswer::Ok;
}

MessageBox alreadyRunningMessage(bool systemModal) {
    MessageBox box;
    box.title = std::string(kErrorTitleEnglish);
    box.text = "The application is already running!!! \r";
    box.icon = MsgIcon::Critical;
    box.buttons = MsgButtons::Ok;
    box.systemModal = systemModal;
    return box;
}

}  // namespace kw
