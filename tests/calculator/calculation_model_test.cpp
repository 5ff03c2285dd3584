#include <gtest/gtest.h>

#include <array>
#include <string>

#include "calculator/calculator.h"
#include "tests/support/calc_model.h"
#include "tests/support/fake_platform.h"

namespace kw {
namespace {

using test::ModelCase;
using test::ModelOutcome;

constexpr int kRandomCases = 4000;
constexpr unsigned kSeed = 20260305;

// Drives the record as a user would: start, option clicks, pasted texts, Calculate.
ModelOutcome runCore(const ModelCase& c) {
    test::FakePlatform platform;
    Calculator calc;
    calc.platform = &platform;
    calc.Form_Load();
    if (c.english) {
        calc.selectOption(&Calculator::optLANG, 1);
    }
    if (c.topR) {
        calc.selectOption(&Calculator::optTOPC, 1);
    }
    if (c.MHz) {
        calc.selectOption(&Calculator::optFreq, 1);
    }
    if (c.pF) {
        calc.selectOption(&Calculator::optCapVal, 1);
    }
    if (c.noQ) {
        calc.setCheck(&Calculator::chkQaan, 0);
    }
    const std::array<TextBox Calculator::*, test::kFieldCount> fields = {
        &Calculator::txtWikkeling, &Calculator::txtCap,   &Calculator::txtFreq,
        &Calculator::txtFres1,     &Calculator::txtFres2, &Calculator::txtTopR};
    for (int f = 0; f < test::kFieldCount; ++f) {
        if (c.texts[f] && !(c.noQ && (f == test::kF1 || f == test::kF2))) {
            calc.setText(fields[f], *c.texts[f]);
        }
    }
    platform.shown.clear();
    calc.cmdBereken_Click();

    ModelOutcome out;
    for (int f = 0; f < test::kFieldCount; ++f) {
        out.inputs[f] = (calc.*fields[f]).text;
    }
    out.results = {calc.txtALwaarde.text, calc.txtLmH.text, calc.txtQRLC.text,
                   calc.txtQLC.text,      calc.txtQRS.text, calc.txtQRP.text};
    out.fillLine = calc.cmdBestand.enabled;
    if (!platform.shown.empty()) {
        out.message = test::ModelMessage{platform.lastMessage().title, platform.lastMessage().text};
    }
    out.beeps = platform.beeps;
    return out;
}

std::string describe(const ModelCase& c) {
    std::string s = std::string(c.english ? "UK" : "NL") + (c.topR ? " top-r" : " top-c") +
                    (c.MHz ? " MHz" : " kHz") + (c.pF ? " pF" : " nF") + (c.noQ ? " no-q" : "");
    for (const auto& t : c.texts) {
        s += " [" + (t ? *t : std::string("default")) + "]";
    }
    return s;
}

TEST(CalculationModelTest, RandomMeasurementsAgreeWithTheModelTextForText) {
    test::ModelCaseGenerator generator(kSeed);
    std::array<int, 6> seen{};  // success, FOUT_0, FOUT1 (and UK FOUT2), FOUT2, FOUT3, FOUT4
    for (int i = 0; i < kRandomCases; ++i) {
        const ModelCase c = generator.next(true);
        const ModelOutcome expected = test::modelCalculation(c);
        const ModelOutcome actual = runCore(c);
        ASSERT_EQ(actual.inputs, expected.inputs) << describe(c);
        ASSERT_EQ(actual.results, expected.results) << describe(c);
        ASSERT_EQ(actual.fillLine, expected.fillLine) << describe(c);
        ASSERT_EQ(actual.beeps, expected.beeps) << describe(c);
        ASSERT_EQ(actual.message.has_value(), expected.message.has_value()) << describe(c);
        if (expected.message) {
            ASSERT_EQ(actual.message->title, expected.message->title) << describe(c);
            ASSERT_EQ(actual.message->text, expected.message->text) << describe(c);
            const std::string& t = expected.message->title;
            const int k = t.find('0') != std::string::npos   ? 1
                          : t.find('3') != std::string::npos ? 4
                          : t.find('4') != std::string::npos ? 5
                          : t.find('2') != std::string::npos ? 3
                                                             : 2;
            ++seen[k];
        } else {
            ++seen[0];
        }
    }
    // The generator must reach every outcome, or the comparison proves little.
    for (int k = 0; k < 6; ++k) {
        EXPECT_GT(seen[k], 50) << "outcome " << k;
    }
}

}  // namespace
}  // namespace kw
