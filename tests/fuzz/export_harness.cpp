// The export from the fuzzer: a sheet with any texts and any template. Every printed text is a
// well-formed PostScript string that reads back as the field's text, every CSV row has 21
// columns, and a run that does not succeed leaves the disk as it was.

#include <map>
#include <string>
#include <vector>

#include "common/path_text.h"
#include "common/text.h"
#include "datasheet/csv_export.h"
#include "datasheet/datasheet.h"
#include "datasheet/export.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/fuzz/harness.h"
#include "tests/fuzz/sheet_texts.h"
#include "tests/fuzz/syntax_checks.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_platform.h"

namespace kw::fuzz {

namespace {

// ---- the input layout ----

constexpr std::uint8_t kFlagCsv = 0x01;
constexpr std::uint8_t kLangMask = 0x06;  // 0 neither, 2 NL, 4 or 6 UK
constexpr std::uint8_t kLangDutch = 0x02;
constexpr std::uint8_t kFlagValidHeader = 0x08;
constexpr std::uint8_t kFlagFuzzedName = 0x10;
constexpr std::uint8_t kFlagEmptySheet = 0x20;
constexpr std::uint8_t kFlagOldFiles = 0x40;
constexpr char kFieldSeparator = '\x1F';
constexpr char kTemplateSeparator = '\x1E';

constexpr std::string_view kValidHeader = "%!PS-Adobe-3.0\r\n%%Creator: Zeva1 for QQ0QQQ\r\n";
constexpr std::string_view kAppFolder = "/app";
constexpr std::string_view kDefaultPage = "/out/sheet.ps";
constexpr std::string_view kMarker = "%%TEXT723DUMMY";

// ---- what the page must print, in order ----

struct Printed {
    std::string_view control;  // empty for a fixed text
    std::string_view fixed = {};
    bool converted = false;   // parentheses turned into square brackets
    bool whenFilled = false;  // left out when empty
};

constexpr Printed kBeforeLines[] = {
    {"txtDD"},
    {"txtMM"},
    {"txtJJ"},
    {"txtFabr1", "", true},
    {"txtFabr2", "", true},
    {"txtType1", "", true},
    {"txtType2", "", true},
    {"txtType3", "", true},
    {"txtBuiten", "", true},
    {"txtBinnen", "", true},
    {"txtHoog", "", true},
    {"txtRi", "", true},
    {"txtMu", "", true},
    {"", "made with"},
    {"", "KERNWIJS"},
    {"", "by QQ0QQQ"},
    {"", "LC"},
};

constexpr Printed kAfterLines[] = {
    {"txtRegel1", "", true},       {"txtRegel2", "", true, true}, {"txtRegel3", "", true, true},
    {"txtRegel4", "", true, true}, {"txtRegel5", "", true, true}, {"txtRegel6", "", true, true},
    {"txtRegel7", "", true, true}, {"txtRegel8", "", true, true}, {"txtTest1", "", true},
};

void addPrinted(const DataSheet& sheet, const Printed& p, std::vector<std::string>& out) {
    if (p.control.empty()) {
        out.emplace_back(p.fixed);
        return;
    }
    const std::string& text = *sheet.field(p.control);
    if (p.whenFilled && text.empty()) {
        return;
    }
    out.push_back(Utf8ToCp1252(p.converted ? PSslash(text) : text));
}

// The page bytes of every printed text, in order.
std::vector<std::string> printedTexts(const DataSheet& sheet) {
    std::vector<std::string> out;
    for (const auto& p : kBeforeLines) {
        addPrinted(sheet, p, out);
    }
    for (int k = 1; k <= kMeasurementLines; ++k) {
        if (sheet.line(k, LineField::N).empty()) {
            continue;
        }
        for (int f = 0; f < kLineFields; ++f) {
            out.push_back(Utf8ToCp1252(sheet.line(k, static_cast<LineField>(f))));
        }
    }
    for (const auto& p : kAfterLines) {
        addPrinted(sheet, p, out);
    }
    return out;
}

// ---- reading the page back ----

bool isNumber(std::string_view s) {
    return !s.empty() && s.find_first_not_of("0123456789.") == std::string_view::npos;
}

bool isScaleLine(std::string_view line) {
    const auto blank = line.find(' ');
    return blank != std::string_view::npos && isNumber(line.substr(0, blank)) &&
           line.substr(blank) == " textscale";
}

// "x mm y mm m", with or without one blank after it.
bool isPositionLine(std::string_view line) {
    if (line.ends_with(' ')) {
        line.remove_suffix(1);
    }
    const auto first = line.find(" mm ");
    if (first == std::string_view::npos || !isNumber(line.substr(0, first))) {
        return false;
    }
    const std::string_view rest = line.substr(first + 4);
    const auto second = rest.find(" mm m");
    return second != std::string_view::npos && isNumber(rest.substr(0, second)) &&
           rest.substr(second) == " mm m";
}

// Checks the block at lines[at] and moves `at` past it.
Finding checkBlock(const std::vector<std::string>& lines, std::size_t& at,
                   const std::vector<std::string>& texts) {
    for (std::size_t t = 0; t < texts.size(); ++t) {
        while (at < lines.size() && (lines[at].starts_with("%%") || isScaleLine(lines[at]))) {
            ++at;
        }
        if (at >= lines.size() || !isPositionLine(lines[at])) {
            return "text " + std::to_string(t) + " of the block has no position line";
        }
        ++at;
        if (at >= lines.size()) {
            return "the page ends inside the block";
        }
        const std::string& line = lines[at++];
        std::string why;
        const auto literal = readPostScriptString(line, &why);
        if (!literal) {
            return "malformed PostScript string (" + why + "): " + line;
        }
        const std::string_view closing = std::string_view(line).substr(literal->end);
        if (closing != " show" && closing != "  show") {
            return "a PostScript string is followed by \"" + std::string(closing) + "\"";
        }
        if (literal->value != texts[t]) {
            return "the page prints \"" + literal->value + "\" where the sheet holds \"" + texts[t] + "\"";
        }
    }
    return std::nullopt;
}

Finding checkPage(const std::string& page, const std::vector<std::string>& templateLines,
                  const std::vector<std::string>& texts) {
    const auto lines = crLfLines(page);
    if (!lines) {
        return "a page line does not end with CR LF";
    }
    std::size_t at = 0;
    for (std::size_t i = 0; i < templateLines.size(); ++i) {
        if (i >= 2 && templateLines[i].find(kMarker) != std::string::npos) {
            if (Finding f = checkBlock(*lines, at, texts)) {
                return f;
            }
        }
        if (at >= lines->size() || (*lines)[at] != templateLines[i]) {
            return "template line " + std::to_string(i + 1) + " is not copied in its place";
        }
        ++at;
    }
    if (at != lines->size()) {
        return "the page has lines after the template's last";
    }
    return std::nullopt;
}

Finding checkCsv(const std::string& csv, bool english, std::size_t rows) {
    const auto lines = crLfLines(csv);
    if (!lines) {
        return "a CSV line does not end with CR LF";
    }
    const std::vector<std::string> opening = csvOpeningLines(english);
    if (lines->size() != opening.size() + rows) {
        return "the CSV file has " + std::to_string(lines->size()) + " lines, want " +
               std::to_string(opening.size() + rows);
    }
    for (std::size_t i = 0; i < opening.size(); ++i) {
        if ((*lines)[i] != opening[i]) {
            return "CSV opening line " + std::to_string(i + 1) + " differs";
        }
    }
    for (std::size_t i = opening.size(); i < lines->size(); ++i) {
        const auto fields = readCsvRow((*lines)[i]);
        if (!fields) {
            return "malformed CSV row: " + (*lines)[i];
        }
        if (fields->size() != static_cast<std::size_t>(kCsvColumns)) {
            return "a CSV row has " + std::to_string(fields->size()) + " columns: " + (*lines)[i];
        }
    }
    return std::nullopt;
}

}  // namespace

Finding exportRun(std::string_view bytes) {
    FuzzInput in(bytes);
    const std::uint8_t flags = in.byte();
    std::string sheetPart = in.textUntil(kTemplateSeparator);
    std::string templateBytes = in.rest();
    if (flags & kFlagValidHeader) {
        templateBytes.insert(0, kValidHeader);
    }

    FuzzInput fields(sheetPart);
    const std::string pageName =
        (flags & kFlagFuzzedName) ? fields.textUntil(kFieldSeparator) : std::string(kDefaultPage);

    test::FakeFileSystem disk;
    test::FakePlatform platform;
    DataSheet sheet;
    sheet.platform = &platform;
    sheet.files = &disk;
    sheet.appFolder = std::string(kAppFolder);
    for (std::string* text : sheetTexts(sheet)) {
        if (flags & kFlagEmptySheet) {
            text->clear();
        }
        if (!fields.empty()) {
            *text = fields.textUntil(kFieldSeparator);
        }
    }
    const int lang = flags & kLangMask;
    if (lang != 0) {
        sheet.selectLanguage(lang == kLangDutch ? 0 : 1);
    }
    sheet.chkCSV.value = (flags & kFlagCsv) ? 1 : 0;
    const bool withCsv = sheet.chkCSV.value == 1;

    disk.files[JoinPath(std::string(kAppFolder), std::string(kTemplateName))] = templateBytes;
    if (flags & kFlagOldFiles) {
        disk.files[pageName] = "an earlier page";
        disk.files[csvName(pageName)] = "an earlier CSV file";
    }
    const std::map<std::string, std::string> before = disk.files;
    const DataSheet sheetBefore = sheet;

    const ExportOutcome outcome = exportSheet(sheet, pageName);
    if (!(sheet == sheetBefore)) {
        return "the export changed the sheet";
    }
    if (platform.shown.size() != 1) {
        return "the export showed " + std::to_string(platform.shown.size()) + " messages";
    }

    // The page copies the template's lines byte for byte, a byte-order mark left out.
    std::string_view templateText = templateBytes;
    if (templateText.starts_with("\xEF\xBB\xBF")) {
        templateText.remove_prefix(3);
    }
    const std::vector<std::string> templateLines = SplitLines(templateText, LineEnds::CrLfOrCr);
    const bool templateOk = templateLines.size() >= 2 && templateLines[0].starts_with("%!PS-Adobe") &&
                            templateLines[1].find("%%Creator: Zeva1") != std::string::npos &&
                            templateLines[1].find("QQ0QQQ") != std::string::npos;
    ExportOutcome expected = ExportOutcome::Written;
    if (!exportNameAccepted(pageName)) {
        expected = ExportOutcome::Refused;
    } else if (!templateOk) {
        expected = ExportOutcome::TemplateFault;
    }
    if (outcome != expected) {
        return "outcome " + std::to_string(static_cast<int>(outcome)) + ", want " +
               std::to_string(static_cast<int>(expected));
    }
    if (outcome != ExportOutcome::Written) {
        return disk.files == before ? Finding{} : Finding{"a run that did not succeed changed the disk"};
    }

    const auto page = disk.files.find(pageName);
    if (page == disk.files.end()) {
        return "no page was written";
    }
    const std::vector<std::string> texts = printedTexts(sheet);
    if (Finding f = checkPage(page->second, templateLines, texts)) {
        return f;
    }
    std::size_t markers = 0;
    for (std::size_t i = 2; i < templateLines.size(); ++i) {
        markers += templateLines[i].find(kMarker) != std::string::npos ? 1 : 0;
    }
    std::size_t present = 0;
    for (int k = 1; k <= kMeasurementLines; ++k) {
        present += sheet.line(k, LineField::N).empty() ? 0 : 1;
    }
    const auto csv = disk.files.find(csvName(pageName));
    if (!withCsv) {
        const bool untouched = (flags & kFlagOldFiles)
                                   ? csv != disk.files.end() && csv->second == before.at(csv->first)
                                   : csv == disk.files.end();
        return untouched ? Finding{} : Finding{"a CSV file was written without +CSV"};
    }
    if (csv == disk.files.end()) {
        return "no CSV file was written";
    }
    return checkCsv(csv->second, sheet.english(), markers * present);
}

}  // namespace kw::fuzz
