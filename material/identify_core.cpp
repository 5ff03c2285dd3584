#include "material/identify_core.h"

#include <algorithm>

#include "common/path_text.h"
#include "material/identify_texts.h"
#include "material/number_text.h"
#include "material/permeability.h"

namespace kw {

namespace {

constexpr double kHzPerMHz = 1.0e6;
constexpr int kPercentDecimals = 0;
constexpr int kSpreadDecimals = 1;
constexpr double kPercent = 100.0;

struct DimensionBox {
    const BoxReading* reading;
    std::string_view name;
    std::string_view box;
};

std::string mm(double value, char sep) {
    return formatMeasured(value, sep) + " mm";
}

std::string dimensionValue(const BoxReading& r, char sep) {
    return r.state == BoxState::Read ? mm(r.value, sep) : std::string(kNoNumber);
}

std::string materialName(const Material& m, bool english) {
    std::string name = m.maker + " " + m.grade;
    const std::string& colour = english ? m.colourEn : m.colourNl;
    if (!colour.empty()) {
        name += " (" + colour + ")";
    }
    return name;
}

std::string tableHint(const MaterialTable& table, const IdentifyTexts& t) {
    switch (table.problem) {
        case TableProblem::None:
            return {};
        case TableProblem::Unreadable:
            return fillIn(t.hintTableUnreadable, {table.path, table.detail});
        case TableProblem::NoHeader:
            return fillIn(t.hintTableNoHeader, {table.path, table.detail});
        case TableProblem::BadRows:
            return fillIn(t.hintTableBadRows,
                          {table.path, std::to_string(table.badRows), std::to_string(table.firstBadLine)});
        case TableProblem::NoRows:
            return fillIn(t.hintTableNoRows, {table.path});
    }
    return {};
}

}  // namespace

void IdentifyCore::Form_Load(const DataSheet& sheet) {
    english = sheet.english();
    const IdentifyTexts& t = identifyTexts(english);
    const char sep = sheet.platform != nullptr ? sheet.platform->decimalSeparator() : '.';
    analysis = analyseSheet(sheet, table.materials);
    hints.clear();
    caption = t.caption;
    fillDimensions(t, sep);
    fillLines(t, sep);
    fillSummary(t, sep);
    fillCandidates(t, sep);
    cmdMu = {std::string(t.cmdMu), analysis.muR.has_value()};
    cmdSluiten = {std::string(t.cmdSluiten), true};
}

void IdentifyCore::fillDimensions(const IdentifyTexts& t, char sep) {
    const CoreAnalysis& a = analysis;
    frameMaten = t.frameMaten;
    buiten = {std::string(t.lblBuiten), dimensionValue(a.dimensions.outer, sep)};
    binnen = {std::string(t.lblBinnen), dimensionValue(a.dimensions.inner, sep)};
    hoog = {std::string(t.lblHoog), dimensionValue(a.dimensions.height, sep)};
    padlengte = {std::string(t.lblPadlengte), a.pathLengthMm ? mm(*a.pathLengthMm, sep) : kNoNumber};
    doorsnede = {std::string(t.lblDoorsnede),
                 a.areaMm2 ? formatMeasured(*a.areaMm2, sep) + " mm²" : kNoNumber};

    const DimensionBox boxes[] = {
        {&a.dimensions.outer, t.nameBuiten, kBoxBuiten},
        {&a.dimensions.inner, t.nameBinnen, kBoxBinnen},
        {&a.dimensions.height, t.nameHoog, kBoxHoog},
    };
    for (const auto& b : boxes) {
        if (b.reading->state == BoxState::Missing) {
            hints.push_back(fillIn(t.hintDimensionMissing, {std::string(b.name), std::string(b.box)}));
        } else if (b.reading->state == BoxState::Unreadable) {
            hints.push_back(fillIn(
                t.hintDimensionUnreadable,
                {std::string(b.name), std::string(b.box), b.reading->text, std::string(t.dimensionExample)}));
        }
    }
    if (a.dimensions.innerNotBelowOuter) {
        hints.push_back(fillIn(t.hintInnerNotBelowOuter, {formatMeasured(a.dimensions.inner.value, sep),
                                                          formatMeasured(a.dimensions.outer.value, sep)}));
    }
}

void IdentifyCore::fillLines(const IdentifyTexts& t, char sep) {
    const CoreAnalysis& a = analysis;
    frameRegels = t.frameRegels;
    std::copy(t.lineHeads.begin(), t.lineHeads.end(), lineHeads.begin());
    lineRows.clear();
    for (const auto& l : a.lines) {
        IdentifyLineRow row;
        row.cells[0] = std::to_string(l.line);
        row.cells[1] = l.turns ? std::to_string(*l.turns) : std::string(kNoNumber);
        if (l.alNh) {
            row.cells[2] = formatMeasured(alMilliHenryPer1000Turns(*l.alNh), sep);
            row.cells[3] = formatMeasured(alMicroHenryPer100Turns(*l.alNh), sep);
            row.cells[5] =
                l.alSource == AlSource::Resonance ? std::string(t.noteFromResonance) : std::string();
        } else {
            row.cells[2] = kNoNumber;
            row.cells[3] = kNoNumber;
            row.cells[5] = t.noteNoAl;
            hints.push_back(l.alBox.state == BoxState::Unreadable
                                ? fillIn(t.hintLineAlUnreadable, {std::to_string(l.line), l.alBox.text})
                                : fillIn(t.hintLineNoAl, {std::to_string(l.line)}));
        }
        row.cells[4] = l.muR ? formatMeasured(*l.muR, sep) : std::string(kNoNumber);
        lineRows.push_back(std::move(row));
    }
    if (a.lines.empty()) {
        hints.push_back(std::string(t.hintNoLines));
    }
}

void IdentifyCore::fillSummary(const IdentifyTexts& t, char sep) {
    const CoreAnalysis& a = analysis;
    gemiddeldeAL.label = t.lblGemiddeldeAL;
    spreiding.label = t.lblSpreiding;
    if (a.al) {
        gemiddeldeAL.value = fillIn(
            t.valueGemiddeldeAL,
            {formatMeasured(a.al->mean, sep), formatMeasured(alMicroHenryPer100Turns(a.al->mean), sep)});
        const auto withAl = std::count_if(a.lines.begin(), a.lines.end(),
                                          [](const LineAnalysis& l) { return l.alNh.has_value(); });
        spreiding.value =
            withAl < 2 ? std::string(t.valueOneLine)
                       : fillIn(t.valueSpreiding,
                                {formatMeasured(a.al->min, sep), formatMeasured(a.al->max, sep),
                                 formatDecimals(a.al->relative * kPercent, kSpreadDecimals, sep) + " %"});
    } else {
        gemiddeldeAL.value = kNoNumber;
        spreiding.value = kNoNumber;
    }
    gemiddeldeMu = {std::string(t.lblGemiddeldeMu), a.muR ? formatMeasured(*a.muR, sep) : kNoNumber};
    muText = a.muR ? formatMeasured(*a.muR, sep) : std::string();

    frameEigenC = t.frameEigenC;
    eigenC.clear();
    for (const auto& s : a.stray) {
        const std::vector<std::string> values = {std::to_string(s.turns), std::to_string(s.firstLine),
                                                 std::to_string(s.secondLine),
                                                 formatMeasured(s.capacitancePf, sep)};
        eigenC.push_back(fillIn(s.capacitancePf >= 0.0 ? t.eigenC : t.eigenCNegative, values));
    }
    if (eigenC.empty()) {
        eigenC.emplace_back(t.eigenCNone);
    }

    lblFamilie = !a.family                                 ? std::string(t.familyUnknown)
                 : *a.family == MaterialFamily::IronPowder ? std::string(t.familyIronPowder)
                                                           : std::string(t.familyFerrite);
    lblWaarschuwing =
        a.ferriteFrequencyWarning
            ? fillIn(t.frequencyWarning, {formatMeasured(*a.highestFrequencyHz / kHzPerMHz, sep)})
            : std::string();
}

void IdentifyCore::fillCandidates(const IdentifyTexts& t, char sep) {
    const CoreAnalysis& a = analysis;
    frameKandidaten = t.frameKandidaten;
    std::copy(t.candidateHeads.begin(), t.candidateHeads.end(), candidateHeads.begin());
    candidateRows.clear();
    int shown = std::min(kFewestCandidatesShown, static_cast<int>(a.candidates.size()));
    for (int i = 0; i < static_cast<int>(a.candidates.size()); ++i) {
        if (a.candidates[i].likely) {
            shown = std::max(shown, i + 1);
        }
    }
    for (int i = 0; i < shown; ++i) {
        const Candidate& c = a.candidates[i];
        IdentifyCandidateRow row;
        row.likely = c.likely;
        row.cells[0] = std::to_string(i + 1);
        row.cells[1] = materialName(c.material, english);
        row.cells[2] = c.material.family == MaterialFamily::Ferrite ? t.wordFerrite : t.wordIronPowder;
        row.cells[3] = formatMeasured(c.material.mu, sep);
        row.cells[4] = formatPercent(c.deviation, kPercentDecimals, sep);
        row.cells[5] = c.likely ? std::string(t.wordLikely) : std::string();
        candidateRows.push_back(std::move(row));
    }
    lblCatalogus = t.lblCatalogus;
    if (const std::string h = tableHint(table, t); !h.empty()) {
        hints.push_back(h);
    }
}

void IdentifyCore::cmdMu_Click(DataSheet& sheet) const {
    if (!cmdMu.enabled || muText.empty()) {
        return;
    }
    sheet.txtMu = muText;
}

IdentifyCore OpenIdentifyCore(const DataSheet& sheet, const FileSystem& files) {
    IdentifyCore window;
    window.table = loadMaterialTable(files, JoinPath(sheet.appFolder, std::string(kMaterialTableFile)));
    window.Form_Load(sheet);
    return window;
}

}  // namespace kw
