// A sweep of a coil alone opened in the Calculator: it holds no resonance to fill in, but
// the identify window reads the core's permeability from it.

#include <string>

#include "calculator/calculator.h"
#include "calculator/captions.h"
#include "calculator/messages.h"
#include "common/path_text.h"
#include "common/text.h"
#include "sweep/coil_permeability.h"

namespace kw {

namespace {

std::string megahertz(double hertz) {
    return GeneralNumber(hertz / 1e6, 4);
}

}  // namespace

bool Calculator::offerCoilSweep(const std::string& path, const TouchstoneSweep& sweep,
                                SweepParameter parameter) {
    if (!LooksLikeCoilAlone(sweep, parameter) || platform == nullptr) {
        return false;
    }
    if (show(*platform, kCoilSweepOffer, Taal == kTaalUK,
             {FileOnly(path), megahertz(sweep.hertz.front()), megahertz(sweep.hertz.back())}) ==
        MsgAnswer::Ok) {
        coilSweepFile = path;
        ++coilSweepsOffered;
    }
    return true;
}

}  // namespace kw
