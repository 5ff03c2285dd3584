#pragma once

// Small text functions on file names and free text, shared by both windows.
// File names may use '\' or '/' between folders.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/services.h"

namespace kw {

// True when the name matches the pattern: '*' stands for any run of characters, '?' for
// exactly one; every other character for itself.
bool WildcardMatch(std::string_view pattern, std::string_view name);

// The text after the last folder separator; the whole text when there is none.
std::string FileOnly(const std::string& filepath);

// FileOnly without its extension. nullopt when the file part has no '.'.
std::optional<std::string> NameOnly(const std::string& filename);

// Every '(' becomes '[' and every ')' becomes ']'.
std::string PSslash(const std::string& invulregel);

// The first word of the blank-trimmed text, and everything after its first blank.
std::string eerstedeel(const std::string& EersteIn);
std::string tweededeel(const std::string& TweedeIn);

// The folder part of a path (without the trailing separator); empty when there is none.
std::string FolderOnly(const std::string& filepath);

// folder + separator + name; the separator is not doubled.
std::string JoinPath(const std::string& folder, const std::string& name);

// The time of day as hhmmss.
std::string TimeStamp(const LocalTime& time);

// stem + hhmmss + extension in the folder: the name a save dialog offers first.
std::string TimeStampedName(const std::string& folder, std::string_view stem, const LocalTime& time,
                            std::string_view extension);

// True for a name no file can have: empty, or holding the wildcard '*'.
bool EmptyOrWildcard(std::string_view name);

}  // namespace kw
