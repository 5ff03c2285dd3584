#include "common/text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace kw {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Code points of the Windows-1252 bytes 0x80..0x9F.
constexpr std::array<char32_t, 32> kHighC1 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at i; returns false on a malformed one.
bool nextCodePoint(std::string_view s, std::size_t& i, char32_t& cp) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    std::size_t len = 0;
    char32_t min = 0;
    if (b0 < 0x80) {
        cp = b0;
        ++i;
        return true;
    }
    if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        cp = b0 & 0x1F;
        min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        cp = b0 & 0x0F;
        min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        cp = b0 & 0x07;
        min = 0x10000;
    } else {
        return false;
    }
    if (i + len > s.size()) {
        return false;
    }
    for (std::size_t k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) {
            return false;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return false;
    }
    i += len;
    return true;
}

// The Windows-1252 byte of a code point, or -1.
int cp1252Byte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        return static_cast<int>(cp);
    }
    for (std::size_t k = 0; k < kHighC1.size(); ++k) {
        if (kHighC1[k] == cp) {
            return static_cast<int>(0x80 + k);
        }
    }
    return -1;
}

// The capital of a lower-case letter; the letter itself when it has none.
char32_t capitalOf(char32_t cp) {
    constexpr char32_t kCaseDistance = 0x20;           // a..z, à..þ, α..ω, а..я
    constexpr char32_t kCyrillicExtraDistance = 0x50;  // ѐ..џ
    if ((cp >= U'a' && cp <= U'z') || (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7) ||
        (cp >= 0x3B1 && cp <= 0x3C9 && cp != 0x3C2) || (cp >= 0x430 && cp <= 0x44F)) {
        return cp - kCaseDistance;
    }
    if (cp >= 0x450 && cp <= 0x45F) {
        return cp - kCyrillicExtraDistance;
    }
    // Latin Extended-A pairs its letters capital first; two runs start on an odd code point.
    const bool oddPairs = (cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E);
    const bool evenPairs =
        (cp >= 0x100 && cp <= 0x12F) || (cp >= 0x132 && cp <= 0x137) || (cp >= 0x14A && cp <= 0x177);
    if ((evenPairs && cp % 2 == 1) || (oddPairs && cp % 2 == 0)) {
        return cp - 1;
    }
    switch (cp) {
        case 0xFF:
            return 0x178;  // ÿ
        case 0x3C2:
            return 0x3A3;  // final sigma
        case 0x3AC:
            return 0x386;  // ά
        case 0x3AD:
            return 0x388;
        case 0x3AE:
            return 0x389;
        case 0x3AF:
            return 0x38A;
        case 0x3CC:
            return 0x38C;
        case 0x3CD:
            return 0x38E;
        case 0x3CE:
            return 0x38F;
        default:
            return cp;
    }
}

}  // namespace

std::size_t CharacterCount(std::string_view utf8) {
    std::size_t n = 0;
    std::size_t i = 0;
    char32_t cp = 0;
    while (i < utf8.size()) {
        if (!nextCodePoint(utf8, i, cp)) {
            ++i;
        }
        ++n;
    }
    return n;
}

std::string UpperText(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    char32_t cp = 0;
    while (i < utf8.size()) {
        const std::size_t start = i;
        if (nextCodePoint(utf8, i, cp)) {
            appendUtf8(out, capitalOf(cp));
        } else {
            out += utf8[start];
            i = start + 1;
        }
    }
    return out;
}

bool IsValidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    char32_t cp = 0;
    while (i < bytes.size()) {
        if (!nextCodePoint(bytes, i, cp)) {
            return false;
        }
    }
    return true;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            out += c;
        } else if (b < 0xA0) {
            appendUtf8(out, kHighC1[b - 0x80]);
        } else {
            appendUtf8(out, b);
        }
    }
    return out;
}

bool FitsCp1252(std::string_view utf8) {
    std::size_t i = 0;
    char32_t cp = 0;
    while (i < utf8.size()) {
        if (!nextCodePoint(utf8, i, cp) || cp1252Byte(cp) < 0) {
            return false;
        }
    }
    return true;
}

std::string Utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    char32_t cp = 0;
    while (i < utf8.size()) {
        // ASCII is the same in both: a run of it is copied whole.
        std::size_t ascii = i;
        while (ascii < utf8.size() && static_cast<unsigned char>(utf8[ascii]) < 0x80) {
            ++ascii;
        }
        if (ascii > i) {
            out.append(utf8.substr(i, ascii - i));
            i = ascii;
            continue;
        }
        if (!nextCodePoint(utf8, i, cp)) {
            out += '?';
            ++i;
            continue;
        }
        const int b = cp1252Byte(cp);
        out += b < 0 ? '?' : static_cast<char>(b);
    }
    return out;
}

