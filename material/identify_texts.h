#pragma once

// Every text of the identify window, one table per language. "%1" to "%4" stand for the
// values put in by the window.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kw {

struct IdentifyTexts {
    std::string_view caption;
    std::string_view frameMaten;
    std::string_view lblBuiten;
    std::string_view lblBinnen;
    std::string_view lblHoog;
    std::string_view lblPadlengte;
    std::string_view lblDoorsnede;
    std::string_view frameRegels;
    std::array<std::string_view, 6> lineHeads;
    std::string_view noteFromResonance;
    std::string_view noteNoAl;
    std::string_view lblGemiddeldeAL;
    std::string_view valueGemiddeldeAL;  // %1 nH/N², %2 µH/100
    std::string_view lblSpreiding;
    std::string_view valueSpreiding;  // %1 lowest, %2 highest, %3 percentage
    std::string_view valueOneLine;
    std::string_view lblGemiddeldeMu;
    std::string_view frameEigenC;
    std::string_view eigenC;  // %1 turns, %2 lines, %3 pF, %4 the material fitted with
    std::string_view eigenCNone;
    std::string_view familyFerrite;
    std::string_view familyIronPowder;
    std::string_view familyUnknown;
    std::string_view frequencyWarning;  // %1 highest frequency in MHz
    std::string_view frameKandidaten;
    std::array<std::string_view, 6> candidateHeads;
    std::string_view wordFerrite;
    std::string_view wordIronPowder;
    std::string_view wordLikely;
    std::string_view lblCatalogus;
    std::string_view cmdMu;
    std::string_view cmdSluiten;
    // Hints: %1 the dimension's name, %2 its box on the sheet, %3 the text, %4 an example.
    std::string_view nameBuiten;
    std::string_view nameBinnen;
    std::string_view nameHoog;
    std::string_view hintDimensionMissing;
    std::string_view hintDimensionUnreadable;
    std::string_view dimensionExample;
    std::string_view hintInnerNotBelowOuter;  // %1 inner, %2 outer
    std::string_view hintNoLines;
    std::string_view hintLineAlUnreadable;  // %1 line, %2 text
    std::string_view hintLineNoAl;          // %1 line
    std::string_view hintTableUnreadable;   // %1 path, %2 reason
    std::string_view hintTableNoHeader;     // %1 path, %2 column
    std::string_view hintTableBadRows;      // %1 path, %2 count, %3 first line
    std::string_view hintTableNoRows;       // %1 path
    // Size, correction, range and colour.
    std::string_view lblMaat;
    std::string_view maatNone;
    std::string_view lblGecorrigeerdAL;
    std::string_view valueGecorrigeerdAL;  // %1 nH/N², %2 the pF taken off
    std::string_view gecorrigeerdNone;
    std::string_view noteCorrected;  // %1 corrected AL
    std::string_view lblMuBereik;
    std::string_view valueMuBereik;   // %1 lowest, %2 highest
    std::string_view valueMuBereikC;  // the same when a line has a tuning capacitor
    std::string_view lblKleur;
    std::string_view kleurGeen;
    std::string_view wordOr;
    std::string_view groupNote;           // %1 the group's names
    std::string_view candidateDetail;     // %1 rank, %2 material, %3 the lines' expectations
    std::string_view candidateStray;      // %1 pF: the winding capacitance fitted with it
    std::string_view lineExpected;        // %1 line, %2 MHz, %3 µ′, %4 lowest, %5 highest, %6 µ″
    std::string_view lineExpectedNoFreq;  // %1 line, %2 µ, %3 lowest, %4 highest
    std::string_view rankedBySize;        // %1 the size
    std::string_view rankedByMu;
    std::string_view rankedByCurves;  // shown besides the above when a ferrite was compared over frequency
    std::string_view hintNoColour;    // %1 colour
    std::string_view hintCatalogueBadRows;  // %1 path, %2 count
    // The plot.
    std::string_view plotTitle;
    std::string_view plotAxisFrequency;
    std::string_view plotAxisMu;
    std::string_view plotMeasuredReal;
    std::string_view plotMeasuredImag;
    std::string_view plotBand;  // %1 the material whose band is drawn
};

const IdentifyTexts& identifyTexts(bool english);

// Labels of the dimension boxes as the sheet drawing prints them, in both languages.
inline constexpr std::string_view kBoxBuiten = "Buiten Ø";
inline constexpr std::string_view kBoxBinnen = "Binnen Ø";
inline constexpr std::string_view kBoxHoog = "Hoogte";

}  // namespace kw
