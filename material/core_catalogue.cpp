#include "material/core_catalogue.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "common/text.h"
#include "material/lenient_text.h"

namespace kw {

namespace {

// The rows of a comma-separated text by its header's column names, each complete one as
// its fields; a row that ends early counts in badRows.
std::vector<std::vector<std::string>> readColumns(std::string_view text,
                                                  const std::vector<std::string_view>& names, int& badRows,
                                                  std::size_t required) {
    std::vector<std::vector<std::string>> rows;
    for (CsvRow& row : ReadCsvColumns(text, names, required).rows) {
        if (row.complete) {
            rows.push_back(std::move(row.fields));
        } else {
            ++badRows;
        }
    }
    return rows;
}

std::optional<double> positiveNumber(const std::string& text) {
    const auto n = splitNumberAndUnit(text);
    if (!n || !n->unit.empty() || !(n->value > 0.0)) {
        return std::nullopt;
    }
    return n->value;
}

std::optional<double> nonNegativeNumber(const std::string& text) {
    if (text == "0") {
        return 0.0;
    }
    return positiveNumber(text);
}

// Any number, a leading minus sign allowed.
std::optional<double> finiteNumber(const std::string& text) {
    if (text.starts_with('-')) {
        const auto n = nonNegativeNumber(text.substr(1));
        return n ? std::optional<double>(-*n) : std::nullopt;
    }
    return nonNegativeNumber(text);
}

std::string textOf(const FileSystem& files, const std::string& path) {
    const ReadResult read = files.readFile(path);
    return read.ok ? DecodeFileText(read.bytes) : std::string();
}

}  // namespace

bool withinSizeTolerance(double measuredMm, double catalogueMm) {
    return std::abs(measuredMm - catalogueMm) <= kSizeToleranceMm + kSizeToleranceShare * catalogueMm;
}

std::optional<std::string> matchCatalogueSize(const std::vector<CatalogueCore>& cores,
                                              const ToroidSize& size) {
    std::optional<std::string> best;
    double bestOff = std::numeric_limits<double>::infinity();
    for (const auto& c : cores) {
        const ToroidSize& d = c.dimensions;
        if (!withinSizeTolerance(size.outerMm, d.outerMm) || !withinSizeTolerance(size.innerMm, d.innerMm) ||
            !withinSizeTolerance(size.heightMm, d.heightMm)) {
            continue;
        }
        // The largest dimension error, as a share of its tolerance, tells the nearest size.
        const auto share = [](double m, double k) {
            return std::abs(m - k) / (kSizeToleranceMm + kSizeToleranceShare * k);
        };
        const double off = std::max({share(size.outerMm, d.outerMm), share(size.innerMm, d.innerMm),
                                     share(size.heightMm, d.heightMm)});
        if (off < bestOff) {
            bestOff = off;
            best = c.size;
        }
    }
    return best;
}

std::optional<double> catalogueAlNh(const std::vector<CatalogueCore>& cores, std::string_view size,
                                    const Material& material) {
    for (const auto& c : cores) {
        if (c.size == size && c.grade == material.grade && c.family == material.family) {
            return c.alNh;
        }
    }
    return std::nullopt;
}

std::optional<ComplexPermeability> curveAt(const std::vector<ComplexPermeability>& curve, double freqHz) {
    if (curve.empty() || !(freqHz > 0.0) || !std::isfinite(freqHz)) {
        return std::nullopt;
    }
    if (freqHz <= curve.front().freqHz) {
        return ComplexPermeability{freqHz, curve.front().real, curve.front().imag};
    }
    if (freqHz >= curve.back().freqHz) {
        return ComplexPermeability{freqHz, curve.back().real, curve.back().imag};
    }
    const auto upper = std::upper_bound(curve.begin(), curve.end(), freqHz,
                                        [](double f, const ComplexPermeability& p) { return f < p.freqHz; });
    const ComplexPermeability& b = *upper;
    const ComplexPermeability& a = *(upper - 1);
    const double t = std::log(freqHz / a.freqHz) / std::log(b.freqHz / a.freqHz);
    // µ″ may be zero at the low end, so it is interpolated on a linear scale.
    const auto logMix = [t](double x, double y) {
        return x > 0.0 && y > 0.0 ? x * std::pow(y / x, t) : x + t * (y - x);
    };
    return ComplexPermeability{freqHz, logMix(a.real, b.real), logMix(a.imag, b.imag)};
}

CoreSizeTable parseCoreSizeTable(std::string_view text) {
    static const std::vector<std::string_view> kNames = {"size", "family", "od_mm", "id_mm",
                                                         "h_mm", "grade",  "al_nH", "source"};
    CoreSizeTable table;
    for (const auto& r : readColumns(text, kNames, table.badRows, kNames.size())) {
        const auto family = readFamily(r[1]);
        const auto od = positiveNumber(r[2]);
        const auto id = positiveNumber(r[3]);
        const auto h = positiveNumber(r[4]);
        const auto al = positiveNumber(r[6]);
        if (r[0].empty() || r[5].empty() || !family || !od || !id || !h || !al ||
            !isValidToroid({*od, *id, *h})) {
            ++table.badRows;
            continue;
        }
        table.cores.push_back({r[0], *family, {*od, *id, *h}, r[5], *al, r[7]});
    }
    return table;
}

PermeabilityTable parsePermeabilityTable(std::string_view text) {
    static const std::vector<std::string_view> kNames = {"grade",   "freq_hz", "mu_real",
                                                         "mu_imag", "kind",    "edition"};
    constexpr std::size_t kRequired = 4;  // kind and edition may be absent
    PermeabilityTable table;
    for (const auto& r : readColumns(text, kNames, table.badRows, kRequired)) {
        const auto f = positiveNumber(r[1]);
        const auto re = finiteNumber(r[2]);
        const auto im = nonNegativeNumber(r[3]);
        if (r[0].empty() || !f || !re || !im || (r[4] != "model" && r[4] != "published" && !r[4].empty())) {
            ++table.badRows;
            continue;
        }
        auto& editions = table.editions[r[0]];
        auto edition = std::find_if(editions.begin(), editions.end(),
                                    [&](const CurveEdition& e) { return e.name == r[5]; });
        if (edition == editions.end()) {
            edition = editions.insert(editions.end(), CurveEdition{r[5], {}, true});
        }
        edition->points.push_back({*f, *re, *im});
        edition->published = edition->published && r[4] != "model";
    }
    for (auto& [grade, editions] : table.editions) {
        for (auto& e : editions) {
            std::sort(
                e.points.begin(), e.points.end(),
                [](const ComplexPermeability& a, const ComplexPermeability& b) { return a.freqHz < b.freqHz; });
        }
        table.curves[grade] = editions.front().points;
        if (!editions.front().published) {
            table.modelled.insert(grade);
        }
    }
    return table;
}

bool editionPublished(const PermeabilityTable& table, const std::string& grade, const std::string& edition) {
    if (const auto found = table.editions.find(grade); found != table.editions.end()) {
        for (const auto& e : found->second) {
            if (e.name == edition) {
                return e.published;
            }
        }
    }
    return table.modelled.count(grade) == 0;
}

std::vector<std::string> curveEditions(const PermeabilityTable& table, const std::string& grade) {
    std::vector<std::string> names;
    if (const auto found = table.editions.find(grade); found != table.editions.end()) {
        for (const auto& e : found->second) {
            names.push_back(e.name);
        }
    }
    return names.empty() ? std::vector<std::string>{""} : names;
}

const std::vector<ComplexPermeability>* editionCurve(const PermeabilityTable& table, const std::string& grade,
                                                     const std::string& edition) {
    const std::vector<ComplexPermeability>* points = nullptr;
    if (const auto found = table.editions.find(grade); found != table.editions.end()) {
        for (const auto& e : found->second) {
            if (e.name == edition) {
                points = &e.points;
            }
        }
    } else if (const auto main = table.curves.find(grade); main != table.curves.end() && edition.empty()) {
        points = &main->second;  // a table built without editions
    }
    return points != nullptr && !points->empty() ? points : nullptr;
}

std::optional<ExpectedPermeability> expectedPermeability(const PermeabilityTable& table,
                                                         const Material& material, double freqHz) {
    return expectedPermeability(table, material, freqHz, curveEditions(table, material.grade).front());
}

std::optional<ExpectedPermeability> expectedPermeability(const PermeabilityTable& table,
                                                         const Material& material, double freqHz,
                                                         const std::string& edition) {
    if (!(freqHz > 0.0) || !std::isfinite(freqHz)) {
        return std::nullopt;
    }
    ExpectedPermeability e;
    e.freqHz = freqHz;
    e.edition = edition;
    double band = catalogueTolerance(material.family);
    const auto* curve = editionCurve(table, material.grade, edition);
    if (curve == nullptr) {
        if (edition != curveEditions(table, material.grade).front()) {
            return std::nullopt;
        }
        e.real = material.mu;
        band += kUncurvedBand;
    } else {
        const auto at = curveAt(*curve, freqHz);
        e.real = at->real;
        e.imag = at->imag;
        e.published = editionPublished(table, material.grade, edition);
        const double low = curve->front().real;
        if (!e.published && low > 0.0) {
            band += kModelBandShare * std::abs(1.0 - e.real / low);
        }
    }
    // Below zero µ′ the band still runs from the lower to the higher value.
    e.realLow = std::min(e.real * (1.0 - band), e.real * (1.0 + band));
    e.realHigh = std::max(e.real * (1.0 - band), e.real * (1.0 + band));
    e.imagLow = e.imag * std::max(0.0, 1.0 - band - kImagBand);
    e.imagHigh = e.imag * (1.0 + band + kImagBand);
    return e;
}

CoreSizeTable loadCoreSizeTable(const FileSystem& files, const std::string& path) {
    CoreSizeTable table = parseCoreSizeTable(textOf(files, path));
    table.path = path;
    return table;
}

PermeabilityTable loadPermeabilityTable(const FileSystem& files, const std::string& path) {
    PermeabilityTable table = parsePermeabilityTable(textOf(files, path));
    table.path = path;
    return table;
}

}  // namespace kw
