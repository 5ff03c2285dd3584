#pragma once

// The table of known core materials (resources/materials.csv) and the ranking of those
// materials against a measured relative permeability.

#include <optional>
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

// "ferrite" or "iron powder".
std::optional<MaterialFamily> readFamily(std::string_view word);

MaterialTable loadMaterialTable(const FileSystem& files, const std::string& path);

// What a candidate material should show at one line's frequency, and its band.
struct ExpectedAtLine {
    int line = 0;
    double freqHz = 0.0;  // 0 for a line without a frequency: the catalogue value holds
    double real = 0.0;    // µ′ on this core
    double imag = 0.0;    // µ″
    double low = 0.0;     // the band µ′ may lie in
    double high = 0.0;

    bool operator==(const ExpectedAtLine&) const = default;
};

// A material compared with the measurement.
struct Candidate {
    Material material;
    double distance = 0.0;   // RMS of ln(µr / expected) over the lines at the best stray C: the ranking key
    double deviation = 0.0;  // (µr − µ) / µ
    bool likely = false;     // µr within the tolerance band around µ
    int group = 0;           // 1 for the nearest; materials the measurement cannot tell apart share one
    bool byCatalogueAl = false;     // compared with the catalogue AL of the matched size, not with µ
    double expectedMu = 0.0;        // what the material should show on this core at the lines' frequencies
    bool listedForSize = false;     // the catalogue lists this mix for the matched size
    double scale = 1.0;             // the curve times this is what the material shows on this core
    std::optional<double> strayPf;  // the winding capacitance fitted with this material's curve
    std::vector<ExpectedAtLine> expected;  // per line with a µr, in sheet order
    std::string edition;  // of the grade's curve table that fitted best; "" for the only one

    bool operator==(const Candidate&) const = default;
};

// Catalogue µ values carry about this tolerance; a measurement inside it is "likely".
inline constexpr double kLikelyBand = 0.25;

// Every material, nearest first on a log scale; equal distances keep the table's order.
std::vector<Candidate> rankMaterials(const std::vector<Material>& materials, double muR);

// The catalogue tolerance of a material's µ and AL, by family.
inline constexpr double kFerriteTolerance = 0.20;
inline constexpr double kIronPowderTolerance = 0.05;
double catalogueTolerance(MaterialFamily family);

// The paint colours in the table, in the given language, each once and sorted.
std::vector<std::string> paintColours(const std::vector<Material>& materials, bool english);

// True when the material is painted in this colour (either language, any letter case).
bool paintedIn(const Material& material, std::string_view colour);

// Iron powder lies below about this µ, ferrite above.
inline constexpr double kFamilyBoundaryMu = 100.0;
MaterialFamily familyOf(double muR);

// Above this frequency a ferrite's apparent permeability departs from its µi. [Hz]
inline constexpr double kFerriteFrequencyLimitHz = 1.0e6;

}  // namespace kw
