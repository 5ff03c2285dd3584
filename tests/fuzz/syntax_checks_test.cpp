// The readers that judge the exports must themselves be right, or every fuzz run proves nothing.

#include "tests/fuzz/syntax_checks.h"

#include <gtest/gtest.h>

namespace kw::fuzz {
namespace {

struct StringCase {
    std::string_view literal;
    std::optional<std::string_view> value;  // nullopt: malformed
    std::size_t end = 0;
};

TEST(SyntaxChecksTest, PostScriptStringsReadAsAnInterpreterReadsThem) {
    const StringCase cases[] = {
        {"() show", "", 2},
        {"(FT-50 [43]) show", "FT-50 [43]", 12},
        {"(a\\(b\\)c)", "a(b)c", 9},
        {"(a(b)c)", "a(b)c", 7},  // balanced parentheses need no escape
        {"(back\\\\slash)", "back\\slash", 13},
        {"(\\015\\012)", "\r\n", 10},
        {"(\\0a)", std::string_view("\0a", 2), 5},
        {"(\\101\\1012)", "AA2", 11},  // at most three octal digits
        {"(\\q)", "q", 4},             // an unknown escape drops the backslash
        {"(a(b) show", std::nullopt},
        {"(abc", std::nullopt},
        {"(a\\", std::nullopt},
        {"(a\rb)", std::nullopt},  // a raw line break splits the page's line
        {"abc)", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto got = readPostScriptString(c.literal);
        ASSERT_EQ(got.has_value(), c.value.has_value()) << c.literal;
        if (got) {
            EXPECT_EQ(got->value, *c.value) << c.literal;
            EXPECT_EQ(got->end, c.end) << c.literal;
        }
    }
}

TEST(SyntaxChecksTest, CsvRowsSplitAtSemicolonsOutsideQuotes) {
    using Fields = std::vector<std::string>;
    EXPECT_EQ(readCsvRow("a;b;;c"), (Fields{"a", "b", "", "c"}));
    EXPECT_EQ(readCsvRow(""), (Fields{""}));
    EXPECT_EQ(readCsvRow(";"), (Fields{"", ""}));
    EXPECT_EQ(readCsvRow("\"FT;50\";x"), (Fields{"FT;50", "x"}));
    EXPECT_EQ(readCsvRow("\"say \"\"hi\"\"\";"), (Fields{"say \"hi\"", ""}));
    EXPECT_FALSE(readCsvRow("a\"b;c").has_value());
    EXPECT_FALSE(readCsvRow("\"open;c").has_value());
    EXPECT_FALSE(readCsvRow("\"a\"b;c").has_value());
}

TEST(SyntaxChecksTest, LinesMustEachEndWithCrLf) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(crLfLines("a\r\n\r\nb\nc\r\n"), (Lines{"a", "", "b\nc"}));
    EXPECT_EQ(crLfLines(""), Lines{});
    EXPECT_FALSE(crLfLines("a\r\nb").has_value());
}

}  // namespace
}  // namespace kw::fuzz
