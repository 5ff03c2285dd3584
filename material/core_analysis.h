#pragma once

// Reads a data sheet the way the identify window does: the core's dimensions and every
// filled measurement line, leniently, and works out AL, µr, the stray capacitance and the
// ranked candidate materials. Only numbers here; identify_core.h turns them into texts.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "datasheet/datasheet.h"
#include "material/core_catalogue.h"
#include "material/material_table.h"
#include "material/permeability.h"

namespace kw {

// How a sheet box read: a number, nothing (empty or still its placeholder), or text that
// is no number of the expected kind.
enum class BoxState { Read, Missing, Unreadable };

struct BoxReading {
    BoxState state = BoxState::Missing;
    double value = 0.0;
    std::string text;  // the box's text without surrounding blanks

    bool operator==(const BoxReading&) const = default;
};

struct DimensionReadings {
    BoxReading outer;                 // txtBuiten [mm]
    BoxReading inner;                 // txtBinnen [mm]
    BoxReading height;                // txtHoog [mm]
    bool innerNotBelowOuter = false;  // both diameters read, but the inner is not the smaller
    std::optional<ToroidSize> size;   // set only when all three make a toroid

    bool operator==(const DimensionReadings&) const = default;
};

enum class AlSource { Sheet, Resonance };

struct LineAnalysis {
    int line = 0;  // 1..7
    std::optional<int> turns;
    std::optional<double> capPf;
    std::optional<double> freqHz;
    std::optional<double> alNh;  // as measured
    AlSource alSource = AlSource::Sheet;
    std::optional<double> alCorrectedNh;  // without the stray capacitance of its turns
    std::optional<double> q;              // as measured
    std::optional<double> qCorrected;
    std::optional<double> muImag;  // µ″ = µ′ / corrected Q
    BoxReading alBox;              // the AL box as it read
    std::optional<double> muR;     // µ′ from the corrected AL

    bool operator==(const LineAnalysis&) const = default;

    // The AL used for µr: corrected where the stray capacitance is known.
    std::optional<double> usedAlNh() const { return alCorrectedNh ? alCorrectedNh : alNh; }
};

// The winding capacitance fitted together with the nearest material, for the lines of one
// turn count that have a capacitor and a frequency.
struct StrayEstimate {
    int turns = 0;
    std::vector<int> lines;
    double capacitancePf = 0.0;

    bool operator==(const StrayEstimate&) const = default;
};

struct CoreAnalysis {
    DimensionReadings dimensions;
    std::optional<double> pathLengthMm;
    std::optional<double> areaMm2;
    std::vector<LineAnalysis> lines;    // the filled lines only, in sheet order
    std::optional<Spread> al;           // over the lines with an AL, as measured [nH/N²]
    std::optional<Spread> alCorrected;  // the same without the stray capacitance
    std::optional<double> muR;          // from the mean corrected AL
    std::optional<double> muLow;        // the range µr may lie in, given the tolerances
    std::optional<double> muHigh;
    std::optional<std::string> matchedSize;  // "T-50" when the dimensions match a catalogue size
    std::optional<MaterialFamily> family;
    std::vector<StrayEstimate> stray;          // empty unless the nearest material fitted one
    std::optional<double> highestFrequencyHz;  // over the lines with an AL
    bool ferriteFrequencyWarning = false;
    std::vector<Candidate> candidates;  // empty without µr

    bool operator==(const CoreAnalysis&) const = default;
};

// Sizes are taken to be known to this much unless the sheet says otherwise. [mm]
inline constexpr double kDimensionTolerance = 0.1;
// A tuning capacitor's tolerance, carried into the AL of a line that has one.
inline constexpr double kCapacitanceTolerance = 0.02;
// Below this loss tangent a measured Q mostly tells the winding's own loss.
inline constexpr double kLossTangentFloor = 0.05;
inline constexpr double kLossWeight = 0.5;
// What a measured loss tangent adds to a material's squared distance: the log of its ratio to
// the curve's (both above the floor), weighted; more loss than the curve's by up to
// `allowance` costs nothing.
double lossSquares(double measuredTangent, double wantedTangent, double allowance);
// The loss tangent a winding may add to the core's: a winding of Q 100.
inline constexpr double kWindingLossTangent = 0.01;
// Each candidate's curve is fitted with a winding capacitance of 0 to this much. [pF]
inline constexpr double kMostStrayPf = 30.0;
inline constexpr double kStrayStepPf = 0.25;
// A fitted capacitance costs as much as one line off by kLineLogSigma per kTypicalStrayPf.
inline constexpr double kTypicalStrayPf = 10.0;
inline constexpr double kLineLogSigma = 0.03;
// A mix compared other than by the matched size's catalogue AL (its own curve, or a mix the
// catalogue does not list for that size) pays this much distance.
inline constexpr double kUnlistedPenalty = 0.06;
// Less where a line has a frequency: the curve's course over frequency is evidence of its own.
inline constexpr double kUnlistedPenaltyResonant = 0.02;
// Where a line has a frequency, a mix whose curve is only a model pays this much more.
inline constexpr double kModelPenalty = 0.03;

// What the identification compares against. Null tables count as empty.
struct IdentifyCatalogue {
    const std::vector<Material>* materials = nullptr;
    const std::vector<CatalogueCore>* cores = nullptr;
    const PermeabilityTable* curves = nullptr;
    std::string colour;  // a paint colour: only the mixes painted so; empty for all
};

// A box counts as empty when it holds only blanks or still its placeholder.
bool boxIsEmpty(const std::string& text, std::string_view controlName);

// A line takes part when its turns box or its AL box is filled.
CoreAnalysis analyseSheet(const DataSheet& sheet, const std::vector<Material>& materials);
CoreAnalysis analyseSheet(const DataSheet& sheet, const IdentifyCatalogue& catalogue);

// A material's candidate entry together with the name that orders it among equals.
struct NamedCandidate {
    Candidate candidate;
    std::string name;
};

// Sorts by distance and numbers the groups: ties (within rounding) form one group, inside
// which the names give the order, never the table's.
std::vector<Candidate> sortedInGroups(std::vector<NamedCandidate> ranked);

// The factors by which µr may lie below and above its nominal value when every dimension
// may be off by kDimensionTolerance.
std::optional<std::pair<double, double>> dimensionFactors(const ToroidSize& size);

}  // namespace kw
