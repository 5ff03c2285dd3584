#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "common/file_system.h"
#include "common/path_text.h"
#include "common/text.h"

namespace kw::test {

// Files in memory, keyed by the exact path. A scripted reason makes every write (or read)
// fail the way a full disk or a missing permission would; a failed write changes nothing.
class FakeFileSystem : public FileSystem {
public:
    std::map<std::string, std::string> files;
    std::optional<std::string> writeFailure;  // the system's reason every write reports
    std::optional<std::string> readFailure;   // the system's reason every read reports
    std::optional<std::string> moveFailure;   // the system's reason every move reports
    int writeAttempts = 0;

    bool fileExists(const std::string& path) const override {
        for (const auto& entry : files) {
            if (WildcardMatch(path, entry.first)) {
                return true;
            }
        }
        return false;
    }

    ReadResult readFile(const std::string& path) const override {
        if (readFailure) {
            return {false, {}, *readFailure};
        }
        const auto it = files.find(path);
        if (it == files.end()) {
            return {false, {}, "No such file or directory"};
        }
        return {true, it->second, {}};
    }

    WriteResult writeFileAtomic(const std::string& path, std::string_view bytes) override {
        ++writeAttempts;
        if (writeFailure) {
            return {false, *writeFailure};
        }
        files[path] = std::string(bytes);
        return {true, {}};
    }

    // As on the real disk: the exact spelling first, then the first match ignoring ASCII case.
    std::optional<std::string> findFileAnyCase(const std::string& folder,
                                               const std::string& name) const override {
        const std::string exact = JoinPath(folder, name);
        if (files.contains(exact)) {
            return exact;
        }
        for (const auto& entry : files) {
            if (FolderOnly(entry.first) == folder && UpperAscii(FileOnly(entry.first)) == UpperAscii(name)) {
                return entry.first;
            }
        }
        return std::nullopt;
    }

    WriteResult moveFile(const std::string& from, const std::string& to) override {
        if (moveFailure) {
            return {false, *moveFailure};
        }
        return FileSystem::moveFile(from, to);
    }

    WriteResult removeFile(const std::string& path) override {
        if (writeFailure) {
            return {false, *writeFailure};
        }
        files.erase(path);
        return {true, {}};
    }

    // In folder (empty: "/tmp"), nameStart + a number + extension, empty; fails as every
    // write does.
    std::optional<std::string> createTemporaryFile(const std::string& folder, std::string_view nameStart,
                                                   std::string_view extension, std::string& error) override {
        if (writeFailure) {
            error = *writeFailure;
            return std::nullopt;
        }
        const std::string path =
            JoinPath(folder.empty() ? "/tmp" : folder,
                     std::string(nameStart) + std::to_string(++temporaryFiles_) + std::string(extension));
        files[path];
        return path;
    }

private:
    int temporaryFiles_ = 0;
};

}  // namespace kw::test
