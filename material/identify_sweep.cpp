#include "material/identify_sweep.h"

#include <algorithm>

#include "common/file_system.h"
#include "common/path_text.h"
#include "common/shared_messages.h"
#include "common/text.h"
#include "material/core_analysis.h"
#include "material/lenient_text.h"
#include "material/number_format.h"
#include "sweep/touchstone.h"

namespace kw {

namespace {

struct SweepTextTable {
    std::string_view frame;
    std::string_view turns;
    std::string_view sweepButton;
    std::string_view saveButton;
    std::string_view dialogTitle;
    std::string_view dialogFilter;
    std::string_view saveTitle;
    std::string_view saveFilter;
    std::string_view file;        // %1 file
    std::string_view resultWith;  // %1 points, %2 MHz, %3 self-resonance MHz, %4 Cd pF
    std::string_view resultWithout;  // %1 points, %2 MHz
    std::string_view lead;           // %1 nH
    std::string_view leadAssumed;    // %1 nH
    std::array<std::string_view, kSpotColumns> spotHeads;
    std::array<std::string_view, kSweepRankColumns> rankHeads;
    std::string_view ferrite;
    std::string_view ironPowder;
    std::string_view likely;
    std::string_view plotTitle;
    std::string_view axisFrequency;
    std::string_view axisMu;
    std::string_view measuredReal;
    std::string_view measuredImag;
};

constexpr SweepTextTable kDutch{
    "Sweep van de spoel alleen",
    "Windingen",
    "Sweep…",
    "Opslaan als CSV",
    "Sweep van de spoel openen",
    "Touchstone (*.s1p *.s2p)|*.s1p;*.s2p;*.S1P;*.S2P",
    "Permeabiliteit opslaan",
    "CSV (*.csv)|*.csv",
    "Bestand: %1",
    "%1 punten tot %2 MHz; eigenresonantie %3 MHz, eigen capaciteit %4 pF",
    "%1 punten tot %2 MHz; geen eigenresonantie in de sweep",
    "aansluitdraden %1 nH",
    "aansluitdraden %1 nH aangenomen",
    {"MHz", "µ′", "µ″"},
    {"#", "Materiaal", "Soort", "Waarschijnlijk"},
    "ferriet",
    "ijzerpoeder",
    "ja",
    "µ′ en µ″ uit de sweep",
    "Frequentie (MHz)",
    "µ",
    "µ′ gemeten",
    "µ″ gemeten",
};

constexpr SweepTextTable kEnglish{
    "Sweep of the coil alone",
    "Turns",
    "Sweep…",
    "Save as CSV",
    "Open a sweep of the coil",
    "Touchstone (*.s1p *.s2p)|*.s1p;*.s2p;*.S1P;*.S2P",
    "Save the permeability",
    "CSV (*.csv)|*.csv",
    "File: %1",
    "%1 points up to %2 MHz; self-resonance %3 MHz, own capacitance %4 pF",
    "%1 points up to %2 MHz; no self-resonance in the sweep",
    "leads %1 nH",
    "leads %1 nH assumed",
    {"MHz", "µ′", "µ″"},
    {"#", "Material", "Family", "Likely"},
    "ferrite",
    "iron powder",
    "yes",
    "µ′ and µ″ from the sweep",
    "Frequency (MHz)",
    "µ",
    "µ′ measured",
    "µ″ measured",
};

const SweepTextTable& textsFor(bool english) {
    return english ? kEnglish : kDutch;
}

constexpr double kMega = 1e6;
constexpr int kMhzDecimals = 2;
constexpr int kPicoDecimals = 1;
constexpr double kPico = 1e12;

char separatorOf(const DataSheet& sheet) {
    return sheet.platform != nullptr ? sheet.platform->decimalSeparator() : '.';
}

// The sweep part's message boxes: %1 the file, %2 the reason.
constexpr BilingualMessage kReadFailed = {
    .nl = {kErrorTitleDutch, "%1 kan niet gelezen worden: %2"},
    .uk = {kErrorTitleEnglish, "%1 cannot be read: %2"},
};
constexpr BilingualMessage kBadFile = {
    .nl = {kErrorTitleDutch, "%1: %2"},
    .uk = {kErrorTitleEnglish, "%1: %2"},
};
constexpr BilingualMessage kWriteFailed = {
    .nl = {kErrorTitleDutch, "%1 kan niet geschreven worden: %2"},
    .uk = {kErrorTitleEnglish, "%1 cannot be written: %2"},
};

void showError(const DataSheet& sheet, const BilingualMessage& message, const std::vector<std::string>& args) {
    if (sheet.platform != nullptr) {
        show(*sheet.platform, message, sheet.english(), args);
    }
}

// A table's column heads as the record keeps them.
template <std::size_t N>
std::array<std::string, N> texts(const std::array<std::string_view, N>& heads) {
    std::array<std::string, N> out;
    std::copy(heads.begin(), heads.end(), out.begin());
    return out;
}

std::string materialLabel(const Material& m) {
    return m.maker + " " + m.grade;
}

}  // namespace

void IdentifySweep::Form_Load(const DataSheet& sheet) {
    english = sheet.english();
    const SweepTextTable& t = textsFor(english);
    frameSweep = t.frame;
    lblWindingen = t.turns;
    cmdSweep.caption = t.sweepButton;
    cmdOpslaan.caption = t.saveButton;
    cmdOpslaan.enabled = hasResult;
    spotHeads = texts(t.spotHeads);
    rankHeads = texts(t.rankHeads);
    if (trimBlanks(txtWindingen.text).empty()) {
        for (int k = 1; k <= kMeasurementLines; ++k) {
            if (const auto n = readTurns(sheet.line(k, LineField::N))) {
                txtWindingen.text = std::to_string(*n);
                break;
            }
        }
    }
    if (hasResult) {
        fillResult(separatorOf(sheet));
    }
}

void IdentifySweep::cmdSweep_Click(const DataSheet& sheet) {
    if (sheet.platform == nullptr) {
        return;
    }
    const SweepTextTable& t = textsFor(sheet.english());
    const FileDialogRequest request{std::string(t.dialogTitle), std::string(t.dialogFilter), "",
                                    sheet.userFolder(), "", false};
    if (const auto chosen = sheet.platform->openFileName(request)) {
        openSweep(*chosen, sheet);
    }
}

void IdentifySweep::Form_DragDrop(const std::string& path, const DataSheet& sheet) {
    openSweep(path, sheet);
}

bool IdentifySweep::openSweep(const std::string& path, const DataSheet& sheet) {
    english = sheet.english();
    if (sheet.files == nullptr) {
        return false;
    }
    const ReadResult read = sheet.files->readFile(path);
    if (!read.ok) {
        showError(sheet, kReadFailed, {path, read.error});
        return false;
    }
    const TouchstoneResult parsed = ReadTouchstone(read.bytes, PortsFromFileName(path));
    if (const auto* fault = std::get_if<TouchstoneError>(&parsed)) {
        showError(sheet, kBadFile, {path, DescribeTouchstoneError(*fault, english)});
        return false;
    }
    const auto& swept = std::get<TouchstoneSweep>(parsed);
    const std::optional<int> turns = readTurns(txtWindingen.text);
    const CoreAnalysis analysis = analyseSheet(sheet, materials);
    const SweepIdentificationResult found =
        identifySweep(swept, SweepParameter::S11, turns.value_or(0), analysis.dimensions.size, materials, curves);
    if (const auto* e = std::get_if<CoilError>(&found)) {
        showError(sheet, kBadFile, {path, DescribeCoilError(*e, english)});
        return false;
    }
    result = std::get<SweepIdentification>(found);
    hasResult = true;
    file = path;
    cmdOpslaan.enabled = true;
    fillResult(separatorOf(sheet));
    return true;
}

void IdentifySweep::cmdOpslaan_Click(const DataSheet& sheet) {
    if (!hasResult || sheet.platform == nullptr || sheet.files == nullptr) {
        return;
    }
    const SweepTextTable& t = textsFor(sheet.english());
    std::string name = FileOnly(file);
    name = name.substr(0, name.find_last_of('.')) + ".csv";
    const FileDialogRequest request{std::string(t.saveTitle), std::string(t.saveFilter), "csv",
                                    sheet.userFolder(), name, true};
    const auto chosen = sheet.platform->saveFileName(request);
    if (!chosen) {
        return;
    }
    const WriteResult written = sheet.files->writeFileAtomic(*chosen, permeabilityCsv(result.permeability, separatorOf(sheet)));
    if (!written.ok) {
        showError(sheet, kWriteFailed, {*chosen, written.error});
    }
}

void IdentifySweep::fillResult(char sep) {
    const SweepTextTable& t = textsFor(english);
    const CoilPermeability& p = result.permeability;
    lblBestand = FillIn(t.file, {FileOnly(file)});
    const std::string points = std::to_string(p.points.size());
    const std::string top = formatDecimals(p.validToHz / kMega, kMhzDecimals, sep);
    if (p.selfResonanceHz && p.strayPf) {
        lblResultaat = FillIn(t.resultWith, {points, top, formatDecimals(*p.selfResonanceHz / kMega, kMhzDecimals, sep),
                                             formatDecimals(*p.strayPf, kPicoDecimals, sep)});
    } else {
        lblResultaat = FillIn(t.resultWithout, {points, top});
    }
    if (p.leadNh > 0.0) {
        lblResultaat += "; " + FillIn(p.leadFitted ? t.lead : t.leadAssumed, {formatDecimals(p.leadNh, kPicoDecimals, sep)});
    }

    spotRows.clear();
    for (const double f : kSpotFrequenciesHz) {
        const auto at = permeabilityAt(p.points, f);
        spotRows.push_back({formatMeasured(f / kMega, sep), at ? formatMeasured(at->muReal, sep) : kNoNumber,
                            at ? formatMeasured(at->muImag, sep) : kNoNumber});
    }

    rankRows.clear();
    for (std::size_t i = 0; i < result.candidates.size() && i < static_cast<std::size_t>(kSweepRanksShown); ++i) {
        const Candidate& c = result.candidates[i];
        rankRows.push_back({std::to_string(c.group), materialLabel(c.material),
                            std::string(c.material.family == MaterialFamily::Ferrite ? t.ferrite : t.ironPowder),
                            c.likely ? std::string(t.likely) : std::string()});
    }

    plot = {};
    plot.title = t.plotTitle;
    plot.axisFrequency = t.axisFrequency;
    plot.axisMu = t.axisMu;
    plot.measured.name = t.measuredReal;
    plot.measuredImag = t.measuredImag;
    plot.measured.hasImag = true;
    for (const auto& pt : p.points) {
        plot.measured.points.push_back({pt.hertz, pt.muReal, pt.muImag});
    }
    // The three nearest materials over the measured band, each on the edition of its table it
    // was ranked with, one curve for a grade that several makers share.
    std::vector<std::string> drawn;
    for (const Candidate& c : result.candidates) {
        if (static_cast<int>(plot.nearest.size()) >= kSweepCurvesShown) {
            break;
        }
        const std::string drawnKey = c.material.grade + "/" + c.edition;
        if (std::find(drawn.begin(), drawn.end(), drawnKey) != drawn.end()) {
            continue;
        }
        drawn.push_back(drawnKey);
        PlotCurve curve;
        curve.name = materialLabel(c.material);
        curve.hasImag = curves.curves.count(c.material.grade) > 0;
        for (const auto& pt : p.points) {
            if (const auto e = expectedPermeability(curves, c.material, pt.hertz, c.edition)) {
                curve.points.push_back({pt.hertz, e->real, e->imag});
            }
        }
        plot.nearest.push_back(std::move(curve));
    }
}

}  // namespace kw
