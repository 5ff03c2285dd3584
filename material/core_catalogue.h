#pragma once

// The catalogue data behind the identification besides the material table: the toroid
// sizes with the AL of each mix made in them (resources/cores.csv), and the complex
// permeability of every mix over frequency (resources/permeability.csv).

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_system.h"
#include "material/material_table.h"
#include "material/permeability.h"

namespace kw {

inline constexpr std::string_view kCoreSizeTableFile = "cores.csv";
inline constexpr std::string_view kPermeabilityTableFile = "permeability.csv";

// One mix in one catalogue size.
struct CatalogueCore {
    std::string size;  // "T-50", "FT-37"
    MaterialFamily family = MaterialFamily::Ferrite;
    ToroidSize dimensions;
    std::string grade;  // as in the material table: "-2", "43"
    double alNh = 0.0;  // [nH/N²]
    std::string source;

    bool operator==(const CatalogueCore&) const = default;
};

// A measured size counts as a catalogue size when every dimension lies within this much
// of the catalogue's: the measuring tolerance plus the maker's. [mm] and share
inline constexpr double kSizeToleranceMm = 0.1;
inline constexpr double kSizeToleranceShare = 0.02;

bool withinSizeTolerance(double measuredMm, double catalogueMm);

// The catalogue size the dimensions match, the nearest when several do; nullopt for none.
std::optional<std::string> matchCatalogueSize(const std::vector<CatalogueCore>& cores,
                                              const ToroidSize& size);

// The catalogue AL of a mix in a size, matched by grade and family (so Fair-Rite 43 and
// Amidon 43 share the row); nullopt when the mix is not made in that size.
std::optional<double> catalogueAlNh(const std::vector<CatalogueCore>& cores, std::string_view size,
                                    const Material& material);

// µ = µ′ − jµ″ at one frequency.
struct ComplexPermeability {
    double freqHz = 0.0;
    double real = 0.0;
    double imag = 0.0;

    bool operator==(const ComplexPermeability&) const = default;
};

// Points of each grade, ascending in frequency.
using PermeabilityCurves = std::map<std::string, std::vector<ComplexPermeability>>;

// One copy of a maker's table. Makers revise their tables; where two copies of a grade's
// table differ, both are kept, since a core of either making may be in hand.
struct CurveEdition {
    std::string name;  // "" for a table given without an edition
    std::vector<ComplexPermeability> points;  // ascending in frequency
    bool published = true;  // the maker's table, not a model

    bool operator==(const CurveEdition&) const = default;
};

// The curve at a frequency, interpolated on log-log scales and held flat beyond its ends.
std::optional<ComplexPermeability> curveAt(const std::vector<ComplexPermeability>& curve, double freqHz);

// Both files are read like the material table: comments, a header naming the columns,
// rows that do not read are counted and left out.
struct CoreSizeTable {
    std::vector<CatalogueCore> cores;
    int badRows = 0;
    std::string path;  // where it was loaded from
    bool operator==(const CoreSizeTable&) const = default;
};
struct PermeabilityTable {
    PermeabilityCurves curves;  // the main edition of each grade: the first in the file
    std::set<std::string> modelled;  // grades whose main curve is a model, not the maker's table
    std::map<std::string, std::vector<CurveEdition>> editions;  // every edition, the main first
    int badRows = 0;
    std::string path;
    bool operator==(const PermeabilityTable&) const = default;
};

CoreSizeTable parseCoreSizeTable(std::string_view text);
// Columns grade, freq_hz, mu_real, mu_imag; an optional column kind says "model" for a row
// that is not the maker's published data, an optional column edition names the copy of the
// table the row belongs to. µ′ may be negative (above a ferrite's resonance).
PermeabilityTable parsePermeabilityTable(std::string_view text);

// What a material should show at one frequency, with the band it may lie in: the maker's
// tolerance of the family (kFerriteTolerance, kIronPowderTolerance), widened for a grade
// whose curve is a model by half of how far that model departs from its low-frequency µ,
// and for a grade without any curve (µ held flat) by kUncurvedBand.
struct ExpectedPermeability {
    double freqHz = 0.0;
    double real = 0.0;  // µ′
    double imag = 0.0;  // µ″
    double realLow = 0.0;
    double realHigh = 0.0;
    double imagLow = 0.0;
    double imagHigh = 0.0;
    bool published = false;  // from the maker's own table
    std::string edition;     // of the table it was read from; "" for the only one

    bool operator==(const ExpectedPermeability&) const = default;
};

inline constexpr double kModelBandShare = 0.5;  // of the model's departure from µi
inline constexpr double kUncurvedBand = 0.15;   // extra, for a µ held flat over frequency
inline constexpr double kImagBand = 0.3;        // extra for µ″, which the makers spread more

// The expected µ′ and µ″ of a material (ferrite or iron powder) at freqHz, from its grade's
// curve in the table, else its catalogue µ held flat with no loss. nullopt for a frequency
// that is not positive and finite. The same grade from another maker shares the curve.
std::optional<ExpectedPermeability> expectedPermeability(const PermeabilityTable& table,
                                                         const Material& material, double freqHz);
// The same from one edition of the grade's table; an edition the table lacks gives nullopt.
std::optional<ExpectedPermeability> expectedPermeability(const PermeabilityTable& table,
                                                         const Material& material, double freqHz,
                                                         const std::string& edition);

// The editions of a grade's table, the main first; {""} for a grade with one unnamed table
// or none.
std::vector<std::string> curveEditions(const PermeabilityTable& table, const std::string& grade);

// True when the edition is the maker's table, not a model (a grade without one: unless modelled).
bool editionPublished(const PermeabilityTable& table, const std::string& grade, const std::string& edition);

// The points of one edition of a grade's table; nullptr when there are none.
const std::vector<ComplexPermeability>* editionCurve(const PermeabilityTable& table, const std::string& grade,
                                                     const std::string& edition);

// A file that cannot be read gives an empty table: identification then works from µ alone.
CoreSizeTable loadCoreSizeTable(const FileSystem& files, const std::string& path);
PermeabilityTable loadPermeabilityTable(const FileSystem& files, const std::string& path);

}  // namespace kw
