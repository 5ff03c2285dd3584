#include <string>

#include "calculator/calculator.h"
#include "calculator/captions.h"
#include "calculator/messages.h"
#include "common/shared_messages.h"
#include "datasheet/datasheet.h"

namespace kw {

namespace {

constexpr int kChecked = 1;

}  // namespace

void Calculator::Form_Load() {
    if (platform != nullptr && platform->anotherInstanceRunning()) {
        show(*platform, kAlreadyRunning, false);
        platform->endProgram();
        return;
    }

    // Read before the steps below keep their own choices.
    const std::array<int, 4> kept = keptChoices();

    // Every control to its design state; only the outside world is kept.
    Calculator design;
    design.platform = platform;
    design.dataSheet = dataSheet;
    design.files = files;
    *this = std::move(design);

    // Creates the data sheet hidden and sets every caption.
    selectOption(&Calculator::optLANG, 0);

    selectOption(&Calculator::optTOPC, 0);
    selectOption(&Calculator::optFreq, 0);
    selectOption(&Calculator::optCapVal, 0);

    cboKiesregel.items.clear();
    for (const auto& target : kFillLineTargets) {
        cboKiesregel.items.emplace_back(target.item);
    }
    cboKiesregel.selected = 0;

    cmdBestand.enabled = false;

    setText(&Calculator::txtTopR, "100");
    setText(&Calculator::txtWikkeling, "10");
    setText(&Calculator::txtFreq, "10.0");
    setText(&Calculator::txtFres1, "9.9");
    setText(&Calculator::txtFres2, "10.1");
    for (const auto field : {&Calculator::txtQLC, &Calculator::txtQRLC, &Calculator::txtALwaarde,
                             &Calculator::txtQRS, &Calculator::txtQRP, &Calculator::txtLmH}) {
        setText(field, " ");
    }

    chkQRLC.enabled = false;
    chkLprn.enabled = true;
    setCheck(&Calculator::chkLprn, kChecked);
    chkQaan.enabled = true;
    setCheck(&Calculator::chkQaan, kChecked);

    restoreChoices(kept);

    if (dataSheet != nullptr) {
        dataSheet->show();
    }
}

}  // namespace kw
