#include "common/path_text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "common/file_system.h"
#include "common/text.h"

namespace kw {
namespace {

namespace fs = std::filesystem;

TEST(PathTextTest, FileOnlyTakesTheTextAfterTheLastSeparator) {
    EXPECT_EQ(FileOnly("C:\\data\\ring.tor"), "ring.tor");
    EXPECT_EQ(FileOnly("ring.tor"), "ring.tor");
    EXPECT_EQ(FileOnly("C:\\data\\"), "");
    EXPECT_EQ(FileOnly("/home/an/ring.tor"), "ring.tor");
    EXPECT_EQ(FileOnly(""), "");
}

TEST(PathTextTest, NameOnlyDropsTheLastExtensionOfTheFilePart) {
    EXPECT_EQ(NameOnly("C:\\data\\ring.b7.ps"), std::optional<std::string>("ring.b7"));
    EXPECT_EQ(NameOnly("ring.tor"), std::optional<std::string>("ring"));
    EXPECT_EQ(NameOnly(".tor"), std::optional<std::string>(""));
    // A dot in a folder name is no extension of the file.
    EXPECT_EQ(NameOnly("C:\\my.dir\\ring"), std::nullopt);
    EXPECT_EQ(NameOnly("/my.dir/ring"), std::nullopt);
}

TEST(PathTextTest, PSslashTurnsParenthesesIntoBrackets) {
    EXPECT_EQ(PSslash("FT-50 (43)"), "FT-50 [43]");
    EXPECT_EQ(PSslash("no parentheses \\ here"), "no parentheses \\ here");
    EXPECT_EQ(PSslash("))(("), "]][[");
    EXPECT_EQ(PSslash(""), "");
}

TEST(PathTextTest, FillInReplacesNumberedPlaceholdersOnce) {
    EXPECT_EQ(FillIn("Regel %1: %2", {"7", "x"}), "Regel 7: x");
    EXPECT_EQ(FillIn("%2 %1 %2", {"a", "b"}), "b a b");
    EXPECT_EQ(FillIn("%1 and %3", {"a"}), "a and %3");  // no value: stays as written
    EXPECT_EQ(FillIn("%1", {"%2"}), "%2");              // a value is not read again
    EXPECT_EQ(FillIn("50%", {"a"}), "50%");
}

TEST(PathTextTest, FirstWordAndRestSplitAtTheFirstBlankAfterTrimming) {
    struct Case {
        std::string text;
        std::string first;
        std::string rest;
    };
    const std::vector<Case> cases = {
        {"  12.5 pF ", "12.5", "pF"},
        {"nF", "nF", ""},
        {"a  b", "a", " b"},
        {"", "", ""},
        {"   ", "", ""},
        {" 100 K", "100", "K"},
        {"1 2 3", "1", "2 3"},
        {"\tx y", "\tx", "y"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(eerstedeel(c.text), c.first) << '"' << c.text << '"';
        EXPECT_EQ(tweededeel(c.text), c.rest) << '"' << c.text << '"';
    }
}

class FileExistsTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device rd;
        dir = fs::temp_directory_path() / ("kernwijs_path_text_" + std::to_string(rd()));
        fs::create_directories(dir / "Folder.d");
        std::ofstream(dir / "RING.TOR") << "x";
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    std::string at(const std::string& name) const { return (dir / name).string(); }
    static bool exists(const std::string& path) { return LocalFileSystem{}.fileExists(path); }

    fs::path dir;
};

TEST_F(FileExistsTest, FindsOrdinaryFilesOnly) {
    EXPECT_TRUE(exists(at("RING.TOR")));
    EXPECT_FALSE(exists(at("Folder.d")));
    EXPECT_FALSE(exists(at("missing.tor")));
    EXPECT_FALSE(exists(dir.string()));
    EXPECT_FALSE(exists(""));
    EXPECT_FALSE(exists(at("nowhere/RING.TOR")));
}

TEST_F(FileExistsTest, PatternsMatchFilesButNotFolders) {
    EXPECT_TRUE(exists(at("*.TOR")));
    EXPECT_TRUE(exists(at("R?NG.*")));
    EXPECT_TRUE(exists(at("*")));
    EXPECT_FALSE(exists(at("*.d")));  // only a folder matches
    EXPECT_FALSE(exists(at("*.ps")));
    EXPECT_FALSE(exists(at("nowhere/*")));
}

TEST(PathTextTest, WildcardsMatchAsInAListingAndEveryOtherCharacterStandsForItself) {
    struct Case {
        std::string_view pattern;
        std::string_view name;
        bool matches;
    };
    const Case cases[] = {
        {"*", "", true},          {"?", "", false},         {"a*b", "ab", true},
        {"a*b", "a/x/b", true},   {"[ab].t", "a.t", false}, {"[ab].t", "[ab].t", true},
        {"r\\*", "r\\x", true}, {"R?NG", "RING", true},   {"R?NG", "RNG", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WildcardMatch(c.pattern, c.name), c.matches) << c.pattern << " " << c.name;
    }
}

}  // namespace
}  // namespace kw
