#include "material/core_analysis.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

#include "material/lenient_text.h"

namespace kw {

namespace {

constexpr std::string_view kControlPrefix = "txt";

template <typename Reader>
BoxReading readBox(const std::string& text, std::string_view controlName, Reader reader) {
    BoxReading r;
    r.text = std::string(trimBlanks(text));
    if (boxIsEmpty(text, controlName)) {
        r.state = BoxState::Missing;
        return r;
    }
    if (const auto value = reader(r.text)) {
        r.state = BoxState::Read;
        r.value = static_cast<double>(*value);
    } else {
        r.state = BoxState::Unreadable;
    }
    return r;
}

std::string controlName(LineField f, int k) {
    return std::string(kLineFieldStems[static_cast<int>(f)]) + std::to_string(k);
}

std::optional<double> valueOf(const BoxReading& r) {
    return r.state == BoxState::Read ? std::optional<double>(r.value) : std::nullopt;
}

DimensionReadings readDimensions(const DataSheet& sheet) {
    DimensionReadings d;
    d.outer = readBox(sheet.txtBuiten, "txtBuiten", readDimensionMm);
    d.inner = readBox(sheet.txtBinnen, "txtBinnen", readDimensionMm);
    d.height = readBox(sheet.txtHoog, "txtHoog", readDimensionMm);
    if (d.outer.state == BoxState::Read && d.inner.state == BoxState::Read &&
        !(d.inner.value < d.outer.value)) {
        d.innerNotBelowOuter = true;
    }
    const ToroidSize size{d.outer.value, d.inner.value, d.height.value};
    if (d.outer.state == BoxState::Read && d.inner.state == BoxState::Read &&
        d.height.state == BoxState::Read && isValidToroid(size)) {
        d.size = size;
    }
    return d;
}

std::optional<LineAnalysis> readLine(const DataSheet& sheet, int k) {
    const std::string& nText = sheet.line(k, LineField::N);
    const std::string& alText = sheet.line(k, LineField::mH);
    const std::string nName = controlName(LineField::N, k);
    const std::string alName = controlName(LineField::mH, k);
    if (boxIsEmpty(nText, nName) && boxIsEmpty(alText, alName)) {
        return std::nullopt;
    }
    LineAnalysis a;
    a.line = k;
    const BoxReading n = readBox(nText, nName, readTurns);
    if (n.state == BoxState::Read) {
        a.turns = static_cast<int>(n.value);
    }
    a.capPf = valueOf(readBox(sheet.line(k, LineField::C), controlName(LineField::C, k), readCapacitancePf));
    a.freqHz =
        valueOf(readBox(sheet.line(k, LineField::Fres), controlName(LineField::Fres, k), readFrequencyHz));
    a.q = valueOf(readBox(sheet.line(k, LineField::Q), controlName(LineField::Q, k), [](std::string_view t) {
        const auto n = splitNumberAndUnit(t);
        return n && n->unit.empty() && n->value > 0.0 ? std::optional<double>(n->value) : std::nullopt;
    }));
    a.alBox = readBox(alText, alName, readAlNh);
    if (a.alBox.state == BoxState::Read) {
        a.alNh = a.alBox.value;
        a.alSource = AlSource::Sheet;
    } else if (a.turns && a.capPf && a.freqHz) {
        a.alNh = alFromResonance(*a.turns, *a.capPf, *a.freqHz);
        a.alSource = AlSource::Resonance;
    }
    return a;
}

}  // namespace

bool boxIsEmpty(const std::string& text, std::string_view controlName) {
    const std::string_view trimmed = trimBlanks(text);
    return trimmed.empty() ||
           (controlName.starts_with(kControlPrefix) && trimmed == controlName.substr(kControlPrefix.size()));
}

namespace {

using Ranked = NamedCandidate;

double capacitanceTolerance(const LineAnalysis& l) {
    return l.capPf ? kCapacitanceTolerance : 0.0;
}

// The share of a line's apparent inductance left when the winding adds strayPf to its capacitor.
double strayShare(const LineAnalysis& l, double strayPf) {
    return l.capPf && l.freqHz ? *l.capPf / (*l.capPf + strayPf) : 1.0;
}

// The capacitances worth trying: none for fewer than two lines with a resonance.
std::vector<double> strayGrid(const std::vector<const LineAnalysis*>& lines) {
    const auto resonant = std::count_if(lines.begin(), lines.end(),
                                        [](const LineAnalysis* l) { return strayShare(*l, 1.0) < 1.0; });
    std::vector<double> grid = {0.0};
    if (resonant >= 2) {
        for (double c = kStrayStepPf; c <= kMostStrayPf + 1e-9; c += kStrayStepPf) {
            grid.push_back(c);
        }
    }
    return grid;
}

// The low-frequency µ of a material: where its curve starts, else its catalogue µ.
double lowFrequencyMu(const Material& m, const PermeabilityTable& table, const std::string& edition) {
    const auto* curve = editionCurve(table, m.grade, edition);
    return curve != nullptr && curve->front().real > 0.0 ? curve->front().real : m.mu;
}

// What the material should show on each line: its curve at the line's frequency; a line
// without a frequency gets the catalogue µ. With alMu (the µ of the catalogue AL on this
// size) both are scaled to it.
std::vector<ExpectedAtLine> expectationsOf(const Material& m, const std::vector<const LineAnalysis*>& lines,
                                           const PermeabilityTable& table, const std::string& edition,
                                           std::optional<double> alMu) {
    const double scale = alMu ? *alMu / lowFrequencyMu(m, table, edition) : 1.0;
    const double flat = alMu.value_or(m.mu);
    const double t = catalogueTolerance(m.family);
    std::vector<ExpectedAtLine> out;
    for (const LineAnalysis* l : lines) {
        ExpectedAtLine x{l->line, 0.0, flat, 0.0, flat * (1.0 - t), flat * (1.0 + t)};
        if (const auto e = l->freqHz ? expectedPermeability(table, m, *l->freqHz, edition) : std::nullopt) {
            x = {l->line,         e->freqHz,          e->real * scale,
                 e->imag * scale, e->realLow * scale, e->realHigh * scale};
        }
        out.push_back(x);
    }
    return out;
}

// What a line costs a material whose µ′ there is not positive: as far off as a factor e¹⁰.
constexpr double kCannotResonate = 100.0;

struct Fit {
    double squares = 0.0;
    double strayPf = 0.0;
};

// The capacitance that lets the expectations explain every line best, with the price of
// assuming it.
Fit fitStray(const std::vector<const LineAnalysis*>& lines, const std::vector<ExpectedAtLine>& expected,
             bool lossKnown, const std::vector<double>& grid) {
    Fit best{std::numeric_limits<double>::infinity(), 0.0};
    for (double stray : grid) {
        const double prior = kLineLogSigma * stray / kTypicalStrayPf;
        double squares = prior * prior;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const LineAnalysis& l = *lines[i];
            const double share = strayShare(l, stray);
            const double mu = *l.muR * share;
            if (expected[i].real <= 0.0) {
                squares += kCannotResonate;  // a µ′ at or below zero makes no coil resonate
                continue;
            }
            const double d = std::log(mu / expected[i].real);
            squares += d * d;
            if (lossKnown && l.q) {
                // A coil's Q holds its winding's loss too: up to kWindingLossTangent more loss
                // than the core's costs nothing.
                squares += lossSquares(share / *l.q, expected[i].imag / expected[i].real, kWindingLossTangent);
            }
        }
        if (squares < best.squares) {
            best = {squares, stray};
        }
    }
    return best;
}

std::optional<Ranked> rankOne(const Material& m, const std::vector<const LineAnalysis*>& lines,
                              const ToroidSize& size, const IdentifyCatalogue& c,
                              const std::optional<std::string>& matchedSize, std::pair<double, double> dims) {
    static const PermeabilityTable kNoCurves;
    const PermeabilityTable& table = c.curves != nullptr ? *c.curves : kNoCurves;
    Ranked r;
    r.candidate.material = m;
    r.name = m.maker + " " + m.grade;
    // The material's own curve; where the catalogue lists it for this size, also that curve
    // scaled to the catalogue AL, whichever explains the lines better.
    std::vector<std::optional<double>> options = {std::nullopt};
    if (matchedSize && c.cores != nullptr) {
        if (const auto al = catalogueAlNh(*c.cores, *matchedSize, m)) {
            const auto mu = relativePermeability(*al, size);
            if (!mu) {
                return std::nullopt;
            }
            r.candidate.listedForSize = true;
            options.push_back(*mu);
        }
    }
    const auto grid = strayGrid(lines);
    const bool resonant =
        std::any_of(lines.begin(), lines.end(), [](const LineAnalysis* l) { return l->freqHz.has_value(); });
    Fit best{std::numeric_limits<double>::infinity(), 0.0};
    // Every edition of the grade's table is tried: the maker revised some of them.
    for (const std::string& edition : curveEditions(table, m.grade)) {
        const auto* curve = editionCurve(table, m.grade, edition);
        const bool lossKnown = curve != nullptr && editionPublished(table, m.grade, edition);
        for (const auto& alMu : options) {
            auto expected = expectationsOf(m, lines, table, edition, alMu);
            const Fit fit = fitStray(lines, expected, lossKnown, grid);
            // Away from the matched size's catalogue AL a mix pays for it, and over frequency a
            // curve that is only a model is trusted less.
            const double distance =
                std::sqrt(fit.squares / static_cast<double>(lines.size())) +
                (matchedSize && !alMu ? (resonant ? kUnlistedPenaltyResonant : kUnlistedPenalty) : 0.0) +
                (resonant && !lossKnown ? kModelPenalty : 0.0);
            if (r.candidate.expected.empty() || distance < r.candidate.distance) {
                r.candidate.distance = distance;
                best = fit;
                r.candidate.byCatalogueAl = alMu.has_value();
                r.candidate.scale = alMu ? *alMu / lowFrequencyMu(m, table, edition) : 1.0;
                r.candidate.edition = edition;
                r.candidate.expected = std::move(expected);
            }
        }
    }
    const double n = static_cast<double>(lines.size());
    if (grid.size() > 1) {
        r.candidate.strayPf = best.strayPf;
    }
    double logSum = 0.0;
    double expectedLogSum = 0.0;
    bool everyLineFits = true;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const LineAnalysis& l = *lines[i];
        const ExpectedAtLine& x = r.candidate.expected[i];
        const double mu = *l.muR * strayShare(l, best.strayPf);
        const double expected = std::max(x.real, 1.0);
        logSum += std::log(mu / expected);
        expectedLogSum += std::log(expected);
        // The line's own range, from the sizes (unless compared with the size's own AL) and
        // its capacitor, must meet the material's band.
        const double capacitor = capacitanceTolerance(l);
        const double low = mu * (1.0 - capacitor) * (r.candidate.byCatalogueAl ? 1.0 : dims.first);
        const double high = mu * (1.0 + capacitor) * (r.candidate.byCatalogueAl ? 1.0 : dims.second);
        everyLineFits = everyLineFits && low <= x.high && high >= x.low;
    }
    r.candidate.deviation = std::exp(logSum / n) - 1.0;
    r.candidate.expectedMu = std::exp(expectedLogSum / n);
    r.candidate.likely = everyLineFits;
    return r;
}

