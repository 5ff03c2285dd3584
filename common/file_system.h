#pragma once

// Whole-file reading and writing. The windows build a file's text as one string and hand
// it over here, so the tests can run against a temporary folder or a disk that fails.

#include <optional>
#include <string>
#include <string_view>

namespace kw {

struct ReadResult {
    bool ok = false;
    std::string bytes;
    std::string error;  // the system's reason when !ok
};

struct WriteResult {
    bool ok = false;
    std::string error;  // the system's reason when !ok
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // True when an ordinary file matches the name; '*' and '?' in the file part match as in a listing.
    virtual bool fileExists(const std::string& path) const = 0;
    // Only ordinary files are read: a device, a pipe or a file of more than 64 MB is refused.
    virtual ReadResult readFile(const std::string& path) const = 0;
    // Writes the whole file to a temporary file beside the target, flushes it and only then
    // puts it in place, so a failure leaves an earlier file untouched. Through a symbolic link
    // the linked file is replaced; a device or a pipe (/dev/null) is written into.
    virtual WriteResult writeFileAtomic(const std::string& path, std::string_view bytes) = 0;
    virtual WriteResult removeFile(const std::string& path) = 0;
    // Puts the file from in the place of to in one step and removes from; a failure leaves
    // an earlier file to untouched. from lies in the same folder as to.
    virtual WriteResult moveFile(const std::string& from, const std::string& to);
    // The path of the ordinary file in folder whose name equals name ignoring ASCII letter
    // case, the exact spelling first; nullopt when there is none.
    virtual std::optional<std::string> findFileAnyCase(const std::string& folder,
                                                       const std::string& name) const;
    // A new empty file in folder (empty: the system's folder for temporary files), named
    // nameStart, a part no other file has, then extension; its path, or nullopt with the
    // reason in error.
    virtual std::optional<std::string> createTemporaryFile(const std::string& folder,
                                                           std::string_view nameStart,
                                                           std::string_view extension,
                                                           std::string& error) = 0;
};

// The real disk, through the standard library.
class LocalFileSystem : public FileSystem {
public:
    bool fileExists(const std::string& path) const override;
    ReadResult readFile(const std::string& path) const override;
    WriteResult writeFileAtomic(const std::string& path, std::string_view bytes) override;
    WriteResult removeFile(const std::string& path) override;
    WriteResult moveFile(const std::string& from, const std::string& to) override;
    std::optional<std::string> findFileAnyCase(const std::string& folder,
                                               const std::string& name) const override;
    std::optional<std::string> createTemporaryFile(const std::string& folder, std::string_view nameStart,
                                                   std::string_view extension, std::string& error) override;
};

}  // namespace kw
