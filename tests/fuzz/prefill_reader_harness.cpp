// VOORVUL.INI from the fuzzer: only the turns, capacitance and Top fields of the data lines
// change, every refused line is reported, and the Pre Fill button shows one message per problem.

#include <string>
#include <vector>

#include "common/text.h"
#include "datasheet/datasheet.h"
#include "datasheet/prefill.h"
#include "tests/fuzz/harness.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_platform.h"

namespace kw::fuzz {

namespace {

constexpr std::string_view kIniPath = "/work/VOORVUL.INI";

bool prefilledField(LineField f) {
    return f == LineField::N || f == LineField::C || f == LineField::Top;
}

std::string fieldName(int k, LineField f) {
    return std::string(kLineFieldStems[static_cast<int>(f)]) + std::to_string(k);
}

}  // namespace

Finding prefillReader(std::string_view bytes) {
    const std::string text = DecodeFileText(bytes);
    DataSheet sheet;
    const DataSheet before = sheet;
    const PrefillOutcome outcome = ApplyPrefillText(text, sheet);

    const std::vector<std::string> lines = SplitLines(text, LineEnds::CrLfOrCrOrLf);
    const bool recognised = !lines.empty() && lines.front().rfind("[PREFILL]", 0) == 0;
    if (outcome.recognised != recognised) {
        return "the first line was judged wrongly";
    }
    if (!recognised && !(outcome.problems.empty() && sheet == before)) {
        return "a refused file changed the sheet or reported lines";
    }

    DataSheet others = sheet;
    for (int k = 1; k <= kMeasurementLines; ++k) {
        for (int f = 0; f < kLineFields; ++f) {
            const auto field = static_cast<LineField>(f);
            if (prefilledField(field)) {
                const std::string& value = sheet.line(k, field);
                if (value != before.line(k, field) &&
                    (value.starts_with(' ') || value.find_first_of("\r\n") != std::string::npos)) {
                    return fieldName(k, field) + " got a leading blank or a line break";
                }
                others.line(k, field) = before.line(k, field);
            }
        }
    }
    if (!(others == before)) {
        return "a field other than turns, capacitance or Top changed";
    }

    int lastLine = 0;
    for (const PrefillProblem& p : outcome.problems) {
        if (p.fileLine <= lastLine || p.fileLine < 2 || p.fileLine > static_cast<int>(lines.size())) {
            return "a problem names line " + std::to_string(p.fileLine);
        }
        lastLine = p.fileLine;
        if (p.text != lines[p.fileLine - 1]) {
            return "a problem quotes a different line";
        }
        const bool tooMany = p.kind == PrefillProblem::Kind::TooMany;
        if (tooMany ? p.measurementLine != 0
                    : (p.measurementLine < 1 || p.measurementLine > kMeasurementLines)) {
            return "a problem names measurement line " + std::to_string(p.measurementLine);
        }
    }

    // The button on the same file: one message per problem, or one for a refused file.
    test::FakeFileSystem disk;
    disk.files[std::string(kIniPath)] = std::string(bytes);
    test::FakePlatform platform;
    DataSheet viaButton;
    viaButton.platform = &platform;
    viaButton.files = &disk;
    PrefillFromFile(viaButton, std::string(kIniPath));
    const std::size_t wanted = recognised ? outcome.problems.size() : 1;
    if (platform.shown.size() != wanted) {
        return "Pre Fill showed " + std::to_string(platform.shown.size()) + " messages, want " +
               std::to_string(wanted);
    }
    viaButton.platform = sheet.platform;
    viaButton.files = sheet.files;
    if (!(viaButton == sheet)) {
        return "Pre Fill and the reader filled different texts";
    }
    if (!disk.files.contains(std::string(kIniPath)) || disk.writeAttempts != 0) {
        return "Pre Fill touched the file";
    }
    return std::nullopt;
}

}  // namespace kw::fuzz
