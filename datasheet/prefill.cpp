#include "datasheet/prefill.h"

#include <initializer_list>

#include "common/path_text.h"
#include "common/text.h"
#include "datasheet/messages.h"

namespace kw {

namespace {

constexpr std::string_view kCommentStart = "%%";
constexpr std::size_t kLongestBlankLine = 2;  // characters; such a line counts as a comment
constexpr char kFieldSeparator = ';';

bool isComment(const std::string& line) {
    return line.starts_with(kCommentStart) || CharacterCount(line) <= kLongestBlankLine;
}

std::string withoutLeadingBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string{} : std::string(text.substr(first));
}

}  // namespace

PrefillOutcome ApplyPrefillText(std::string_view text, DataSheet& sheet) {
    PrefillOutcome outcome;
    const std::vector<std::string> lines = SplitLines(text, LineEnds::CrLfOrCrOrLf);
    if (lines.empty() || !lines.front().starts_with(kPrefillRecognition)) {
        return outcome;
    }
    outcome.recognised = true;
    int counter = 1;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const int fileLine = static_cast<int>(i) + 1;
        if (isComment(line)) {
            continue;
        }
        if (counter > kMeasurementLines) {
            outcome.problems.push_back({PrefillProblem::Kind::TooMany, fileLine, 0, line});
            continue;
        }
        const auto first = line.find(kFieldSeparator);
        const auto second = first == std::string::npos ? first : line.find(kFieldSeparator, first + 1);
        if (second == std::string::npos) {
            // The line still stands for its measurement line, so later lines land where they belong.
            outcome.problems.push_back({PrefillProblem::Kind::MissingField, fileLine, counter, line});
            ++counter;
            continue;
        }
        sheet.line(counter, LineField::N) = withoutLeadingBlanks(std::string_view(line).substr(0, first));
        sheet.line(counter, LineField::C) =
            withoutLeadingBlanks(std::string_view(line).substr(first + 1, second - first - 1));
        sheet.line(counter, LineField::Top) = withoutLeadingBlanks(std::string_view(line).substr(second + 1));
        ++counter;
    }
    return outcome;
}

namespace {

// Reads, applies and reports a prefill file that was found a moment ago.
bool prefillFromFoundFile(DataSheet& sheet, const std::string& path) {
    const ReadResult read = sheet.files->readFile(path);
    if (!read.ok) {
        show(*sheet.platform, kPrefillReadFailed, sheet.english(), {read.error});
        return false;
    }
    const PrefillOutcome outcome = ApplyPrefillText(DecodeFileText(read.bytes), sheet);
    if (!outcome.recognised) {
        show(*sheet.platform, kPrefillNotOk, sheet.english());
        return false;
    }
    for (const PrefillProblem& p : outcome.problems) {
        if (p.kind == PrefillProblem::Kind::TooMany) {
            show(*sheet.platform, kPrefillTooMany, sheet.english());
        } else {
            show(*sheet.platform, kPrefillMissingField, sheet.english(),
                 {std::to_string(p.fileLine), p.text, std::to_string(p.measurementLine)});
        }
    }
    return true;
}

}  // namespace

bool PrefillFromFile(DataSheet& sheet, const std::string& path) {
    if (!sheet.files->fileExists(path)) {
        show(*sheet.platform, kPrefillNotFound, sheet.english());
        return false;
    }
    return prefillFromFoundFile(sheet, path);
}

void DataSheet::cmdVoorVul_Click() {
    // Written by hand, so it may be spelled voorvul.ini; the exact spelling wins.
    const auto found = files->findFileAnyCase(platform->currentFolder(), std::string(kPrefillFileName));
    if (!found) {
        show(*platform, kPrefillNotFound, english());
        return;
    }
    prefillFromFoundFile(*this, *found);
}

}  // namespace kw