std::vector<Candidate> rankAll(const std::vector<const LineAnalysis*>& lines, const ToroidSize& size,
                               const IdentifyCatalogue& c, const std::optional<std::string>& matchedSize) {
    std::vector<Ranked> ranked;
    if (c.materials == nullptr || lines.empty()) {
        return {};
    }
    const auto dims = dimensionFactors(size).value_or(std::pair{1.0, 1.0});
    for (const auto& m : *c.materials) {
        if (!c.colour.empty() && !paintedIn(m, c.colour)) {
            continue;
        }
        if (auto r = rankOne(m, lines, size, c, matchedSize, dims)) {
            ranked.push_back(std::move(*r));
        }
    }
    std::vector<Candidate> out = sortedInGroups(std::move(ranked));
    for (auto& candidate : out) {
        // A mix the catalogue does not list for the matched size is likely only when nearest.
        candidate.likely = candidate.likely && (candidate.listedForSize || !matchedSize || candidate.group == 1);
    }
    return out;
}

std::optional<Spread> spreadOfLines(const std::vector<LineAnalysis>& lines, bool corrected) {
    std::vector<double> values;
    for (const auto& l : lines) {
        if (const auto al = corrected ? l.usedAlNh() : l.alNh) {
            values.push_back(*al);
        }
    }
    return spreadOf(values);
}

}  // namespace

