#pragma once

// A file the program ships in resources/, read whole (KERNWIJS_RESOURCE_DIR is set by the
// build of every test and benchmark that reads them).

#include <fstream>
#include <sstream>
#include <string>

namespace kw::test {

inline std::string shipped(const std::string& name) {
    std::ifstream in(std::string(KERNWIJS_RESOURCE_DIR) + "/" + name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace kw::test
