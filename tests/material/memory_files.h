#pragma once

#include <map>
#include <string>

#include "common/file_system.h"

namespace kw::test {

// Files held in memory; a name that is not there cannot be read.
class MemoryFiles : public FileSystem {
public:
    std::map<std::string, std::string> files;

    bool fileExists(const std::string& path) const override { return files.count(path) > 0; }
    ReadResult readFile(const std::string& path) const override {
        const auto it = files.find(path);
        if (it == files.end()) {
            return {false, {}, "No such file or directory"};
        }
        return {true, it->second, {}};
    }
    WriteResult writeFileAtomic(const std::string& path, std::string_view bytes) override {
        files[path] = std::string(bytes);
        return {true, {}};
    }
    WriteResult removeFile(const std::string& path) override {
        files.erase(path);
        return {true, {}};
    }
};

}  // namespace kw::test
