#pragma once

// Runs the built kernwijs-cli as a user would, in a temporary folder of its own, and
// captures what it prints and its exit status. No shell stands in between.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace kw::test {

namespace fs = std::filesystem;

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeAll(const fs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Runs program (looked up in PATH when it has no folder) with args in folder dir.
inline CliRun runProgram(const fs::path& dir, const std::string& program,
                         const std::vector<std::string>& args) {
    static int runs = 0;
    const std::string stem = "kernwijs_cli_run_" + std::to_string(::getpid()) + "_" + std::to_string(++runs);
    const fs::path out = fs::temp_directory_path() / (stem + ".out");
    const fs::path err = fs::temp_directory_path() / (stem + ".err");
    const pid_t pid = fork();
    if (pid == 0) {
        const int outFd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int errFd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (outFd < 0 || errFd < 0 || chdir(dir.c_str()) != 0) {
            _exit(127);
        }
        dup2(outFd, STDOUT_FILENO);
        dup2(errFd, STDERR_FILENO);
        std::vector<std::string> copies = args;
        std::string name = program;
        std::vector<char*> argv{name.data()};
        for (auto& a : copies) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        execvp(name.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    CliRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, readAll(out), readAll(err)};
    std::error_code ignored;
    fs::remove(out, ignored);
    fs::remove(err, ignored);
    return run;
}

// Runs kernwijs-cli with args in folder dir.
inline CliRun runCli(const fs::path& dir, const std::vector<std::string>& args) {
    return runProgram(dir, KERNWIJS_CLI, args);
}

// A fixture with a fresh folder per test, removed afterwards (read-only parts included).
class CliFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("kernwijs_cli_" + std::to_string(::getpid()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        std::error_code ignored;
        for (fs::recursive_directory_iterator it(dir, ignored), end; !ignored && it != end;
             it.increment(ignored)) {
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        }
        fs::permissions(dir, fs::perms::owner_all, ignored);
        fs::remove_all(dir, ignored);
    }

    // kernwijs-cli <subcommand> args..., run in dir.
    CliRun run(const std::string& subcommand, std::vector<std::string> args) {
        args.insert(args.begin(), subcommand);
        return runCli(dir, args);
    }

    fs::path dir;
};

}  // namespace kw::test