std::vector<Candidate> sortedInGroups(std::vector<NamedCandidate> ranked) {
    // Ties within rounding.
    constexpr double kSameDistance = 1e-9;
    std::sort(ranked.begin(), ranked.end(), [](const NamedCandidate& a, const NamedCandidate& b) {
        if (std::abs(a.candidate.distance - b.candidate.distance) > kSameDistance) {
            return a.candidate.distance < b.candidate.distance;
        }
        return a.name < b.name;
    });
    std::vector<Candidate> out;
    int group = 0;
    for (const auto& r : ranked) {
        if (out.empty() || std::abs(r.candidate.distance - out.back().distance) > kSameDistance) {
            ++group;
        }
        out.push_back(r.candidate);
        out.back().group = group;
    }
    return out;
}

std::optional<std::pair<double, double>> dimensionFactors(const ToroidSize& size) {
    const auto nominal = relativePermeability(1.0, size);
    const double t = kDimensionTolerance;
    // A thinner ring with a narrower wall needs a higher µ for the same AL, and the reverse.
    const auto highest = relativePermeability(1.0, {size.outerMm - t, size.innerMm + t, size.heightMm - t});
    const auto lowest = relativePermeability(1.0, {size.outerMm + t, size.innerMm - t, size.heightMm + t});
    if (!nominal || !highest || !lowest) {
        return std::nullopt;
    }
    return std::pair{*lowest / *nominal, *highest / *nominal};
}

