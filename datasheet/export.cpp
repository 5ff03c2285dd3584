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
#include "datasheet/pdf_print.h"
#include "datasheet/postscript_block.h"

namespace kw {

namespace {

// ---- messages, one table per language ----

struct ExportMessages {
    std::string_view refusedTitle;
    std::string_view refused;
    std::string_view missingTitle;
    std::string_view missing;
    std::string_view faultTitle;
    std::string_view fault;
    std::string_view unexpected;  // followed by the system's description
    std::string_view okTitle;
    std::string_view ok;
    std::string_view cannotRead;   // followed by CR, the file, CR, the system's reason
    std::string_view cannotWrite;  // likewise
    std::string_view tooLarge;     // followed by the number of marker lines
};

constexpr ExportMessages kEnglishMessages{
    .refusedTitle = "Error !",
    .refused = "Something is wrong!\rI don't like what you did!\rWrong parameters!\r",
    .missingTitle = "ERROR!",
    .missing = "Cannot find postscript overlay file RINGBLAD3.PS! ",
    .faultTitle = "Error !",
    .fault = "Is the input name OK?  \rIs it really postscript, I miss something (%%)  ",
    .unexpected = "Totally wrong!  \rSomething went wrong, type  \r",
    .okTitle = "OK!",
    .ok = "All looks OK!  ",
    .cannotRead = "Cannot read the file",
    .cannotWrite = "Cannot write the file",
    .tooLarge =
        "The page would be larger than 64 MB; nothing was written.\r"
        "Marker lines (%%TEXT723DUMMY) in the template: ",
};

constexpr ExportMessages kDutchMessages{
    .refusedTitle = "Error !",
    .refused = "Er gaat iets fout!\rDat was niet leuk wat je deed!\rVerkeerde parameters!\r",
    .missingTitle = "FOUT!",
    .missing = "Kan postscript overlap bestand RINGBLAD3.PS niet vinden! ",
    .faultTitle = "Fout !",
    .fault = "Is de invoer naam wel OK?  \rIs het wel postscript, ik mis iets (%%)  ",
    .unexpected = "Hardstikke fout!  \rEr trad een fout op, type  \r",
    .okTitle = "OK!",
    .ok = "Alles lijkt OK!  ",
    .cannotRead = "Kan het bestand niet lezen",
    .cannotWrite = "Kan het bestand niet schrijven",
    .tooLarge =
        "De pagina zou groter worden dan 64 MB; er is niets geschreven.\r"
        "Markeerregels (%%TEXT723DUMMY) in het sjabloon: ",
};

const ExportMessages& messagesFor(const DataSheet& sheet) {
    return sheet.english() ? kEnglishMessages : kDutchMessages;
}

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

void show(const DataSheet& sheet, std::string_view title, std::string text, MsgIcon icon) {
    MessageBox box;
    box.title = std::string(title);
    box.text = std::move(text);
    box.icon = icon;
    box.buttons = MsgButtons::Ok;
    box.systemModal = true;
    sheet.platform->showMessage(box);
}

void showFileFailure(const DataSheet& sheet, std::string_view what, const std::string& file,
                     const std::string& reason) {
    show(sheet, messagesFor(sheet).faultTitle, std::string(what) + "\r" + file + "\r" + reason,
         MsgIcon::Critical);
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
    const ExportMessages& msg = messagesFor(sheet);
    std::optional<std::string> templatePath;
    if (!templateFile.empty()) {
        if (sheet.files->fileExists(templateFile)) {
            templatePath = templateFile;
        }
    } else {
        templatePath = sheet.files->findFileAnyCase(applicationFolderOf(sheet), std::string(kTemplateName));
    }
    if (!templatePath) {
        show(sheet, msg.missingTitle, std::string(msg.missing), MsgIcon::Critical);
        outcome = ExportOutcome::TemplateMissing;
        return std::nullopt;
    }
    const ReadResult read = sheet.files->readFile(*templatePath);
    if (!read.ok) {
        showFileFailure(sheet, msg.cannotRead, *templatePath, read.error);
        outcome = ExportOutcome::Failed;
        return std::nullopt;
    }

    FilledTemplate filled = fillTemplate(read.bytes, sheet, withCsv);
    if (filled.check == TemplateCheck::TooLarge) {
        show(sheet, msg.faultTitle, std::string(msg.tooLarge) + std::to_string(filled.markers),
             MsgIcon::Critical);
        outcome = ExportOutcome::TooLarge;
        return std::nullopt;
    }
    if (filled.check != TemplateCheck::Ok) {
        show(sheet, msg.faultTitle, std::string(msg.fault), MsgIcon::Critical);
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
        show(sheet, messagesFor(sheet).faultTitle, std::string(messagesFor(sheet).unexpected) + e.what(),
             MsgIcon::Critical);
        return ExportOutcome::Unexpected;
    }
}

ExportOutcome exportSteps(const DataSheet& sheet, const std::string& pageName,
                          const std::string& templateFile) {
    const ExportMessages& msg = messagesFor(sheet);
    if (!exportNameAccepted(pageName)) {
        show(sheet, msg.refusedTitle, std::string(msg.refused), MsgIcon::Critical);
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
        showFileFailure(sheet, msg.cannotWrite, pageName, page.error);
        return ExportOutcome::Failed;
    }
    if (withCsv) {
        const WriteResult csv = sheet.files->writeFileAtomic(csvFile, filled->csv);
        if (!csv.ok) {
            showFileFailure(sheet, msg.cannotWrite, csvFile, csv.error);
            return ExportOutcome::Failed;
        }
    }
    if (sheet.chkPDF.value == 1) {
        const PdfResult pdf = writePdf(sheet.processes, *sheet.files, pageName, pdfName(pageName));
        if (pdf.outcome != PdfOutcome::Written) {
            sheet.platform->showMessage(pdfProblemBox(pdf, pageName, sheet.english()));
            return ExportOutcome::PdfFailed;
        }
    }
    show(sheet, msg.okTitle, std::string(msg.ok), MsgIcon::None);
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
