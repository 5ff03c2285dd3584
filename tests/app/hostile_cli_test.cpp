// kernwijs-cli under random and malformed command lines and files: it always ends on its own
// with status 0, 2 (usage) or 3 (a message), never crashes or hangs, and never prints inf
// or nan.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kRandomCommandLines = 200;
constexpr unsigned kSeed = 424242;
constexpr unsigned kSecondsAllowed = 60;  // per run; only a hang comes near it
constexpr std::size_t kNoiseBytes = 16 * 1024;

struct CliRun {
    bool exited = false;
    int status = -1;     // exit status, or the signal that ended it
    std::string output;  // standard output and error together
};

// Runs kernwijs-cli in `folder` with the arguments as given, no shell in between, and
// standard input empty.
CliRun runCli(const fs::path& folder, const std::vector<std::string>& args) {
    int fds[2];
    if (pipe(fds) != 0) {
        return {};
    }
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(folder.c_str()) != 0) {
            _exit(126);
        }
        std::freopen("/dev/null", "r", stdin);
        dup2(fds[1], STDOUT_FILENO);
        dup2(fds[1], STDERR_FILENO);
        close(fds[0]);
        close(fds[1]);
        alarm(kSecondsAllowed);  // a hang ends by SIGALRM and shows as a signal
        std::string program = KERNWIJS_CLI;
        std::vector<std::string> copies = args;
        std::vector<char*> argv{program.data()};
        for (auto& a : copies) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(fds[1]);
    CliRun run;
    std::array<char, 4096> buffer;
    ssize_t n = 0;
    while ((n = read(fds[0], buffer.data(), buffer.size())) > 0) {
        run.output.append(buffer.data(), static_cast<std::size_t>(n));
    }
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    run.exited = WIFEXITED(status);
    run.status = run.exited ? WEXITSTATUS(status) : WTERMSIG(status);
    return run;
}

std::string shown(const std::vector<std::string>& args) {
    std::string text = "kernwijs-cli";
    for (const auto& a : args) {
        text += " '" + a.substr(0, 40) + (a.size() > 40 ? "...'" : "'");
    }
    return text;
}

bool mentionsInfOrNan(const std::string& text) {
    static const std::regex word(R"(\b(inf|nan|infinity)\b)", std::regex::icase);
    return std::regex_search(text, word);
}

// Checks one run; the output may repeat a value the user typed, so inf and nan count only
// when no argument holds them.
void expectSoundEnd(const fs::path& folder, const std::vector<std::string>& args) {
    const CliRun run = runCli(folder, args);
    ASSERT_TRUE(run.exited) << shown(args) << " ended by signal " << run.status << "\n" << run.output;
    EXPECT_TRUE(run.status == 0 || run.status == 2 || run.status == 3)
        << shown(args) << " exited with " << run.status << "\n"
        << run.output;
    bool typedByUser = false;
    for (const auto& a : args) {
        typedByUser = typedByUser || mentionsInfOrNan(a) || a.find("inf") != std::string::npos ||
                      a.find("nan") != std::string::npos;
    }
    if (!typedByUser) {
        EXPECT_FALSE(mentionsInfOrNan(run.output)) << shown(args) << "\n" << run.output;
    }
}

void writeAll(const fs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const std::string kGoodSheet =
    "[KERNWIJS]\r\n[FABR1]\r\nAmidon "
    "(43)\r\n[INOUTOUT]\r\n12,7\r\n[INOUTIN]\r\n7.15\r\n[INOUTHIGH]\r\n4.8\r\n"
    "[M-LINE1]\r\n10\r\n100 pF\r\n10 MHz\r\n25.3\r\n9.9\r\n10.1\r\n54.3\r\n100 "
    "K\r\n2.93\r\n8646\r\n[END]\r\n";

class HostileCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("kernwijs_hostile_cli_" + std::to_string(::getpid()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir / "folder.tor");
        std::mt19937 random(kSeed);
        std::string noise(kNoiseBytes, '\0');
        for (char& b : noise) {
            b = static_cast<char>(random() & 0xFF);
        }
        writeAll(dir / "good.tor", kGoodSheet);
        writeAll(dir / "noise.bin", noise);
        writeAll(dir / "empty.tor", "");
        writeAll(dir / "noisy.tor", "[KERNWIJS]\r\n" + noise);
        writeAll(dir / "VOORVUL.INI", "[PREFILL]\r\n10;100;100\r\n12\r\n");
        writeAll(dir / "noisy.ini", "[PREFILL]\r\n" + noise);
        writeAll(dir / "template.ps", readAll(fs::path(KERNWIJS_RESOURCE_DIR) / "RINGBLAD3.PS"));
        writeAll(dir / "noisy.ps", "%!PS-Adobe-3.0\r\n%%Creator: Zeva1 QQ0QQQ\r\n" + noise);
        writeAll(dir / "noisy.csv", noise);
        writeAll(dir / "naam met 'quotes' \"en\" \xC3\xA9\xC3\xA9n.tor", kGoodSheet);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }

    fs::path dir;
};

