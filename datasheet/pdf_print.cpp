#include "datasheet/pdf_print.h"

#include <algorithm>
#include <optional>

#include "common/path_text.h"
#include "common/text.h"
#include "datasheet/datasheet.h"
#include "datasheet/export.h"
#include "datasheet/messages.h"

namespace kw {

namespace {

constexpr std::string_view kPageExtension = ".PS";
constexpr std::string_view kPdfExtension = ".pdf";
constexpr std::size_t kReasonLines = 8;  // the last lines of a program's complaint are the telling ones
constexpr int kMostCopies = 999;
constexpr std::string_view kJobTitlePrefix = "RINGBLAD_";
constexpr std::string_view kPageNameStart = "kernwijs-print-";  // the printed page in the temporary folder
constexpr std::string_view kPartMark = ".part-";  // Ghostscript's output while it is being written
constexpr std::string_view kCurrentFolder = ".";

// The last few non-empty lines of a program's standard error, joined by CR.
std::string lastLines(const std::string& output) {
    std::vector<std::string> lines;
    std::string line;
    const auto flush = [&] {
        const auto first = line.find_first_not_of(" \t");
        if (first != std::string::npos) {
            lines.push_back(line.substr(first, line.find_last_not_of(" \t") - first + 1));
        }
        line.clear();
    };
    for (const char c : output) {
        if (c == '\n' || c == '\r') {
            flush();
        } else {
            line += c;
        }
    }
    flush();
    std::string joined;
    const std::size_t from = lines.size() > kReasonLines ? lines.size() - kReasonLines : 0;
    for (std::size_t i = from; i < lines.size(); ++i) {
        joined += (joined.empty() ? "" : "\r") + lines[i];
    }
    return joined;
}

// Ghostscript reads '%' in an output name as a page number format, and a name starting
// with it as a device ("%pipe%"); doubled, it stands for itself.
std::string outputFileArgument(const std::string& output) {
    std::string escaped;
    for (const char c : output) {
        escaped += c;
        if (c == '%') {
            escaped += c;
        }
    }
    return "-sOutputFile=" + escaped;
}

// A relative name could start with '-' (an option) or '@' (a file of options).
std::string inputFileArgument(const std::string& page) {
    return page.starts_with('/') ? page : "./" + page;
}

}  // namespace

std::string pdfName(const std::string& pageName) {
    const std::string file = FileOnly(pageName);
    if (file.size() > kPageExtension.size() &&
        UpperAscii(file.substr(file.size() - kPageExtension.size())) == kPageExtension) {
        return pageName.substr(0, pageName.size() - kPageExtension.size()) + std::string(kPdfExtension);
    }
    return pageName + std::string(kPdfExtension);
}

std::vector<std::string> ghostscriptArguments(const std::string& page, const std::string& output) {
    return {
        "-q",
        "-dSAFER",
        "-dBATCH",
        "-dNOPAUSE",
        "-sDEVICE=pdfwrite",
        "-dPDFSETTINGS=/prepress",  // every font embedded, as a print shop expects
        "-dEmbedAllFonts=true",
        "-dAutoRotatePages=/PageByPage",  // the landscape sheet shows upright
        "-sstdout=%stderr",               // PostScript errors come with the complaint
        outputFileArgument(output),
        inputFileArgument(page),
    };
}

PdfResult writePdf(Processes* processes, FileSystem& files, const std::string& page, const std::string& pdf) {
    PdfResult result;
    if (processes == nullptr) {
        result.outcome = PdfOutcome::NoGhostscript;
        return result;
    }
    // Beside the PDF, so that it can take the PDF's place in one step; made empty first, so
    // that no other conversion takes the same name.
    const std::string folder = FolderOnly(pdf);
    const std::optional<std::string> created =
        files.createTemporaryFile(folder.empty() ? std::string(kCurrentFolder) : folder,
                                  FileOnly(pdf) + std::string(kPartMark), "", result.reason);
    if (!created) {
        return result;
    }
    const std::string& part = *created;
    const ProcessResult run =
        processes->run(std::string(kGhostscript), ghostscriptArguments(page, part), kGhostscriptSeconds);
    if (!run.started) {
        static_cast<void>(files.removeFile(part));
        result.outcome = PdfOutcome::NoGhostscript;
        result.reason = run.errorOutput;
        return result;
    }
    if (!run.succeeded() || files.readFile(part).bytes.empty()) {
        static_cast<void>(files.removeFile(part));  // whatever Ghostscript left
        result.timedOut = run.timedOut;
        result.reason = lastLines(run.errorOutput);
        return result;
    }
    const WriteResult moved = files.moveFile(part, pdf);
    if (!moved.ok) {
        static_cast<void>(files.removeFile(part));
        result.reason = moved.error;
        return result;
    }
    result.outcome = PdfOutcome::Written;
    return result;
}

void showPdfProblem(Messages& messages, const PdfResult& result, const std::string& page, bool english) {
    std::string details;
    if (!page.empty()) {
        details += "\r" + kPageWritten.text(english, {page});
    }
    if (result.outcome == PdfOutcome::Failed) {
        const std::string reason =
            result.timedOut ? kGhostscriptStopped.text(english, {std::to_string(kGhostscriptSeconds)})
                            : result.reason;
        if (!reason.empty()) {
            details += "\r" + reason;
        }
    }
    show(messages, result.outcome == PdfOutcome::NoGhostscript ? kNoGhostscript : kPdfFailed, english,
         {details});
}

std::vector<std::string> printArguments(const PrintChoice& choice, const std::string& page,
                                        const std::string& jobTitle) {
    std::vector<std::string> args;
    if (!choice.printer.empty()) {
        args.insert(args.end(), {"-d", choice.printer});
    }
    args.insert(args.end(), {"-n", std::to_string(std::clamp(choice.copies, 1, kMostCopies)), "-t", jobTitle,
                             inputFileArgument(page)});
    return args;
}

PrintOutcome printSheet(const DataSheet& sheet, const std::string& templateFile) {
    const bool english = sheet.english();
    ExportOutcome built = ExportOutcome::Written;
    const std::optional<FilledTemplate> filled = buildPage(sheet, templateFile, false, built);
    if (!filled) {
        return PrintOutcome::NotBuilt;
    }
    // The job carries the name Export PS would propose for the page.
    const std::string jobTitle = std::string(kJobTitlePrefix) + TimeStamp(sheet.platform->now());
    const std::optional<PrintChoice> choice = sheet.platform->choosePrinter(jobTitle);
    if (!choice) {
        return PrintOutcome::Cancelled;
    }

    std::string failure;
    const std::optional<std::string> created =
        sheet.files->createTemporaryFile({}, kPageNameStart, ".ps", failure);
    const std::string page = created.value_or(std::string(kPageNameStart) + ".ps");
    const WriteResult written =
        created ? sheet.files->writeFileAtomic(page, filled->page) : WriteResult{false, failure};
    if (!written.ok) {
        if (created) {
            static_cast<void>(sheet.files->removeFile(page));  // the empty file made for it
        }
        show(*sheet.platform, kCannotWrite, english, {page, written.error});
        return PrintOutcome::Failed;
    }
    PrintOutcome outcome = PrintOutcome::Printed;
    if (!choice->pdfFile.empty()) {
        const PdfResult pdf = writePdf(sheet.processes, *sheet.files, page, choice->pdfFile);
        if (pdf.outcome != PdfOutcome::Written) {
            showPdfProblem(*sheet.platform, pdf, {}, english);
            outcome = PrintOutcome::Failed;
        }
    } else {
        ProcessResult run;
        if (sheet.processes != nullptr) {
            run = sheet.processes->run(std::string(kPrintCommand), printArguments(*choice, page, jobTitle),
                                       kPrintSeconds);
        }
        if (!run.started) {
            show(*sheet.platform, kNoPrintSystem, english);
            outcome = PrintOutcome::NoPrintSystem;
        } else if (!run.succeeded()) {
            const std::string reason = lastLines(run.errorOutput);
            show(*sheet.platform, kPrintFailed, english, {reason.empty() ? "" : "\r" + reason});
            outcome = PrintOutcome::Failed;
        }
    }
    // lp has passed the page on to the print system when it returns.
    static_cast<void>(sheet.files->removeFile(page));
    return outcome;
}

void DataSheet::cmdPrint_Click() {
    printSheet(*this);
}

}  // namespace kw
