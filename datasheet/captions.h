#pragma once

// Every caption the data sheet's language switch sets, one table per language, and the
// captions of the printed form drawn behind the boxes. Every blank counts.

#include <array>
#include <string_view>

namespace kw {

// The captions the sheet's language switch sets; the Dutch ones are also its design.
struct DataSheetCaptions {
    std::string_view cmdDatum;
    std::string_view cmdWis;
    std::string_view cmdWisM;
    std::string_view cmdExport;
    std::string_view cmdMap;
    std::string_view cmdSluiten;
    std::string_view cmdVoorVul;
    std::string_view Label2;
    std::string_view cmdInvoer;
    std::string_view cmdUitvoer;
    std::string_view Frame1;
    std::string_view cmdPrint;
};

inline constexpr DataSheetCaptions kDataSheetEnglish = {
    .cmdDatum = "Fill Date",
    .cmdWis = "Delete All",
    .cmdWisM = "Delete Datalines",
    .cmdExport = "Export PS",
    .cmdMap = "Go PS Folder",
    .cmdSluiten = "Close",
    .cmdVoorVul = "Pre Fill",
    .Label2 = "Toroid / Ferrite Fill-in Form",
    .cmdInvoer = "Input",
    .cmdUitvoer = "Output",
    .Frame1 = "File I/O control",
    .cmdPrint = "Print\u2026",
};

inline constexpr DataSheetCaptions kDataSheetDutch = {
    .cmdDatum = "Datum",
    .cmdWis = "Wis Alles",
    .cmdWisM = "Wis Metingen",
    .cmdExport = "Export PS",
    .cmdMap = "Ga PS Map",
    .cmdSluiten = "Sluiten",
    .cmdVoorVul = "Vooraf Vul",
    .Label2 = "Ringkern / Ferriet Invul Vorm",
    .cmdInvoer = "Invoer",
    .cmdUitvoer = "Uitvoer",
    .Frame1 = "Bestandsbeheer",
    .cmdPrint = "Afdrukken\u2026",
};

inline constexpr const DataSheetCaptions& dataSheetCaptions(bool english) {
    return english ? kDataSheetEnglish : kDataSheetDutch;
}

// The printed form behind the boxes. It is the Dutch sheet in either language, as the
// PostScript page it stands for.
struct SheetFormCaptions {
    std::string_view title;
    std::string_view datum;
    std::string_view testInfo;
    std::string_view dayMonth;   // between the day and the month box
    std::string_view monthYear;  // between the month and the year box, with the century
    std::string_view fabrikant;
    std::string_view typeKleur;
    std::string_view maten;
    std::array<std::string_view, 3> sizes;  // outer, inner, height
    // R with the index i, then µ with the index tor over µ with the index i.
    std::string_view ri;
    std::string_view riIndex;
    std::string_view muTor;
    std::string_view muTorIndex;
    std::string_view muI;
    std::string_view muIIndex;
    std::array<std::string_view, 5> groupHeads;    // over groups of columns
    std::array<std::string_view, 10> columnHeads;  // N, C, Fres, mH, f1, f2, Q, Top, Rs, Rp
    std::string_view bijzonderheden;
};

inline constexpr SheetFormCaptions kSheetFormCaptions = {
    .title = "RINGKERN/FERRIET INFOBLAD",
    .datum = "Datum",
    .testInfo = "Testinfo",
    .dayMonth = "-",
    .monthYear = "- 20",
    .fabrikant = "Fabrikant",
    .typeKleur = "Type / kleur",
    .maten = "Maten in mm:",
    .sizes = {"Buiten \u00D8", "Binnen \u00D8", "Hoogte"},
    .ri = "R",
    .riIndex = "i",
    .muTor = "\u00B5",
    .muTorIndex = "tor",
    .muI = "/ \u00B5",
    .muIIndex = "i",
    .groupHeads = {"Meetmethode", "AL in", "B\u221A2", "TOP", "Q ==> Rs/Rp"},
    .columnHeads = {"N", "C", "f res", "mH/1000", "f1", "f2", "Q", "C / R", "Rs", "Rp"},
    .bijzonderheden = "Bijzonderheden",
};

}  // namespace kw
