#include "datasheet/export.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <optional>
#include <vector>

#include "common/file_system.h"
#include "common/path_text.h"
#include "common/text.h"
#include "datasheet/csv_export.h"
#include "datasheet/messages.h"
#include "datasheet/pdf_print.h"
#include "datasheet/postscript_block.h"

namespace kw {

namespace {

// ---- the save dialog ----

constexpr std::string_view kDialogTitle = "Postscript Export file";
constexpr std::string_view kDialogFilter = "Postscript (*.PS)|*.PS";
constexpr std::string_view kDialogExtension = "PS";
constexpr std::string_view kDefaultPrefix = "RINGBLAD_";
constexpr std::string_view kDefaultExtension = ".ps";

// ---- the template ----

constexpr std::string_view kFirstLineStart = "%!PS-Adobe";
constexpr std::string_view kCreator = "%%Creator: Zeva1";
constexpr std::string_view kAuthor = "QQ0QQQ";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// ---- the name check ----

constexpr std::string_view kTemplateStem = "RINGBLAD3";
constexpr std::string_view kProgramExtension = "EXE";
constexpr std::size_t kShortestBaseName = 4;

// The folder remembered at Form_Load, or the platform's when the sheet was made without it.
std::string applicationFolderOf(const DataSheet& sheet) {
    return sheet.appFolder.empty() ? sheet.platform->applicationFolder() : sheet.appFolder;
}

// The template's lines without their ends: a line ends at CR LF or a lone CR; a lone LF is
// part of its line. A last line without an end counts.
std::vector<std::string_view> templateLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t cr = text.find('\r'); cr != std::string_view::npos; cr = text.find('\r', start)) {
        lines.push_back(text.substr(start, cr - start));
        start = cr + (cr + 1 < text.size() && text[cr + 1] == '\n' ? 2 : 1);
    }
    if (start < text.size()) {
        lines.push_back(text.substr(start));
    }
    return lines;
}

}  // namespace

FilledTemplate fillTemplate(std::string_view templateText, const DataSheet& sheet, bool withCsv) {
    FilledTemplate result;
    // A byte-order mark would hide the "%!" by which a printer knows the page.
    if (templateText.starts_with(kByteOrderMark)) {
        templateText.remove_prefix(kByteOrderMark.size());
    }
    const std::vector<std::string_view> lines = templateLines(templateText);
    if (lines.size() < 2) {
        result.check = TemplateCheck::TooShort;
        return result;
    }
    if (!lines[0].starts_with(kFirstLineStart)) {
        result.check = TemplateCheck::BadFirstLine;
        return result;
    }
    if (lines[1].find(kCreator) == std::string_view::npos ||
        lines[1].find(kAuthor) == std::string_view::npos) {
        result.check = TemplateCheck::BadSecondLine;
        return result;
    }

    const bool english = sheet.english();
    const std::vector<std::string> block = postScriptBlock(sheet);
    std::vector<std::string> rows;
    if (withCsv) {
        rows = csvRows(sheet, english);
    }

    // Every marker line repeats the block and the rows: a template of nothing but marker lines
    // would make a page of gigabytes. Reckoned before anything is built.
    const auto isMarker = [&lines](std::size_t i) {
        return i >= 2 && lines[i].find(kTemplateMarker) != std::string_view::npos;
    };
    std::size_t markers = 0;
    for (std::size_t i = 2; i < lines.size(); ++i) {
        markers += isMarker(i) ? 1 : 0;
    }
    std::size_t perMarker = 0;
    for (const auto& line : block) {
        perMarker += line.size() + kLineEnd.size();
    }
    for (const auto& row : rows) {
        perMarker += row.size() + kLineEnd.size();
    }
    const std::size_t copied = templateText.size() + lines.size() * kLineEnd.size();
    if (perMarker > 0 && markers > (kLargestExport - std::min(copied, kLargestExport)) / perMarker) {
        result.check = TemplateCheck::TooLarge;
        result.markers = static_cast<int>(markers);
        return result;
    }

    if (withCsv) {
        for (const auto& line : csvOpeningLines(english)) {
            AppendCrLfLine(result.csv, line);
        }
    }
    result.page.reserve(templateText.size() + templateText.size() / 2);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (isMarker(i)) {
            ++result.markers;
            for (const auto& line : block) {
                AppendCrLfLine(result.page, Utf8ToCp1252(line));
            }
            for (const auto& row : rows) {
                AppendCrLfLine(result.csv, row);
            }
        }
        AppendCrLfLine(result.page, lines[i]);
    }
    return result;
}

bool exportNameAccepted(const std::string& pageName) {
    if (EmptyOrWildcard(pageName)) {
        return false;
    }
    const std::string file = FileOnly(pageName);
    const std::string upper = UpperAscii(file);
    if (upper.find(kTemplateStem) != std::string::npos ||
        upper.find(kProgramExtension) != std::string::npos) {
        return false;
    }
    const std::string base = NameOnly(file).value_or(file);
    return CharacterCount(base) >= kShortestBaseName;
}

