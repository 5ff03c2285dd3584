#include "calculator/messages.h"

#include <array>
#include <string_view>

#include "common/path_text.h"
#include "common/shared_messages.h"
#include "common/text.h"

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

struct KeyHintText {
    std::string_view control;
    std::string_view nl;
    std::string_view uk;
};

constexpr std::string_view kDecimalNL = "Alleen cijfers en één decimale punt of komma";
constexpr std::string_view kDecimalUK = "Digits and one decimal point or comma only";
constexpr std::string_view kResultNL = "Een uitkomst: selecteren en kopiëren kan, typen niet";
constexpr std::string_view kResultUK = "A result: you can select and copy it, not type in it";

constexpr std::array<KeyHintText, 8> kKeyHints = {{
    {"txtWikkeling", "Alleen cijfers: het aantal windingen, 1 - 100",
     "Digits only: the number of turns, 1 - 100"},
    {"txtCap", kDecimalNL, kDecimalUK},
    {"txtFreq", kDecimalNL, kDecimalUK},
    {"txtFres1", kDecimalNL, kDecimalUK},
    {"txtFres2", kDecimalNL, kDecimalUK},
    {"txtTopR", kDecimalNL, kDecimalUK},
    {"txtALwaarde", kResultNL, kResultUK},
    {"txtQLC", kResultNL, kResultUK},
}};

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

std::string_view KeyHint(std::string_view control, bool english) {
    for (const auto& hint : kKeyHints) {
        if (hint.control == control) {
            return english ? hint.uk : hint.nl;
        }
    }
    return {};
}

MessageBox OverwriteLineBox(int line, bool english) {
    const std::string text = FillIn(english ? "Line %1 already holds a measurement.\rOverwrite it?"
                                            : "Regel %1 bevat al een meting.\rOverschrijven?",
                                    {std::to_string(line)});
    return MessageBox{english ? "Confirmation" : "Bevestiging", text, MsgIcon::Question, MsgButtons::OkCancel,
                      false};
}

std::string RangeHint(std::string_view range, std::string_view putBack, bool english) {
    return FillIn(english ? "Out of range (%1): %2 put back" : "Buiten het bereik (%1): %2 teruggezet",
                  {std::string(range), std::string(putBack)});
}

}  // namespace kw
