#include "datasheet/postscript_block.h"

#include <array>

namespace kw {

namespace {

// Where an item's text comes from and how it is treated.
enum class Source {
    Fixed,     // the item's own text
    Brackets,  // a sheet field, parentheses turned into square brackets
    AsTyped,   // a sheet field as it stands
};

enum class Presence { Always, WhenFilled };

struct TextItem {
    std::string_view comment;  // written first when not empty
    Source source;
    std::string_view text;      // the control name, or the fixed text
    std::string_view scale;     // empty: the text size set last stays
    std::string_view position;  // x then y, exactly as written (some end in a blank)
    Presence presence = Presence::Always;
    std::string_view closing = ") show";
};

constexpr std::string_view kTextScale = " textscale";

// Everything before the measurement lines.
constexpr std::array kHeaderItems = {
    TextItem{"%%datum ", Source::AsTyped, "txtDD", "7", "8 mm 116.2 mm m"},
    TextItem{"", Source::AsTyped, "txtMM", "7", "18 mm 116.2 mm m"},
    TextItem{"", Source::AsTyped, "txtJJ", "7", "33 mm 116.2 mm m "},
    TextItem{"%%fabr1", Source::Brackets, "txtFabr1", "7", "8 mm 105 mm m "},
    TextItem{"", Source::Brackets, "txtFabr2", "7", "8 mm 100 mm m "},
    TextItem{"%%type1-2-3", Source::Brackets, "txtType1", "7", "8 mm 90 mm m "},
    TextItem{"", Source::Brackets, "txtType2", "7", "8 mm 85 mm m "},
    TextItem{"", Source::Brackets, "txtType3", "7", "8 mm 80 mm m "},
    TextItem{"%%Buiten-binnen-hoogte", Source::Brackets, "txtBuiten", "6", "28 mm 69 mm m "},
    TextItem{"", Source::Brackets, "txtBinnen", "6", "28 mm 61 mm m "},
    TextItem{"", Source::Brackets, "txtHoog", "6", "28 mm 52 mm m "},
    TextItem{"%%Ri", Source::Brackets, "txtRi", "7", "13 mm 27 mm m "},
    TextItem{"%%mu-tor", Source::Brackets, "txtMu", "7", "13 mm 10 mm m "},
    TextItem{"", Source::Fixed, "made with", "6", "8.5 mm 45 mm m"},
    TextItem{"", Source::Fixed, "KERNWIJS", "", "8.5 mm 41 mm m"},
    TextItem{"", Source::Fixed, "by QQ0QQQ", "", "8.5 mm 37 mm m"},
    TextItem{"", Source::Fixed, "LC", "4", "149 mm 100.5 mm m"},
};

// Everything after the measurement lines.
constexpr std::array kTrailerItems = {
    TextItem{"%%  Extra regel1 - altijd", Source::Brackets, "txtRegel1", "6", "43.5 mm 41 mm m",
             Presence::Always, ")  show"},
    TextItem{"%%  Extra regel2", Source::Brackets, "txtRegel2", "", "43.5 mm 36 mm m", Presence::WhenFilled},
    TextItem{"%%  Extra regel3", Source::Brackets, "txtRegel3", "", "43.5 mm 31 mm m", Presence::WhenFilled},
    TextItem{"%%  Extra regel4", Source::Brackets, "txtRegel4", "", "43.5 mm 26 mm m", Presence::WhenFilled},
    TextItem{"%%  Extra regel5", Source::Brackets, "txtRegel5", "", "43.5 mm 21 mm m", Presence::WhenFilled},
    TextItem{"%%  Extra regel6", Source::Brackets, "txtRegel6", "", "43.5 mm 16 mm m", Presence::WhenFilled},
    TextItem{"%%  Extra regel7", Source::Brackets, "txtRegel7", "", "43.5 mm 11 mm m", Presence::WhenFilled},
    TextItem{"%%  Extra regel8", Source::Brackets, "txtRegel8", "", "43.5 mm 6 mm m", Presence::WhenFilled},
    TextItem{"%%testinfo rechtsboven", Source::Brackets, "txtTest1", "7", "157 mm 116 mm m "},
};

// Measurement grid [mm]: x by column in the field order N .. Rp, y by line 1..7.
constexpr std::array<std::string_view, kLineFields> kGridX = {"43",    "52",  "72",    "92",    "111.5",
                                                              "126.5", "143", "156.5", "171.5", "186.5"};
constexpr std::array<std::string_view, kMeasurementLines> kGridY = {"93.5", "86.5", "79.5", "72.5",
                                                                    "66",   "59",   "52"};
constexpr std::string_view kGridScale = "6";
constexpr std::string_view kGridComment = "%%invul ringmeetregel";

constexpr int kOctalDigits = 3;
constexpr unsigned char kFirstPrintable = 0x20;

void appendText(std::vector<std::string>& out, std::string_view scale, std::string_view position,
                const std::string& inner, std::string_view closing) {
    if (!scale.empty()) {
        out.push_back(std::string(scale) + std::string(kTextScale));
    }
    out.emplace_back(position);
    out.push_back("(" + inner + std::string(closing));
}

void appendItem(const DataSheet& sheet, const TextItem& item, std::vector<std::string>& out) {
    std::string inner;
    if (item.source == Source::Fixed) {
        inner = postScriptString(item.text, false);
    } else {
        const std::string* text = sheet.field(item.text);
        const std::string& value = text != nullptr ? *text : std::string{};
        if (item.presence == Presence::WhenFilled && value.empty()) {
            return;
        }
        inner = postScriptString(value, item.source == Source::Brackets);
    }
    if (!item.comment.empty()) {
        out.emplace_back(item.comment);
    }
    appendText(out, item.scale, item.position, inner, item.closing);
}

}  // namespace

std::string postScriptString(std::string_view text, bool bracketConvert) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (char c : text) {
        if (bracketConvert && c == '(') {
            c = '[';
        } else if (bracketConvert && c == ')') {
            c = ']';
        }
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\' || c == '(' || c == ')') {
            out += '\\';
            out += c;
        } else if (byte < kFirstPrintable) {
            // A CR or LF inside a string would also break the page's line structure.
            out += '\\';
            for (int shift = 3 * (kOctalDigits - 1); shift >= 0; shift -= 3) {
                out += static_cast<char>('0' + ((byte >> shift) & 7));
            }
        } else {
            out += c;
        }
    }
    return out;
}

std::vector<std::string> postScriptBlock(const DataSheet& sheet) {
    std::vector<std::string> out;
    for (const auto& item : kHeaderItems) {
        appendItem(sheet, item, out);
    }
    for (int k = 1; k <= kMeasurementLines; ++k) {
        if (!measurementLinePresent(sheet, k)) {
            continue;
        }
        out.push_back(std::string(kGridComment) + std::to_string(k));
        for (int f = 0; f < kLineFields; ++f) {
            const std::string position =
                std::string(kGridX[f]) + " mm " + std::string(kGridY[k - 1]) + " mm m";
            appendText(out, kGridScale, position,
                       postScriptString(sheet.line(k, static_cast<LineField>(f)), false), ") show");
        }
    }
    for (const auto& item : kTrailerItems) {
        appendItem(sheet, item, out);
    }
    return out;
}

}  // namespace kw
