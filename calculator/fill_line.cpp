#include <string>

#include "calculator/calculator.h"
#include "calculator/captions.h"
#include "calculator/messages.h"
#include "datasheet/datasheet.h"

namespace kw {

static_assert(kFillLineTargets.size() == kMeasurementLines);

namespace {

constexpr int kLInfoLine = 8;
constexpr int kQlcInfoLine = 7;
constexpr int kTopRMethod = 1;
constexpr int kChecked = 1;

// The info line with the line's piece put in: in place of the piece the line already holds
// (from its start text to the end text after it), else at the end.
std::string withPiece(const std::string& info, std::string_view start, std::string_view end,
                      const std::string& piece) {
    for (std::size_t at = info.find(start); at != std::string::npos; at = info.find(start, at + 1)) {
        // A piece begins the line or follows the blank that ends the one before.
        if (at > 0 && info[at - 1] != ' ') {
            continue;
        }
        const std::size_t stop = info.find(end, at + start.size());
        if (stop == std::string::npos) {
            break;
        }
        return info.substr(0, at) + piece + info.substr(stop + end.size());
    }
    return info + piece;
}

int listIndexOf(const ListBox& list, std::string_view item) {
    for (std::size_t i = 0; i < list.items.size(); ++i) {
        if (list.items[i] == item) {
            return static_cast<int>(i);
        }
    }
    return kNoSelection;
}

}  // namespace

DataSheet& Calculator::showSheet() {
    const bool fresh = !dataSheet->loaded();
    DataSheet& sheet = dataSheet->show();
    // A sheet made anew speaks the Calculator's language, as the one before did.
    if (fresh && (Taal == kTaalNL || Taal == kTaalUK)) {
        applySheetLanguage(sheet);
    }
    return sheet;
}

void Calculator::cmdBestand_Click() {
    if (dataSheet == nullptr) {
        return;
    }
    DataSheet& sheet = showSheet();

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
    // A measurement already there is not written over unasked.
    if (!sheet.line(n, LineField::N).empty() && platform != nullptr &&
        show(*platform, kOverwriteLine, Taal == kTaalUK, {std::to_string(n)}) != MsgAnswer::Ok) {
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

    // One piece per measurement line: filling a line again replaces its piece.
    const TargetLineTexts& pieces = kFillLineTargets[n - 1];
    if (chkLprn.value == kChecked) {
        sheet.regel(kLInfoLine) =
            withPiece(sheet.regel(kLInfoLine), pieces.lPiece, kLPieceEnd,
                      std::string(pieces.lPiece) + txtLmH.text + std::string(kLPieceEnd));
    }
    if (chkQRLC.enabled && chkQRLC.value == kChecked && optTOPC.selected == kTopRMethod) {
        sheet.regel(kQlcInfoLine) =
            withPiece(sheet.regel(kQlcInfoLine), pieces.qlcPiece, kQlcPieceEnd,
                      std::string(pieces.qlcPiece) + txtQRLC.text + std::string(kQlcPieceEnd));
    }

    // On to the next empty line, after this one first, so that the next measurement lands there.
    for (int step = 1; step < kMeasurementLines; ++step) {
        const int k = (n - 1 + step) % kMeasurementLines + 1;
        if (sheet.line(k, LineField::N).empty()) {
            if (const int index = listIndexOf(cboKiesregel, kFillLineTargets[k - 1].item);
                index != kNoSelection) {
                cboKiesregel.selected = index;
            }
            return;
        }
    }
}

}  // namespace kw
