#include "material/core_analysis.h"

#include <algorithm>
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

CoreAnalysis analyseSheet(const DataSheet& sheet, const std::vector<Material>& materials) {
    CoreAnalysis a;
    a.dimensions = readDimensions(sheet);
    if (a.dimensions.size) {
        a.pathLengthMm = effectivePathLengthMm(*a.dimensions.size);
        a.areaMm2 = effectiveAreaMm2(*a.dimensions.size);
    }
    std::vector<double> als;
    for (int k = 1; k <= kMeasurementLines; ++k) {
        auto line = readLine(sheet, k);
        if (!line) {
            continue;
        }
        if (line->alNh) {
            als.push_back(*line->alNh);
            if (a.dimensions.size) {
                line->muR = relativePermeability(*line->alNh, *a.dimensions.size);
            }
            if (line->freqHz) {
                a.highestFrequencyHz = std::max(a.highestFrequencyHz.value_or(0.0), *line->freqHz);
            }
        }
        a.lines.push_back(std::move(*line));
    }
    a.al = spreadOf(als);
    a.stray = estimateStray(a.lines);
    if (a.al && a.dimensions.size) {
        a.muR = relativePermeability(a.al->mean, *a.dimensions.size);
    }
    if (a.muR) {
        a.family = familyOf(*a.muR);
        a.candidates = rankMaterials(materials, *a.muR);
        const bool ferrite =
            *a.family == MaterialFamily::Ferrite ||
            (!a.candidates.empty() && a.candidates.front().material.family == MaterialFamily::Ferrite);
        a.ferriteFrequencyWarning =
            ferrite && a.highestFrequencyHz && *a.highestFrequencyHz > kFerriteFrequencyLimitHz;
    }
    return a;
}

}  // namespace kw
