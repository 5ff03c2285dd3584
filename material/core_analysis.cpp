#include "material/core_analysis.h"

#include <algorithm>
#include <cmath>
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

std::vector<StrayEstimate> estimateStray(const std::vector<LineAnalysis>& lines) {
    std::map<int, std::vector<const LineAnalysis*>> byTurns;
    for (const auto& l : lines) {
        if (l.turns && l.capPf && l.freqHz) {
            byTurns[*l.turns].push_back(&l);
        }
    }
    std::vector<StrayEstimate> result;
    for (const auto& [turns, group] : byTurns) {
        const auto byCap = [](const LineAnalysis* a, const LineAnalysis* b) { return *a->capPf < *b->capPf; };
        const LineAnalysis* low = *std::min_element(group.begin(), group.end(), byCap);
        const LineAnalysis* high = *std::max_element(group.begin(), group.end(), byCap);
        const auto cd = strayCapacitancePf(*low->capPf, *low->freqHz, *high->capPf, *high->freqHz);
        if (cd) {
            result.push_back({turns, low->line, high->line, *cd});
        }
    }
    return result;
}

}  // namespace

bool boxIsEmpty(const std::string& text, std::string_view controlName) {
    const std::string_view trimmed = trimBlanks(text);
    return trimmed.empty() ||
           (controlName.starts_with(kControlPrefix) && trimmed == controlName.substr(kControlPrefix.size()));
}