// Files to read: good, broken, gone, not files at all.
const std::vector<std::string> kInputFiles = {"good.tor",
                                              "noise.bin",
                                              "empty.tor",
                                              "noisy.tor",
                                              "VOORVUL.INI",
                                              "noisy.ini",
                                              "template.ps",
                                              "noisy.ps",
                                              "noisy.csv",
                                              "folder.tor",
                                              "missing.tor",
                                              "/dev/null",
                                              "/dev/zero",
                                              "naam met 'quotes' \"en\" \xC3\xA9\xC3\xA9n.tor",
                                              "",
                                              "-"};

TEST_F(HostileCliTest, EveryCommandOnEveryKindOfFileEndsSoundly) {
    for (const auto& file : kInputFiles) {
        // Files written stay in the test's folder, never beside a device.
        const std::string written = file.starts_with('/') ? "device" : file;
        const std::vector<std::vector<std::string>> commands = {
            {"sheet", file},
            {"sheet", "good.tor", "--prefill", file},
            {"sheet", "good.tor", "--json", "-o", written + ".out"},
            {"export", file, "--csv", "-o", "out page.ps"},
            {"export", "good.tor", "--template", file, "-o", "out page.ps"},
            {"identify", "--sheet", file, "--json"},
            {"identify", "--al", "100", "--od", "12.7", "--id", "7.1", "--h", "4.8", "--table", file},
            {"calc", "-n", "10", "--sheet", written + ".tor"},
        };
        for (const auto& args : commands) {
            expectSoundEnd(dir, args);
        }
    }
}

// One option of a subcommand and the kind of value it takes.
enum class Takes { Nothing, Number, File, Language };

struct Option {
    std::string name;
    Takes takes;
    double chance;  // of being on a command line
};

struct Command {
    std::string name;
    bool positionalFile;  // takes a file as its first argument
    std::vector<Option> options;
};

