#include <array>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "calculator/calculator.h"
#include "calculator/captions.h"
#include "cli_support.h"
#include "commands.h"
#include "common/file_system.h"
#include "common/scripted_platform.h"
#include "datasheet/datasheet.h"

namespace kw::cli {

namespace {

struct CalcArgs {
    std::string turns;
    std::string cap;
    std::string freq;
    std::string f1;
    std::string f2;
    std::string top;
    CLI::Option* turnsOpt = nullptr;
    CLI::Option* capOpt = nullptr;
    CLI::Option* freqOpt = nullptr;
    CLI::Option* f1Opt = nullptr;
    CLI::Option* f2Opt = nullptr;
    CLI::Option* topOpt = nullptr;
    bool pF = false;
    bool MHz = false;
    bool topR = false;
    bool noQ = false;
    std::string lang = "NL";
    bool json = false;
    // Fill Line into a sheet file.
    std::string sheetFile;
    int line = 1;
    bool noLprn = false;
    bool qrlc = false;
    // The frequencies from an analyser's sweep.
    std::string touchstone;
    std::string parameter;
};

constexpr std::int16_t kIndexSecond = 1;  // UK, Top-R, MHz, pF
constexpr int kUnchecked = 0;
constexpr int kChecked = 1;

struct ResultRow {
    std::string_view jsonName;
    TextBox Calculator::*field;
    std::string_view label;
    std::string_view unit;
};

constexpr std::array<ResultRow, 6> kResultRows = {{
    {"AL", &Calculator::txtALwaarde, "AL", "nH/N^2"},
    {"L_mH", &Calculator::txtLmH, "L", "mH"},
    {"Q_loaded", &Calculator::txtQRLC, "Q loaded", ""},
    {"Q_corrected", &Calculator::txtQLC, "Q corrected", ""},
    {"Rs", &Calculator::txtQRS, "Rs", "ohm"},
    {"Rp", &Calculator::txtQRP, "Rp", "ohm"},
}};

std::string_view iconName(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Critical:
            return "critical";
        case MsgIcon::Question:
            return "question";
        case MsgIcon::None:
            break;
    }
    return "none";
}

// Message texts break lines with a lone CR; a terminal wants LF.
std::string terminalLines(std::string text) {
    for (char& c : text) {
        if (c == '\r') {
            c = '\n';
        }
    }
    return text;
}

bool anyResult(const Calculator& calc) {
    for (const auto& row : kResultRows) {
        if ((calc.*row.field).text != " ") {
            return true;
        }
    }
    return false;
}

void printTable(const Calculator& calc, const std::optional<MessageBox>& message, int beeps) {
    if (calc.sweep.opened > 0) {
        const SweepView& v = calc.sweep;
        std::cout << "Sweep        " << v.file << (v.parameter == SweepParameter::S21 ? " S21" : " S11")
                  << ", " << v.curve.hertz.size() << " points: f " << calc.txtFreq.text << ", f1 "
                  << calc.txtFres1.text << ", f2 " << calc.txtFres2.text << calc.f_eenheid << '\n';
    }
    if (message) {
        std::cout << message->title << '\n' << terminalLines(message->text) << '\n';
    }
    if (!message || anyResult(calc)) {
        for (const auto& row : kResultRows) {
            std::string line = std::string(row.label);
            line.resize(13, ' ');
            line += (calc.*row.field).text;
            if (!row.unit.empty() && (calc.*row.field).text != " ") {
                line += ' ';
                line += row.unit;
            }
            std::cout << line << '\n';
        }
    }
    if (beeps > 0) {
        std::cerr << "kernwijs-cli: " << beeps
                  << " beep(s): an input out of range was reset to its default\n";
    }
}

// The sweep's findings, or null when no sweep was opened.
nlohmann::ordered_json sweepJson(const Calculator& calc, const CalcArgs& args) {
    if (args.touchstone.empty() || calc.sweep.opened == 0) {
        return nullptr;
    }
    const bool english = calc.Taal == kTaalUK;
    const SweepView& v = calc.sweep;
    const bool s21 = v.parameter == SweepParameter::S21;
    return {{"file", v.file},
            {"parameter", s21 ? "S21" : "S11"},
            {"points", v.curve.hertz.size()},
            {"f0_hz", v.found.f0},
            {"f1_hz", v.found.f1},
            {"f2_hz", v.found.f2},
            {"q", v.found.q},
            {"peak", v.found.peak},
            {"peak_unit", s21 ? "dB" : "ohm"},
            {"fitted", v.found.fitted},
            {"fit_points", v.found.fitPoints},
            {"f0_uncertainty_hz", v.found.f0Uncertainty},
            {"q_uncertainty_pct", v.found.q > 0 ? 100.0 * v.found.qUncertainty / v.found.q : 0.0},
            {"set_aside_points", v.found.setAside},
            {"averaged_points", v.averagedPoints},
            {"advice", DescribeAdvice(v.found, english)}};
}

void printJson(const Calculator& calc, const std::optional<MessageBox>& message, int beeps,
               const CalcArgs& args) {
    nlohmann::ordered_json out;
    out["inputs"] = {
        {"turns", calc.txtWikkeling.text}, {"cap", calc.txtCap.text},  {"freq", calc.txtFreq.text},
        {"f1", calc.txtFres1.text},        {"f2", calc.txtFres2.text}, {"top", calc.txtTopR.text},
    };
    nlohmann::ordered_json results = nlohmann::ordered_json::object();
    for (const auto& row : kResultRows) {
        results[std::string(row.jsonName)] = (calc.*row.field).text;
    }
    out["results"] = results;
    out["fill_line"] = calc.cmdBestand.enabled;
    if (message) {
        out["message"] = {{"title", message->title},
                          {"text", message->text},
                          {"icon", std::string(iconName(message->icon))}};
    } else {
        out["message"] = nullptr;
    }
    out["beeps"] = beeps;
    if (!args.touchstone.empty()) {
        out["sweep"] = sweepJson(calc, args);
    }
    std::cout << out.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

// Fill Line into measurement line args.line of the sheet file, then Output to the same file.
// False when loading or saving showed a problem.
bool fillSheetFile(Calculator& calc, ScriptedPlatform& platform, const CalcArgs& args) {
    DataSheet& sheet = calc.dataSheet->getHidden();
    const std::size_t before = platform.shown.size();
    if (!openSheetFile(sheet, platform, args.sheetFile)) {
        printMessages(platform, std::cerr, before);
        return false;
    }
    calc.cboKiesregel.selected = args.line - 1;
    calc.setCheck(&Calculator::chkLprn, args.noLprn ? kUnchecked : kChecked);
    if (args.qrlc && calc.chkQRLC.enabled) {
        calc.setCheck(&Calculator::chkQRLC, kChecked);
    }
    calc.cmdBestand_Click();
    const std::size_t beforeSave = platform.shown.size();
    saveSheetFile(sheet, platform, args.sheetFile);
    if (problemShown(platform, beforeSave)) {
        printMessages(platform, std::cerr, beforeSave);
        return false;
    }
    return true;
}

int runCalc(const CalcArgs& args) {
    ScriptedPlatform platform;  // '.' as decimal separator
    prepareRunPlatform(platform);
    LocalFileSystem files;
    DataSheetForm sheet(platform, files);
    Calculator calc;
    calc.platform = &platform;
    calc.dataSheet = &sheet;
    calc.Form_Load();

    // Option choices that differ from the start-up state, each as a click.
    if (args.lang == "UK") {
        calc.selectOption(&Calculator::optLANG, kIndexSecond);
    }
    if (args.topR) {
        calc.selectOption(&Calculator::optTOPC, kIndexSecond);
    }
    if (args.MHz) {
        calc.selectOption(&Calculator::optFreq, kIndexSecond);
    }
    if (args.pF) {
        calc.selectOption(&Calculator::optCapVal, kIndexSecond);
    }
    if (args.noQ) {
        calc.setCheck(&Calculator::chkQaan, kUnchecked);
    }

    // Texts as pasted: only the change rule runs.
    const auto paste = [&](CLI::Option* given, TextBox Calculator::*field, const std::string& text) {
        if (given->count() > 0) {
            calc.setText(field, text);
        }
    };
    paste(args.turnsOpt, &Calculator::txtWikkeling, args.turns);
    paste(args.capOpt, &Calculator::txtCap, args.cap);
    paste(args.freqOpt, &Calculator::txtFreq, args.freq);
    if (!args.noQ) {
        paste(args.f1Opt, &Calculator::txtFres1, args.f1);
        paste(args.f2Opt, &Calculator::txtFres2, args.f2);
    }
    paste(args.topOpt, &Calculator::txtTopR, args.top);

    // The sweep sets -f, --f1 and --f2 as dropping it onto the window does; when it cannot,
    // its message is the outcome and nothing is calculated.
    const std::size_t shownBefore = platform.shown.size();
    bool sweepOk = true;
    if (!args.touchstone.empty()) {
        calc.files = &files;
        std::optional<SweepParameter> parameter;
        if (!args.parameter.empty()) {
            parameter = args.parameter == "S11" ? SweepParameter::S11 : SweepParameter::S21;
        }
        sweepOk = calc.openSweep(args.touchstone, parameter);
    }
    if (sweepOk) {
        calc.cmdBereken_Click();
    }
    std::optional<MessageBox> message;
    if (platform.shown.size() > shownBefore) {
        message = platform.lastMessage();
    }

    if (args.json) {
        printJson(calc, message, platform.beeps, args);
    } else {
        printTable(calc, message, platform.beeps);
    }
    // Nothing is written when the calculation left Fill Line disabled.
    bool sheetOk = true;
    if (!args.sheetFile.empty() && calc.cmdBestand.enabled) {
        sheetOk = fillSheetFile(calc, platform, args);
    }
    return message || !sheetOk ? kExitMessage : kExitOk;
}

}  // namespace

void addCalcCommand(CLI::App& app, int& exitCode) {
    auto args = std::make_shared<CalcArgs>();
    auto* cmd = app.add_subcommand(
        "calc",
        "AL, L, Q and loss resistances of one resonance measurement, as the Calculator window computes them");
    args->turnsOpt = cmd->add_option("-n,--turns", args->turns, "number of turns (1 - 101)");
    args->capOpt = cmd->add_option("-c,--cap", args->cap, "total parallel capacitance, nF (or pF with --pF)");
    args->freqOpt = cmd->add_option("-f,--freq", args->freq, "resonance frequency, kHz (or MHz with --MHz)");
    args->f1Opt = cmd->add_option("--f1", args->f1, "first -3 dB point");
    args->f2Opt = cmd->add_option("--f2", args->f2, "second -3 dB point");
    args->topOpt = cmd->add_option("-t,--top", args->top, "Top-C in pF (or Top-R in kOhm with --top-r)");
    cmd->add_flag("--pF", args->pF, "capacitance in pF instead of nF");
    cmd->add_flag("--MHz", args->MHz, "frequencies in MHz instead of kHz");
    cmd->add_flag("--top-r", args->topR, "Top-R method instead of Top-C");
    cmd->add_flag("--no-q", args->noQ, "no Q values (the -3 dB points are ignored)");
    cmd->add_option("--lang", args->lang, "language of the messages")
        ->check(CLI::IsMember({"NL", "UK"}))
        ->capture_default_str();
    cmd->add_flag("--json", args->json, "print one JSON object");
    auto* sheetOpt = cmd->add_option(
        "--sheet", args->sheetFile, "fill the result into this .tor file (created when missing) and save it");
    cmd->add_option("--line", args->line, "measurement line of the sheet, 1 - 7")
        ->check(CLI::Range(1, kMeasurementLines))
        ->needs(sheetOpt)
        ->capture_default_str();
    cmd->add_flag("--no-lprn", args->noLprn, "do not append L to info line 8")->needs(sheetOpt);
    cmd->add_flag("--qrlc", args->qrlc, "also append the uncorrected Q to info line 7 (Top-R method)")
        ->needs(sheetOpt);
    auto* touchstoneOpt =
        cmd->add_option("--touchstone", args->touchstone,
                        "take -f, --f1 and --f2 from a network analyser's sweep (.s1p, .s2p)")
            ->excludes(args->freqOpt)
            ->excludes(args->f1Opt)
            ->excludes(args->f2Opt);
    cmd->get_option("--no-q")->excludes(touchstoneOpt);
    cmd->add_option("--parameter", args->parameter,
                    "S21 (transmission, the default for .s2p) or S11 (reflection, the tank across port 1)")
        ->transform(CLI::IsMember({"S21", "S11"}, CLI::ignore_case))
        ->needs(touchstoneOpt);
    cmd->callback([args, &exitCode] { exitCode = runCalc(*args); });
}

}  // namespace kw::cli
