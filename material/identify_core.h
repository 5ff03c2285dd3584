#pragma once

// The "Identify core" window as a record of its texts. Form_Load reads a data sheet
// (dimensions and every filled measurement line) and fills every text in the sheet's
// language; cmdMu_Click writes the mean µr into the sheet's µ box. A toolkit binding
// only draws these texts and forwards the two buttons.

#include <array>
#include <string>
#include <vector>

#include "common/controls.h"
#include "datasheet/datasheet.h"
#include "material/core_analysis.h"
#include "material/core_catalogue.h"
#include "material/identify_texts.h"
#include "material/material_table.h"

namespace kw {

// Caption of the data sheet's button that opens this window, both languages.
inline constexpr std::string_view kIdentifyButtonCaption = "µ?";

inline constexpr int kLineColumns = 6;       // line, N, AL nH/N², AL µH/100, µr, note
inline constexpr int kCandidateColumns = 6;  // rank, material, family, µ, deviation, likely
inline constexpr int kFewestCandidatesShown = 5;

struct IdentifyLineRow {
    std::array<std::string, kLineColumns> cells;

    bool operator==(const IdentifyLineRow&) const = default;
};

struct IdentifyCandidateRow {
    std::array<std::string, kCandidateColumns> cells;
    bool likely = false;

    bool operator==(const IdentifyCandidateRow&) const = default;
};

// A caption and the value beside it.
struct LabelledValue {
    std::string label;
    std::string value;

    bool operator==(const LabelledValue&) const = default;
};

// A curve on the plot: frequency [Hz] against µ′ and, where known, µ″.
struct PlotCurve {
    std::string name;  // the grades of its row, "… ≈ other" when it lies on an earlier curve
    std::vector<ComplexPermeability> points;
    bool hasImag = false;
    bool published = false;  // the maker's own points, drawn as dots too
    int style = 0;           // 0 solid; a curve on an earlier one gets the next line style

    bool operator==(const PlotCurve&) const = default;
};

// What the window's plot draws, in the sheet's language.
struct IdentifyPlot {
    std::string title;
    std::string axisFrequency;
    std::string axisMu;
    PlotCurve measured;               // one point per line with a frequency and µr
    std::vector<double> measuredLow;  // the range of each measured µ′, from sizes and capacitor
    std::vector<double> measuredHigh;
    std::string measuredImag;        // the name of the measured µ″ points
    std::vector<PlotCurve> nearest;  // one per row of the shown ranking, nearest first
    std::string bandName;
    std::vector<ComplexPermeability> bandLow;  // the band of the nearest material (µ′ only)
    std::vector<ComplexPermeability> bandHigh;

    bool operator==(const IdentifyPlot&) const = default;
};

// A material without a curve is drawn flat over this range. [Hz]
inline constexpr double kPlotLowestHz = 1.0e4;
inline constexpr double kPlotHighestHz = 1.0e8;

struct IdentifyCore {
    // ---- the catalogue, loaded by whoever opens the window ----
    MaterialTable table;
    CoreSizeTable sizes;
    PermeabilityTable curves;

    // ---- texts ----
    std::string caption;
    std::string frameMaten;
    LabelledValue buiten;
    LabelledValue binnen;
    LabelledValue hoog;
    LabelledValue padlengte;  // le
    LabelledValue doorsnede;  // Ae
    std::string frameRegels;
    std::array<std::string, kLineColumns> lineHeads;
    std::vector<IdentifyLineRow> lineRows;
    LabelledValue gemiddeldeAL;
    LabelledValue spreiding;
    LabelledValue gemiddeldeMu;
    LabelledValue gecorrigeerdAL;  // the mean AL without the stray capacitance
    LabelledValue muBereik;        // the range µr may lie in
    LabelledValue maat;            // the matched catalogue size
    std::string frameEigenC;
    std::vector<std::string> eigenC;  // one text per turn count with two usable lines
    std::string lblFamilie;
    std::string lblWaarschuwing;  // empty when there is nothing to warn about
    std::string frameKandidaten;
    std::array<std::string, kCandidateColumns> candidateHeads;
    std::vector<IdentifyCandidateRow> candidateRows;
    std::vector<std::size_t> rowCandidates;  // the first candidate of each row, in analysis.candidates
    std::string lblCatalogus;
    std::string lblRangorde;              // what the ranking compared
    std::vector<std::string> groupNotes;  // one per group of materials the measurement cannot tell apart
    std::vector<std::string> candidateDetails;  // per shown row: µ′ and µ″ expected at each line
    std::string lblKleur;
    ListBox cboKleur;                     // item 0: no colour chosen
    std::vector<std::string> colourKeys;  // the colour of each item in English; "" for item 0
    std::string colour;                   // the chosen colour in English; empty for none
    IdentifyPlot plot;
    std::vector<std::string> hints;  // what to fill in or check, in reading order
    Button cmdMu;
    Button cmdSluiten;

    // ---- the numbers behind the texts ----
    CoreAnalysis analysis;
    std::string muText;  // what cmdMu writes into the µ box; empty without µr
    bool english = false;

    bool operator==(const IdentifyCore&) const = default;

    // Reads the sheet and fills every text, in the sheet's language.
    void Form_Load(const DataSheet& sheet);
    // Writes the mean µr into the sheet's µ box; nothing while the button is disabled.
    void cmdMu_Click(DataSheet& sheet) const;
    // Narrows the ranking to the mixes of the chosen paint colour (0: every material).
    void cboKleur_Click(int index, const DataSheet& sheet);

private:
    void fillDimensions(const IdentifyTexts& t, char sep);
    void fillLines(const IdentifyTexts& t, char sep);
    void fillSummary(const IdentifyTexts& t, char sep);
    void fillCandidates(const IdentifyTexts& t, char sep);  // one row per group, and its note
    void fillCandidateDetails(const IdentifyTexts& t, char sep);
    void fillRankingNote(const IdentifyTexts& t);
    void fillCatalogueHints(const IdentifyTexts& t);
    void fillColours(const IdentifyTexts& t);
    void fillPlot(const IdentifyTexts& t);
};

// The paint colour written on the sheet (type, test note, maker or info lines, either
// language, as a word of its own: "T-50 rood"), in English; the longest name wins, so
// "rood/wit" before "rood". Empty when none is written there.
std::string paintColourOnSheet(const DataSheet& sheet, const std::vector<Material>& materials);

// The window for a sheet, with the material table read from the sheet's application folder;
// a paint colour written on the sheet is chosen from the start.
IdentifyCore OpenIdentifyCore(const DataSheet& sheet, const FileSystem& files);

}  // namespace kw
