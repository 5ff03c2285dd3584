#pragma once

// Reads a data sheet the way the identify window does: the core's dimensions and every
// filled measurement line, leniently, and works out AL, µr, the stray capacitance and the
// ranked candidate materials. Only numbers here; identify_core.h turns them into texts.

#include <optional>
#include <string>
#include <vector>

#include "datasheet/datasheet.h"
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
    std::optional<double> alNh;
    AlSource alSource = AlSource::Sheet;
    BoxReading alBox;  // the AL box as it read
    std::optional<double> muR;

    bool operator==(const LineAnalysis&) const = default;
};

// The stray capacitance told by the two lines of one turn count whose capacitances lie
// furthest apart. May be negative when those lines disagree.
struct StrayEstimate {
    int turns = 0;
    int firstLine = 0;  // the line with the smaller capacitance
    int secondLine = 0;
    double capacitancePf = 0.0;

    bool operator==(const StrayEstimate&) const = default;
};

struct CoreAnalysis {
    DimensionReadings dimensions;
    std::optional<double> pathLengthMm;
    std::optional<double> areaMm2;
    std::vector<LineAnalysis> lines;  // the filled lines only, in sheet order
    std::optional<Spread> al;         // over the lines with an AL [nH/N²]
    std::optional<double> muR;        // from the mean AL
    std::optional<MaterialFamily> family;
    std::vector<StrayEstimate> stray;
    std::optional<double> highestFrequencyHz;  // over the lines with an AL
    bool ferriteFrequencyWarning = false;
    std::vector<Candidate> candidates;  // empty without µr

    bool operator==(const CoreAnalysis&) const = default;
};

// A box counts as empty when it holds only blanks or still its placeholder.
bool boxIsEmpty(const std::string& text, std::string_view controlName);

// A line takes part when its turns box or its AL box is filled.
CoreAnalysis analyseSheet(const DataSheet& sheet, const std::vector<Material>& materials);

}  // namespace kw
