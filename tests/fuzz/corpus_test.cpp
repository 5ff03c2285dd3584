// Every committed seed of every fuzz target, run through the same checks as the fuzzer, so the
// targets keep building and the findings they once made stay fixed.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "tests/fuzz/harness.h"
#include "tests/fuzz/sheet_texts.h"

namespace kw::fuzz {

// Names the parameter in test output and in ctest by its target (found by argument lookup,
// so it stands beside Target's namespace, not in the unnamed one).
void PrintTo(const Target& target, std::ostream* out) {
    *out << target.name;
}

namespace {

namespace fs = std::filesystem;

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class FuzzCorpusTest : public ::testing::TestWithParam<Target> {};

TEST_P(FuzzCorpusTest, EverySeedKeepsEveryProperty) {
    const fs::path folder = fs::path(KERNWIJS_FUZZ_CORPUS_DIR) / std::string(GetParam().name);
    std::vector<fs::path> seeds;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            seeds.push_back(entry.path());
        }
    }
    ASSERT_FALSE(seeds.empty()) << "no seeds in " << folder;
    for (const auto& seed : seeds) {
        const Finding finding = GetParam().run(readAll(seed));
        EXPECT_FALSE(finding.has_value()) << seed.filename() << ": " << finding.value_or("");
    }
}

TEST_P(FuzzCorpusTest, NothingAndGarbageKeepEveryProperty) {
    const std::string inputs[] = {"", std::string(1, '\0'), std::string("\xff\xfe\x00\x01\r\r\n\n", 8),
                                  std::string(300, 'k'), std::string(300, 'c')};
    for (const auto& input : inputs) {
        const Finding finding = GetParam().run(input);
        EXPECT_FALSE(finding.has_value()) << finding.value_or("");
    }
}

TEST(SheetTextsTest, ReachesEveryFieldInTheOrderOfItsName) {
    DataSheet sheet;
    const auto texts = sheetTexts(sheet);
    ASSERT_EQ(DataSheet::textFieldNames().size(), texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(texts[i], sheet.field(DataSheet::textFieldNames()[i])) << DataSheet::textFieldNames()[i];
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzCorpusTest, ::testing::ValuesIn(kTargets),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kw::fuzz