TEST_F(HostileCliTest, RandomCommandLinesEndSoundly) {
    const std::vector<Command> commands = {
        {"calc",
         false,
         {{"-n", Takes::Number, 0.6},
          {"--cap", Takes::Number, 0.6},
          {"-f", Takes::Number, 0.6},
          {"--f1", Takes::Number, 0.6},
          {"--f2", Takes::Number, 0.6},
          {"-t", Takes::Number, 0.6},
          {"--pF", Takes::Nothing, 0.4},
          {"--MHz", Takes::Nothing, 0.4},
          {"--top-r", Takes::Nothing, 0.4},
          {"--no-q", Takes::Nothing, 0.2},
          {"--lang", Takes::Language, 0.2},
          {"--json", Takes::Nothing, 0.3},
          {"--sheet", Takes::File, 0.2},
          {"--line", Takes::Number, 0.05},
          {"--no-lprn", Takes::Nothing, 0.05},
          {"--qrlc", Takes::Nothing, 0.05}}},
        {"sheet",
         true,
         {{"--prefill", Takes::File, 0.4},
          {"-o", Takes::File, 0.4},
          {"--json", Takes::Nothing, 0.3},
          {"--lang", Takes::Language, 0.2}}},
        {"export",
         true,
         {{"-o", Takes::File, 0.3},
          {"--outdir", Takes::File, 0.1},
          {"--csv", Takes::Nothing, 0.5},
          {"--template", Takes::File, 0.4},
          {"--verbose", Takes::Nothing, 0.3},
          {"--lang", Takes::Language, 0.2}}},
        {"identify",
         false,
         {{"--al", Takes::Number, 0.95},
          {"--al", Takes::Number, 0.4},
          {"--od", Takes::Number, 0.9},
          {"--id", Takes::Number, 0.9},
          {"--h", Takes::Number, 0.9},
          {"--table", Takes::File, 0.2},
          {"--json", Takes::Nothing, 0.3},
          {"--lang", Takes::Language, 0.2}}},
        {"identify",
         false,
         {{"--sheet", Takes::File, 0.95},
          {"--table", Takes::File, 0.2},
          {"--json", Takes::Nothing, 0.3},
          {"--lang", Takes::Language, 0.2}}},
    };
    const std::vector<std::string> numbers = {"10",
                                              "0",
                                              "-5",
                                              "1e308",
                                              "1e-400",
                                              "1e99999",
                                              ",",
                                              ".",
                                              "1,5",
                                              "0,005",
                                              "",
                                              " ",
                                              "99999999999999999999999",
                                              "9.9",
                                              "10.1",
                                              "50000",
                                              "50001",
                                              "250000",
                                              "0.0001",
                                              "8",
                                              "7",
                                              "1",
                                              "101",
                                              "102",
                                              "12,7 mm",
                                              "100 nH",
                                              "3.5 ÂµH/100",
                                              "-",
                                              "ÿþ",
                                              std::string(10000, '9'),
                                              "1e-9",
                                              "0x10",
                                              "1/2"};
    const std::vector<std::string> files = {
        "good.tor",   "noise.bin",   "noisy.tor", "empty.tor",
        "folder.tor", "missing.tor", "out.ps",    "out.tor",
        "noisy.ps",   "template.ps", "noisy.csv", "VOORVUL.INI",
        "noisy.ini",  ".",           "",          "naam met 'quotes' \"en\" \xC3\xA9\xC3\xA9n.tor"};
    const std::vector<std::string> languages = {"NL", "UK", "uk", "xx", ""};
    const std::vector<std::string> junk = {"--",      "-",     "--=x",      "-nX",
                                           "--bogus", "bogus", "--lang=xx", "--line=0"};

    std::mt19937 random(kSeed);
    const auto chance = [&random](double p) { return std::bernoulli_distribution(p)(random); };
    const auto pick = [&random](const auto& from) {
        return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
    };
    for (int i = 0; i < kRandomCommandLines; ++i) {
        const Command& command = pick(commands);
        std::vector<std::string> args{command.name};
        if (command.positionalFile && !chance(0.05)) {
            args.push_back(pick(files));
        }
        for (const Option& option : command.options) {
            if (!chance(option.chance)) {
                continue;
            }
            args.push_back(option.name);
            switch (option.takes) {
                case Takes::Number:
                    args.push_back(pick(numbers));
                    break;
                case Takes::File:
                    args.push_back(pick(files));
                    break;
                case Takes::Language:
                    args.push_back(pick(languages));
                    break;
                case Takes::Nothing:
                    break;
            }
        }
        if (chance(0.1)) {
            args.insert(args.begin() + static_cast<long>(std::uniform_int_distribution<std::size_t>(
                                           0, args.size())(random)),
                        pick(junk));
        }
        expectSoundEnd(dir, args);
    }
}

TEST_F(HostileCliTest, NamesWithBlanksQuotesAndAccentsWorkEndToEnd) {
    const std::string sheet = "naam met 'quotes' \"en\" \xC3\xA9\xC3\xA9n.tor";
    const std::string saved = "opgeslagen 'kopie' \xC2\xB5.tor";
    ASSERT_EQ(runCli(dir, {"sheet", sheet, "-o", saved}).status, 0);
    EXPECT_EQ(readAll(dir / saved).substr(0, 12), "[KERNWIJS]\r\n");
    const CliRun exported = runCli(dir, {"export", saved, "--csv"});
    EXPECT_EQ(exported.status, 0) << exported.output;
    EXPECT_TRUE(fs::exists(dir / "opgeslagen 'kopie' \xC2\xB5.ps"));
    EXPECT_TRUE(fs::exists(dir / "OPGESLAGEN 'KOPIE' \xC2\xB5.CSV"));
}

TEST_F(HostileCliTest, ASaveThatFailsKeepsTheEarlierFile) {
    writeAll(dir / "earlier.tor", "earlier");
    const CliRun run = runCli(dir, {"sheet", "good.tor", "-o", "folder.tor"});
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.output.find("Is a directory"), std::string::npos) << run.output;
    EXPECT_TRUE(fs::is_directory(dir / "folder.tor"));
    const CliRun full = runCli(dir, {"sheet", "good.tor", "-o", "/dev/full"});
    EXPECT_EQ(full.status, 3);
    EXPECT_NE(full.output.find("No space left on device"), std::string::npos) << full.output;
    for (const auto& entry : fs::directory_iterator(dir)) {
        EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos) << entry.path();
    }
}

}  // namespace
