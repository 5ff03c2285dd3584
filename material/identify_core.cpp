#include "material/identify_core.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "common/path_text.h"
#include "common/text.h"
#include "material/identify_texts.h"
#include "material/number_format.h"
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
            return FillIn(t.hintTableUnreadable, {table.path, table.detail});
        case TableProblem::NoHeader:
            return FillIn(t.hintTableNoHeader, {table.path, table.detail});
        case TableProblem::BadRows:
            return FillIn(t.hintTableBadRows,
                          {table.path, std::to_string(table.badRows), std::to_string(table.firstBadLine)});
        case TableProblem::NoRows:
            return FillIn(t.hintTableNoRows, {table.path});
    }
    return {};
}

// The candidates in groups the measurement cannot tell apart, one row each: at least the first
// few groups and every group holding a likely one.
std::vector<std::vector<const Candidate*>> shownGroups(const std::vector<Candidate>& candidates) {
    std::vector<std::vector<const Candidate*>> groups;
    for (const Candidate& c : candidates) {
        if (groups.empty() || groups.back().front()->group != c.group) {
            groups.emplace_back();
        }
        groups.back().push_back(&c);
    }
    int shown = std::min(kFewestCandidatesShown, static_cast<int>(groups.size()));
    for (int i = 0; i < static_cast<int>(groups.size()); ++i) {
        for (const Candidate* c : groups[i]) {
            if (c->likely) {
                shown = std::max(shown, i + 1);
            }
        }
    }
    groups.resize(static_cast<std::size_t>(shown));
    return groups;
}

}  // namespace

