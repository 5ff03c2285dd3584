#include "calculator/messages.h"

#include <array>
#include <string_view>

namespace kw {

namespace {

struct ErrorText {
    CalcError error;
    std::string_view titleNL;
    std::string_view textNL;
    std::string_view titleUK;
    std::string_view textUK;
};

constexpr std::string_view kFresNL = "Er is iets mis met de Fres punten!!  Tikfout?? ";
constexpr std::string_view kFresUK = "Something wrong with the Fres points!!  Typo?? ";

// Lines of a multi-line text are joined by a lone CR.
constexpr std::array<ErrorText, 5> kErrors = {{
    {CalcError::Fout0, "FOUT_0!", "Er is iets mis met de Fres punten!!  Nulpunt?? ", "ERROR_0!",
     "Something wrong with the Fres points!!  Zero?? "},
    {CalcError::Fout1, "FOUT1!", kFresNL, "ERROR!", kFresUK},
    {CalcError::Fout2, "FOUT2!", kFresNL, "ERROR!", kFresUK},
    {CalcError::Fout3, "FOUT3!",
     "Er is iets mis met de Fres punten of Top-R waarde!!\r"
     "Tikfout?? TOP-R kan te laag zijn!    Liever > 10K.\r"
     "Dit geeft onbetrouwbare Q correctie resultaten!",
     "ERROR3!",
     "Something wrong with the Fres points or Top-R value!!\r"
     "Typo?? TOP-R could be too low!    Prefer > 10K.\r"
     "This gives unreliable corrected Q results!"},
    {CalcError::Fout4, "FOUT4!", "Er is iets mis met de Fres punten of de Top-C waarde!!  Tikfout?? ",
     "ERROR4!", "Something wrong with the Fres points or Top-C value!!  Typo?? "},
}};

constexpr std::string_view kAlreadyRunningTitle = "Error !";
constexpr std::string_view kAlreadyRunningText = "The application is already running!!! \r";

}  // namespace

MessageBox CalcErrorBox(CalcError error, bool english) {
    for (const auto& e : kErrors) {
        if (e.error == error) {
            return MessageBox{std::string(english ? e.titleUK : e.titleNL),
                              std::string(english ? e.textUK : e.textNL), MsgIcon::Critical, MsgButtons::Ok,
                              true};
        }
    }
    return {};
}

MessageBox AlreadyRunningBox() {
    return MessageBox{std::string(kAlreadyRunningTitle), std::string(kAlreadyRunningText), MsgIcon::Critical,
                      MsgButtons::Ok, true};
}

}  // namespace kw
