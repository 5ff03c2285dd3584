// kernwijs-cli sheet: load a toroid data file, optionally prefill it, show it, save it.

#include <algorithm>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli_support.h"
#include "commands.h"
#include "common/file_system.h"
#include "common/text.h"
#include "datasheet/prefill.h"
#include "datasheet/tor_file.h"

namespace kw::cli {

namespace {

struct SheetOptions {
    std::string file;
    std::string prefill;
    std::string output;
    std::string lang = std::string(kLangDutch);
    bool json = false;
};

// ---- the readable table ----

struct Label {
    std::string_view nl;
    std::string_view uk;
};

struct HeaderRow {
    Label label;
    std::vector<std::string_view> controls;  // shown side by side, joined by `join`
    std::string_view join;
};

const HeaderRow kHeaderRows[] = {
    {{"Datum", "Date"}, {"txtDD", "txtMM", "txtJJ"}, "-"},
    {{"Testinfo", "Test note"}, {"txtTest1"}, ""},
    {{"Fabrikant", "Manufacturer"}, {"txtFabr1"}, ""},
    {{"", ""}, {"txtFabr2"}, ""},
    {{"Type / kleur", "Type / colour"}, {"txtType1"}, ""},
    {{"", ""}, {"txtType2"}, ""},
    {{"", ""}, {"txtType3"}, ""},
    {{"Buiten Ø (mm)", "Outer Ø (mm)"}, {"txtBuiten"}, ""},
    {{"Binnen Ø (mm)", "Inner Ø (mm)"}, {"txtBinnen"}, ""},
    {{"Hoogte (mm)", "Height (mm)"}, {"txtHoog"}, ""},
    {{"Ri", "Ri"}, {"txtRi"}, ""},
    {{"µ", "µ"}, {"txtMu"}, ""},
};

constexpr Label kLineLabel = {"Regel", "Line"};
constexpr Label kInfoLabel = {"Bijzonderheden", "Info"};
constexpr std::string_view kColumnHeads[kLineFields] = {"N",  "C", "Fres", "mH", "f1",
                                                        "f2", "Q", "Top",  "Rs", "Rp"};
const std::string kColumnGap = "  ";

std::string_view in(const Label& label, bool english) {
    return english ? label.uk : label.nl;
}

std::string padded(std::string_view text, std::size_t width) {
    std::string out(text);
    out.append(width - std::min(width, CharacterCount(text)), ' ');
    return out;
}

// Removes the blanks that padding left at the end of a line.
std::string trimmedEnd(std::string line) {
    line.erase(line.find_last_not_of(' ') + 1);
    return line;
}

void printTable(const DataSheet& sheet, bool english, std::ostream& out) {
    std::size_t labelWidth = CharacterCount(in(kInfoLabel, english));
    for (const auto& row : kHeaderRows) {
        labelWidth = std::max(labelWidth, CharacterCount(in(row.label, english)));
    }
    for (const auto& row : kHeaderRows) {
        std::string value;
        bool filled = false;
        for (std::size_t i = 0; i < row.controls.size(); ++i) {
            const std::string& text = *sheet.field(row.controls[i]);
            value += (i > 0 ? std::string(row.join) : std::string()) + text;
            filled = filled || !text.empty();
        }
        if (!filled) {
            value.clear();  // no lone separators for an empty date
        }
        out << trimmedEnd(padded(in(row.label, english), labelWidth) + kColumnGap + value) << '\n';
    }

    // Measurement lines: one column per field, as wide as its widest text.
    std::vector<std::size_t> widths(kLineFields + 1);
    widths[0] = CharacterCount(in(kLineLabel, english));
    for (int f = 0; f < kLineFields; ++f) {
        widths[f + 1] = CharacterCount(kColumnHeads[f]);
        for (int k = 1; k <= kMeasurementLines; ++k) {
            widths[f + 1] = std::max(widths[f + 1], CharacterCount(sheet.line(k, static_cast<LineField>(f))));
        }
    }
    out << '\n';
    std::string head = padded(in(kLineLabel, english), widths[0]);
    for (int f = 0; f < kLineFields; ++f) {
        head += kColumnGap + padded(kColumnHeads[f], widths[f + 1]);
    }
    out << trimmedEnd(head) << '\n';
    for (int k = 1; k <= kMeasurementLines; ++k) {
        std::string row = padded(std::to_string(k), widths[0]);
        for (int f = 0; f < kLineFields; ++f) {
            row += kColumnGap + padded(sheet.line(k, static_cast<LineField>(f)), widths[f + 1]);
        }
        out << trimmedEnd(row) << '\n';
    }

    out << '\n' << in(kInfoLabel, english) << '\n';
    for (int k = 1; k <= kInfoLines; ++k) {
        out << trimmedEnd(std::to_string(k) + kColumnGap + sheet.regel(k)) << '\n';
    }
}

void printJson(const DataSheet& sheet, std::ostream& out) {
    nlohmann::ordered_json fields = nlohmann::ordered_json::object();
    for (const auto& name : DataSheet::textFieldNames()) {
        fields[name] = *sheet.field(name);
    }
    constexpr int kIndent = 2;
    out << fields.dump(kIndent, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

// As the window does: every warning is shown (on standard error) and the run goes on with
// the sheet as it stands; only a step that leaves no sheet (a file that cannot be read, a
// wrong first line) stops it. Exit status 3 when any warning or error was shown.
int runSheet(const SheetOptions& options) {
    ScriptedPlatform platform;
    prepareRunPlatform(platform);
    LocalFileSystem disk;
    DataSheetForm form(platform, disk);
    DataSheet& sheet = form.getHidden();
    selectSheetLanguage(sheet, options.lang);
    emptyAllFields(sheet);

    std::size_t printed = 0;
    bool problem = false;
    // Prints the messages of the last step; true when one of them was a warning or an error.
    const auto report = [&platform, &printed, &problem] {
        printMessages(platform, std::cerr, printed);
        const bool shown = problemShown(platform, printed);
        printed = platform.shown.size();
        problem = problem || shown;
        return shown;
    };
    loadSheetFile(sheet, platform, options.file);
    if (report()) {
        return kExitMessage;  // every load message means the file did not load
    }
    if (!options.prefill.empty()) {
        const bool applied = PrefillFromFile(sheet, options.prefill);
        report();
        if (!applied) {
            return kExitMessage;
        }
    }

    if (options.json) {
        printJson(sheet, std::cout);
    } else {
        printTable(sheet, sheet.english(), std::cout);
    }
    std::cout.flush();

    if (!options.output.empty()) {
        saveSheetFile(sheet, platform, options.output);
        report();
    }
    return problem ? kExitMessage : kExitOk;
}

}  // namespace

void addSheetCommand(CLI::App& app, int& exitCode) {
    auto options = std::make_shared<SheetOptions>();
    auto* cmd = app.add_subcommand(
        "sheet",
        "Load a toroid data file into an empty data sheet, optionally prefill it, print it and save it. "
        "Warnings go to standard error and the run goes on; a file that cannot be read or does not "
        "start as it should stops it. Exit status 3 when a warning or an error was shown.");
    cmd->add_option("FILE", options->file, "toroid data file (.tor) to load")->required();
    cmd->add_option("--prefill", options->prefill, "prefill file (VOORVUL.INI) applied after loading");
    cmd->add_option("-o,--output", options->output, "save the sheet to this file as the Output button does");
    cmd->add_flag("--json", options->json, "print every text field by control name as a JSON object");
    addLangOption(*cmd, options->lang);
    cmd->callback([options, &exitCode] { exitCode = runSheet(*options); });
}

}  // namespace kw::cli
