#include "common/tooltips.h"

#include <span>

namespace kw {

namespace {

struct Tip {
    std::string_view control;
    std::string_view text;
};

// ---- Calculator ----

constexpr Tip kCalculatorDutch[] = {
    {"txtWikkeling", "Aantal windingen op de kern (1 - 100)"},
    {"txtCap", "Totale capaciteit over de spoel, inclusief Top-C"},
    {"optCapVal_0", "Capaciteit in nF"},
    {"optCapVal_1", "Capaciteit in pF"},
    {"txtFreq", "Gemeten resonantiefrequentie"},
    {"optFreq_0", "Frequenties in kHz"},
    {"optFreq_1", "Frequenties in MHz"},
    {"txtFres1", "Frequentie van het eerste -3 dB punt"},
    {"txtFres2", "Frequentie van het tweede -3 dB punt"},
    {"chkQaan", "Q berekenen uit de -3 dB punten"},
    {"optTOPC_0", "Gekoppeld via een kleine condensator (Top-C, pF)"},
    {"optTOPC_1", "Gekoppeld via een weerstand (Top-R, kOhm)"},
    {"txtTopR", "Waarde van de koppelweerstand of -condensator"},
    {"txtALwaarde", "AL waarde in mH/1000 windingen, gelijk aan nH per winding kwadraat"},
    {"chkLprn", "Vul Regel zet L ook op info regel 8"},
    {"txtLmH", "Zelfinductie in mH"},
    {"txtQLC", "Q gecorrigeerd voor de belasting door de meetopstelling"},
    {"txtQRS", "Vervangende serie-verliesweerstand"},
    {"chkQRLC", "Vul Regel zet de ongecorrigeerde Q ook op info regel 7 (Top-R methode)"},
    {"txtQRLC", "Q zonder correctie"},
    {"txtQRP", "Vervangende parallel-verliesweerstand"},
    {"optLANG_0", "Nederlands"},
    {"optLANG_1", "English"},
    {"cboKiesregel", "Meetregel van het invulblad die Vul Regel vult"},
    {"cmdBereken", "Bereken AL, L, Q, Rs en Rp uit de invoer"},
    {"cmdBestand", "Zet deze meting op de gekozen regel van het invulblad"},
    {"cmdEinde", "Programma beëindigen"},
    {"cmdHelp", "Hulp"},
    {"cmdSweep",
     "Neem de resonantie en de -3 dB punten over uit een meting van een netwerkanalyser (.s1p, .s2p)"},
};

constexpr Tip kCalculatorEnglish[] = {
    {"txtWikkeling", "Number of turns on the core (1 - 100)"},
    {"txtCap", "Total capacitance across the coil, Top-C included"},
    {"optCapVal_0", "Capacitance in nF"},
    {"optCapVal_1", "Capacitance in pF"},
    {"txtFreq", "Measured resonance frequency"},
    {"optFreq_0", "Frequencies in kHz"},
    {"optFreq_1", "Frequencies in MHz"},
    {"txtFres1", "Frequency of the first -3 dB point"},
    {"txtFres2", "Frequency of the second -3 dB point"},
    {"chkQaan", "Work out Q from the -3 dB points"},
    {"optTOPC_0", "Coupled through a small capacitor (Top-C, pF)"},
    {"optTOPC_1", "Coupled through a resistor (Top-R, kOhm)"},
    {"txtTopR", "Value of the coupling resistor or capacitor"},
    {"txtALwaarde", "AL value in mH/1000 turns, the same as nH per turn squared"},
    {"chkLprn", "Fill Line also adds L to info line 8"},
    {"txtLmH", "Inductance in mH"},
    {"txtQLC", "Q corrected for the loading of the test set-up"},
    {"txtQRS", "Equivalent series loss resistance"},
    {"chkQRLC", "Fill Line also adds the uncorrected Q to info line 7 (Top-R method)"},
    {"txtQRLC", "Q without correction"},
    {"txtQRP", "Equivalent parallel loss resistance"},
    {"optLANG_0", "Nederlands"},
    {"optLANG_1", "English"},
    {"cboKiesregel", "Measurement line of the data sheet that Fill Line fills"},
    {"cmdBereken", "Work out AL, L, Q, Rs and Rp from the inputs"},
    {"cmdBestand", "Copy this measurement into the chosen line of the data sheet"},
    {"cmdEinde", "End the program"},
    {"cmdHelp", "Help"},
    {"cmdSweep", "Take the resonance and the -3 dB points from a network analyser's sweep (.s1p, .s2p)"},
};

// ---- data sheet ----

constexpr Tip kDataSheetDutch[] = {
    {"cmdDatum", "Vul de datum van vandaag in"},
    {"cmdVoorVul", "Vul windingen, capaciteit en Top waarde in uit VOORVUL.INI"},
    {"cmdWis", "Maak alle vakken leeg behalve de datum"},
    {"cmdWisM", "Maak de meetregels en info regel 8 leeg"},
    {"cmdExport", "Schrijf het blad als afdrukbare PostScript pagina"},
    {"chkCSV", "Export PS schrijft ook een CSV bestand voor een rekenblad"},
    {"chkPDF", "Export PS schrijft de pagina ook als PDF-bestand ernaast"},
    {"cmdPrint", "Het blad op een printer afdrukken (Ctrl+P)"},
    {"cmdMap", "Open de map van de laatst geëxporteerde pagina"},
    {"cmdSluiten", "Sluit het invulblad; de teksten verdwijnen"},
    {"cmdInvoer", "Laad een .tor bestand"},
    {"cmdUitvoer", "Bewaar het blad als .tor bestand"},
    {"optLANG_0", "Meldingen van het invulblad in het Nederlands"},
    {"optLANG_1", "Meldingen van het invulblad in het Engels"},
    {"cmdKern", "Kern bepalen: µr uit de metingen en de waarschijnlijke materialen"},
    {"txtDD", "Dag"},
    {"txtMM", "Maand"},
    {"txtJJ", "Jaar, de laatste twee cijfers"},
    {"txtTest1", "Test notitie"},
    {"txtFabr", "Fabrikant"},
    {"txtType", "Type en kleur"},
    {"txtBuiten", "Buitendiameter in mm"},
    {"txtBinnen", "Binnendiameter in mm"},
    {"txtHoog", "Hoogte in mm"},
    {"txtRi", "Ri van de kern"},
    {"txtMu", "Permeabiliteit µ van de kern"},
    {"txtN", "Windingen"},
    {"txtC", "Totale capaciteit met eenheid"},
    {"txtFres", "Resonantiefrequentie met eenheid"},
    {"txtmH", "AL in mH/1000 windingen (nH per winding kwadraat)"},
    {"txtf1", "Eerste -3 dB punt"},
    {"txtf2", "Tweede -3 dB punt"},
    {"txtQ", "Q met correctie"},
    {"txtTop", "Top-R of Top-C waarde met eenheid"},
    {"txtRs", "Serie-verliesweerstand"},
    {"txtRp", "Parallel-verliesweerstand"},
    {"txtRegel", "Vrije info regel"},
};

constexpr Tip kDataSheetEnglish[] = {
    {"cmdDatum", "Fill in today's date"},
    {"cmdVoorVul", "Fill in turns, capacitance and Top value from VOORVUL.INI"},
    {"cmdWis", "Empty every box except the date"},
    {"cmdWisM", "Empty the measurement lines and info line 8"},
    {"cmdExport", "Write the sheet as a printable PostScript page"},
    {"chkCSV", "Export PS also writes a CSV file for a spreadsheet"},
    {"chkPDF", "Export PS also writes the page as a PDF file beside it"},
    {"cmdPrint", "Print the sheet on a printer (Ctrl+P)"},
    {"cmdMap", "Open the folder of the last exported page"},
    {"cmdSluiten", "Close the data sheet; its texts are discarded"},
    {"cmdInvoer", "Load a .tor file"},
    {"cmdUitvoer", "Save the sheet as a .tor file"},
    {"optLANG_0", "Messages of the data sheet in Dutch"},
    {"optLANG_1", "Messages of the data sheet in English"},
    {"cmdKern", "Identify core: µr from the measurements and the likely materials"},
    {"txtDD", "Day"},
    {"txtMM", "Month"},
    {"txtJJ", "Year, the last two digits"},
    {"txtTest1", "Test note"},
    {"txtFabr", "Manufacturer"},
    {"txtType", "Type and colour"},
    {"txtBuiten", "Outer diameter in mm"},
    {"txtBinnen", "Inner diameter in mm"},
    {"txtHoog", "Height in mm"},
    {"txtRi", "Ri of the core"},
    {"txtMu", "Permeability µ of the core"},
    {"txtN", "Turns"},
    {"txtC", "Total capacitance with its unit"},
    {"txtFres", "Resonance frequency with its unit"},
    {"txtmH", "AL in mH/1000 turns (nH per turn squared)"},
    {"txtf1", "First -3 dB point"},
    {"txtf2", "Second -3 dB point"},
    {"txtQ", "Q with correction"},
    {"txtTop", "Top-R or Top-C value with its unit"},
    {"txtRs", "Series loss resistance"},
    {"txtRp", "Parallel loss resistance"},
    {"txtRegel", "Free info line"},
};

// ---- identify window ----

constexpr Tip kIdentifyDutch[] = {
    {"cmdMu", "Zet de gemiddelde µr in het µ-vak van het invulblad"},
    {"cmdSluiten", "Sluit dit venster (Esc)"},
    {"txtWindingen", "Windingen van de spoel op de kern; leeg: van de eerste regel van het invulblad"},
    {"cmdSweep", "Lees een sweep (.s1p/.s2p) van de spoel alleen op poort 1: µ′ en µ″ over de band en de "
                 "materialen die erbij passen"},
    {"cmdOpslaan", "Schrijf de gemeten µ′ en µ″ per frequentie in een CSV-bestand"},
    {"spotRows", "µ′ en µ″ uit de sweep bij 1, 3,5, 7, 14 en 28 MHz; - buiten de band die de sweep toont"},
    {"rankRows", "De materialen het dichtst bij de sweep; materialen met hetzelfde nummer zijn niet uit "
                 "elkaar te houden"},
    {"sweepPlot", "Gemeten µ′ (doorgetrokken) en µ″ (gestreept) in zwart, de drie dichtstbijzijnde "
                  "materialen in kleur"},
};

constexpr Tip kIdentifyEnglish[] = {
    {"cmdMu", "Write the mean µr into the µ box of the data sheet"},
    {"cmdSluiten", "Close this window (Esc)"},
    {"txtWindingen", "Turns of the coil on the core; empty: from the data sheet's first line"},
    {"cmdSweep", "Read a sweep (.s1p/.s2p) of the coil alone across port 1: µ′ and µ″ over the band and "
                 "the materials that match"},
    {"cmdOpslaan", "Write the measured µ′ and µ″ per frequency into a CSV file"},
    {"spotRows", "µ′ and µ″ from the sweep at 1, 3.5, 7, 14 and 28 MHz; - outside the band the sweep shows"},
    {"rankRows", "The materials nearest the sweep; materials with the same number cannot be told apart"},
    {"sweepPlot", "Measured µ′ (solid) and µ″ (dashed) in black, the three nearest materials in colour"},
};

std::span<const Tip> tableOf(TipWindow window, bool english) {
    switch (window) {
        case TipWindow::Calculator:
            return english ? std::span<const Tip>(kCalculatorEnglish)
                           : std::span<const Tip>(kCalculatorDutch);
        case TipWindow::DataSheet:
            return english ? std::span<const Tip>(kDataSheetEnglish) : std::span<const Tip>(kDataSheetDutch);
        case TipWindow::Identify:
            return english ? std::span<const Tip>(kIdentifyEnglish) : std::span<const Tip>(kIdentifyDutch);
    }
    return {};
}

std::string_view find(std::span<const Tip> table, std::string_view control) {
    for (const Tip& tip : table) {
        if (tip.control == control) {
            return tip.text;
        }
    }
    return {};
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::string_view ControlTip(TipWindow window, std::string_view control, bool english) {
    const std::span<const Tip> table = tableOf(window, english);
    std::string_view tip = find(table, control);
    if (tip.empty() && !control.empty() && isDigit(control.back())) {
        tip = find(table, control.substr(0, control.size() - 1));
    }
    return tip;
}

}  // namespace kw
