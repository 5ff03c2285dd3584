#include "datasheet/tor_file.h"

#include <vector>

#include "common/path_text.h"
#include "common/text.h"
#include "datasheet/messages.h"

namespace kw {

namespace {

// ---- file layout ----

constexpr std::string_view kFixedComment =
    "%%  herkenning op 1e regel, na TOKEN regels hierna GEEN comment regels, alleen ervoor!";
constexpr std::string_view kClosingComment = "%%  en vanaf hier net zoveel kommentaar als nodig is ";
constexpr std::string_view kEndToken = "[END]";

struct HeaderBlock {
    std::string_view control;
    std::string_view comment;  // empty: the block has no comment line
    std::string_view token;
};

constexpr HeaderBlock kHeaderBlocks[] = {
    {"txtDD", "%%  DD", "[DATEDD]"},
    {"txtMM", "%%  MM", "[DATEMM]"},
    {"txtJJ", "%%  JJ", "[DATEJJ]"},
    {"txtFabr1", "%%fabr1", "[FABR1]"},
    {"txtFabr2", "%%fabr2", "[FABR2]"},
    {"txtType1", "%%type1", "[TYPE1]"},
    {"txtType2", "%%type2", "[TYPE2]"},
    {"txtType3", "%%type3", "[TYPE3]"},
    {"txtBuiten", "%%Buiten", "[INOUTOUT]"},
    {"txtBinnen", "%%binnen", "[INOUTIN]"},
    {"txtHoog", "%%hoogte", "[INOUTHIGH]"},
    {"txtRi", "", "[RI]"},
    {"txtMu", "", "[MU]"},
    {"txtTest1", "%% testinfo rechtsboven", "[TEST1]"},
};

constexpr std::string_view kMeasurementComment = "%%invul ringmeetregel";
constexpr std::string_view kMeasurementToken = "[M-LINE";
constexpr std::string_view kInfoComment = "%% info regel";
constexpr std::string_view kInfoToken = "[C-LINE";

// One block of the file: written when its controlling field is filled, recognised by its token.
struct Block {
    std::string controlling;
    std::string comment;
    std::string token;
    std::vector<std::string> values;  // control names of the value lines, in order
};

// Every block in writing order, which is also the reader's matching order ("[END]" comes last).
const std::vector<Block>& blocks() {
    static const std::vector<Block> all = [] {
        std::vector<Block> list;
        for (const auto& h : kHeaderBlocks) {
            list.push_back({std::string(h.control),
                            std::string(h.comment),
                            std::string(h.token),
                            {std::string(h.control)}});
        }
        for (int k = 1; k <= kMeasurementLines; ++k) {
            const std::string digit = std::to_string(k);
            Block b{std::string(kLineFieldStems[0]) + digit,
                    std::string(kMeasurementComment) + digit,
                    std::string(kMeasurementToken) + digit + "]",
                    {}};
            for (const auto stem : kLineFieldStems) {
                b.values.push_back(std::string(stem) + digit);
            }
            list.push_back(std::move(b));
        }
        for (int k = 1; k <= kInfoLines; ++k) {
            const std::string digit = std::to_string(k);
            const std::string control = "txtRegel" + digit;
            list.push_back({control,
                            std::string(kInfoComment) + digit,
                            std::string(kInfoToken) + digit + "]",
                            {control}});
        }
        return list;
    }();
    return all;
}

const std::string& fieldText(const DataSheet& sheet, const std::string& control) {
    return *sheet.field(control);
}

// A field is one line of the file; a stray line break would shift every later value.
std::string asValueLine(std::string text) {
    for (char& c : text) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return text;
}

// ---- dialogs and messages ----

constexpr std::string_view kDialogTitle = "Kernwijs data file";
constexpr std::string_view kSaveFilter = "Toroid (*.TOR)|*.TOR";
constexpr std::string_view kSaveDefaultExt = "TOR";
constexpr std::string_view kOpenFilter = "Toroid File (*.tor)|*.tor|Notepad File (*.txt)|*.txt";
constexpr std::string_view kOpenInitialName = "*.TOR";
constexpr std::string_view kDefaultNameStart = "RINGBLAD_";
constexpr std::string_view kDefaultNameEnd = ".TOR";
constexpr std::size_t kShortestName = 5;  // characters

bool refusedName(const std::string& name) {
    return EmptyOrWildcard(name) || CharacterCount(name) < kShortestName;
}

}  // namespace

std::string TorFileText(const DataSheet& sheet) {
    std::string out;
    AppendCrLfLine(out, kTorRecognition);
    AppendCrLfLine(out, kFixedComment);
    for (const Block& b : blocks()) {
        if (fieldText(sheet, b.controlling).empty()) {
            continue;
        }
        if (!b.comment.empty()) {
            AppendCrLfLine(out, b.comment);
        }
        AppendCrLfLine(out, b.token);
        for (const auto& control : b.values) {
            AppendCrLfLine(out, asValueLine(fieldText(sheet, control)));
        }
    }
    AppendCrLfLine(out, kEndToken);
    AppendCrLfLine(out, kClosingComment);
    return out;
}

TorReadOutcome ApplyTorText(std::string_view text, DataSheet& sheet) {
    const std::vector<std::string> lines = SplitLines(text, LineEnds::CrLfOrCrOrLf);
    if (lines.empty() || !lines.front().starts_with(kTorRecognition)) {
        return TorReadOutcome::WrongStart;
    }
    // The recognition line is read again with the rest; it normally holds no token.
    std::size_t next = 0;
    while (next < lines.size()) {
        const std::string& line = lines[next++];
        const Block* found = nullptr;
        for (const Block& b : blocks()) {
            if (line.find(b.token) != std::string::npos) {
                found = &b;
                break;
            }
        }
        if (found == nullptr) {
            if (line.find(kEndToken) != std::string::npos) {
                return TorReadOutcome::Loaded;
            }
            continue;
        }
        for (const auto& control : found->values) {
            if (next >= lines.size()) {
                return TorReadOutcome::EndedInsideBlock;
            }
            *sheet.field(control) = lines[next++];
        }
    }
    return TorReadOutcome::Loaded;
}

void DataSheet::cmdUitvoer_Click() {
    const std::string folder = torFolder();
    const FileDialogRequest request{
        std::string(kDialogTitle),
        std::string(kSaveFilter),
        std::string(kSaveDefaultExt),
        folder,
        TimeStampedName(folder, kDefaultNameStart, platform->now(), kDefaultNameEnd),
        true};
    const std::optional<std::string> chosen = platform->saveFileName(request);
    if (!chosen || chosen->empty()) {
        return;
    }
    const WriteResult written = files->writeFileAtomic(*chosen, EncodeFileText(TorFileText(*this)));
    if (!written.ok) {
        show(*platform, kTorSaveFailed, english(), {*chosen, written.error});
        return;
    }
    rememberTorFolder(*chosen);
    fileName = *chosen;
    markSaved();
    show(*platform, kTorSaved, english());
}

void DataSheet::cmdInvoer_Click() {
    if (!keepWork(english())) {
        return;
    }
    const std::string folder = torFolder();
    const FileDialogRequest request{std::string(kDialogTitle),
                                    std::string(kOpenFilter),
                                    "",
                                    folder,
                                    std::string(kOpenInitialName),
                                    false};
    const std::optional<std::string> chosen = platform->openFileName(request);
    if (!chosen) {
        return;
    }
    if (refusedName(*chosen)) {
        show(*platform, kTorRefusedName, english());
        return;
    }
    loadTorFile(*chosen);
}

void DataSheet::openTorFile(const std::string& path) {
    if (keepWork(english())) {
        loadTorFile(path);
    }
}

void DataSheet::loadTorFile(const std::string& path) {
    const ReadResult read = files->readFile(path);
    if (!read.ok) {
        show(*platform, kTorReadFailed, english(), {path, read.error});
        return;
    }
    rememberTorFolder(path);
    // A file that ends inside a block keeps what it assigned, without a message; the sheet
    // then holds what no file holds, so it counts as unsaved.
    switch (ApplyTorText(DecodeFileText(read.bytes), *this)) {
        case TorReadOutcome::WrongStart:
            show(*platform, kTorWrongStart, english());
            break;
        case TorReadOutcome::Loaded:
            fileName = path;
            markSaved();
            break;
        case TorReadOutcome::EndedInsideBlock:
            fileName = path;
            break;
    }
}

}  // namespace kw