void IdentifyCore::Form_Load(const DataSheet& sheet) {
    english = sheet.english();
    const IdentifyTexts& t = identifyTexts(english);
    const char sep = sheet.platform != nullptr ? sheet.platform->decimalSeparator() : '.';
    IdentifyCatalogue catalogue;
    catalogue.materials = &table.materials;
    catalogue.cores = &sizes.cores;
    catalogue.curves = &curves;
    catalogue.colour = colour;
    analysis = analyseSheet(sheet, catalogue);
    hints.clear();
    caption = t.caption;
    fillDimensions(t, sep);
    fillLines(t, sep);
    fillSummary(t, sep);
    fillCandidates(t, sep);
    fillCandidateDetails(t, sep);
    fillRankingNote(t);
    fillCatalogueHints(t);
    fillColours(t);
    fillPlot(t);
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
            hints.push_back(FillIn(t.hintDimensionMissing, {std::string(b.name), std::string(b.box)}));
        } else if (b.reading->state == BoxState::Unreadable) {
            hints.push_back(FillIn(
                t.hintDimensionUnreadable,
                {std::string(b.name), std::string(b.box), b.reading->text, std::string(t.dimensionExample)}));
        }
    }
    if (a.dimensions.innerNotBelowOuter) {
        hints.push_back(FillIn(t.hintInnerNotBelowOuter, {formatMeasured(a.dimensions.inner.value, sep),
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
            if (l.alCorrectedNh) {
                const std::string corrected =
                    FillIn(t.noteCorrected, {formatMeasured(*l.alCorrectedNh, sep)});
                row.cells[5] = row.cells[5].empty() ? corrected : row.cells[5] + "; " + corrected;
            }
        } else {
            row.cells[2] = kNoNumber;
            row.cells[3] = kNoNumber;
            row.cells[5] = t.noteNoAl;
            hints.push_back(l.alBox.state == BoxState::Unreadable
                                ? FillIn(t.hintLineAlUnreadable, {std::to_string(l.line), l.alBox.text})
                                : FillIn(t.hintLineNoAl, {std::to_string(l.line)}));
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
        gemiddeldeAL.value = FillIn(
            t.valueGemiddeldeAL,
            {formatMeasured(a.al->mean, sep), formatMeasured(alMicroHenryPer100Turns(a.al->mean), sep)});
        const auto withAl = std::count_if(a.lines.begin(), a.lines.end(),
                                          [](const LineAnalysis& l) { return l.alNh.has_value(); });
        spreiding.value =
            withAl < 2 ? std::string(t.valueOneLine)
                       : FillIn(t.valueSpreiding,
                                {formatMeasured(a.al->min, sep), formatMeasured(a.al->max, sep),
                                 formatDecimals(a.al->relative * kPercent, kSpreadDecimals, sep) + " %"});
    } else {
        gemiddeldeAL.value = kNoNumber;
        spreiding.value = kNoNumber;
    }
    gemiddeldeMu = {std::string(t.lblGemiddeldeMu), a.muR ? formatMeasured(*a.muR, sep) : kNoNumber};
    const bool corrected = std::any_of(a.lines.begin(), a.lines.end(),
                                       [](const LineAnalysis& l) { return l.alCorrectedNh.has_value(); });
    gecorrigeerdAL = {std::string(t.lblGecorrigeerdAL),
                      !a.alCorrected ? std::string(kNoNumber)
                      : corrected ? FillIn(t.valueGecorrigeerdAL, {formatMeasured(a.alCorrected->mean, sep)})
                                  : std::string(t.gecorrigeerdNone)};
    muBereik = {std::string(t.lblMuBereik),
                a.muLow && a.muHigh && a.muR
                    ? FillIn(std::any_of(a.lines.begin(), a.lines.end(),
                                         [](const LineAnalysis& l) { return l.capPf.has_value(); })
                                 ? t.valueMuBereikC
                                 : t.valueMuBereik,
                             {formatMeasured(*a.muLow, sep), formatMeasured(*a.muHigh, sep)})
                    : std::string(kNoNumber)};
    maat = {std::string(t.lblMaat), a.matchedSize       ? *a.matchedSize
                                    : a.dimensions.size ? std::string(t.maatNone)
                                                        : std::string(kNoNumber)};
    muText = a.muR ? formatMeasured(*a.muR, sep) : std::string();

    frameEigenC = t.frameEigenC;
    eigenC.clear();
    for (const auto& s : a.stray) {
        std::string lines;
        for (int l : s.lines) {
            lines += (lines.empty() ? "" : ", ") + std::to_string(l);
        }
        eigenC.push_back(
            FillIn(t.eigenC, {std::to_string(s.turns), lines, formatMeasured(s.capacitancePf, sep),
                              materialName(a.candidates.front().material, english)}));
    }
    if (eigenC.empty()) {
        eigenC.emplace_back(t.eigenCNone);
    }

    lblFamilie = !a.family                                 ? std::string(t.familyUnknown)
                 : *a.family == MaterialFamily::IronPowder ? std::string(t.familyIronPowder)
                                                           : std::string(t.familyFerrite);
    lblWaarschuwing =
        a.ferriteFrequencyWarning
            ? FillIn(t.frequencyWarning, {formatMeasured(*a.highestFrequencyHz / kHzPerMHz, sep)})
            : std::string();
}

void IdentifyCore::fillCandidates(const IdentifyTexts& t, char sep) {
    const CoreAnalysis& a = analysis;
    frameKandidaten = t.frameKandidaten;
    std::copy(t.candidateHeads.begin(), t.candidateHeads.end(), candidateHeads.begin());
    candidateRows.clear();
    rowCandidates.clear();
    groupNotes.clear();
    const std::vector<std::vector<const Candidate*>> groups = shownGroups(a.candidates);
    for (int i = 0; i < static_cast<int>(groups.size()); ++i) {
        const auto& g = groups[i];
        IdentifyCandidateRow row;
        std::string names;
        std::string mus;
        for (const Candidate* c : g) {
            row.likely = row.likely || c->likely;
            names += (names.empty() ? "" : std::string(t.wordOr)) + materialName(c->material, english);
            const std::string mu = formatMeasured(c->material.mu, sep);
            if (mus.find(mu) == std::string::npos) {
                mus += (mus.empty() ? "" : " / ") + mu;
            }
        }
        const Candidate& first = *g.front();
        rowCandidates.push_back(static_cast<std::size_t>(g.front() - a.candidates.data()));
        row.cells[0] = std::to_string(i + 1);
        row.cells[1] = names;
        row.cells[2] = first.material.family == MaterialFamily::Ferrite ? t.wordFerrite : t.wordIronPowder;
        row.cells[3] = mus;
        row.cells[4] = formatPercent(first.deviation, kPercentDecimals, sep);
        row.cells[5] = row.likely ? std::string(t.wordLikely) : std::string();
        // The same grade from two makers is one mix; only different mixes need telling apart.
        const bool mixes = std::any_of(g.begin(), g.end(), [&](const Candidate* c) {
            return c->material.grade != first.material.grade;
        });
        if (mixes && (row.likely || i == 0)) {
            groupNotes.push_back(FillIn(t.groupNote, {names}));
        }
        candidateRows.push_back(std::move(row));
    }
}

// Per shown row, µ′ and µ″ its first material should show at each line.
void IdentifyCore::fillCandidateDetails(const IdentifyTexts& t, char sep) {
    const CoreAnalysis& a = analysis;
    candidateDetails.clear();
    for (std::size_t row = 0; row < rowCandidates.size(); ++row) {
        const Candidate& c = a.candidates[rowCandidates[row]];
        std::string lines;
        for (const auto& x : c.expected) {
            lines +=
                (lines.empty() ? "" : "; ") +
                (x.freqHz > 0.0 ? FillIn(t.lineExpected,
                                         {std::to_string(x.line), formatMeasured(x.freqHz / kHzPerMHz, sep),
                                          formatMeasured(x.real, sep), formatMeasured(x.low, sep),
                                          formatMeasured(x.high, sep), formatMeasured(x.imag, sep)})
                                : FillIn(t.lineExpectedNoFreq,
                                         {std::to_string(x.line), formatMeasured(x.real, sep),
                                          formatMeasured(x.low, sep), formatMeasured(x.high, sep)}));
        }
        std::string detail =
            FillIn(t.candidateDetail, {std::to_string(row + 1), materialName(c.material, english), lines});
        if (c.strayPf) {
            detail += FillIn(t.candidateStray, {formatMeasured(*c.strayPf, sep)});
        }
        candidateDetails.push_back(std::move(detail));
    }
}

// What the ranking compared, under the table.
void IdentifyCore::fillRankingNote(const IdentifyTexts& t) {
    const CoreAnalysis& a = analysis;
    lblCatalogus = t.lblCatalogus;
    lblRangorde.clear();
    if (!a.candidates.empty()) {
        lblRangorde = a.matchedSize ? FillIn(t.rankedBySize, {*a.matchedSize}) : std::string(t.rankedByMu);
        if (!curves.curves.empty() && a.highestFrequencyHz) {
            lblRangorde += " " + std::string(t.rankedByCurves);
        }
    }
}

// A catalogue table that is missing or has broken rows.
void IdentifyCore::fillCatalogueHints(const IdentifyTexts& t) {
    if (const std::string h = tableHint(table, t); !h.empty()) {
        hints.push_back(h);
    }
    // The size and curve tables are optional; a broken row in either is still worth telling.
    for (const auto& [path, bad] :
         {std::pair{sizes.path, sizes.badRows}, std::pair{curves.path, curves.badRows}}) {
        if (bad > 0) {
            hints.push_back(FillIn(t.hintCatalogueBadRows, {path, std::to_string(bad)}));
        }
    }
}

void IdentifyCore::fillColours(const IdentifyTexts& t) {
    lblKleur = t.lblKleur;
    // Items sorted in the shown language; the keys keep the English name the choice is kept by.
    std::vector<std::pair<std::string, std::string>> shownAndKey;
    for (const std::string& en : paintColours(table.materials, true)) {
        std::string shownName = en;
        for (const auto& m : table.materials) {
            if (m.colourEn == en && !english && !m.colourNl.empty()) {
                shownName = m.colourNl;
            }
        }
        shownAndKey.emplace_back(shownName, en);
    }
    std::sort(shownAndKey.begin(), shownAndKey.end());
    cboKleur.items = {std::string(t.kleurGeen)};
    colourKeys = {std::string()};
    cboKleur.selected = 0;
    for (const auto& [shownName, key] : shownAndKey) {
        if (key == colour) {
            cboKleur.selected = static_cast<int>(cboKleur.items.size());
        }
        cboKleur.items.push_back(shownName);
        colourKeys.push_back(key);
    }
    if (!colour.empty() && cboKleur.selected == 0) {
        hints.push_back(FillIn(t.hintNoColour, {colour}));
    }
}

// Two curves closer than this over the plotted range look like one line.
constexpr double kSameCurveShare = 0.03;

// Where µ′ has fallen below this share of its highest the plot's log scale hides the difference.
constexpr double kVisibleShare = 0.05;

bool liesOn(const PlotCurve& a, const PlotCurve& b) {
    double highest = 0.0;
    for (const auto& q : b.points) {
        highest = std::max(highest, q.real);
    }
    for (const auto& p : a.points) {
        const auto q = curveAt(b.points, p.freqHz);
        if (!q ||
            (q->real > kVisibleShare * highest && std::abs(p.real - q->real) > kSameCurveShare * q->real)) {
            return false;
        }
    }
    return !a.points.empty();
}

void IdentifyCore::fillPlot(const IdentifyTexts& t) {
    plot = {};
    plot.title = t.plotTitle;
    plot.axisFrequency = t.plotAxisFrequency;
    plot.axisMu = t.plotAxisMu;
    plot.measured.name = t.plotMeasuredReal;
    plot.measuredImag = t.plotMeasuredImag;
    const auto dims = analysis.dimensions.size ? dimensionFactors(*analysis.dimensions.size) : std::nullopt;
    for (const auto& l : analysis.lines) {
        if (l.freqHz && l.muR) {
            plot.measured.points.push_back({*l.freqHz, *l.muR, l.muImag.value_or(0.0)});
            plot.measured.hasImag = plot.measured.hasImag || l.muImag.has_value();
        }
    }
    std::sort(plot.measured.points.begin(), plot.measured.points.end(),
              [](const ComplexPermeability& a, const ComplexPermeability& b) { return a.freqHz < b.freqHz; });
    // Each point's uncertainty: the sizes and a tuning capacitor's tolerance.
    for (const auto& p : plot.measured.points) {
        plot.measuredLow.push_back(p.real * (1.0 - kCapacitanceTolerance) * (dims ? dims->first : 1.0));
        plot.measuredHigh.push_back(p.real * (1.0 + kCapacitanceTolerance) * (dims ? dims->second : 1.0));
    }
    // One curve per shown row, as it should show on this core (scaled as it was compared).
    std::vector<std::string> drawn;
    for (std::size_t row = 0; row < rowCandidates.size(); ++row) {
        const Candidate* c = &analysis.candidates[rowCandidates[row]];
        const std::string drawnKey = c->material.grade + "/" + c->edition;
        if (std::find(drawn.begin(), drawn.end(), drawnKey) != drawn.end()) {
            continue;  // the same grade from another maker draws the same curve
        }
        drawn.push_back(drawnKey);
        PlotCurve curve;
        // Named by the row's grades only, so that the legend stays short: "43", "-6 / -7".
        std::vector<std::string> grades;
        for (const Candidate& other : analysis.candidates) {
            if (other.group == c->group &&
                std::find(grades.begin(), grades.end(), other.material.grade) == grades.end()) {
                grades.push_back(other.material.grade);
                curve.name += (curve.name.empty() ? "" : " / ") + other.material.grade;
            }
        }
        // The edition of the maker's table the candidate was compared with.
        if (const auto* points = editionCurve(curves, c->material.grade, c->edition)) {
            for (const auto& p : *points) {
                curve.points.push_back({p.freqHz, p.real * c->scale, p.imag * c->scale});
            }
            curve.hasImag = true;
            curve.published = editionPublished(curves, c->material.grade, c->edition);
        } else {
            curve.points = {{kPlotLowestHz, c->material.mu * c->scale, 0.0},
                            {kPlotHighestHz, c->material.mu * c->scale, 0.0}};
        }
        for (std::size_t k = 0; k < plot.nearest.size(); ++k) {
            if (liesOn(curve, plot.nearest[k])) {
                curve.name += " ≈ " + plot.nearest[k].name;
                curve.style = plot.nearest[k].style + 1;
            }
        }
        plot.nearest.push_back(std::move(curve));
    }
    // The band of the nearest material.
    if (!analysis.candidates.empty() && !plot.nearest.empty()) {
        const Candidate& best = analysis.candidates.front();
        plot.bandName = FillIn(t.plotBand, {plot.nearest.front().name});
        for (const auto& p : plot.nearest.front().points) {
            if (const auto e = expectedPermeability(curves, best.material, p.freqHz, best.edition)) {
                plot.bandLow.push_back({p.freqHz, e->realLow * best.scale, 0.0});
                plot.bandHigh.push_back({p.freqHz, e->realHigh * best.scale, 0.0});
            }
        }
    }
}

void IdentifyCore::cmdMu_Click(DataSheet& sheet) const {
    if (!cmdMu.enabled || muText.empty()) {
        return;
    }
    sheet.txtMu = muText;
}

void IdentifyCore::cboKleur_Click(int index, const DataSheet& sheet) {
    if (index < 0 || index >= static_cast<int>(colourKeys.size())) {
        return;
    }
    colour = colourKeys[index];
    Form_Load(sheet);
}

namespace {

std::string lowered(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

// True when word stands in text with no letter, digit or '/' against either end.
bool containsWord(const std::string& text, const std::string& word) {
    const auto joins = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '/'; };
    for (auto at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
        const std::size_t end = at + word.size();
        if ((at == 0 || !joins(text[at - 1])) && (end == text.size() || !joins(text[end]))) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::string paintColourOnSheet(const DataSheet& sheet, const std::vector<Material>& materials) {
    std::string text;
    for (const std::string* box : {&sheet.txtType1, &sheet.txtType2, &sheet.txtType3, &sheet.txtTest1,
                                   &sheet.txtFabr1, &sheet.txtFabr2}) {
        text += lowered(*box) + "\n";
    }
    for (const auto& line : sheet.txtRegel) {
        text += lowered(line) + "\n";
    }
    std::string found;
    std::size_t longest = 0;
    for (const auto& m : materials) {
        for (const std::string* name : {&m.colourEn, &m.colourNl}) {
            if (!name->empty() && name->size() > longest && containsWord(text, lowered(*name))) {
                longest = name->size();
                found = m.colourEn;
            }
        }
    }
    return found;
}

IdentifyCore OpenIdentifyCore(const DataSheet& sheet, const FileSystem& files) {
    IdentifyCore window;
    window.table = loadMaterialTable(files, JoinPath(sheet.appFolder, std::string(kMaterialTableFile)));
    window.sizes = loadCoreSizeTable(files, JoinPath(sheet.appFolder, std::string(kCoreSizeTableFile)));
    window.curves =
        loadPermeabilityTable(files, JoinPath(sheet.appFolder, std::string(kPermeabilityTableFile)));
    window.colour = paintColourOnSheet(sheet, window.table.materials);
    window.Form_Load(sheet);
    return window;
}

}  // namespace kw
