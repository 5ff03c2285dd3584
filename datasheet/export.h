#pragma once

// The "Export PS" run: the overlay template copied with the sheet's texts inserted before
// every marker line, and with "+CSV" the spreadsheet file, both written only once the whole
// run has succeeded.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "common/services.h"
#include "datasheet/datasheet.h"

namespace kw {

inline constexpr std::string_view kTemplateName = "RINGBLAD3.PS";
inline constexpr std::string_view kTemplateMarker = "%%TEXT723DUMMY";

enum class TemplateCheck {
    Ok,
    TooShort,       // fewer than two lines
    BadFirstLine,   // does not begin with "%!PS-Adobe"
    BadSecondLine,  // lacks "%%Creator: Zeva1" or "QQ0QQQ"
    TooLarge,       // the page and CSV would exceed kLargestExport (a template of marker lines)
};

// Page and CSV text together [bytes]; a real page is some ten kilobytes.
inline constexpr std::size_t kLargestExport = std::size_t{64} << 20;

struct FilledTemplate {
    TemplateCheck check = TemplateCheck::Ok;
    std::string page;  // the page's bytes, every line ended by CR LF; empty unless check is Ok
    std::string csv;   // UTF-8; empty unless withCsv and check is Ok
    int markers = 0;   // blocks inserted; with TooLarge the marker lines found
};

// Copies the template's lines byte for byte, whatever their encoding, inserting the block in
// Windows-1252 before every marker line after line 2, and builds the CSV text alongside when
// withCsv. A UTF-8 byte-order mark in front of the template is left out.
FilledTemplate fillTemplate(std::string_view templateText, const DataSheet& sheet, bool withCsv);

// False for a name the export refuses: empty, holding '*', a file part holding "RINGBLAD3" or
// "EXE" in any letter case, or a base name shorter than four characters (a file part
// without a dot is its own base name).
bool exportNameAccepted(const std::string& pageName);

enum class ExportOutcome {
    Written,          // page (and CSV) in place, success message shown
    Cancelled,        // save dialog cancelled, nothing shown
    Refused,          // name refused
    TemplateMissing,  // no template in the application folder
    TemplateFault,    // template fails its first-line or second-line checks
    TooLarge,         // the page would exceed kLargestExport; nothing written
    PdfFailed,        // page (and CSV) in place, but "+PDF" could not make the PDF
    Failed,           // a file could not be read or written; reported with the system's reason
    Unexpected,       // a failure the run did not expect, such as no application folder
};

// The sheet's page (and CSV) in Windows-1252 from the template, or nullopt after the message
// that says why not; outcome then tells which. templateFile as for exportSheet.
std::optional<FilledTemplate> buildPage(const DataSheet& sheet, const std::string& templateFile, bool withCsv,
                                        ExportOutcome& outcome);

// Everything after the save dialog: name check, template, page and CSV, and the message.
// templateFile empty means RINGBLAD3.PS in the application folder, any letter case.
ExportOutcome exportSheet(const DataSheet& sheet, const std::string& pageName,
                          const std::string& templateFile = {});

// The whole button: names, save dialog (starting in the folder of the last page, else the
// folder for the user's files), then exportSheet; a written page's folder is remembered.
ExportOutcome runExportDialog(const DataSheet& sheet);

}  // namespace kw
