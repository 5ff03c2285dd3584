#pragma once

// Other programs run for real: started without a shell, standard input and output tied to
// /dev/null, standard error collected, stopped when they take longer than allowed.

#include <string>
#include <vector>

#include "common/services.h"

namespace kw {

class PosixProcesses : public Processes {
public:
    ProcessResult run(const std::string& program, const std::vector<std::string>& arguments,
                      int timeoutSeconds) override;
};

}  // namespace kw
