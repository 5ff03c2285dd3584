// A sweep of a coil alone opened in the Calculator: it holds no resonance to fill in, but
// the identify window reads the core's permeability from it.

#include <charconv>
#include <string>

#include "calculator/calculator.h"
#include "calculator/captions.h"
#include "common/path_text.h"
#include "common/text.h"
#include "sweep/coil_permeability.h"

namespace kw {

namespace {

struct CoilOfferTexts {
    std::string_view title;
    std::string_view text;  // %1 file, %2 and %3 the band in MHz
};

constexpr CoilOfferTexts kCoilOfferDutch{
    "Sweep",
    "%1 heeft geen resonantie: de impedantie blijft van %2 tot %3 MHz inductief.\r"
    "Dit lijkt een sweep van de spoel alleen, zonder condensator.\r"
    "Openen in µ? om de µ′ en µ″ van de kern te bepalen?"};

constexpr CoilOfferTexts kCoilOfferEnglish{
    "Sweep",
    "%1 has no resonance: the impedance stays inductive from %2 to %3 MHz.\r"
    "This looks like a sweep of the coil alone, without a capacitor.\r"
    "Open it in µ? to read the core's µ′ and µ″?"};

std::string megahertz(double hertz) {
    char buffer[32];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, hertz / 1e6, std::chars_format::general, 4);
    return std::string(buffer, r.ptr);
}

}  // namespace

bool Calculator::offerCoilSweep(const std::string& path, const TouchstoneSweep& sweep, SweepParameter parameter) {
    if (!LooksLikeCoilAlone(sweep, parameter) || platform == nullptr) {
        return false;
    }
    const CoilOfferTexts& t = Taal == kTaalUK ? kCoilOfferEnglish : kCoilOfferDutch;
    const MessageBox box{std::string(t.title),
                         FillIn(t.text, {FileOnly(path), megahertz(sweep.hertz.front()), megahertz(sweep.hertz.back())}),
                         MsgIcon::Question, MsgButtons::OkCancel, false};
    if (platform->showMessage(box) == MsgAnswer::Ok) {
        coilSweepFile = path;
        ++coilSweepsOffered;
    }
    return true;
}

}  // namespace kw
