// A .tor file from the fuzzer: whatever it holds, reading it never fails hard, and a file the
// program writes from the result reads back to the same sheet.

#include <string>

#include "common/text.h"
#include "datasheet/datasheet.h"
#include "datasheet/tor_file.h"
#include "tests/fuzz/harness.h"
#include "tests/fuzz/sheet_texts.h"

namespace kw::fuzz {

namespace {

DataSheet emptySheet() {
    DataSheet sheet;
    for (std::string* text : sheetTexts(sheet)) {
        text->clear();
    }
    return sheet;
}

// What a sheet looks like after being written and read into an empty sheet: the same, but
// for measurement lines without turns, which are not written, and line breaks, which the
// writer turns into blanks.
DataSheet afterRoundTrip(const DataSheet& sheet) {
    DataSheet expected = sheet;
    for (int k = 1; k <= kMeasurementLines; ++k) {
        if (sheet.line(k, LineField::N).empty()) {
            for (auto& text : expected.lines[k - 1]) {
                text.clear();
            }
        }
    }
    for (std::string* text : sheetTexts(expected)) {
        for (char& c : *text) {
            if (c == '\r' || c == '\n') {
                c = ' ';
            }
        }
    }
    return expected;
}

std::string firstDifference(const DataSheet& got, const DataSheet& want) {
    for (const auto& name : DataSheet::textFieldNames()) {
        if (*got.field(name) != *want.field(name)) {
            return name + ": got \"" + *got.field(name) + "\", want \"" + *want.field(name) + "\"";
        }
    }
    return "a field other than the texts";
}

}  // namespace

Finding torRoundTrip(std::string_view bytes) {
    const std::string text = DecodeFileText(bytes);
    if (!IsValidUtf8(text)) {
        return "decoding gave text that is not UTF-8";
    }

    DataSheet fromPlaceholders;
    const DataSheet before = fromPlaceholders;
    const TorReadOutcome outcome = ApplyTorText(text, fromPlaceholders);
    if (outcome == TorReadOutcome::WrongStart && !(fromPlaceholders == before)) {
        return "a refused file changed the sheet";
    }

    // Fields the file assigns do not depend on what the sheet held before.
    DataSheet fromEmpty = emptySheet();
    if (ApplyTorText(text, fromEmpty) != outcome) {
        return "the outcome depends on the sheet's earlier texts";
    }
    const auto loaded = sheetTexts(fromPlaceholders);
    const auto loadedIntoEmpty = sheetTexts(fromEmpty);
    const auto placeholders = sheetTexts(before);
    for (std::size_t i = 0; i < kSheetTexts; ++i) {
        const std::string& a = *loaded[i];
        const std::string& b = *loadedIntoEmpty[i];
        if (a != b && !(b.empty() && a == *placeholders[i])) {
            return "field " + DataSheet::textFieldNames()[i] + " depends on the sheet's earlier text";
        }
    }

    const std::string written = TorFileText(fromPlaceholders);
    const std::string bytesOnDisk = EncodeFileText(written);
    if (DecodeFileText(bytesOnDisk) != written) {
        return "the written text does not decode to itself";
    }
    DataSheet reread = emptySheet();
    if (ApplyTorText(DecodeFileText(bytesOnDisk), reread) != TorReadOutcome::Loaded) {
        return "a file the program wrote did not load completely";
    }
    const DataSheet expected = afterRoundTrip(fromPlaceholders);
    if (!(reread == expected)) {
        return "a file the program wrote read back differently: " + firstDifference(reread, expected);
    }
    if (TorFileText(reread) != written) {
        return "writing the reread sheet gave a different file";
    }
    return std::nullopt;
}

}  // namespace kw::fuzz
