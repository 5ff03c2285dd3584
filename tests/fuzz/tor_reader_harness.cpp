// A .tor file from the fuzzer: whatever it holds, reading it never fails hard, and a file the
// program writes from the result reads back to the same sheet.

#include <string>

#include "common/text_encoding.h"
#include "datasheet/datasheet.h"
#include "datasheet/tor_file.h"
#include "tests/fuzz/harness.h"

namespace kw::fuzz {

namespace {

DataSheet emptySheet() {
    DataSheet sheet;
    for (const auto& name : DataSheet::textFieldNames()) {
        *sheet.field(name) = "";
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
    for (const auto& name : DataSheet::textFieldNames()) {
        for (char& c : *expected.field(name)) {
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
    for (const auto& name : DataSheet::textFieldNames()) {
        const std::string& a = *fromPlaceholders.field(name);
        const std::string& b = *fromEmpty.field(name);
        if (a != b && !(b.empty() && a == *before.field(name))) {
            return "field " + name + " depends on the sheet's earlier text";
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
