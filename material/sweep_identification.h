#pragma once

// A coil-alone sweep of an unknown core turned into µ′ and µ″ over the band and matched
// against the makers' curves: the inductance of the winding on a core of µ = 1, the expected
// permeability of each material at a frequency, and the ranking over every reported point.

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "material/core_catalogue.h"
#include "material/material_table.h"
#include "material/permeability.h"
#include "sweep/coil_permeability.h"

namespace kw {

// L0 = µ0·N²·h·ln(OD/ID)/(2π): the winding's inductance on a core of µ = 1. [H]
std::optional<double> windingInductance(int turns, const ToroidSize& size);

// Every material against the measured points, nearest first; equal distances form one group.
// distance = rms over the points of ln(µ′/µ′expected) and, where the curve gives µ″, of the
// loss tangents' ratio (weighted as for the lines of a sheet); a material without a curve is
// held at its catalogue µ and compared on µ′ alone. A material is likely when the distance
// lies within the band of its expected µ′ together with the measurement's noise.
// leadSlackMu: how much µ′ a lead the sweep did not tell may have added or taken away; each
// material is compared at the offset within it that fits it best.
std::vector<Candidate> rankSweep(const std::vector<PermeabilityPoint>& points,
                                 const std::vector<Material>& materials, const PermeabilityTable& curves,
                                 double leadSlackMu = 0.0);

// How far the leads of a sweep that shows no self-resonance may lie from the typical lead
// taken out. [H]
inline constexpr double kUnseenLeadSpread = 15e-9;

// The spot frequencies of the bands the table shows. [Hz]
inline constexpr double kSpotFrequenciesHz[] = {1.0e6, 3.5e6, 7.0e6, 14.0e6, 28.0e6};

// The measured µ at a frequency, interpolated between the two points around it; nullopt
// outside the reported band.
std::optional<PermeabilityPoint> permeabilityAt(const std::vector<PermeabilityPoint>& points, double hertz);

struct SweepIdentification {
    CoilPermeability permeability;
    std::vector<Candidate> candidates;

    bool operator==(const SweepIdentification&) const = default;
};
using SweepIdentificationResult = std::variant<SweepIdentification, CoilError>;

// The whole path from a read sweep: refuses without turns or a valid size.
SweepIdentificationResult identifySweep(const TouchstoneSweep& sweep, SweepParameter parameter, int turns,
                                        const std::optional<ToroidSize>& size,
                                        const std::vector<Material>& materials, const PermeabilityTable& curves);

// A catalogue size by its name, any letter case, with or without the hyphen and blanks
// ("FT-240", "ft240"); nullopt when the catalogue has no such size.
std::optional<ToroidSize> catalogueSizeNamed(const std::vector<CatalogueCore>& cores, std::string_view name);

// The measured points as CSV: a header, then frequency, µ′, µ″ per line.
std::string permeabilityCsv(const CoilPermeability& permeability, char separator);

}  // namespace kw
