// A user's session at the Calculator from the fuzzer. After every step the result fields hold
// proper result texts, every input lies in its range, and Fill Line is enabled exactly when
// the last calculation succeeded (or only its Q correction failed) and no input, unit,
// method or "Q?" has changed since.

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <utility>

#include "calculator/calculator.h"
#include "calculator/messages.h"
#include "calculator/number_input.h"
#include "datasheet/datasheet.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/fuzz/harness.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_platform.h"

namespace kw::fuzz {

namespace {

using Field = TextBox Calculator::*;
using KeyPress = void (Calculator::*)(std::int16_t&);

struct Input {
    std::string_view name;
    Field field;
    KeyPress keyPress;
    double min;
    double max;
    bool dashAllowed;  // the -3 dB fields hold "-" while Q is not wanted
};

constexpr std::array<Input, 6> kInputs = {{
    {"txtWikkeling", &Calculator::txtWikkeling, &Calculator::txtWikkeling_KeyPress, 1, 101, false},
    {"txtCap", &Calculator::txtCap, &Calculator::txtCap_KeyPress, 0.0001, 500000, false},
    {"txtFreq", &Calculator::txtFreq, &Calculator::txtFreq_KeyPress, 0, 50000, false},
    {"txtFres1", &Calculator::txtFres1, &Calculator::txtFres1_KeyPress, 0, 50000, true},
    {"txtFres2", &Calculator::txtFres2, &Calculator::txtFres2_KeyPress, 0, 50000, true},
    {"txtTopR", &Calculator::txtTopR, &Calculator::txtTopR_KeyPress, 1, 250000, false},
}};

struct Result {
    std::string_view name;
    Field field;
};

constexpr std::array<Result, 6> kResults = {{
    {"txtALwaarde", &Calculator::txtALwaarde},
    {"txtLmH", &Calculator::txtLmH},
    {"txtQRLC", &Calculator::txtQRLC},
    {"txtQLC", &Calculator::txtQLC},
    {"txtQRS", &Calculator::txtQRS},
    {"txtQRP", &Calculator::txtQRP},
}};

constexpr std::array<OptionPair Calculator::*, 3> kOptions = {&Calculator::optCapVal, &Calculator::optFreq,
                                                              &Calculator::optTOPC};

// Steps, by letter; any other byte picks one by its remainder.
constexpr std::string_view kSteps = "kapoqcflsxyrP";

constexpr int kLongestPlain = 15;  // digits before the separator below 10^15
constexpr int kMostDecimals = 4;
constexpr int kFirstExponent = 15;
constexpr std::size_t kLongestPaste = 1 << 12;  // [bytes]; the 1 MB case is a unit test
constexpr std::size_t kPasteChunk = 16;         // [bytes] per count of a long paste
constexpr std::string_view kBlank = " ";
constexpr std::string_view kError = "err";

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool allDigits(std::string_view s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}

// A rounded value as a result text: plain below 10^15, "d.ddE+XX" from there on.
bool isResultNumber(std::string_view t, char separator) {
    const auto e = t.find('E');
    if (e != std::string_view::npos) {
        const std::string_view mantissa = t.substr(0, e);
        const std::string_view exponent = t.substr(e + 1);
        if (exponent.size() < 3 || exponent[0] != '+' || !allDigits(exponent.substr(1)) ||
            std::stoi(std::string(exponent.substr(1))) < kFirstExponent) {
            return false;
        }
        if (mantissa.empty() || mantissa[0] < '1' || mantissa[0] > '9') {
            return false;
        }
        if (mantissa.size() == 1) {
            return true;
        }
        const std::string_view digits = mantissa.substr(2);
        return mantissa[1] == separator && allDigits(digits) && digits.back() != '0' &&
               static_cast<int>(digits.size()) < kLongestPlain;
    }
    const auto sep = t.find(separator);
    const std::string_view whole = t.substr(0, sep);
    if (!allDigits(whole) || static_cast<int>(whole.size()) > kLongestPlain ||
        (whole.size() > 1 && whole[0] == '0')) {
        return false;
    }
    if (sep == std::string_view::npos) {
        return true;
    }
    const std::string_view fraction = t.substr(sep + 1);
    if (!allDigits(fraction) || static_cast<int>(fraction.size()) > kMostDecimals || fraction.back() == '0') {
        return false;
    }
    const std::string digits = std::string(whole) + std::string(fraction);
    const auto first = digits.find_first_not_of('0');
    return first != std::string::npos && static_cast<int>(digits.size() - first) <= kLongestPlain;
}

class Session {
public:
    explicit Session(std::string_view bytes) : in_(bytes), form_(platform_, disk_) {
        calc_.platform = &platform_;
        calc_.dataSheet = &form_;
        calc_.Form_Load();
    }

