#include "common/process_runner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kw {
namespace {

TEST(PosixProcessesTest, ReportsStartExitStatusErrorOutputAndTimeout) {
    struct Case {
        std::string program;
        std::vector<std::string> arguments;
        int timeoutSeconds;
        ProcessResult expected;
    };
    const std::vector<Case> cases = {
        // Standard output is thrown away, standard error kept.
        {"sh", {"-c", "echo seen; echo 'gone wrong' >&2; exit 3"}, 10, {true, false, 3, "gone wrong\n"}},
        // Arguments arrive untouched: no shell reads them.
        {"sh", {"-c", "printf '%s' \"$1\" >&2", "x", "a b;$HOME*"}, 10, {true, false, 0, "a b;$HOME*"}},
        {"kernwijs-no-such-program", {}, 10, {false, false, -1, "No such file or directory"}},
        // Closing standard error does not end the wait; the time allowed does.
        {"sh", {"-c", "exec 2>&-; sleep 5"}, 1, {true, true, -1, ""}},
    };
    PosixProcesses processes;
    for (const auto& c : cases) {
        EXPECT_EQ(processes.run(c.program, c.arguments, c.timeoutSeconds), c.expected) << c.arguments.size();
    }
}

}  // namespace
}  // namespace kw
