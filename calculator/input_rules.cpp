#include "calculator/calculator.h"

namespace kw {

// TODO(issue 2): input rules.
void Calculator::setText(TextBox Calculator::*field, std::string text) { (this->*field).text = std::move(text); }
void Calculator::selectOption(OptionPair Calculator::*pair, std::int16_t index) { (this->*pair).selected = index; }
void Calculator::setCheck(CheckBox Calculator::*box, int value) { (this->*box).value = value; }
void Calculator::txtWikkeling_KeyPress(std::int16_t&) {}
void Calculator::txtCap_KeyPress(std::int16_t&) {}
void Calculator::txtFreq_KeyPress(std::int16_t&) {}
void Calculator::txtFres1_KeyPress(std::int16_t&) {}
void Calculator::txtFres2_KeyPress(std::int16_t&) {}
void Calculator::txtTopR_KeyPress(std::int16_t&) {}
void Calculator::txtALwaarde_KeyPress(std::int16_t&) {}
void Calculator::txtQLC_KeyPress(std::int16_t&) {}
void Calculator::txtWikkeling_Change() {}
void Calculator::txtCap_Change() {}
void Calculator::txtFreq_Change() {}
void Calculator::txtFres1_Change() {}
void Calculator::txtFres2_Change() {}
void Calculator::txtTopR_Change() {}
void Calculator::ClearResults() {}

}  // namespace kw
