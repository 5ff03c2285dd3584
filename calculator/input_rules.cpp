#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

#include "calculator/calculator.h"
#include "calculator/captions.h"
#include "calculator/messages.h"
#include "calculator/number_input.h"

namespace kw {

namespace {

constexpr std::string_view kBlankResult = " ";
// Disabled -3 dB fields hold this text; their change rules leave it alone.
constexpr std::string_view kNoPoint = "-";

// Range and reset text of a decimal input field; bounds inclusive, the same in every unit.
struct DecimalRule {
    std::string_view control;
    TextBox Calculator::*field;
    double Calculator::*value;
    double min;
    double max;
    std::string_view resetText;
    bool dashExempt;
};

constexpr double kMaxCap = 500000.0;
constexpr double kMinCap = 0.0001;
constexpr double kMaxFrequency = 50000.0;
constexpr double kMinTop = 1.0;
constexpr double kMaxTop = 250000.0;

constexpr DecimalRule kCapRule{"txtCap", &Calculator::txtCap, &Calculator::Caantal, kMinCap, kMaxCap, "100",
                               false};
constexpr DecimalRule kFreqRule{
    "txtFreq", &Calculator::txtFreq, &Calculator::Faantal, 0.0, kMaxFrequency, "10", false};
constexpr DecimalRule kFres1Rule{
    "txtFres1", &Calculator::txtFres1, &Calculator::F1aantal, 0.0, kMaxFrequency, "9.9", true};
constexpr DecimalRule kFres2Rule{
    "txtFres2", &Calculator::txtFres2, &Calculator::F2aantal, 0.0, kMaxFrequency, "10.1", true};
constexpr DecimalRule kTopRule{"txtTopR", &Calculator::txtTopR, &Calculator::Raantal, kMinTop, kMaxTop, "100",
                               false};

// A bound as the user would type it: 0.0001, 50000.
std::string boundText(double value) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed).ptr;
    return std::string(buffer, end);
}

// A refused value was put back: beep, and say so at the box, where the user looks.
void reportPutBack(Calculator& c, std::string_view control, const std::string& range,
                   std::string_view putBack) {
    if (c.platform == nullptr) {
        return;
    }
    c.platform->beep();
    c.platform->showHint(control, kRangeHint.text(c.Taal == kTaalUK, {range, std::string(putBack)}));
}

constexpr double kMinTurns = 1.0;
constexpr double kMaxTurns = 101.0;  // one more than the hint label says
constexpr std::string_view kTurnsReset = "10";
constexpr std::int16_t kTurnsAfterReset = 10;

void runDecimalRule(Calculator& c, const DecimalRule& rule) {
    const std::string& text = (c.*rule.field).text;
    if (rule.dashExempt && text == kNoPoint) {
        // No range check, but a pasted dash is still an edit: the results shown no longer
        // belong to the inputs on screen.
        c.ClearResults();
        return;
    }
    const double value = LeadingValue(text);
    c.*rule.value = value;
    if (!(value >= rule.min && value <= rule.max)) {
        c.setText(rule.field, std::string(rule.resetText));
        reportPutBack(c, rule.control, boundText(rule.min) + " - " + boundText(rule.max), rule.resetText);
    }
    c.ClearResults();
}

void applyVerdict(Calculator& c, KeyVerdict verdict, std::string_view control) {
    if (c.platform == nullptr) {
        return;
    }
    if (verdict == KeyVerdict::SwallowBeep) {
        c.platform->beep();
        // The bell alone is muted on most desktops.
        c.platform->showHint(control, std::string(KeyHint(control, c.Taal == kTaalUK)));
    } else if (verdict == KeyVerdict::PassAndFocus) {
        c.platform->setFocus(control);
    }
}

}  // namespace

void Calculator::setText(TextBox Calculator::*field, std::string text) {
    TextBox& box = this->*field;
    if (box.text == text) {
        return;
    }
    box.text = std::move(text);
    if (field == &Calculator::txtWikkeling) {
        txtWikkeling_Change();
    } else if (field == &Calculator::txtCap) {
        txtCap_Change();
    } else if (field == &Calculator::txtFreq) {
        txtFreq_Change();
    } else if (field == &Calculator::txtFres1) {
        txtFres1_Change();
    } else if (field == &Calculator::txtFres2) {
        txtFres2_Change();
    } else if (field == &Calculator::txtTopR) {
        txtTopR_Change();
    }
}

