#include "common/file_system.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <system_error>

#include "common/path_text.h"
#include "common/text.h"

namespace kw {

namespace fs = std::filesystem;

namespace {

std::string reasonFromErrno(int err) { return err != 0 ? std::strerror(err) : "unknown error"; }

constexpr std::string_view kNotRegular = "Not a regular file";

// No file the program reads comes near this; a larger one is not one of its files, and reading
// it whole could exhaust the memory.
constexpr std::uintmax_t kLargestReadableFile = std::uintmax_t{64} << 20;  // [bytes]

// Writes straight into an existing device or pipe (/dev/null, /dev/stdout), which cannot be
// replaced by a file as an ordinary file is.
WriteResult writeInPlace(const fs::path& target, std::string_view bytes) {
    WriteResult result;
    errno = 0;
    std::ofstream out(target, std::ios::binary);
    if (!out) {
        result.error = reasonFromErrno(errno);
        return result;
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
        result.error = reasonFromErrno(errno);
        return result;
    }
    result.ok = true;
    return result;
}

// Creates a file of a new name beside the target, exclusively, so no other process can
// have made or replaced it in between. mkstemp would do the same but give the file mode 0600,
// which the saved file would then keep; O_EXCL keeps the mode the user's umask gives.
std::optional<std::string> createFileBeside(const fs::path& target, std::string& error) {
    static std::mt19937_64 rng{std::random_device{}()};
    constexpr int kTries = 100;
    constexpr unsigned long long kNameRange = 1000000000ULL;
    for (int attempt = 0; attempt < kTries; ++attempt) {
        fs::path tmp = target;
        tmp += ".tmp-" + std::to_string(rng() % kNameRange);
        const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return tmp.string();
        }
        if (errno != EEXIST) {
            break;
        }
    }
    error = reasonFromErrno(errno);
    return std::nullopt;
}

}  // namespace

bool LocalFileSystem::fileExists(const std::string& path) const {
    if (path.empty()) {
        return false;
    }
    const std::string pattern = FileOnly(path);
    std::error_code ec;
    if (pattern.find_first_of("*?") == std::string::npos) {
        return fs::is_regular_file(fs::path(path), ec);
    }
    const std::string folder = FolderOnly(path);
    const fs::path dir = folder.empty() ? fs::path(".") : fs::path(folder);
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeEc;
        if (it->is_regular_file(typeEc) && WildcardMatch(pattern, it->path().filename().string())) {
            return true;
        }
    }
    return false;
}

std::optional<std::string> LocalFileSystem::createTemporaryFile(const std::string& folder,
                                                                std::string_view nameStart,
                                                                std::string_view extension,
                                                                std::string& error) {
    std::error_code ec;
    fs::path place = folder;
    if (folder.empty()) {
        place = fs::temp_directory_path(ec);
        if (ec) {
            place = "/tmp";
        }
    }
    std::string name = (place / (std::string(nameStart) + "XXXXXX" + std::string(extension))).string();
    const int fd = ::mkstemps(name.data(), static_cast<int>(extension.size()));
    if (fd < 0) {
        error = reasonFromErrno(errno);
        return std::nullopt;
    }
    ::close(fd);
    return name;
}

ReadResult LocalFileSystem::readFile(const std::string& path) const {
    ReadResult result;
    std::error_code ec;
    const fs::file_status status = fs::status(fs::path(path), ec);
    if (fs::is_directory(status)) {
        result.error = std::strerror(EISDIR);
        return result;
    }
    // A device or a pipe may never end (/dev/zero) or block the program until it is written to.
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        result.error = std::string(kNotRegular);
        return result;
    }
    if (fs::exists(status) && fs::file_size(fs::path(path), ec) > kLargestReadableFile && !ec) {
        result.error = std::strerror(EFBIG);
        return result;
    }
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        result.error = reasonFromErrno(errno);
        return result;
    }
    result.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        result.error = reasonFromErrno(errno);
        result.bytes.clear();
        return result;
    }
    result.ok = true;
    return result;
}

WriteResult LocalFileSystem::writeFileAtomic(const std::string& path, std::string_view bytes) {
    WriteResult result;
    fs::path target(path);
    std::error_code statusEc;
    const fs::file_status status = fs::status(target, statusEc);
    if (fs::is_directory(status)) {
        result.error = std::strerror(EISDIR);
        return result;
    }
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        return writeInPlace(target, bytes);
    }
    // Through a symbolic link the file it points to is replaced; the link stays.
    if (fs::exists(status) && fs::is_symlink(fs::symlink_status(target, statusEc))) {
        const fs::path linked = fs::canonical(target, statusEc);
        if (!statusEc) {
            target = linked;
        }
    }
    const std::optional<std::string> created = createFileBeside(target, result.error);
    if (!created) {
        return result;
    }
    const std::string& tmp = *created;
    {
        errno = 0;
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) {
            result.error = reasonFromErrno(errno);
            return result;
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            result.error = reasonFromErrno(errno);
            out.close();
            std::error_code ignored;
            fs::remove(tmp, ignored);
            return result;
        }
        out.close();
        if (!out) {
            result.error = reasonFromErrno(errno);
            std::error_code ignored;
            fs::remove(tmp, ignored);
            return result;
        }
    }
    std::error_code ec;
    fs::rename(tmp, target, ec);
    if (ec) {
        result.error = ec.message();
        std::error_code ignored;
        fs::remove(tmp, ignored);
        return result;
    }
    result.ok = true;
    return result;
}

WriteResult LocalFileSystem::removeFile(const std::string& path) {
    WriteResult result;
    std::error_code ec;
    fs::remove(fs::path(path), ec);
    if (ec) {
        result.error = ec.message();
        return result;
    }
    result.ok = true;
    return result;
}

WriteResult FileSystem::moveFile(const std::string& from, const std::string& to) {
    const ReadResult read = readFile(from);
    if (!read.ok) {
        return {false, read.error};
    }
    const WriteResult written = writeFileAtomic(to, read.bytes);
    if (!written.ok) {
        return written;
    }
    return removeFile(from);
}

WriteResult LocalFileSystem::moveFile(const std::string& from, const std::string& to) {
    WriteResult result;
    std::error_code ec;
    fs::rename(fs::path(from), fs::path(to), ec);
    if (ec) {
        result.error = ec.message();
        return result;
    }
    result.ok = true;
    return result;
}

std::optional<std::string> FileSystem::findFileAnyCase(const std::string& folder,
                                                       const std::string& name) const {
    const std::string exact = JoinPath(folder, name);
    return fileExists(exact) ? std::optional<std::string>(exact) : std::nullopt;
}

std::optional<std::string> LocalFileSystem::findFileAnyCase(const std::string& folder,
                                                            const std::string& name) const {
    const std::string exact = JoinPath(folder, name);
    std::error_code ec;
    if (fs::is_regular_file(fs::path(exact), ec)) {
        return exact;
    }
    // Sorted, so that the same file is found on every run when several spellings exist.
    std::set<std::string> matches;
    const std::string wanted = UpperAscii(name);
    const fs::path dir = folder.empty() ? fs::path(".") : fs::path(folder);
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeEc;
        const std::string file = it->path().filename().string();
        if (it->is_regular_file(typeEc) && UpperAscii(file) == wanted) {
            matches.insert(file);
        }
    }
    if (matches.empty()) {
        return std::nullopt;
    }
    return JoinPath(folder, *matches.begin());
}

}  // namespace kw
