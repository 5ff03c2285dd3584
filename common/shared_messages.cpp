#include "common/shared_messages.h"

namespace kw {

bool confirm(Messages& messages, bool english) {
    MessageBox box;
    box.title = english ? "Confirmation" : "Bevestiging";
    box.text = english ? "You're sure?" : "Zeker weten?";
    box.icon = MsgIcon::Question;
    box.buttons = MsgButtons::OkCancel;
    return messages.showMessage(box) == MsgAnswer::Ok;
}

MessageBox AlreadyRunningBox() {
    return MessageBox{std::string(kErrorTitleEnglish), "The application is already running!!! \r", MsgIcon::Critical,
                      MsgButtons::Ok, true};
}

}  // namespace kw
