#pragma once

// The sweep part of the "Identify core" window: a coil-alone sweep of the sheet's core read
// into µ′ and µ″ over the band, the nearest materials, a table at the amateur bands' spot
// frequencies and a plot with the three nearest makers' curves. The turns come from the
// window's box (filled from the sheet's first line with turns), the size from the sheet.

#include <array>
#include <string>
#include <vector>

#include "common/controls.h"
#include "datasheet/datasheet.h"
#include "material/identify_core.h"
#include "material/sweep_identification.h"

namespace kw {

inline constexpr int kSpotColumns = 3;       // MHz, µ′, µ″
inline constexpr int kSweepRankColumns = 4;  // rank, material, family, likely
inline constexpr int kSweepRanksShown = 5;
// The plot draws the three nearest materials.
inline constexpr int kSweepCurvesShown = 3;

struct IdentifySweep {
    // ---- the catalogue, set by whoever opens the window ----
    std::vector<Material> materials;
    PermeabilityTable curves;

    // ---- texts and controls ----
    std::string frameSweep;
    std::string lblWindingen;
    TextBox txtWindingen;
    Button cmdSweep;
    Button cmdOpslaan;  // Save as CSV; enabled once a sweep was read
    std::string lblBestand;    // the file read, empty before
    std::string lblResultaat;  // self-resonance, Cd, band; empty before
    std::array<std::string, kSpotColumns> spotHeads;
    std::vector<std::array<std::string, kSpotColumns>> spotRows;
    std::array<std::string, kSweepRankColumns> rankHeads;
    std::vector<std::array<std::string, kSweepRankColumns>> rankRows;
    IdentifyPlot plot;  // measured µ′ and µ″ over the band, the three nearest curves

    // ---- the numbers behind them ----
    bool hasResult = false;
    SweepIdentification result;
    std::string file;
    bool english = false;

    bool operator==(const IdentifySweep&) const = default;

    // The captions in the sheet's language; the turns from the sheet when the box is empty.
    void Form_Load(const DataSheet& sheet);
    // Asks for a sweep file through the sheet's services and reads it.
    void cmdSweep_Click(const DataSheet& sheet);
    // A file dropped on the window.
    void Form_DragDrop(const std::string& path, const DataSheet& sheet);
    // Asks for a file name and writes the measured points there.
    void cmdOpslaan_Click(const DataSheet& sheet);

    // Reads and analyses the file; a refusal is shown in one message. True when it was read.
    bool openSweep(const std::string& path, const DataSheet& sheet);

private:
    void fillResult(char separator);
};

}  // namespace kw
