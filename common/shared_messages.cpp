#include "common/shared_messages.h"

#include "common/text.h"

namespace kw {

bool confirm(Messages& messages, bool english) {
    MessageBox box;
    box.title = english ? "Confirmation" : "Bevestiging";
    box.text = english ? "You're sure?" : "Zeker weten?";
    box.icon = MsgIcon::Question;
    box.buttons = MsgButtons::OkCancel;
    return messages.showMessage(box) == MsgAnswer::Ok;
}

void show(Messages& messages, const BilingualMessage& message, bool english, const std::vector<std::string>& args) {
    const Wording& w = english ? message.uk : message.nl;
    messages.showMessage({std::string(w.title), FillIn(w.text, args), message.icon, MsgButtons::Ok, false});
}

MessageBox AlreadyRunningBox() {
    return MessageBox{std::string(kErrorTitleEnglish), "The application is already running!!! \r", MsgIcon::Critical,
                      MsgButtons::Ok, true};
}

}  // namespace kw