    Finding run() {
        if (Finding f = check("start-up")) {
            return f;
        }
        while (!in_.empty()) {
            const std::uint8_t b = in_.byte();
            const auto letter = kSteps.find(static_cast<char>(b));
            const char step = kSteps[letter != std::string_view::npos ? letter : b % kSteps.size()];
            if (Finding f = perform(step)) {
                return f;
            }
            if (Finding f = check(std::string("step ") + step)) {
                return f;
            }
        }
        return std::nullopt;
    }

private:
    Finding perform(char step) {
        switch (step) {
            case 'k':
                return typeKey(kInputs[in_.byte() % kInputs.size()], in_.byte());
            case 'a':
                selectAll_ = true;
                return std::nullopt;
            case 'p':
                return paste(kInputs[in_.byte() % kInputs.size()], in_.textUntil('\n'));
            case 'P': {
                const Input& input = kInputs[in_.byte() % kInputs.size()];
                const std::size_t length =
                    std::min<std::size_t>(kLongestPaste, (in_.byte() + 1) * kPasteChunk);
                const std::string piece = in_.textUntil('\n');
                std::string text;
                while (!piece.empty() && text.size() < length) {
                    text += piece;
                }
                return paste(input, text);
            }
            case 'o': {
                OptionPair Calculator::*pair = kOptions[in_.byte() % kOptions.size()];
                const auto index = static_cast<std::int16_t>(in_.byte() % 2);
                if ((calc_.*pair).selected != index) {
                    fillLineExpected_ = false;
                }
                calc_.selectOption(pair, index);
                return std::nullopt;
            }
            case 'q':
                fillLineExpected_ = false;
                calc_.setCheck(&Calculator::chkQaan, calc_.chkQaan.value == 1 ? 0 : 1);
                return std::nullopt;
            case 'c':
                return calculate();
            case 'f':
                return fillLine(in_.byte());
            case 'l':
                calc_.selectOption(&Calculator::optLANG, static_cast<std::int16_t>(in_.byte() % 2));
                return std::nullopt;
            case 's':
                platform_.separator = platform_.separator == '.' ? ',' : '.';
                return std::nullopt;
            case 'x':
                if (calc_.chkQRLC.enabled) {
                    calc_.setCheck(&Calculator::chkQRLC, calc_.chkQRLC.value == 1 ? 0 : 1);
                }
                return std::nullopt;
            case 'y':
                calc_.setCheck(&Calculator::chkLprn, calc_.chkLprn.value == 1 ? 0 : 1);
                return std::nullopt;
            case 'r': {
                std::int16_t code = in_.byte();
                (in_.byte() % 2 == 0 ? calc_.txtALwaarde_KeyPress(code) : calc_.txtQLC_KeyPress(code));
                return code == kKeySwallowed ? Finding{} : Finding{"a read-only result field took a key"};
            }
            default:
                return std::nullopt;
        }
    }

    // The key passes the field's filter and lands at the end of the text, or replaces it
    // all when the text was selected, as a toolkit does.
    Finding typeKey(const Input& input, std::uint8_t key) {
        const bool selected = std::exchange(selectAll_, false);
        if (!(calc_.*input.field).enabled) {
            return std::nullopt;
        }
        std::int16_t code = key;
        (calc_.*input.keyPress)(code);
        if (code == kKeySwallowed || code == kKeyEnter) {
            return std::nullopt;
        }
        if (!(isDigit(static_cast<char>(code)) || code == kKeyBackspace || code == kKeyComma ||
              code == kKeyPoint)) {
            return std::string(input.name) + " let key " + std::to_string(code) + " through";
        }
        std::string text = selected ? std::string() : (calc_.*input.field).text;
        if (code == kKeyBackspace) {
            if (!text.empty()) {
                text.pop_back();
            }
        } else {
            text.push_back(static_cast<char>(code));
        }
        return paste(input, std::move(text));
    }

