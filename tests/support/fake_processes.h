#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "common/services.h"

namespace kw::test {

// Other programs, faked: every run is recorded and answered from the queue (a clean exit
// when it is empty); effect stands in for what the program would do to the files.
class FakeProcesses : public Processes {
public:
    struct Call {
        std::string program;
        std::vector<std::string> arguments;
    };
    std::vector<Call> calls;
    std::deque<ProcessResult> results;
    std::function<void(const Call&)> effect;

    ProcessResult run(const std::string& program, const std::vector<std::string>& arguments,
                      int /*timeoutSeconds*/) override {
        calls.push_back({program, arguments});
        if (effect) {
            effect(calls.back());
        }
        if (results.empty()) {
            return {true, false, 0, {}};
        }
        ProcessResult r = results.front();
        results.pop_front();
        return r;
    }
};

// The file a Ghostscript command line writes to, "-sOutputFile=" taken off and '%%' undone.
inline std::string ghostscriptOutput(const std::vector<std::string>& arguments) {
    constexpr std::string_view kOption = "-sOutputFile=";
    for (const auto& a : arguments) {
        if (a.starts_with(kOption)) {
            std::string name;
            for (std::size_t i = kOption.size(); i < a.size(); ++i) {
                name += a[i];
                if (a[i] == '%' && i + 1 < a.size() && a[i + 1] == '%') {
                    ++i;
                }
            }
            return name;
        }
    }
    return {};
}

}  // namespace kw::test
