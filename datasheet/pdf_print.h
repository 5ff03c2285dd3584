#pragma once

// The exported page as a PDF file, made by Ghostscript as a separate program, and the page on
// paper through the print system (CUPS, which takes PostScript as it is).

#include <string>
#include <vector>

#include "common/file_system.h"
#include "common/services.h"

namespace kw {

struct DataSheet;

inline constexpr std::string_view kGhostscript = "gs";
inline constexpr std::string_view kPrintCommand = "lp";
inline constexpr int kGhostscriptSeconds = 60;  // a page takes a fraction of a second
inline constexpr int kPrintSeconds = 30;

// NAME.pdf beside NAME.ps: a ".ps" extension in any letter case becomes ".pdf"; a name
// without it gets ".pdf" added.
std::string pdfName(const std::string& pageName);

// Ghostscript's command line that turns page into a PDF file output, fonts embedded.
std::vector<std::string> ghostscriptArguments(const std::string& page, const std::string& output);

enum class PdfOutcome {
    Written,
    NoGhostscript,  // gs could not be started: not installed
    Failed,         // gs failed, or its PDF could not be put in place
};

struct PdfResult {
    PdfOutcome outcome = PdfOutcome::Failed;
    bool timedOut = false;
    std::string reason;  // Ghostscript's last words or the system's reason

    bool operator==(const PdfResult&) const = default;
};

// Turns page into pdf: Ghostscript writes a temporary file beside pdf, which then takes
// pdf's place; on any failure an earlier pdf stays as it was and the temporary file goes.
// Touches no message box, so several conversions can run at once.
PdfResult writePdf(Processes* processes, FileSystem& files, const std::string& page, const std::string& pdf);

// Shows why a PDF could not be made; page, when not empty, is named as written.
void showPdfProblem(Messages& messages, const PdfResult& result, const std::string& page, bool english);

// lp's command line for one file.
std::vector<std::string> printArguments(const PrintChoice& choice, const std::string& page,
                                        const std::string& jobTitle);

enum class PrintOutcome {
    Printed,        // on its way to the printer, or in the chosen PDF file
    Cancelled,      // the print dialog was cancelled
    NotBuilt,       // the page could not be made (template missing, faulty; message shown)
    NoPrintSystem,  // lp could not be started
    Failed,         // lp, Ghostscript or the temporary page failed; message shown
};

// The Print button: builds the page from the template, asks the print dialog, then hands
// the page to the print system (or to a PDF file when the dialog chose one). Shows every
// problem in the sheet's language. templateFile as for exportSheet.
PrintOutcome printSheet(const DataSheet& sheet, const std::string& templateFile = {});

}  // namespace kw