std::string DecodeFileText(std::string_view bytes) {
    if (IsValidUtf8(bytes)) {
        if (bytes.starts_with(kByteOrderMark)) {
            bytes.remove_prefix(kByteOrderMark.size());
        }
        return std::string(bytes);
    }
    return Cp1252ToUtf8(bytes);
}

std::string EncodeFileText(std::string_view utf8) {
    if (FitsCp1252(utf8)) {
        std::string bytes = Utf8ToCp1252(utf8);
        // Windows-1252 bytes that happen to form valid UTF-8 ("Ã©" is C3 A9) would be read
        // back as other characters; such a text is written as UTF-8 instead.
        if (bytes == utf8 || !IsValidUtf8(bytes)) {
            return bytes;
        }
    }
    // The reader drops a leading byte-order mark, so a text that starts with one keeps it
    // behind a second.
    return utf8.starts_with(kByteOrderMark) ? std::string(kByteOrderMark) + std::string(utf8)
                                            : std::string(utf8);
}

std::vector<std::string> SplitLines(std::string_view text, LineEnds ends) {
    std::vector<std::string> lines;
    std::string current;
    bool open = false;  // a line has started and not yet ended
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            lines.push_back(std::move(current));
            current.clear();
            open = false;
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else if (c == '\n' && ends == LineEnds::CrLfOrCrOrLf) {
            lines.push_back(std::move(current));
            current.clear();
            open = false;
        } else {
            current += c;
            open = true;
        }
    }
    if (open) {
        lines.push_back(std::move(current));
    }
    return lines;
}

std::string_view Trim(std::string_view text, std::string_view blanks) {
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::string UpperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return out;
}

void AppendCrLfLine(std::string& out, std::string_view line) {
    out += line;
    out += "\r\n";
}

std::string FillIn(std::string_view pattern, const std::vector<std::string>& values) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const auto index = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (index < values.size()) {
                out += values[index];
                ++i;
                continue;
            }
        }
        out += pattern[i];
    }
    return out;
}

std::string CsvQuoted(std::string_view text) {
    constexpr char kQuote = '"';
    std::string out(1, kQuote);
    for (const char c : text) {
        out += c;
        if (c == kQuote) {
            out += kQuote;
        }
    }
    out += kQuote;
    return out;
}

std::vector<std::string> SplitCsvLine(std::string_view line) {
    constexpr char kQuote = '"';
    constexpr char kComma = ',';
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == kQuote && i + 1 < line.size() && line[i + 1] == kQuote) {
            fields.back() += kQuote;
            ++i;
        } else if (c == kQuote) {
            quoted = !quoted;
        } else if (c == kComma && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    for (auto& field : fields) {
        field = std::string(Trim(field, kBlankAndTab));
    }
    return fields;
}

CsvTable ReadCsvColumns(std::string_view text, const std::vector<std::string_view>& names,
                        std::size_t required) {
    constexpr std::size_t kAbsent = std::string::npos;
    constexpr char kComment = '#';
    CsvTable table;
    std::vector<std::size_t> at;  // each name's field; empty until the header is read
    const std::vector<std::string> lines = SplitLines(text, LineEnds::CrLfOrCrOrLf);
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::string_view line = Trim(lines[n], kBlankAndTab);
        if (line.empty() || line.front() == kComment) {
            continue;
        }
        const std::vector<std::string> fields = SplitCsvLine(line);
        if (at.empty()) {
            for (std::size_t c = 0; c < names.size(); ++c) {
                const auto found = std::find(fields.begin(), fields.end(), names[c]);
                if (found == fields.end() && c < required) {
                    table.missingColumn = std::string(names[c]);
                    return table;
                }
                at.push_back(found == fields.end() ? kAbsent
                                                   : static_cast<std::size_t>(found - fields.begin()));
            }
            continue;
        }
        CsvRow row{static_cast<int>(n) + 1, std::string(line), true, std::vector<std::string>(names.size())};
        for (std::size_t c = 0; c < names.size(); ++c) {
            if (at[c] == kAbsent) {
                continue;
            }
            row.complete = row.complete && at[c] < fields.size();
            if (row.complete) {
                row.fields[c] = fields[at[c]];
            }
        }
        table.rows.push_back(std::move(row));
    }
    if (at.empty() && !names.empty()) {
        table.missingColumn = std::string(names.front());
    }
    return table;
}

double RoundHalfUp(double value, int decimals) {
    // Exact powers, where std::pow may be off by a unit in the last place.
    constexpr std::array<double, 16> kPowersOfTen = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                     1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const double scale = decimals >= 0 && decimals < static_cast<int>(kPowersOfTen.size())
                             ? kPowersOfTen[static_cast<std::size_t>(decimals)]
                             : std::pow(10.0, decimals);
    return std::floor(value * scale + 0.5) / scale;
}

std::string GeneralNumber(double value, int digits) {
    char buffer[40];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    return std::string(buffer, r.ptr);
}

}  // namespace kw
