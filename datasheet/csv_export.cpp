#include "datasheet/csv_export.h"

#include <algorithm>
#include <array>

#include "common/path_text.h"
#include "common/text.h"
#include "datasheet/postscript_block.h"

namespace kw {

namespace {

constexpr std::string_view kPointNote = "UK CSV setting - decimal point is used";
constexpr std::string_view kCommaNote = "NL CSV setting - decimal comma is used";

constexpr char kSeparator = ';';
// A spreadsheet reads a cell that starts with one of these as a formula.
constexpr std::string_view kFormulaStarts = "=+-@\t\r";
constexpr char kTextMark = '\'';            // makes a spreadsheet take the cell as text
constexpr std::string_view kNoValue = "-";  // Fill Line's -3 dB points without Q; never a formula
constexpr std::string_view kPageExtension = ".PS";
constexpr std::string_view kCsvExtension = ".CSV";

enum class Part {
    Whole,
    First,  // eerstedeel: the number before the unit
    Rest,   // tweededeel: the unit
};

struct Column {
    std::string_view name;    // in the file's second line
    std::string_view header;  // control name of a header field; empty for a line field
    LineField field = LineField::N;
    Part part = Part::Whole;
};

constexpr std::array<Column, kCsvColumns> kColumns = {{
    {"Fabr1", "txtFabr1"},
    {"Fabr2", "txtFabr2"},
    {"Type1", "txtType1"},
    {"Type2", "txtType2"},
    {"Type3", "txtType3"},
    {"Buiten", "txtBuiten"},
    {"Binnen", "txtBinnen"},
    {"Hoog", "txtHoog"},
    {"N", "", LineField::N},
    {"Cpar", "", LineField::C, Part::First},
    {"pF_nF", "", LineField::C, Part::Rest},
    {"f res", "", LineField::Fres, Part::First},
    {"k_MHz", "", LineField::Fres, Part::Rest},
    {"AL-waarde", "", LineField::mH},
    {"f1", "", LineField::f1},
    {"f2", "", LineField::f2},
    {"Q", "", LineField::Q},
    {"TOP_RC", "", LineField::Top, Part::First},
    {"pF_Kohm", "", LineField::Top, Part::Rest},
    {"Rs", "", LineField::Rs},
    {"Rp", "", LineField::Rp},
}};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A plain decimal number, or one followed by an exponent ("1,5E-3").
bool isNumber(std::string_view text) {
    const auto e = text.find_first_of("eE");
    if (e == std::string_view::npos) {
        return isPlainDecimal(text);
    }
    std::string_view exponent = text.substr(e + 1);
    if (!exponent.empty() && (exponent.front() == '+' || exponent.front() == '-')) {
        exponent.remove_prefix(1);
    }
    exponent = exponent.substr(0, exponent.find_last_not_of(' ') + 1);
    const bool digitsOnly = !exponent.empty() && std::all_of(exponent.begin(), exponent.end(), isDigit);
    const std::string_view mantissa = text.substr(0, e);
    return digitsOnly && !mantissa.empty() && mantissa.back() != ' ' && isPlainDecimal(mantissa);
}

// A text a spreadsheet would run as a formula.
bool looksLikeFormula(std::string_view text) {
    return !text.empty() && kFormulaStarts.find(text.front()) != std::string_view::npos && text != kNoValue &&
           !isNumber(text);
}

}  // namespace

std::vector<std::string> csvOpeningLines(bool english) {
    // The first line names the columns by their spreadsheet letters, the second by their names.
    std::string letters;
    std::string names;
    for (std::size_t c = 0; c < kColumns.size(); ++c) {
        const std::string_view separator = c == 0 ? "" : std::string_view(&kSeparator, 1);
        letters += std::string(separator) + static_cast<char>('A' + c);
        names += std::string(separator) + std::string(kColumns[c].name);
    }
    return {letters, names, std::string(english ? kPointNote : kCommaNote)};
}

bool isPlainDecimal(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return false;
    }
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    if (text.front() == '+' || text.front() == '-') {
        text.remove_prefix(1);
    }
    int digits = 0;
    int separators = 0;
    for (char c : text) {
        if (isDigit(c)) {
            ++digits;
        } else if (c == '.' || c == ',') {
            ++separators;
        } else {
            return false;
        }
    }
    return digits > 0 && separators <= 1;
}

std::string csvField(std::string_view text, bool english) {
    const bool formula = looksLikeFormula(text);
    std::string value(text);
    if (isPlainDecimal(value)) {
        const char from = english ? ',' : '.';
        const char to = english ? '.' : ',';
        for (char& c : value) {
            if (c == from) {
                c = to;
            }
        }
    }
    // A row is one line; a line break inside a field would split it.
    for (char& c : value) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    if (formula) {
        return CsvQuoted(std::string(1, kTextMark) + value);
    }
    return value.find_first_of(";\"") == std::string::npos ? value : CsvQuoted(value);
}

std::string csvRow(const DataSheet& sheet, int k, bool english) {
    std::string row;
    for (std::size_t i = 0; i < kColumns.size(); ++i) {
        const Column& col = kColumns[i];
        std::string text;
        if (!col.header.empty()) {
            text = *sheet.field(col.header);
        } else {
            const std::string& field = sheet.line(k, col.field);
            text = col.part == Part::First  ? eerstedeel(field)
                   : col.part == Part::Rest ? tweededeel(field)
                                            : field;
        }
        if (i > 0) {
            row += kSeparator;
        }
        row += csvField(text, english);
    }
    return row;
}

std::vector<std::string> csvRows(const DataSheet& sheet, bool english) {
    std::vector<std::string> rows;
    for (int k = 1; k <= kMeasurementLines; ++k) {
        if (measurementLinePresent(sheet, k)) {
            rows.push_back(csvRow(sheet, k, english));
        }
    }
    return rows;
}

std::string csvName(const std::string& pageName) {
    const std::string file = FileOnly(pageName);
    const std::string folderPart = pageName.substr(0, pageName.size() - file.size());
    std::string upper = UpperText(file);
    if (upper.size() >= kPageExtension.size() &&
        upper.compare(upper.size() - kPageExtension.size(), kPageExtension.size(), kPageExtension) == 0) {
        upper.resize(upper.size() - kPageExtension.size());
    }
    return folderPart + upper + std::string(kCsvExtension);
}

}  // namespace kw
