#pragma once

// The table of known core materials (resources/materials.csv) and the ranking of those
// materials against a measured relative permeability.

#include <string>
#include <string_view>
#include <vector>

#include "common/file_system.h"

namespace kw {

enum class MaterialFamily { Ferrite, IronPowder };

struct Material {
    std::string maker;
    std::string grade;
    MaterialFamily family = MaterialFamily::Ferrite;
    double mu = 0.0;       // catalogue µi at low frequency
    std::string colourEn;  // paint colour of iron-powder cores, empty for ferrites
    std::string colourNl;
    std::string source;

    bool operator==(const Material&) const = default;
};

inline constexpr std::string_view kMaterialTableFile = "materials.csv";

enum class TableProblem {
    None,
    Unreadable,  // the file could not be read; detail holds the system's reason
    NoHeader,    // no header line naming the required columns
    BadRows,     // some rows were left out; the others are in materials
    NoRows,      // the file holds no material
};

struct MaterialTable {
    std::vector<Material> materials;
    TableProblem problem = TableProblem::None;
    int firstBadLine = 0;  // 1-based line number of the first row left out
    int badRows = 0;
    std::string detail;
    std::string path;  // where it was loaded from

    bool operator==(const MaterialTable&) const = default;
};

// Comment lines start with '#'; the first other line names the columns (maker, grade,
// family, mu_i, colour_en, colour_nl, source, in any order; more are allowed). Fields
// are separated by commas and may be double-quoted.
MaterialTable parseMaterialTable(std::string_view text);
MaterialTable loadMaterialTable(const FileSystem& files, const std::string& path);

// A material compared with the measurement.
struct Candidate {
    Material material;
    double distance = 0.0;   // |ln(µr / µ)|: the ranking key
    double deviation = 0.0;  // (µr − µ) / µ
    bool likely = false;     // µr within the tolerance band around µ

    bool operator==(const Candidate&) const = default;
};

// Catalogue µ values carry about this tolerance; a measurement inside it is "likely".
inline constexpr double kLikelyBand = 0.25;

// Every material, nearest first on a log scale; equal distances keep the table's order.
std::vector<Candidate> rankMaterials(const std::vector<Material>& materials, double muR);

// Iron powder lies below about this µ, ferrite above.
inline constexpr double kFamilyBoundaryMu = 100.0;
MaterialFamily familyOf(double muR);

// Above this frequency a ferrite's apparent permeability departs from its µi. [Hz]
inline constexpr double kFerriteFrequencyLimitHz = 1.0e6;

}  // namespace kw
