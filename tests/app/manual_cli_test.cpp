#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "tests/support/cli_runner.h"

namespace kw {
namespace {

using test::CliFolderTest;
namespace fs = std::filesystem;

// The manual page as a reader sees its words: roff's escaped minus signs as plain ones.
std::string manualText() {
    std::string page = test::readAll(fs::path(KERNWIJS_RESOURCE_DIR) / "kernwijs-cli.1");
    for (std::size_t at = page.find("\\-"); at != std::string::npos; at = page.find("\\-", at)) {
        page.erase(at, 1);
    }
    return page;
}

// The option names a --help lists ("-n,--turns TEXT" gives -n and --turns).
std::set<std::string> optionsIn(const std::string& help) {
    std::set<std::string> names;
    const std::regex option(R"(^\s+(-[^\s,]+)(?:,(--[^\s]+))?)");
    std::istringstream lines(help);
    for (std::string line; std::getline(lines, line);) {
        std::smatch m;
        if (std::regex_search(line, m, option)) {
            for (std::size_t i = 1; i < m.size(); ++i) {
                if (m[i].matched) {
                    names.insert(m[i].str());
                }
            }
        }
    }
    return names;
}

class ManualCliTest : public CliFolderTest {};

TEST_F(ManualCliTest, EveryCommandAndOptionOfTheHelpIsInTheManualPage) {
    const std::string manual = manualText();
    const test::CliRun top = test::runCli(dir, {"--help"});
    ASSERT_EQ(top.status, 0);
    const std::regex command(R"(^  ([a-z]+)\s{2,})");
    std::set<std::string> commands;
    std::istringstream lines(top.out.substr(top.out.find("Subcommands:")));
    for (std::string line; std::getline(lines, line);) {
        std::smatch m;
        if (std::regex_search(line, m, command)) {
            commands.insert(m[1].str());
        }
    }
    ASSERT_EQ(commands, (std::set<std::string>{"calc", "sheet", "export", "identify", "print"}));
    for (const std::string& name : commands) {
        EXPECT_NE(manual.find(".B " + name), std::string::npos) << name;
        const test::CliRun help = run(name, {"--help"});
        ASSERT_EQ(help.status, 0) << name;
        for (const std::string& option : optionsIn(help.out)) {
            const std::regex word("(^|[^-a-zA-Z])" + std::regex_replace(option, std::regex("-"), "\\-") +
                                  "($|[^-a-zA-Z0-9])");
            EXPECT_TRUE(std::regex_search(manual, word)) << name << " " << option;
        }
    }
}

TEST_F(ManualCliTest, TheLanguageMayStandBeforeTheCommand) {
    // Equal -3 dB points: the calculation's error box, in the language asked for.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--lang", "UK", "calc", "--f1", "10", "--f2", "10"},
          std::vector<std::string>{"--lang=UK", "calc", "--f1", "10", "--f2", "10"},
          std::vector<std::string>{"calc", "--lang", "UK", "--f1", "10", "--f2", "10"}}) {
        const test::CliRun r = test::runCli(dir, args);
        EXPECT_EQ(r.status, 3) << args[0] << r.err;
        EXPECT_NE((r.out + r.err).find("Something wrong with the Fres points"), std::string::npos) << args[0];
    }
    EXPECT_EQ(test::runCli(dir, {"--lang", "UK"}).status, 2);  // no command
    EXPECT_EQ(test::runCli(dir, {"--lang", "FR", "calc"}).status, 2);
}

}  // namespace
}  // namespace kw