void Calculator::selectOption(OptionPair Calculator::*pair, std::int16_t index) {
    OptionPair& options = this->*pair;
    if (options.selected == index) {
        return;
    }
    options.selected = index;
    if (pair == &Calculator::optCapVal) {
        optCapVal_Click(index);
    } else if (pair == &Calculator::optFreq) {
        optFreq_Click(index);
    } else if (pair == &Calculator::optTOPC) {
        optTOPC_Click(index);
    } else if (pair == &Calculator::optLANG) {
        optLANG_Click(index);
    }
}

void Calculator::setCheck(CheckBox Calculator::*box, int value) {
    CheckBox& check = this->*box;
    if (check.value == value) {
        return;
    }
    check.value = value;
    if (box == &Calculator::chkQaan) {
        chkQaan_Click();
    }
}

void Calculator::txtWikkeling_KeyPress(std::int16_t& KeyAscii) {
    applyVerdict(*this, DigitKeyFilter(KeyAscii), "txtWikkeling");
}
void Calculator::txtCap_KeyPress(std::int16_t& KeyAscii) {
    applyVerdict(*this, DecimalKeyFilter(KeyAscii, txtCap.text), "txtCap");
}
void Calculator::txtFreq_KeyPress(std::int16_t& KeyAscii) {
    applyVerdict(*this, DecimalKeyFilter(KeyAscii, txtFreq.text), "txtFreq");
}
void Calculator::txtFres1_KeyPress(std::int16_t& KeyAscii) {
    applyVerdict(*this, DecimalKeyFilter(KeyAscii, txtFres1.text), "txtFres1");
}
void Calculator::txtFres2_KeyPress(std::int16_t& KeyAscii) {
    applyVerdict(*this, DecimalKeyFilter(KeyAscii, txtFres2.text), "txtFres2");
}
void Calculator::txtTopR_KeyPress(std::int16_t& KeyAscii) {
    applyVerdict(*this, DecimalKeyFilter(KeyAscii, txtTopR.text), "txtTopR");
}
void Calculator::txtALwaarde_KeyPress(std::int16_t& KeyAscii) {
    applyVerdict(*this, ReadOnlyKeyFilter(KeyAscii), "txtALwaarde");
}
void Calculator::txtQLC_KeyPress(std::int16_t& KeyAscii) {
    applyVerdict(*this, ReadOnlyKeyFilter(KeyAscii), "txtQLC");
}

void Calculator::txtWikkeling_Change() {
    // Halves to even; the range test runs on the double, so a count too large for 16 bits
    // is out of range instead of wrapping into it.
    const double turns = std::nearbyint(LeadingValue(txtWikkeling.text));
    if (turns >= kMinTurns && turns <= kMaxTurns) {
        Naantal = static_cast<std::int16_t>(turns);
    } else {
        setText(&Calculator::txtWikkeling, std::string(kTurnsReset));
        Naantal = kTurnsAfterReset;
        // The range the label beside the box gives.
        reportPutBack(*this, "txtWikkeling", Label4, kTurnsReset);
    }
    ClearResults();
}

void Calculator::txtCap_Change() {
    runDecimalRule(*this, kCapRule);
}
void Calculator::txtFreq_Change() {
    runDecimalRule(*this, kFreqRule);
}
void Calculator::txtFres1_Change() {
    runDecimalRule(*this, kFres1Rule);
}
void Calculator::txtFres2_Change() {
    runDecimalRule(*this, kFres2Rule);
}
void Calculator::txtTopR_Change() {
    runDecimalRule(*this, kTopRule);
}

void Calculator::ClearResults() {
    cmdBestand.enabled = false;
    for (const auto field : {&Calculator::txtALwaarde, &Calculator::txtQRLC, &Calculator::txtQLC,
                             &Calculator::txtQRS, &Calculator::txtQRP, &Calculator::txtLmH}) {
        setText(field, std::string(kBlankResult));
    }
}

}  // namespace kw
