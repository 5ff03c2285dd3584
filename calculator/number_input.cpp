#include "calculator/number_input.h"

#include <charconv>
#include <limits>
#include <string>
#include <system_error>

namespace kw {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isSkipped(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

bool isExponentMark(char c) {
    return c == 'E' || c == 'e' || c == 'D' || c == 'd';
}

// Exponents beyond this are out of any double's reach; the clamp only keeps the sum below
// from overflowing.
constexpr long kExponentClamp = 100000;

struct NumberParts {
    bool negative = false;
    std::string integerDigits;
    std::string fractionDigits;
    bool negativeExponent = false;
    std::string exponentDigits;
};

// Decimal exponent of the leading non-zero digit, with the written exponent added.
long magnitude(const NumberParts& n) {
    long exponent = 0;
    for (const char c : n.exponentDigits) {
        exponent = exponent * 10 + (c - '0');
        if (exponent > kExponentClamp) {
            exponent = kExponentClamp;
            break;
        }
    }
    if (n.negativeExponent) {
        exponent = -exponent;
    }
    const auto firstInt = n.integerDigits.find_first_not_of('0');
    if (firstInt != std::string::npos) {
        return exponent + static_cast<long>(n.integerDigits.size() - firstInt) - 1;
    }
    const auto firstFrac = n.fractionDigits.find_first_not_of('0');
    return exponent - static_cast<long>(firstFrac) - 1;
}

}  // namespace

double LeadingValue(std::string_view text) {
    // Blanks are ignored wherever they stand. The first other character that can be no part
    // of a number ends it, so the rest of a long pasted text is not copied.
    std::string s;
    for (const char c : text) {
        if (isSkipped(c)) {
            continue;
        }
        if (!isDigit(c) && c != '+' && c != '-' && c != '.' && !isExponentMark(c)) {
            break;
        }
        s.push_back(c);
    }

    NumberParts n;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        n.negative = s[i] == '-';
        ++i;
    }
    while (i < s.size() && isDigit(s[i])) {
        n.integerDigits.push_back(s[i++]);
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) {
            n.fractionDigits.push_back(s[i++]);
        }
    }
    if (n.integerDigits.empty() && n.fractionDigits.empty()) {
        return 0.0;
    }
    if (i < s.size() && isExponentMark(s[i])) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            negativeExponent = s[j] == '-';
            ++j;
        }
        // An exponent mark without digits is not part of the number.
        if (j < s.size() && isDigit(s[j])) {
            n.negativeExponent = negativeExponent;
            while (j < s.size() && isDigit(s[j])) {
                n.exponentDigits.push_back(s[j++]);
            }
        }
    }

    std::string normal = n.integerDigits.empty() ? "0" : n.integerDigits;
    if (!n.fractionDigits.empty()) {
        normal += '.';
        normal += n.fractionDigits;
    }
    if (!n.exponentDigits.empty()) {
        normal += n.negativeExponent ? "e-" : "e";
        normal += n.exponentDigits;
    }

    double value = 0.0;
    const auto [end, ec] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        value = magnitude(n) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (ec != std::errc{}) {
        value = 0.0;
    }
    return n.negative ? -value : value;
}

double DecimalValue(std::string_view text) {
    std::string s(text);
    for (char& c : s) {
        if (c == ',') {
            c = '.';
        }
    }
    return LeadingValue(s);
}

namespace {

bool isDigitKey(std::int16_t code) {
    return code >= kKeyDigit0 && code <= kKeyDigit9;
}

KeyVerdict refuse(std::int16_t& KeyAscii, KeyVerdict verdict) {
    KeyAscii = kKeySwallowed;
    return verdict;
}

}  // namespace

KeyVerdict DecimalKeyFilter(std::int16_t& KeyAscii, std::string_view fieldText) {
    if (KeyAscii == kKeyComma || KeyAscii == kKeyPoint) {
        if (fieldText.find_first_of(",.") == std::string_view::npos) {
            return KeyVerdict::Pass;
        }
        return refuse(KeyAscii, KeyVerdict::Swallow);
    }
    return DigitKeyFilter(KeyAscii);
}

KeyVerdict DigitKeyFilter(std::int16_t& KeyAscii) {
    if (isDigitKey(KeyAscii) || KeyAscii == kKeyBackspace) {
        return KeyVerdict::Pass;
    }
    if (KeyAscii == kKeyEnter) {
        return KeyVerdict::PassAndFocus;
    }
    return refuse(KeyAscii, KeyVerdict::SwallowBeep);
}

KeyVerdict ReadOnlyKeyFilter(std::int16_t& KeyAscii) {
    return refuse(KeyAscii, KeyVerdict::SwallowBeep);
}

}  // namespace kw
