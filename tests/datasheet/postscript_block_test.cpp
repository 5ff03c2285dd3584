#include "datasheet/postscript_block.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/placeholder_sheet.h"

namespace kw {
namespace {

using Lines = std::vector<std::string>;

DataSheet emptySheet() {
    DataSheet sheet;
    for (const auto& name : DataSheet::textFieldNames()) {
        *sheet.field(name) = "";
    }
    return sheet;
}

// clang-format off
// The items that do not depend on the sheet's texts, for a sheet whose fields are all empty.
const Lines kEmptyHeader = {
    "%%datum ", "7 textscale", "8 mm 116.2 mm m", "() show",
    "7 textscale", "18 mm 116.2 mm m", "() show",
    "7 textscale", "33 mm 116.2 mm m ", "() show",
    "%%fabr1", "7 textscale", "8 mm 105 mm m ", "() show",
    "7 textscale", "8 mm 100 mm m ", "() show",
    "%%type1-2-3", "7 textscale", "8 mm 90 mm m ", "() show",
    "7 textscale", "8 mm 85 mm m ", "() show",
    "7 textscale", "8 mm 80 mm m ", "() show",
    "%%Buiten-binnen-hoogte", "6 textscale", "28 mm 69 mm m ", "() show",
    "6 textscale", "28 mm 61 mm m ", "() show",
    "6 textscale", "28 mm 52 mm m ", "() show",
    "%%Ri", "7 textscale", "13 mm 27 mm m ", "() show",
    "%%mu-tor", "7 textscale", "13 mm 10 mm m ", "() show",
    "6 textscale", "8.5 mm 45 mm m", "(made with) show",
    "8.5 mm 41 mm m", "(KERNWIJS) show",
    "8.5 mm 37 mm m", "(by QQ0QQQ) show",
    "4 textscale", "149 mm 100.5 mm m", "(LC) show",
};

const Lines kEmptyTrailer = {
    "%%  Extra regel1 - altijd", "6 textscale", "43.5 mm 41 mm m", "()  show",
    "%%testinfo rechtsboven", "7 textscale", "157 mm 116 mm m ", "() show",
};
// clang-format on

Lines concat(std::initializer_list<Lines> parts) {
    Lines all;
    for (const auto& p : parts) {
        all.insert(all.end(), p.begin(), p.end());
    }
    return all;
}

// Index of the first occurrence of line, or -1.
int find(const Lines& lines, const std::string& line) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == line) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

TEST(PostScriptBlockTest, SheetWithOnlyLineThreeGivesOneMeasurementLineOfEmptyStrings) {
    DataSheet sheet = emptySheet();
    sheet.line(3, LineField::N) = "12";
    // clang-format off
    const Lines line3 = {
        "%%invul ringmeetregel3",
        "6 textscale", "43 mm 79.5 mm m", "(12) show",
        "6 textscale", "52 mm 79.5 mm m", "() show",
        "6 textscale", "72 mm 79.5 mm m", "() show",
        "6 textscale", "92 mm 79.5 mm m", "() show",
        "6 textscale", "111.5 mm 79.5 mm m", "() show",
        "6 textscale", "126.5 mm 79.5 mm m", "() show",
        "6 textscale", "143 mm 79.5 mm m", "() show",
        "6 textscale", "156.5 mm 79.5 mm m", "() show",
        "6 textscale", "171.5 mm 79.5 mm m", "() show",
        "6 textscale", "186.5 mm 79.5 mm m", "() show",
    };
    // clang-format on
    EXPECT_EQ(postScriptBlock(sheet), concat({kEmptyHeader, line3, kEmptyTrailer}));
}

TEST(PostScriptBlockTest, LineWithoutTurnsIsLeftOutEvenWhenItsOtherFieldsHoldText) {
    DataSheet sheet = emptySheet();
    sheet.line(2, LineField::C) = "100 pF";
    sheet.line(2, LineField::Rp) = "5000";
    EXPECT_EQ(postScriptBlock(sheet), concat({kEmptyHeader, kEmptyTrailer}));
}

TEST(PostScriptBlockTest, EveryMeasurementFieldSitsAtItsColumnAndLine) {
    const std::vector<std::string> x = {"43",    "52",  "72",    "92",    "111.5",
                                        "126.5", "143", "156.5", "171.5", "186.5"};
    const std::vector<std::string> y = {"93.5", "86.5", "79.5", "72.5", "66", "59", "52"};
    DataSheet sheet;
    test::fillWithPlaceholders(sheet);  // every line present, every field distinct
    const Lines block = postScriptBlock(sheet);
    for (int k = 1; k <= kMeasurementLines; ++k) {
        const int comment = find(block, "%%invul ringmeetregel" + std::to_string(k));
        ASSERT_GE(comment, 0) << k;
        for (int f = 0; f < kLineFields; ++f) {
            const std::size_t at = comment + 1 + 3 * f;
            ASSERT_LT(at + 2, block.size());
            EXPECT_EQ(block[at], "6 textscale");
            EXPECT_EQ(block[at + 1], x[f] + " mm " + y[k - 1] + " mm m");
            EXPECT_EQ(block[at + 2], "(" + sheet.line(k, static_cast<LineField>(f)) + ") show");
        }
    }
}

TEST(PostScriptBlockTest, InfoLinesKeepTheirOwnPositionsAndOnlyLineOneIsWrittenWhenEmpty) {
    struct Case {
        int line;
        std::string position;
    };
    const std::vector<Case> cases = {{2, "43.5 mm 36 mm m"}, {3, "43.5 mm 31 mm m"}, {4, "43.5 mm 26 mm m"},
                                     {5, "43.5 mm 21 mm m"}, {6, "43.5 mm 16 mm m"}, {7, "43.5 mm 11 mm m"},
                                     {8, "43.5 mm 6 mm m"}};
    for (const auto& c : cases) {
        DataSheet sheet = emptySheet();
        sheet.regel(c.line) = "note";
        const Lines expected = {"%%  Extra regel1 - altijd",
                                "6 textscale",
                                "43.5 mm 41 mm m",
                                "()  show",
                                "%%  Extra regel" + std::to_string(c.line),
                                c.position,
                                "(note) show",
                                "%%testinfo rechtsboven",
                                "7 textscale",
                                "157 mm 116 mm m ",
                                "() show"};
        EXPECT_EQ(postScriptBlock(sheet), concat({kEmptyHeader, expected})) << c.line;
    }
}

TEST(PostScriptBlockTest, HeaderAndInfoParenthesesBecomeBracketsMeasurementParenthesesAreEscaped) {
    DataSheet sheet = emptySheet();
    sheet.txtFabr1 = "FT-50 (43)";
    sheet.txtDD = "(5)";
    sheet.regel(1) = "see (a)";
    sheet.txtTest1 = "x)";
    sheet.line(1, LineField::N) = "10";
    sheet.line(1, LineField::C) = "100 (pF)";
    const Lines block = postScriptBlock(sheet);
    EXPECT_GE(find(block, "(FT-50 [43]) show"), 0);
    EXPECT_GE(find(block, "(\\(5\\)) show"), 0);  // the date is not bracket-converted
    EXPECT_GE(find(block, "(see [a])  show"), 0);
    EXPECT_GE(find(block, "(x]) show"), 0);
    EXPECT_GE(find(block, "(100 \\(pF\\)) show"), 0);
}

TEST(PostScriptBlockTest, StringInsidesAreAlwaysWellFormed) {
    struct Case {
        std::string text;
        bool convert;
        std::string inner;
    };
    const std::vector<Case> cases = {
        {"plain", false, "plain"},
        {"FT-50 (43)", true, "FT-50 [43]"},
        {"FT-50 (43)", false, "FT-50 \\(43\\)"},
        {")(", false, "\\)\\("},
        {"C:\\data", true, "C:\\\\data"},
        {"end\\", false, "end\\\\"},
        {"a\rb\nc\td", false, "a\\015b\\012c\\011d"},
        {"caf\xC3\xA9 \xC2\xB5", false, "caf\xC3\xA9 \xC2\xB5"},
        {"", true, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(postScriptString(c.text, c.convert), c.inner) << c.text;
    }
}

}  // namespace
}  // namespace kw
