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
        // ... and a program that closed it and then ends in time gives its exit status.
        {"sh", {"-c", "exec 2>&-; sleep 0.2; exit 4"}, 10, {true, false, 4, ""}},
        // Still writing when its time is up: stopped, with what it wrote so far.
        {"sh", {"-c", "echo started >&2; sleep 5"}, 1, {true, true, -1, "started\n"}},
        // Killed by a signal: no exit status to report.
        {"sh", {"-c", "kill -9 $$"}, 10, {true, false, -1, ""}},
        // A long complaint keeps its last 16384 bytes: 20000 x's and "END" lose 3619 x's.
        {"sh", {"-c", "head -c 20000 /dev/zero | tr '\\0' x >&2; printf END >&2"}, 10,
         {true, false, 0, std::string(16381, 'x') + "END"}},
    };
    PosixProcesses processes;
    for (const auto& c : cases) {
        EXPECT_EQ(processes.run(c.program, c.arguments, c.timeoutSeconds), c.expected) << c.arguments.size();
    }
}

}  // namespace
}  // namespace kw
