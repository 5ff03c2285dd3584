// A text written to a file must come back from it unchanged, whatever characters it holds.

#include "common/text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kw {
namespace {

struct EncodingCase {
    std::string_view text;   // UTF-8
    std::string_view bytes;  // what the file holds
};

TEST(TextEncodingTest, EveryTextReadsBackFromItsFileBytes) {
    const EncodingCase cases[] = {
        {"plain ASCII", "plain ASCII"},
        {"850 \xC2\xB5, caf\xC3\xA9 \xE2\x82\xAC", "850 \xB5, caf\xE9 \x80"},  // Windows-1252
        {"\xE6\xBC\xA2 FT-50", "\xE6\xBC\xA2 FT-50"},                          // no byte: UTF-8
        // "Ã©" fits Windows-1252 as C3 A9, which reads as UTF-8 "é": written as UTF-8.
        {"\xC3\x83\xC2\xA9", "\xC3\x83\xC2\xA9"},
        {"x \xC3\x82\xC2\xB0 y", "x \xC3\x82\xC2\xB0 y"},
        // Bytes that do not form UTF-8 stay Windows-1252.
        {"\xC3\x83\xC2\xA9\xC3\xBF", "\xC3\xA9\xFF"},
        // A leading byte-order mark is dropped by the reader, so a text that starts with one
        // is written with a second.
        {"\xEF\xBB\xBFtext", "\xEF\xBB\xBF\xEF\xBB\xBFtext"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeFileText(c.text), c.bytes) << c.text;
        EXPECT_EQ(DecodeFileText(EncodeFileText(c.text)), c.text) << c.text;
    }
}

TEST(TextEncodingTest, AnyBytesDecodeToUtf8ThatEncodesBackToTheSameText) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    for (const std::string& bytes :
         {all, std::string("\xEF\xBB\xBF") + all, std::string("\xC3\xA9\x80", 3)}) {
        const std::string text = DecodeFileText(bytes);
        EXPECT_TRUE(IsValidUtf8(text));
        EXPECT_EQ(DecodeFileText(EncodeFileText(text)), text);
    }
}

TEST(TextEncodingTest, CapitalsAndCharacterCountsOfAccentedAndOtherScripts) {
    struct Case {
        std::string text;
        std::string upper;
        std::size_t characters;
    };
    const Case cases[] = {
        {"ring.ps", "RING.PS", 7},
        {"\xC3\xA4\xC3\xB6\xC3\xBC", "\xC3\x84\xC3\x96\xC3\x9C", 3},  // äöü
        {"stra\xC3\x9F"
         "e",
         "STRA\xC3\x9F"
         "E",
         6},                                                                          // ß has no capital
        {"\xC5\xA1\xC5\x93\xC5\xBE\xC3\xBF", "\xC5\xA0\xC5\x92\xC5\xBD\xC5\xB8", 4},  // šœžÿ
        {"\xC4\xB3\xC5\x82", "\xC4\xB2\xC5\x81", 2},                                  // ĳł
        {"\xCE\xB1\xCF\x82", "\xCE\x91\xCE\xA3", 2},                                  // ας
        {"\xD0\xB6\xD1\x91", "\xD0\x96\xD0\x81", 2},                                  // жё
        {"\xC3\xB7\xC2\xB5\xE2\x82\xAC", "\xC3\xB7\xC2\xB5\xE2\x82\xAC", 3},          // ÷µ€ stay
        {"\xDF\xBF\xE0\xA0\x80", "\xDF\xBF\xE0\xA0\x80", 2},  // U+07FF and U+0800, last of two bytes, first of three
        {"\xFF"
         "a",
         "\xFF"
         "A",
         2},  // a stray byte stays
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UpperText(c.text), c.upper) << c.text;
        EXPECT_EQ(CharacterCount(c.text), c.characters) << c.text;
    }
}

struct PieceCase {
    std::string_view in;
    std::string_view trimmedOfBlanks;  // Trim with " \t"
    std::string_view csvField;
    std::string_view upper;
};

TEST(TextTest, TrimQuoteAndUpperCaseOfEdgeTexts) {
    const PieceCase cases[] = {
        {"", "", "\"\"", ""},
        {" \t ", "", "\" \t \"", " \t "},
        {"\ta \"b\" ", "a \"b\"", "\"\ta \"\"b\"\" \"", "\tA \"B\" "},
        {"x", "x", "\"x\"", "X"},
        {"\xC3\xA9 z\v", "\xC3\xA9 z\v", "\"\xC3\xA9 z\v\"", "\xC3\xA9 Z\v"},  // only ASCII changes
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Trim(c.in, kBlankAndTab), c.trimmedOfBlanks) << c.in;
        EXPECT_EQ(CsvQuoted(c.in), c.csvField) << c.in;
        EXPECT_EQ(UpperAscii(c.in), c.upper) << c.in;
    }
    std::string lines;
    AppendCrLfLine(lines, "a");
    AppendCrLfLine(lines, "");
    EXPECT_EQ(lines, "a\r\n\r\n");
}

TEST(TextTest, CsvColumnsAreFoundByTheHeadersNames) {
    struct Case {
        std::string_view text;
        std::string_view missing;
        std::vector<CsvRow> rows;
    };
    // "b" and "a" must be there; "c" may be absent.
    const Case cases[] = {
        {"# note\r\na, b ,x\n\n1,\"2,\"\"q\"\"\" , 3\n#c\n4\n",
         "",
         {{4, "1,\"2,\"\"q\"\"\" , 3", true, {"2,\"q\"", "1", ""}}, {6, "4", false, {"", "4", ""}}}},
        {" c , b , a \t\n x,y,z", "", {{2, "x,y,z", true, {"y", "z", "x"}}}},
        {"a,c\n1,2", "b", {}},
        {"# only a comment\n\n", "b", {}},
    };
    for (const auto& c : cases) {
        const CsvTable table = ReadCsvColumns(c.text, {"b", "a", "c"}, 2);
        EXPECT_EQ(table.missingColumn, c.missing) << c.text;
        ASSERT_EQ(table.rows.size(), c.rows.size()) << c.text;
        for (std::size_t i = 0; i < c.rows.size(); ++i) {
            EXPECT_EQ(table.rows[i].line, c.rows[i].line) << c.text;
            EXPECT_EQ(table.rows[i].text, c.rows[i].text) << c.text;
            EXPECT_EQ(table.rows[i].complete, c.rows[i].complete) << c.text;
            if (c.rows[i].complete) {
                EXPECT_EQ(table.rows[i].fields, c.rows[i].fields) << c.text;
            }
        }
    }
}

}  // namespace
}  // namespace kw
