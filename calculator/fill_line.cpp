#include <string>

#include "calculator/calculator.h"
#include "calculator/captions.h"
#include "datasheet/datasheet.h"

namespace kw {

static_assert(kFillLineTargets.size() == kMeasurementLines);

namespace {

constexpr int kLInfoLine = 8;
constexpr int kQlcInfoLine = 7;
constexpr int kTopRMethod = 1;
constexpr int kChecked = 1;

}  // namespace

void Calculator::cmdBestand_Click() {
    if (dataSheet == nullptr) {
        return;
    }
    DataSheet& sheet = dataSheet->show();

    const int chosen = cboKiesregel.selected;
    if (chosen < 0 || chosen >= static_cast<int>(cboKiesregel.items.size())) {
        return;
    }
    const std::string& item = cboKiesregel.items[chosen];
    int n = 0;
    for (int k = 1; k <= kMeasurementLines; ++k) {
        if (item == kFillLineTargets[k - 1].item) {
            n = k;
            break;
        }
    }
    if (n == 0) {
        return;
    }

    sheet.line(n, LineField::N) = txtWikkeling.text;
    sheet.line(n, LineField::C) = txtCap.text + C_eenheid;
    sheet.line(n, LineField::Fres) = txtFreq.text + f_eenheid;
    sheet.line(n, LineField::mH) = txtALwaarde.text;
    sheet.line(n, LineField::f1) = txtFres1.text;
    sheet.line(n, LineField::f2) = txtFres2.text;
    sheet.line(n, LineField::Q) = txtQLC.text;
    sheet.line(n, LineField::Top) = txtTopR.text + Top_eenheid;
    sheet.line(n, LineField::Rs) = txtQRS.text;
    sheet.line(n, LineField::Rp) = txtQRP.text;

    const TargetLineTexts& pieces = kFillLineTargets[n - 1];
    if (chkLprn.value == kChecked) {
        sheet.regel(kLInfoLine) += std::string(pieces.lPiece) + txtLmH.text + std::string(kLPieceEnd);
    }
    if (chkQRLC.enabled && chkQRLC.value == kChecked && optTOPC.selected == kTopRMethod) {
        sheet.regel(kQlcInfoLine) += std::string(pieces.qlcPiece) + txtQRLC.text + std::string(kQlcPieceEnd);
    }
}

}  // namespace kw
