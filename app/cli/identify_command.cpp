// kernwijs-cli identify: µr of a toroid from its AL and size, and the materials it may be.

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "cli_support.h"
#include "commands.h"
#include "common/text.h"
#include "identify_sweep.h"
#include "common/file_system.h"
#include "material/identify_core.h"
#include "material/lenient_text.h"

namespace kw::cli {

namespace {

namespace fs = std::filesystem;

struct IdentifyOptions {
    std::vector<std::string> al;
    std::string od;
    std::string id;
    std::string h;
    std::string sheet;
    std::string table;
    std::string colour;
    std::string lang = std::string(kLangDutch);
    bool json = false;
    SweepOptions sweep;
};

constexpr const char* kOwnExecutable = "/proc/self/exe";
const std::string kColumnGap = "  ";
const std::string kIndent = "  ";

// A data file beside the program (a build-tree run), else the installed one.
std::string defaultDataPath(std::string_view file) {
    std::error_code ec;
    const fs::path exe = fs::read_symlink(kOwnExecutable, ec);
    const fs::path beside = exe.parent_path() / std::string(file);
    if (!ec && fs::is_regular_file(beside, ec)) {
        return beside.string();
    }
    return (fs::path(KERNWIJS_DATA_DIR) / std::string(file)).string();
}

// A usage error for a value the lenient reader cannot take; nullopt when it reads.
std::optional<std::string> unreadable(const std::string& option, const std::string& value, bool readable,
                                      const char* what) {
    if (readable) {
        return std::nullopt;
    }
    return option + ": cannot read \"" + value + "\" as " + what;
}

std::optional<std::string> checkDirectValues(const IdentifyOptions& o) {
    for (const auto& al : o.al) {
        if (auto e = unreadable("--al", al, readAlNh(al).has_value(), "an AL in nH/N² (or with µH/100)")) {
            return e;
        }
    }
    const std::pair<const char*, const std::string*> sizes[] = {
        {"--od", &o.od}, {"--id", &o.id}, {"--h", &o.h}};
    for (const auto& [name, value] : sizes) {
        if (auto e = unreadable(name, *value, readDimensionMm(*value).has_value(), "a size in mm")) {
            return e;
        }
    }
    if (!(*readDimensionMm(o.id) < *readDimensionMm(o.od))) {
        return std::string("--id must be smaller than --od");
    }
    constexpr std::size_t kMostLines = kMeasurementLines;
    if (o.al.size() > kMostLines) {
        return "--al: at most " + std::to_string(kMostLines) + " values";
    }
    return std::nullopt;
}

// ---- the readable report: the window's texts in rows ----

std::string padded(std::string_view text, std::size_t width) {
    std::string out(text);
    out.append(width - std::min(width, CharacterCount(text)), ' ');
    return out;
}

std::string trimmedEnd(std::string line) {
    line.erase(line.find_last_not_of(' ') + 1);
    return line;
}

template <std::size_t N>
void printGrid(const std::array<std::string, N>& heads, const std::vector<std::array<std::string, N>>& rows,
               std::ostream& out) {
    std::array<std::size_t, N> widths{};
    for (std::size_t c = 0; c < N; ++c) {
        widths[c] = CharacterCount(heads[c]);
        for (const auto& r : rows) {
            widths[c] = std::max(widths[c], CharacterCount(r[c]));
        }
    }
    const auto line = [&](const std::array<std::string, N>& cells) {
        std::string text = kIndent;
        for (std::size_t c = 0; c < N; ++c) {
            text += (c > 0 ? kColumnGap : std::string()) + padded(cells[c], widths[c]);
        }
        out << trimmedEnd(text) << '\n';
    };
    line(heads);
    for (const auto& r : rows) {
        line(r);
    }
}

void printLabelled(const std::vector<const LabelledValue*>& values, std::ostream& out) {
    std::size_t width = 0;
    for (const auto* v : values) {
        width = std::max(width, CharacterCount(v->label));
    }
    for (const auto* v : values) {
        out << trimmedEnd(kIndent + padded(v->label, width) + kColumnGap + v->value) << '\n';
    }
}

void printReport(const IdentifyCore& w, std::ostream& out) {
    out << w.caption << "\n\n" << w.frameMaten << '\n';
    printLabelled({&w.buiten, &w.binnen, &w.hoog, &w.padlengte, &w.doorsnede}, out);

    out << '\n' << w.frameRegels << '\n';
    std::vector<std::array<std::string, kLineColumns>> lines;
    for (const auto& r : w.lineRows) {
        lines.push_back(r.cells);
    }
    printGrid(w.lineHeads, lines, out);
    printLabelled({&w.gemiddeldeAL, &w.spreiding, &w.gecorrigeerdAL, &w.gemiddeldeMu, &w.muBereik, &w.maat},
                  out);

    out << '\n' << w.frameEigenC << '\n';
    for (const auto& s : w.eigenC) {
        out << kIndent << s << '\n';
    }

    out << '\n' << w.lblFamilie << '\n';
    if (!w.lblWaarschuwing.empty()) {
        out << w.lblWaarschuwing << '\n';
    }
    if (!w.candidateRows.empty()) {
        out << '\n' << w.frameKandidaten << '\n';
        std::vector<std::array<std::string, kCandidateColumns>> rows;
        for (const auto& r : w.candidateRows) {
            rows.push_back(r.cells);
        }
        printGrid(w.candidateHeads, rows, out);
        for (const auto& note : w.groupNotes) {
            out << note << '\n';
        }
        for (const auto& detail : w.candidateDetails) {
            out << kIndent << detail << '\n';
        }
        out << w.lblRangorde << '\n' << w.lblCatalogus << '\n';
    }
}

// ---- the same for scripts ----

nlohmann::ordered_json numberOrNull(const std::optional<double>& value) {
    return value ? nlohmann::ordered_json(*value) : nlohmann::ordered_json(nullptr);
}

nlohmann::ordered_json expectedJson(const Candidate& c) {
    auto lines = nlohmann::ordered_json::array();
    for (const auto& x : c.expected) {
        lines.push_back({{"line", x.line},
                         {"frequency_hz", x.freqHz > 0.0 ? nlohmann::ordered_json(x.freqHz) : nullptr},
                         {"mu_real", x.real},
                         {"mu_imag", x.imag},
                         {"mu_real_low", x.low},
                         {"mu_real_high", x.high},
                         {"edition", c.edition.empty() ? nlohmann::ordered_json(nullptr)
                                                       : nlohmann::ordered_json(c.edition)}});
    }
    return lines;
}

std::string familyWord(MaterialFamily family) {
    return family == MaterialFamily::Ferrite ? "ferrite" : "iron powder";
}

nlohmann::ordered_json boxJson(const BoxReading& box) {
    return box.state == BoxState::Read ? nlohmann::ordered_json(box.value) : nlohmann::ordered_json(nullptr);
}

void printJson(const IdentifyCore& w, std::ostream& out) {
    const CoreAnalysis& a = w.analysis;
    nlohmann::ordered_json j;
    j["language"] = w.english ? kLangEnglish : kLangDutch;
    j["dimensions_mm"] = {{"outer", boxJson(a.dimensions.outer)},
                          {"inner", boxJson(a.dimensions.inner)},
                          {"height", boxJson(a.dimensions.height)}};
    j["path_length_mm"] = numberOrNull(a.pathLengthMm);
    j["area_mm2"] = numberOrNull(a.areaMm2);
    j["lines"] = nlohmann::ordered_json::array();
    for (const auto& l : a.lines) {
        nlohmann::ordered_json line;
        line["line"] = l.line;
        line["turns"] = l.turns ? nlohmann::ordered_json(*l.turns) : nlohmann::ordered_json(nullptr);
        line["al_nH_per_turn2"] = numberOrNull(l.alNh);
        line["al_mH_per_1000_turns"] =
            numberOrNull(l.alNh ? std::optional(alMilliHenryPer1000Turns(*l.alNh)) : std::nullopt);
        line["al_uH_per_100_turns"] =
            numberOrNull(l.alNh ? std::optional(alMicroHenryPer100Turns(*l.alNh)) : std::nullopt);
        line["al_from"] = !l.alNh                         ? nlohmann::ordered_json(nullptr)
                          : l.alSource == AlSource::Sheet ? nlohmann::ordered_json("sheet")
                                                          : nlohmann::ordered_json("resonance");
        line["al_corrected_nH_per_turn2"] = numberOrNull(l.alCorrectedNh);
        line["q"] = numberOrNull(l.q);
        line["q_corrected"] = numberOrNull(l.qCorrected);
        line["frequency_hz"] = numberOrNull(l.freqHz);
        line["mu_r"] = numberOrNull(l.muR);
        line["mu_imag"] = numberOrNull(l.muImag);
        j["lines"].push_back(line);
    }
    if (a.al) {
        j["al_nH_per_turn2"] = {
            {"mean", a.al->mean}, {"min", a.al->min}, {"max", a.al->max}, {"spread", a.al->relative}};
    } else {
        j["al_nH_per_turn2"] = nullptr;
    }
    if (a.alCorrected) {
        j["al_corrected_nH_per_turn2"] = {{"mean", a.alCorrected->mean},
                                          {"min", a.alCorrected->min},
                                          {"max", a.alCorrected->max},
                                          {"spread", a.alCorrected->relative}};
    } else {
        j["al_corrected_nH_per_turn2"] = nullptr;
    }
    j["mu_r"] = numberOrNull(a.muR);
    j["mu_r_range"] = a.muLow && a.muHigh ? nlohmann::ordered_json{{"low", *a.muLow}, {"high", *a.muHigh}}
                                          : nlohmann::ordered_json(nullptr);
    j["matched_size"] =
        a.matchedSize ? nlohmann::ordered_json(*a.matchedSize) : nlohmann::ordered_json(nullptr);
    j["colour"] = w.colour.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(w.colour);
    j["family"] = a.family ? nlohmann::ordered_json(familyWord(*a.family)) : nlohmann::ordered_json(nullptr);
    j["stray_capacitance"] = nlohmann::ordered_json::array();
    for (const auto& s : a.stray) {
        j["stray_capacitance"].push_back({{"turns", s.turns}, {"lines", s.lines}, {"pF", s.capacitancePf}});
    }
    j["highest_frequency_hz"] = numberOrNull(a.highestFrequencyHz);
    j["ferrite_frequency_warning"] = a.ferriteFrequencyWarning;
    j["candidates"] = nlohmann::ordered_json::array();
    for (std::size_t i = 0; i < a.candidates.size(); ++i) {
        const Candidate& c = a.candidates[i];
        j["candidates"].push_back(
            {{"rank", i + 1},
             {"group", c.group},
             {"maker", c.material.maker},
             {"grade", c.material.grade},
             {"family", familyWord(c.material.family)},
             {"mu_i", c.material.mu},
             {"colour", w.english ? c.material.colourEn : c.material.colourNl},
             {"deviation", c.deviation},
             {"distance", c.distance},
             {"compared_with", c.byCatalogueAl ? "catalogue AL of the size" : "catalogue mu"},
             {"expected_mu", c.expectedMu},
             {"likely", c.likely},
             {"source", c.material.source},
             {"listed_for_size", c.listedForSize},
             {"stray_capacitance_pF", numberOrNull(c.strayPf)},
             {"expected", expectedJson(c)}});
    }
    j["group_notes"] = w.groupNotes;
    j["ranking_note"] = w.lblRangorde;
    j["catalogue_note"] = w.lblCatalogus;
    j["hints"] = w.hints;
    constexpr int kJsonIndent = 2;
    out << j.dump(kJsonIndent, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

int runIdentify(const IdentifyOptions& options) {
    ScriptedPlatform platform;
    prepareRunPlatform(platform);
    LocalFileSystem disk;
    DataSheetForm form(platform, disk);
    DataSheet& sheet = form.getHidden();
    selectSheetLanguage(sheet, options.lang);
    emptyAllFields(sheet);

    if (!options.sheet.empty()) {
        loadSheetFile(sheet, platform, options.sheet);
        if (problemShown(platform)) {
            printMessages(platform, std::cerr);
            return kExitMessage;
        }
    } else {
        if (const auto problem = checkDirectValues(options)) {
            std::cerr << "identify: " << *problem << '\n';
            return kExitUsage;
        }
        // The values stand on the sheet as if typed there; the window reads them from it.
        sheet.txtBuiten = options.od;
        sheet.txtBinnen = options.id;
        sheet.txtHoog = options.h;
        for (std::size_t k = 0; k < options.al.size(); ++k) {
            sheet.line(static_cast<int>(k) + 1, LineField::mH) = options.al[k];
        }
    }

    IdentifyCore window;
    window.table =
        loadMaterialTable(disk, options.table.empty() ? defaultDataPath(kMaterialTableFile) : options.table);
    window.sizes = loadCoreSizeTable(disk, defaultDataPath(kCoreSizeTableFile));
    window.curves = loadPermeabilityTable(disk, defaultDataPath(kPermeabilityTableFile));
    if (!options.colour.empty()) {
        // Either language's name; the window keeps the English one.
        const auto& ms = window.table.materials;
        const auto painted = std::find_if(ms.begin(), ms.end(),
                                          [&](const Material& m) { return paintedIn(m, options.colour); });
        if (painted == ms.end()) {
            std::string known;
            for (const auto& c : paintColours(ms, true)) {
                known += (known.empty() ? "" : ", ") + c;
            }
            std::cerr << "identify: --colour: no material is painted \"" << options.colour
                      << "\" (known: " << known << ")\n";
            return kExitUsage;
        }
        window.colour = painted->colourEn;
    } else {
        window.colour = paintColourOnSheet(sheet, window.table.materials);
    }
    window.Form_Load(sheet);
    if (options.json) {
        printJson(window, std::cout);
    } else {
        printReport(window, std::cout);
    }
    std::cout.flush();
    for (const auto& hint : window.hints) {
        std::cerr << hint << '\n';
    }
    return window.hints.empty() ? kExitOk : kExitMessage;
}

}  // namespace

void addIdentifyCommand(CLI::App& app, int& exitCode) {
    auto options = std::make_shared<IdentifyOptions>();
    auto* cmd = app.add_subcommand(
        "identify",
        "Relative permeability of a toroid from its AL value and size, AL in both catalogue conventions, "
        "and the known materials ranked by how well each one's µ′ and µ″ over frequency explain every "
        "line at its own frequency, with the winding capacitance fitted to each. Hints about missing or "
        "unreadable values go to standard error; exit status 3 then.");
    auto* al = cmd->add_option("--al", options->al,
                               "AL in nH/N² (= mH/1000 turns), or with its unit as catalogues write it "
                               "(\"49 µH/100T\", \"0.35 µH/N²\"); repeat for several measurements");
    auto* od =
        cmd->add_option("--od", options->od, "outer diameter in mm (\"12,7\" and \"12.7 mm\" both work)");
    auto* id = cmd->add_option("--id", options->id, "inner diameter in mm");
    auto* h = cmd->add_option("--h", options->h, "height in mm");
    auto* sheet = cmd->add_option("--sheet", options->sheet,
                                  "read the dimensions and every measurement line from a toroid data file");
    cmd->add_option("--table", options->table, "material table to rank against (default: materials.csv)");
    cmd->add_option("--colour", options->colour,
                    "paint colour of an iron-powder core, in English or Dutch (\"red\", \"green/white\"): "
                    "rank only the mixes painted so");
    cmd->add_flag("--json", options->json, "print the figures and the ranked materials as JSON");
    addLangOption(*cmd, options->lang);
    auto* touchstone = cmd->add_option("--touchstone", options->sweep.touchstone,
                                       "a coil-alone sweep (.s1p, .s2p): µ′ and µ″ over the band and the "
                                       "materials whose curves lie nearest");
    auto* turns = cmd->add_option("--turns", options->sweep.turns, "turns of the swept coil");
    auto* size = cmd->add_option("--size", options->sweep.size, "catalogue size of the swept core (\"FT-240\")");
    auto* parameter = cmd->add_option("--parameter", options->sweep.parameter,
                                      "S11: the coil across port 1 (default); S21: in series between the ports")
                          ->check(CLI::IsMember({"S11", "S21", "s11", "s21"}));
    auto* csv = cmd->add_option("--csv", options->sweep.csv, "write the swept µ′ and µ″ into this CSV file");
    for (auto* direct : {al, od, id, h, touchstone}) {
        direct->excludes(sheet);
    }
    for (auto* swept : {turns, size, parameter, csv}) {
        swept->needs(touchstone);
    }
    touchstone->excludes(al);
    size->excludes(od)->excludes(id)->excludes(h);
    al->needs(od, id, h);
    cmd->callback([options, &exitCode] {
        if (!options->sweep.touchstone.empty()) {
            LocalFileSystem disk;
            const auto table = loadMaterialTable(
                disk, options->table.empty() ? defaultDataPath(kMaterialTableFile) : options->table);
            const auto sizes = loadCoreSizeTable(disk, defaultDataPath(kCoreSizeTableFile));
            const auto curves = loadPermeabilityTable(disk, defaultDataPath(kPermeabilityTableFile));
            options->sweep.od = options->od;
            options->sweep.id = options->id;
            options->sweep.h = options->h;
            options->sweep.json = options->json;
            exitCode = runIdentifySweep(options->sweep, table.materials, sizes.cores, curves);
            return;
        }
        if (options->sheet.empty() && options->al.empty()) {
            throw CLI::RequiredError("--al (with --od, --id and --h), --sheet FILE.tor or --touchstone FILE");
        }
        if (options->od.empty() || options->id.empty() || options->h.empty()) {
            if (!options->al.empty()) {
                throw CLI::RequiredError("--od, --id and --h");
            }
        }
        exitCode = runIdentify(*options);
    });
}

}  // namespace kw::cli