    Finding paste(const Input& input, std::string text) {
        if (!(calc_.*input.field).enabled) {
            return std::nullopt;
        }
        if ((calc_.*input.field).text != text) {
            fillLineExpected_ = false;
        }
        calc_.setText(input.field, std::move(text));
        return std::nullopt;
    }

    Finding calculate() {
        const std::size_t before = platform_.shown.size();
        calc_.cmdBereken_Click();
        separator_ = platform_.separator;
        const bool qWanted = calc_.chkQaan.value == 1;
        if (platform_.shown.size() > before + 1) {
            return "Calculate showed more than one message";
        }
        const bool failed = platform_.shown.size() == before + 1;
        const bool fout3 = failed && platform_.shown.back().title ==
                                         CalcErrorMessage(CalcError::Fout3).in(calc_.Taal == "UK").title;
        fillLineExpected_ = !failed || fout3;

        const auto number = [&](const Result& r) {
            return isResultNumber((calc_.*r.field).text, separator_);
        };
        for (std::size_t i = 0; i < kResults.size(); ++i) {
            const Result& r = kResults[i];
            const std::string& text = (calc_.*r.field).text;
            const bool alOrL = i < 2;
            bool ok = false;
            if (!failed) {
                ok = alOrL || qWanted ? number(r) : text == kBlank;
            } else if (fout3) {
                ok = alOrL || r.field == &Calculator::txtQRLC ? number(r) : text == kError;
            } else {
                ok = text == kBlank;
            }
            if (!ok) {
                return std::string(r.name) + " shows \"" + text + "\" after Calculate" +
                       (failed ? " with a message" : "");
            }
        }
        return std::nullopt;
    }

    Finding fillLine(std::uint8_t target) {
        if (!calc_.cmdBestand.enabled) {
            return std::nullopt;  // a disabled button cannot be clicked
        }
        const int k = target % kMeasurementLines + 1;
        calc_.cboKiesregel.selected = k - 1;
        calc_.cmdBestand_Click();
        const DataSheet* sheet = form_.get();
        if (sheet == nullptr || !form_.visible()) {
            return "Fill Line did not show the data sheet";
        }
        const bool same = sheet->line(k, LineField::N) == calc_.txtWikkeling.text &&
                          sheet->line(k, LineField::C) == calc_.txtCap.text + calc_.C_eenheid &&
                          sheet->line(k, LineField::mH) == calc_.txtALwaarde.text &&
                          sheet->line(k, LineField::Q) == calc_.txtQLC.text;
        return same ? Finding{} : Finding{"Fill Line wrote other texts than the Calculator shows"};
    }

    Finding check(const std::string& after) const {
        if (calc_.cmdBestand.enabled != fillLineExpected_) {
            return "after " + after + " Fill Line is " + (calc_.cmdBestand.enabled ? "enabled" : "disabled");
        }
        for (const Result& r : kResults) {
            const std::string& text = (calc_.*r.field).text;
            if (text != kBlank && text != kError && !isResultNumber(text, separator_)) {
                return "after " + after + " " + std::string(r.name) + " shows \"" + text + "\"";
            }
        }
        for (const Input& input : kInputs) {
            const std::string& text = (calc_.*input.field).text;
            if (input.dashAllowed && text == "-") {
                continue;
            }
            double value = LeadingValue(text);
            if (input.field == &Calculator::txtWikkeling) {
                value = std::nearbyint(value);
            }
            if (!(value >= input.min && value <= input.max)) {
                return "after " + after + " " + std::string(input.name) + " holds \"" + text.substr(0, 40) +
                       "\", out of its range";
            }
        }
        return std::nullopt;
    }

    FuzzInput in_;
    test::FakePlatform platform_;
    test::FakeFileSystem disk_;
    DataSheetForm form_;
    Calculator calc_;
    bool fillLineExpected_ = false;
    bool selectAll_ = false;
    char separator_ = '.';
};

}  // namespace

Finding calculatorSession(std::string_view bytes) {
    return Session(bytes).run();
}

}  // namespace kw::fuzz
