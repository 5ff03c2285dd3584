#include "material/material_table.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "common/text.h"
#include "material/lenient_text.h"

namespace kw {

namespace {

enum Column { kMaker, kGrade, kFamily, kMu, kColourEn, kColourNl, kSource };

const std::vector<std::string_view> kColumnNames = {"maker",     "grade",     "family", "mu_i",
                                                    "colour_en", "colour_nl", "source"};

constexpr std::string_view kFerriteWord = "ferrite";
constexpr std::string_view kIronPowderWord = "iron powder";

}  // namespace

std::optional<MaterialFamily> readFamily(std::string_view word) {
    if (word == kFerriteWord) {
        return MaterialFamily::Ferrite;
    }
    if (word == kIronPowderWord) {
        return MaterialFamily::IronPowder;
    }
    return std::nullopt;
}

namespace {

std::optional<Material> readRow(const CsvRow& row) {
    if (!row.complete) {
        return std::nullopt;
    }
    const std::vector<std::string>& fields = row.fields;
    Material m;
    m.maker = fields[kMaker];
    m.grade = fields[kGrade];
    const auto family = readFamily(fields[kFamily]);
    const auto mu = splitNumberAndUnit(fields[kMu]);
    if (m.maker.empty() || m.grade.empty() || !family || !mu || !mu->unit.empty() || !(mu->value > 0.0)) {
        return std::nullopt;
    }
    m.family = *family;
    m.mu = mu->value;
    m.colourEn = fields[kColourEn];
    m.colourNl = fields[kColourNl];
    m.source = fields[kSource];
    return m;
}

}  // namespace

MaterialTable parseMaterialTable(std::string_view text) {
    MaterialTable table;
    CsvTable csv = ReadCsvColumns(text, kColumnNames, kColumnNames.size());
    if (!csv.missingColumn.empty()) {
        table.problem = TableProblem::NoHeader;
        table.detail = std::move(csv.missingColumn);
        return table;
    }
    for (CsvRow& row : csv.rows) {
        if (auto m = readRow(row)) {
            table.materials.push_back(std::move(*m));
        } else if (table.badRows++ == 0) {
            table.firstBadLine = row.line;
            table.detail = std::move(row.text);
        }
    }
    if (table.materials.empty()) {
        table.problem = TableProblem::NoRows;
    } else if (table.badRows > 0) {
        table.problem = TableProblem::BadRows;
    }
    return table;
}

MaterialTable loadMaterialTable(const FileSystem& files, const std::string& path) {
    const ReadResult read = files.readFile(path);
    MaterialTable table;
    if (read.ok) {
        table = parseMaterialTable(DecodeFileText(read.bytes));
    } else {
        table.problem = TableProblem::Unreadable;
        table.detail = read.error;
    }
    table.path = path;
    return table;
}

std::vector<Candidate> rankMaterials(const std::vector<Material>& materials, double muR) {
    std::vector<Candidate> ranked;
    if (!std::isfinite(muR) || !(muR > 0.0)) {
        return ranked;
    }
    for (const auto& m : materials) {
        Candidate c;
        c.material = m;
        c.distance = std::abs(std::log(muR / m.mu));
        c.deviation = (muR - m.mu) / m.mu;
        c.likely = std::abs(c.deviation) <= kLikelyBand;
        ranked.push_back(std::move(c));
    }
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const Candidate& a, const Candidate& b) { return a.distance < b.distance; });
    return ranked;
}

double catalogueTolerance(MaterialFamily family) {
    return family == MaterialFamily::Ferrite ? kFerriteTolerance : kIronPowderTolerance;
}

namespace {

std::string lowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

}  // namespace

std::vector<std::string> paintColours(const std::vector<Material>& materials, bool english) {
    std::vector<std::string> colours;
    for (const auto& m : materials) {
        const std::string& c = english ? m.colourEn : m.colourNl;
        if (!c.empty() && std::find(colours.begin(), colours.end(), c) == colours.end()) {
            colours.push_back(c);
        }
    }
    std::sort(colours.begin(), colours.end());
    return colours;
}

bool paintedIn(const Material& material, std::string_view colour) {
    const std::string wanted = lowerAscii(trimBlanks(colour));
    return !wanted.empty() &&
           (lowerAscii(material.colourEn) == wanted || lowerAscii(material.colourNl) == wanted);
}

MaterialFamily familyOf(double muR) {
    return muR < kFamilyBoundaryMu ? MaterialFamily::IronPowder : MaterialFamily::Ferrite;
}

}  // namespace kw
