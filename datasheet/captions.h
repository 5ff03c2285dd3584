#pragma once

// Every caption the data sheet's language switch sets, one table per language.
// Every blank counts.

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

}  // namespace kw
