#include "common/path_text.h"

#include <fnmatch.h>

#include <algorithm>
#include <cstdio>

#include "common/text.h"

namespace kw {

namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

std::size_t lastSeparator(const std::string& path) {
    for (std::size_t i = path.size(); i > 0; --i) {
        if (isSeparator(path[i - 1])) {
            return i - 1;
        }
    }
    return std::string::npos;
}

}  // namespace

bool WildcardMatch(std::string_view pattern, std::string_view name) {
    // fnmatch also reads "[...]" as a set of characters; "[[]" stands for '[' itself.
    std::string plain;
    for (const char c : pattern) {
        plain += c == '[' ? std::string_view("[[]") : std::string_view(&c, 1);
    }
    return ::fnmatch(plain.c_str(), std::string(name).c_str(), FNM_NOESCAPE) == 0;
}

std::string FileOnly(const std::string& filepath) {
    const auto sep = lastSeparator(filepath);
    return sep == std::string::npos ? filepath : filepath.substr(sep + 1);
}

std::optional<std::string> NameOnly(const std::string& filename) {
    const std::string file = FileOnly(filename);
    const auto dot = file.rfind('.');
    if (dot == std::string::npos) {
        return std::nullopt;
    }
    return file.substr(0, dot);
}

std::string PSslash(const std::string& invulregel) {
    std::string out = invulregel;
    std::replace(out.begin(), out.end(), '(', '[');
    std::replace(out.begin(), out.end(), ')', ']');
    return out;
}

std::string eerstedeel(const std::string& EersteIn) {
    const std::string t = std::string(Trim(EersteIn, " "));
    const auto blank = t.find(' ');
    return blank == std::string::npos ? t : t.substr(0, blank);
}

std::string tweededeel(const std::string& TweedeIn) {
    const std::string t = std::string(Trim(TweedeIn, " "));
    const auto blank = t.find(' ');
    return blank == std::string::npos ? std::string{} : t.substr(blank + 1);
}

std::string FolderOnly(const std::string& filepath) {
    const auto sep = lastSeparator(filepath);
    if (sep == std::string::npos) {
        return {};
    }
    if (sep == 0) {
        return filepath.substr(0, 1);
    }
    return filepath.substr(0, sep);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) {
        return name;
    }
    if (isSeparator(folder.back())) {
        return folder + name;
    }
    const char sep = folder.find('\\') != std::string::npos && folder.find('/') == std::string::npos ? '\\' : '/';
    return folder + sep + name;
}

std::string TimeStamp(const LocalTime& time) {
    constexpr std::size_t kRoom = 32;  // three numbers of any size
    char stamp[kRoom];
    std::snprintf(stamp, sizeof stamp, "%02d%02d%02d", time.hour, time.minute, time.second);
    return stamp;
}

std::string TimeStampedName(const std::string& folder, std::string_view stem, const LocalTime& time,
                            std::string_view extension) {
    return JoinPath(folder, std::string(stem) + TimeStamp(time) + std::string(extension));
}

bool EmptyOrWildcard(std::string_view name) {
    return name.empty() || name.find('*') != std::string_view::npos;
}

}  // namespace kw
