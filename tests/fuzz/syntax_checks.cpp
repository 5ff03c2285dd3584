#include "tests/fuzz/syntax_checks.h"

namespace kw::fuzz {

namespace {

constexpr unsigned char kFirstPrintable = 0x20;
constexpr int kMostOctalDigits = 3;
constexpr int kOctalBase = 8;
constexpr int kByteMask = 0xFF;

bool isOctal(char c) {
    return c >= '0' && c <= '7';
}

std::optional<PostScriptString> refuse(std::string* why, std::string reason) {
    if (why != nullptr) {
        *why = std::move(reason);
    }
    return std::nullopt;
}

}  // namespace

std::optional<PostScriptString> readPostScriptString(std::string_view text, std::string* why) {
    if (text.empty() || text.front() != '(') {
        return refuse(why, "does not start with '('");
    }
    PostScriptString out;
    int depth = 1;
    std::size_t i = 1;
    while (i < text.size()) {
        const char c = text[i];
        if (static_cast<unsigned char>(c) < kFirstPrintable) {
            return refuse(
                why, "raw control byte " + std::to_string(static_cast<int>(c)) + " at " + std::to_string(i));
        }
        if (c == '(') {
            ++depth;
            out.value += c;
            ++i;
        } else if (c == ')') {
            if (--depth == 0) {
                out.end = i + 1;
                return out;
            }
            out.value += c;
            ++i;
        } else if (c == '\\') {
            if (i + 1 >= text.size()) {
                return refuse(why, "backslash at the end");
            }
            const char e = text[i + 1];
            i += 2;
            switch (e) {
                case 'n':
                    out.value += '\n';
                    break;
                case 'r':
                    out.value += '\r';
                    break;
                case 't':
                    out.value += '\t';
                    break;
                case 'b':
                    out.value += '\b';
                    break;
                case 'f':
                    out.value += '\f';
                    break;
                case '\\':
                case '(':
                case ')':
                    out.value += e;
                    break;
                default:
                    if (isOctal(e)) {
                        int code = e - '0';
                        for (int d = 1; d < kMostOctalDigits && i < text.size() && isOctal(text[i]); ++d) {
                            code = code * kOctalBase + (text[i++] - '0');
                        }
                        out.value += static_cast<char>(code & kByteMask);
                    } else if (static_cast<unsigned char>(e) < kFirstPrintable) {
                        return refuse(why, "raw control byte after a backslash");
                    } else {
                        out.value += e;  // the backslash alone is dropped
                    }
            }
        } else {
            out.value += c;
            ++i;
        }
    }
    return refuse(why, "unterminated: " + std::to_string(depth) + " parenthesis(es) open");
}

std::optional<std::vector<std::string>> readCsvRow(std::string_view row) {
    std::vector<std::string> fields;
    std::size_t i = 0;
    while (true) {
        std::string field;
        if (i < row.size() && row[i] == '"') {
            ++i;
            while (true) {
                if (i >= row.size()) {
                    return std::nullopt;
                }
                if (row[i] == '"') {
                    if (i + 1 < row.size() && row[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += row[i++];
            }
            if (i < row.size() && row[i] != ';') {
                return std::nullopt;
            }
        } else {
            while (i < row.size() && row[i] != ';') {
                if (row[i] == '"') {
                    return std::nullopt;
                }
                field += row[i++];
            }
        }
        fields.push_back(std::move(field));
        if (i >= row.size()) {
            return fields;
        }
        ++i;  // the separator
    }
}

std::optional<std::vector<std::string>> crLfLines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find("\r\n");
        if (end == std::string_view::npos) {
            return std::nullopt;
        }
        lines.emplace_back(text.substr(0, end));
        text.remove_prefix(end + 2);
    }
    return lines;
}

}  // namespace kw::fuzz
