#include "calculator/messages.h"

#include <array>
#include <string_view>

namespace kw {

namespace {

constexpr std::string_view kFresNL = "Er is iets mis met de Fres punten!!  Tikfout?? ";
constexpr std::string_view kFresUK = "Something wrong with the Fres points!!  Typo?? ";

constexpr BilingualMessage calcError(Wording nl, Wording uk) {
    return {.nl = nl, .uk = uk, .icon = MsgIcon::Critical, .buttons = MsgButtons::Ok, .systemModal = true};
}

// In the order of CalcError.
constexpr std::array<BilingualMessage, 5> kErrors = {{
    calcError({"FOUT_0!", "Er is iets mis met de Fres punten!!  Nulpunt?? "},
              {"ERROR_0!", "Something wrong with the Fres points!!  Zero?? "}),
    calcError({"FOUT1!", kFresNL}, {"ERROR!", kFresUK}),
    calcError({"FOUT2!", kFresNL}, {"ERROR!", kFresUK}),
    calcError({"FOUT3!",
               "Er is iets mis met de Fres punten of Top-R waarde!!\r"
               "Tikfout?? TOP-R kan te laag zijn!    Liever > 10K.\r"
               "Dit geeft onbetrouwbare Q correctie resultaten!"},
              {"ERROR3!",
               "Something wrong with the Fres points or Top-R value!!\r"
               "Typo?? TOP-R could be too low!    Prefer > 10K.\r"
               "This gives unreliable corrected Q results!"}),
    calcError({"FOUT4!", "Er is iets mis met de Fres punten of de Top-C waarde!!  Tikfout?? "},
              {"ERROR4!", "Something wrong with the Fres points or Top-C value!!  Typo?? "}),
}};

struct KeyHintText {
    std::string_view control;
    BilingualMessage hint;
};

constexpr BilingualMessage kDecimal = {{{}, "Alleen cijfers en één decimale punt of komma"},
                                       {{}, "Digits and one decimal point or comma only"}};
constexpr BilingualMessage kResult = {{{}, "Een uitkomst: selecteren en kopiëren kan, typen niet"},
                                      {{}, "A result: you can select and copy it, not type in it"}};

constexpr std::array<KeyHintText, 8> kKeyHints = {{
    {"txtWikkeling",
     {{{}, "Alleen cijfers: het aantal windingen, 1 - 100"},
      {{}, "Digits only: the number of turns, 1 - 100"}}},
    {"txtCap", kDecimal},
    {"txtFreq", kDecimal},
    {"txtFres1", kDecimal},
    {"txtFres2", kDecimal},
    {"txtTopR", kDecimal},
    {"txtALwaarde", kResult},
    {"txtQLC", kResult},
}};

}  // namespace

const BilingualMessage& CalcErrorMessage(CalcError error) {
    return kErrors.at(static_cast<std::size_t>(error));
}

std::string_view KeyHint(std::string_view control, bool english) {
    for (const auto& hint : kKeyHints) {
        if (hint.control == control) {
            return hint.hint.in(english).text;
        }
    }
    return {};
}

}  // namespace kw
