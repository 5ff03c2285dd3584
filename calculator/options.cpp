#include <array>
#include <string_view>

#include "calculator/calculator.h"

namespace kw {

namespace {

constexpr std::int16_t kIndexPicoFarad = 1;
constexpr std::int16_t kIndexMegaHertz = 1;
constexpr std::int16_t kIndexTopR = 1;
constexpr int kChecked = 1;
constexpr int kUnchecked = 0;

// Per method (index 0 Top-C, 1 Top-R): default ballast text, unit label, Fill Line suffix.
struct MethodTexts {
    std::string_view txtTopR;
    std::string_view lblR;
    std::string_view Top_eenheid;
};
constexpr std::array<MethodTexts, 2> kMethodTexts = {{
    {"1000", "pF         typ.: 1 - 1000", " pF"},
    {"100", "kOhm    typ.: 1 - 1000", " K"},
}};

// Labels of the method that follow the language.
struct MethodLabels {
    std::string_view taal;
    std::array<std::string_view, 2> lblTopR;  // by method index
    std::string_view lblQRLC;
};
constexpr std::array<MethodLabels, 2> kMethodLabels = {{
    {"NL", {"welke Top-C", "welke Top-R"}, "en helemaal zonder Q corr."},
    {"UK", {"which Top-C", "which Top-R"}, "and without any Q corr."},
}};

constexpr std::string_view kFres1Default = "9.9";
constexpr std::string_view kFres2Default = "10.1";
constexpr std::string_view kNoPoint = "-";

}  // namespace

void Calculator::optCapVal_Click(std::int16_t Index) {
    C_eenheid = Index == kIndexPicoFarad ? " pF" : " nF";
    ClearResults();
}

void Calculator::optFreq_Click(std::int16_t Index) {
    f_eenheid = Index == kIndexMegaHertz ? " MHz" : " kHz";
    ClearResults();
}

void Calculator::optTOPC_Click(std::int16_t Index) {
    const bool topR = Index == kIndexTopR;
    const MethodTexts& texts = kMethodTexts[topR ? 1 : 0];
    setText(&Calculator::txtTopR, std::string(texts.txtTopR));
    lblR = texts.lblR;
    Top_eenheid = texts.Top_eenheid;
    chkQRLC.enabled = topR && chkQaan.value == kChecked;
    setCheck(&Calculator::chkQRLC, kUnchecked);
    for (const auto& labels : kMethodLabels) {
        if (Taal == labels.taal) {
            lblTopR = labels.lblTopR[topR ? 1 : 0];
            lblQRLC = labels.lblQRLC;
        }
    }
    ClearResults();
}

void Calculator::chkQaan_Click() {
    if (chkQaan.value == kChecked) {
        txtFres1.enabled = true;
        txtFres2.enabled = true;
        chkQRLC.enabled = optTOPC.selected == kIndexTopR;
        setCheck(&Calculator::chkQRLC, kUnchecked);
        setText(&Calculator::txtFres1, std::string(kFres1Default));
        setText(&Calculator::txtFres2, std::string(kFres2Default));
    } else {
        setText(&Calculator::txtFres1, std::string(kNoPoint));
        setText(&Calculator::txtFres2, std::string(kNoPoint));
        txtFres1.enabled = false;
        txtFres2.enabled = false;
        chkQRLC.enabled = false;
        setCheck(&Calculator::chkQRLC, kUnchecked);
    }
    ClearResults();
}

}  // namespace kw
