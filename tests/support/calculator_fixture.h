#pragma once

// A Calculator right after start-up, on the fake platform, with helpers that act as a user.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>

#include "calculator/calculator.h"
#include "tests/support/fake_platform.h"

namespace kw::test {

using Field = TextBox Calculator::*;
using KeyPress = void (Calculator::*)(std::int16_t&);

class CalculatorFixture : public ::testing::Test {
protected:
    void SetUp() override {
        calc.platform = &platform;
        platform.settings.clear();  // a first start: the design's choices
        calc.Form_Load();
        platform.beeps = 0;
    }

    // Types the keys one by one: each passes the field's key filter, then lands at the end
    // of the text as a toolkit would put it there. With selectAll the whole text starts
    // selected, so the first key that passes replaces it.
    void type(Field field, KeyPress keyPress, const std::string& keys, bool selectAll = false) {
        bool selected = selectAll;
        for (const char key : keys) {
            std::int16_t code = static_cast<unsigned char>(key);
            (calc.*keyPress)(code);
            if (code == 0 || code == '\r') {
                continue;
            }
            std::string text = selected ? std::string() : (calc.*field).text;
            selected = false;
            if (code == '\b') {
                if (!text.empty()) {
                    text.pop_back();
                }
            } else {
                text.push_back(static_cast<char>(code));
            }
            calc.setText(field, text);
        }
    }

    void paste(std::initializer_list<std::pair<Field, std::string>> texts) {
        for (const auto& [field, text] : texts) {
            calc.setText(field, text);
        }
    }

    // The Top-R example set-up: pF, MHz, Top-R 100 kOhm, 10 turns, 100 pF, 10 MHz, 9.9 / 10.1.
    void topRExample() {
        calc.selectOption(&Calculator::optTOPC, 1);
        calc.selectOption(&Calculator::optFreq, 1);
        calc.selectOption(&Calculator::optCapVal, 1);
        paste({{&Calculator::txtWikkeling, "10"},
               {&Calculator::txtCap, "100"},
               {&Calculator::txtFreq, "10"},
               {&Calculator::txtFres1, "9.9"},
               {&Calculator::txtFres2, "10.1"},
               {&Calculator::txtTopR, "100"}});
    }

    // AL, L, Q, corrected Q, Rs, Rp.
    std::array<std::string, 6> results() const {
        return {calc.txtALwaarde.text, calc.txtLmH.text, calc.txtQRLC.text,
                calc.txtQLC.text,      calc.txtQRS.text, calc.txtQRP.text};
    }

    static std::array<std::string, 6> blankResults() { return {" ", " ", " ", " ", " ", " "}; }

    FakePlatform platform;
    Calculator calc;
};

}  // namespace kw::test
