#include "common/shared_messages.h"

#include "common/text.h"

namespace kw {

std::string BilingualMessage::text(bool english, const std::vector<std::string>& args) const {
    return FillIn(in(english).text, args);
}

MsgAnswer show(Messages& messages, const BilingualMessage& message, bool english,
               const std::vector<std::string>& args) {
    const Wording& w = message.in(english);
    MessageBox box{std::string(w.title), message.text(english, args), message.icon, message.buttons,
                   message.systemModal};
    for (const std::string_view caption : w.buttons) {
        if (!caption.empty()) {
            box.buttonTexts.emplace_back(caption);
        }
    }
    return messages.showMessage(box);
}

bool confirm(Messages& messages, bool english) {
    return show(messages, kConfirm, english) == MsgAnswer::Ok;
}

}  // namespace kw