std::optional<FilledTemplate> buildPage(const DataSheet& sheet, const std::string& templateFile, bool withCsv,
                                        ExportOutcome& outcome) {
    std::optional<std::string> templatePath;
    if (!templateFile.empty()) {
        if (sheet.files->fileExists(templateFile)) {
            templatePath = templateFile;
        }
    } else {
        templatePath = sheet.files->findFileAnyCase(applicationFolderOf(sheet), std::string(kTemplateName));
    }
    if (!templatePath) {
        show(*sheet.platform, kExportTemplateMissing, sheet.english());
        outcome = ExportOutcome::TemplateMissing;
        return std::nullopt;
    }
    const ReadResult read = sheet.files->readFile(*templatePath);
    if (!read.ok) {
        show(*sheet.platform, kCannotRead, sheet.english(), {*templatePath, read.error});
        outcome = ExportOutcome::Failed;
        return std::nullopt;
    }

    FilledTemplate filled = fillTemplate(read.bytes, sheet, withCsv);
    if (filled.check == TemplateCheck::TooLarge) {
        show(*sheet.platform, kExportTooLarge, sheet.english(), {std::to_string(filled.markers)});
        outcome = ExportOutcome::TooLarge;
        return std::nullopt;
    }
    if (filled.check != TemplateCheck::Ok) {
        show(*sheet.platform, kExportTemplateFault, sheet.english());
        outcome = ExportOutcome::TemplateFault;
        return std::nullopt;
    }
    filled.csv = Utf8ToCp1252(filled.csv);
    outcome = ExportOutcome::Written;
    return filled;
}

namespace {

// Any failure the run does not expect is shown with the system's description, and the
// program goes on with the sheet as it was.
template <typename Steps>
ExportOutcome guarded(const DataSheet& sheet, Steps&& steps) {
    try {
        return steps();
    } catch (const std::exception& e) {
        show(*sheet.platform, kExportUnexpected, sheet.english(), {e.what()});
        return ExportOutcome::Unexpected;
    }
}

ExportOutcome exportSteps(const DataSheet& sheet, const std::string& pageName,
                          const std::string& templateFile) {
    if (!exportNameAccepted(pageName)) {
        show(*sheet.platform, kExportRefused, sheet.english());
        return ExportOutcome::Refused;
    }
    const bool withCsv = sheet.chkCSV.value == 1;
    const std::string csvFile = csvName(pageName);

    ExportOutcome outcome = ExportOutcome::Written;
    const std::optional<FilledTemplate> filled = buildPage(sheet, templateFile, withCsv, outcome);
    if (!filled) {
        return outcome;
    }

    const WriteResult page = sheet.files->writeFileAtomic(pageName, filled->page);
    if (!page.ok) {
        show(*sheet.platform, kCannotWrite, sheet.english(), {pageName, page.error});
        return ExportOutcome::Failed;
    }
    if (withCsv) {
        const WriteResult csv = sheet.files->writeFileAtomic(csvFile, filled->csv);
        if (!csv.ok) {
            show(*sheet.platform, kCannotWrite, sheet.english(), {csvFile, csv.error});
            return ExportOutcome::Failed;
        }
    }
    if (sheet.chkPDF.value == 1) {
        const PdfResult pdf = writePdf(sheet.processes, *sheet.files, pageName, pdfName(pageName));
        if (pdf.outcome != PdfOutcome::Written) {
            showPdfProblem(*sheet.platform, pdf, pageName, sheet.english());
            return ExportOutcome::PdfFailed;
        }
    }
    show(*sheet.platform, kExportWritten, sheet.english());
    return ExportOutcome::Written;
}

ExportOutcome dialogSteps(const DataSheet& sheet) {
    const std::string folder = sheet.exportFolder();
    FileDialogRequest request;
    request.title = std::string(kDialogTitle);
    request.filter = std::string(kDialogFilter);
    request.defaultExt = std::string(kDialogExtension);
    request.initialFolder = folder;
    request.initialName = TimeStampedName(folder, kDefaultPrefix, sheet.platform->now(), kDefaultExtension);
    request.overwritePrompt = true;
    const std::optional<std::string> chosen = sheet.platform->saveFileName(request);
    if (!chosen) {
        return ExportOutcome::Cancelled;
    }
    const ExportOutcome outcome = exportSteps(sheet, *chosen, {});
    if (outcome == ExportOutcome::Written) {
        sheet.rememberExportFolder(*chosen);
    }
    return outcome;
}

}  // namespace

ExportOutcome exportSheet(const DataSheet& sheet, const std::string& pageName,
                          const std::string& templateFile) {
    return guarded(sheet, [&] { return exportSteps(sheet, pageName, templateFile); });
}

ExportOutcome runExportDialog(const DataSheet& sheet) {
    return guarded(sheet, [&] { return dialogSteps(sheet); });
}

void DataSheet::cmdExport_Click() {
    runExportDialog(*this);
}

}  // namespace kw
