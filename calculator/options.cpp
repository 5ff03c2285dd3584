#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "calculator/calculator.h"
#include "calculator/captions.h"

namespace kw {

namespace {

constexpr std::int16_t kIndexPicoFarad = 1;
constexpr std::int16_t kIndexMegaHertz = 1;
constexpr std::int16_t kIndexTopR = 1;
constexpr int kChecked = 1;
constexpr int kUnchecked = 0;

// Per method (index 0 Top-C, 1 Top-R): default ballast text and Fill Line suffix.
struct MethodTexts {
    std::string_view txtTopR;
    std::string_view Top_eenheid;
};
constexpr std::array<MethodTexts, 2> kMethodTexts = {{{"1000", " pF"}, {"100", " K"}}};

const TopCaptions& methodCaptions(const CalculatorCaptions& captions, bool topR) {
    return topR ? captions.topR : captions.topC;
}

constexpr std::string_view kFres1Default = "9.9";
constexpr std::string_view kFres2Default = "10.1";
constexpr std::string_view kNoPoint = "-";

// Keeps the choice for the next run.
void remember(const Calculator& c, std::string_view key, std::string_view value) {
    if (c.platform != nullptr) {
        c.platform->keepSetting(key, std::string(value));
    }
}

// The option index kept under the key, or kNoSelection when none or no valid one is.
int rememberedIndex(const Calculator& c, std::string_view key,
                    const std::array<std::string_view, 2>& values) {
    const std::optional<std::string> kept = c.platform->setting(key);
    for (int index = 0; kept && index < 2; ++index) {
        if (*kept == values[index]) {
            return index;
        }
    }
    return kNoSelection;
}

std::array<std::string_view, 2> captionsOf(const OptionPair& pair) {
    return {pair.caption[0], pair.caption[1]};
}

}  // namespace

// In the order they are selected: the method first, as its switch puts the Top value's
// default back, the language last, whose captions follow the method.
constexpr std::array<OptionPair Calculator::*, 4> kKeptPairs = {&Calculator::optTOPC, &Calculator::optFreq,
                                                                &Calculator::optCapVal, &Calculator::optLANG};

std::array<int, 4> Calculator::keptChoices() const {
    if (platform == nullptr) {
        return {kNoSelection, kNoSelection, kNoSelection, kNoSelection};
    }
    return {rememberedIndex(*this, kMethodSetting, kMethodNames),
            rememberedIndex(*this, kFreqUnitSetting, captionsOf(optFreq)),
            rememberedIndex(*this, kCapUnitSetting, captionsOf(optCapVal)),
            rememberedIndex(*this, kLanguageSetting, {kTaalNL, kTaalUK})};
}

void Calculator::restoreChoices(const std::array<int, 4>& kept) {
    for (std::size_t i = 0; i < kKeptPairs.size(); ++i) {
        if (kept[i] != kNoSelection) {
            selectOption(kKeptPairs[i], static_cast<std::int16_t>(kept[i]));
        }
    }
}

void Calculator::optCapVal_Click(std::int16_t Index) {
    C_eenheid = Index == kIndexPicoFarad ? " pF" : " nF";
    remember(*this, kCapUnitSetting, optCapVal.caption[Index == kIndexPicoFarad ? 1 : 0]);
    ClearResults();
}

void Calculator::optFreq_Click(std::int16_t Index) {
    f_eenheid = Index == kIndexMegaHertz ? " MHz" : " kHz";
    remember(*this, kFreqUnitSetting, optFreq.caption[Index == kIndexMegaHertz ? 1 : 0]);
    ClearResults();
}

void Calculator::optTOPC_Click(std::int16_t Index) {
    const bool topR = Index == kIndexTopR;
    remember(*this, kMethodSetting, kMethodNames[topR ? 1 : 0]);
    const MethodTexts& texts = kMethodTexts[topR ? 1 : 0];
    setText(&Calculator::txtTopR, std::string(texts.txtTopR));
    // Selecting a method writes the English unit label in both languages.
    lblR = methodCaptions(kCalculatorEnglish, topR).lblR;
    Top_eenheid = texts.Top_eenheid;
    chkQRLC.enabled = topR && chkQaan.value == kChecked;
    setCheck(&Calculator::chkQRLC, kUnchecked);
    if (Taal == kTaalNL || Taal == kTaalUK) {
        const CalculatorCaptions& captions = calculatorCaptions(Taal == kTaalUK);
        lblTopR = methodCaptions(captions, topR).lblTopR;
        lblQRLC = captions.lblQRLC;
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
