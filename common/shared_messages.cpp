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

}  // namespace kw