namespace {

struct Ranked {
    Candidate candidate;
    std::string name;
};

// Corrects each line with a positive stray capacitance for its turns: the tuning capacitor
// saw C + Cd, so L = L_apparent·C/(C + Cd) and Q = Q_apparent·(C + Cd)/C.
void correctForStray(std::vector<LineAnalysis>& lines, const std::vector<StrayEstimate>& stray) {
    for (auto& l : lines) {
        if (!l.turns || !l.capPf) {
            continue;
        }
        for (const auto& s : stray) {
            if (s.turns == *l.turns && s.capacitancePf > 0.0) {
                const double share = *l.capPf / (*l.capPf + s.capacitancePf);
                if (l.alNh) {
                    l.alCorrectedNh = *l.alNh * share;
                }
                if (l.q) {
                    l.qCorrected = *l.q / share;
                }
            }
        }
    }
}

double capacitanceTolerance(const LineAnalysis& l) {
    return l.capPf ? kCapacitanceTolerance : 0.0;
}

std::optional<Ranked> rankOne(const Material& m, const std::vector<const LineAnalysis*>& lines,
                              const ToroidSize& size, const IdentifyCatalogue& c,
                              const std::optional<std::string>& matchedSize, std::pair<double, double> dims) {
    Ranked r;
    r.candidate.material = m;
    r.name = m.maker + " " + m.grade;
    double base = m.mu;
    if (matchedSize && c.cores != nullptr) {
        if (const auto al = catalogueAlNh(*c.cores, *matchedSize, m)) {
            const auto mu = relativePermeability(*al, size);
            if (!mu) {
                return std::nullopt;
            }
            base = *mu;
            r.candidate.byCatalogueAl = true;
        } else {
            r.candidate.tier = 1;
        }
    }
    const std::vector<ComplexPermeability>* curve = nullptr;
    if (c.curves != nullptr && m.family == MaterialFamily::Ferrite) {
        if (const auto found = c.curves->find(m.grade); found != c.curves->end() && !found->second.empty()) {
            curve = &found->second;
        }
    }
    // Catalogue µ and AL hold at the curve's lowest frequency.
    const double reference = curve != nullptr ? curve->front().real : 1.0;
    double squares = 0.0;
    double logSum = 0.0;
    double expectedLogSum = 0.0;
    const double tolerance = catalogueTolerance(m.family);
    bool everyLineFits = true;
    for (const LineAnalysis* l : lines) {
        double expected = base;
        std::optional<ComplexPermeability> at;
        if (curve != nullptr && l->freqHz) {
            at = curveAt(*curve, *l->freqHz);
            expected = base * at->real / reference;
        }
        const double ratio = *l->muR / expected;
        const double d = std::log(ratio);
        squares += d * d;
        logSum += d;
        expectedLogSum += std::log(expected);
        // The line's own range, from the sizes (unless compared with the size's own AL) and
        // its capacitor, must meet the material's catalogue tolerance.
        const double capacitor = capacitanceTolerance(*l);
        const double low = ratio * (1.0 - capacitor) * (r.candidate.byCatalogueAl ? 1.0 : dims.first);
        const double high = ratio * (1.0 + capacitor) * (r.candidate.byCatalogueAl ? 1.0 : dims.second);
        everyLineFits = everyLineFits && low <= 1.0 + tolerance && high >= 1.0 - tolerance;
        if (at && l->muImag) {
            const double measured = *l->muImag / *l->muR + kLossTangentFloor;
            const double wanted = at->imag / at->real + kLossTangentFloor;
            const double e = std::log(measured / wanted);
            squares += kLossWeight * e * e;
        }
    }
    const double n = static_cast<double>(lines.size());
    r.candidate.distance = std::sqrt(squares / n);
    r.candidate.deviation = std::exp(logSum / n) - 1.0;
    r.candidate.expectedMu = std::exp(expectedLogSum / n);
    // A mix the catalogue does not make in the matched size is not likely, however near.
    r.candidate.likely = r.candidate.tier == 0 && everyLineFits;
    return r;
}

// Ties (within rounding) form one group; inside a group the names give the order, never
// the table's.
constexpr double kSameDistance = 1e-9;

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
    std::sort(ranked.begin(), ranked.end(), [](const Ranked& a, const Ranked& b) {
        if (a.candidate.tier != b.candidate.tier) {
            return a.candidate.tier < b.candidate.tier;
        }
        if (std::abs(a.candidate.distance - b.candidate.distance) > kSameDistance) {
            return a.candidate.distance < b.candidate.distance;
        }
        return a.name < b.name;
    });
    std::vector<Candidate> out;
    int group = 0;
    for (std::size_t i = 0; i < ranked.size(); ++i) {
        const Candidate& now = ranked[i].candidate;
        if (i == 0 || now.tier != out.back().tier ||
            std::abs(now.distance - out.back().distance) > kSameDistance) {
            ++group;
        }
        out.push_back(now);
        out.back().group = group;
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
    a.stray = estimateStray(a.lines);
    correctForStray(a.lines, a.stray);
    std::vector<const LineAnalysis*> measured;
    std::optional<std::pair<double, double>> dims;
    if (a.dimensions.size) {
        dims = dimensionFactors(*a.dimensions.size);
    }
    for (auto& l : a.lines) {
        const auto al = l.usedAlNh();
        if (!al) {
            continue;
        }
        if (l.freqHz) {
            a.highestFrequencyHz = std::max(a.highestFrequencyHz.value_or(0.0), *l.freqHz);
        }
        if (a.dimensions.size) {
            l.muR = relativePermeability(*al, *a.dimensions.size);
        }
        if (l.muR) {
            if (const auto q = l.qCorrected ? l.qCorrected : l.q) {
                l.muImag = *l.muR / *q;
            }
            measured.push_back(&l);
            const double tolerance = capacitanceTolerance(l);
            const double lowDims = dims ? dims->first : 1.0;
            const double highDims = dims ? dims->second : 1.0;
            a.muLow = std::min(a.muLow.value_or(*l.muR), *l.muR * (1.0 - tolerance) * lowDims);
            a.muHigh = std::max(a.muHigh.value_or(*l.muR), *l.muR * (1.0 + tolerance) * highDims);
        }
    }
    a.al = spreadOfLines(a.lines, false);
    a.alCorrected = spreadOfLines(a.lines, true);
    if (a.alCorrected && a.dimensions.size) {
        a.muR = relativePermeability(a.alCorrected->mean, *a.dimensions.size);
    }
    if (a.muR) {
        a.family = familyOf(*a.muR);
        a.candidates = rankAll(measured, *a.dimensions.size, catalogue, a.matchedSize);
        const bool ferrite =
            *a.family == MaterialFamily::Ferrite ||
            (!a.candidates.empty() && a.candidates.front().material.family == MaterialFamily::Ferrite);
        // Without curves to compare with, a ferrite measured high up can only be flagged.
        const bool curves = catalogue.curves != nullptr && !catalogue.curves->empty();
        a.ferriteFrequencyWarning =
            !curves && ferrite && a.highestFrequencyHz && *a.highestFrequencyHz > kFerriteFrequencyLimitHz;
    }
    return a;
}

}  // namespace kw