CoreAnalysis analyseSheet(const DataSheet& sheet, const std::vector<Material>& materials) {
    IdentifyCatalogue catalogue;
    catalogue.materials = &materials;
    return analyseSheet(sheet, catalogue);
}

CoreAnalysis analyseSheet(const DataSheet& sheet, const IdentifyCatalogue& catalogue) {
    CoreAnalysis a;
    a.dimensions = readDimensions(sheet);
    if (a.dimensions.size) {
        a.pathLengthMm = effectivePathLengthMm(*a.dimensions.size);
        a.areaMm2 = effectiveAreaMm2(*a.dimensions.size);
        if (catalogue.cores != nullptr) {
            a.matchedSize = matchCatalogueSize(*catalogue.cores, *a.dimensions.size);
        }
    }
    for (int k = 1; k <= kMeasurementLines; ++k) {
        if (auto line = readLine(sheet, k)) {
            a.lines.push_back(std::move(*line));
        }
    }
    std::vector<const LineAnalysis*> measured;
    for (auto& l : a.lines) {
        if (l.alNh && l.freqHz) {
            a.highestFrequencyHz = std::max(a.highestFrequencyHz.value_or(0.0), *l.freqHz);
        }
        if (l.alNh && a.dimensions.size) {
            l.muR = relativePermeability(*l.alNh, *a.dimensions.size);
        }
        if (l.muR) {
            measured.push_back(&l);
        }
    }
    if (!measured.empty()) {
        a.family = familyOf(*relativePermeability(spreadOfLines(a.lines, false)->mean, *a.dimensions.size));
        a.candidates = rankAll(measured, *a.dimensions.size, catalogue, a.matchedSize);
    }
    // The lines as the nearest material explains them: without the winding capacitance fitted with it.
    const double stray = !a.candidates.empty() ? a.candidates.front().strayPf.value_or(0.0) : 0.0;
    std::map<int, StrayEstimate> byTurns;
    for (auto& l : a.lines) {
        const double share = strayShare(l, stray);
        if (share < 1.0) {
            l.alCorrectedNh = *l.alNh * share;
            l.qCorrected = l.q ? std::optional<double>(*l.q / share) : std::nullopt;
            l.muR = l.muR ? std::optional<double>(*l.muR * share) : std::nullopt;
            byTurns[*l.turns].turns = *l.turns;
            byTurns[*l.turns].lines.push_back(l.line);
            byTurns[*l.turns].capacitancePf = stray;
        }
    }
    for (auto& [turns, estimate] : byTurns) {
        a.stray.push_back(std::move(estimate));
    }
    std::optional<std::pair<double, double>> dims;
    if (a.dimensions.size) {
        dims = dimensionFactors(*a.dimensions.size);
    }
    for (auto& l : a.lines) {
        if (!l.muR) {
            continue;
        }
        if (const auto q = l.qCorrected ? l.qCorrected : l.q) {
            l.muImag = *l.muR / *q;
        }
        const double tolerance = capacitanceTolerance(l);
        const double lowDims = dims ? dims->first : 1.0;
        const double highDims = dims ? dims->second : 1.0;
        a.muLow = std::min(a.muLow.value_or(*l.muR), *l.muR * (1.0 - tolerance) * lowDims);
        a.muHigh = std::max(a.muHigh.value_or(*l.muR), *l.muR * (1.0 + tolerance) * highDims);
    }
    a.al = spreadOfLines(a.lines, false);
    a.alCorrected = spreadOfLines(a.lines, true);
    if (a.alCorrected && a.dimensions.size) {
        a.muR = relativePermeability(a.alCorrected->mean, *a.dimensions.size);
    }
    if (a.muR) {
        const bool ferrite =
            *a.family == MaterialFamily::Ferrite ||
            (!a.candidates.empty() && a.candidates.front().material.family == MaterialFamily::Ferrite);
        // Without curves to compare with, a ferrite measured high up can only be flagged.
        const bool curves = catalogue.curves != nullptr && !catalogue.curves->curves.empty();
        a.ferriteFrequencyWarning =
            !curves && ferrite && a.highestFrequencyHz && *a.highestFrequencyHz > kFerriteFrequencyLimitHz;
    }
    return a;
}

double lossSquares(double measuredTangent, double wantedTangent, double allowance) {
    const double measured = measuredTangent + kLossTangentFloor;
    const double wanted = wantedTangent + kLossTangentFloor;
    const double e = std::min(0.0, std::log(measured / wanted)) + std::max(0.0, std::log(measured / (wanted + allowance)));
    return kLossWeight * e * e;
}

}  // namespace kw
