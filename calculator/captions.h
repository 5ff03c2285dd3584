#pragma once

// Every caption the Calculator's language switch sets, one table per language.
// Multi-line captions join their lines with a single CR; every blank counts.

#include <array>
#include <string_view>

namespace kw {

// The values of Taal.
inline constexpr std::string_view kTaalNL = "NL";
inline constexpr std::string_view kTaalUK = "UK";

// The caption of the Top value and of its unit, for one method.
struct TopCaptions {
    std::string_view lblTopR;
    std::string_view lblR;
};

// Calculator captions, in the order the switch sets them.
struct CalculatorCaptions {
    std::string_view Label2;
    std::string_view Label3;
    std::string_view Frame2;
    std::string_view lblN;
    std::string_view lblCap;
    std::string_view lblFreq;
    std::string_view lblFres;
    std::array<std::string_view, 2> optTOPC;  // index 0 Top-C, index 1 Top-R
    TopCaptions topR;
    TopCaptions topC;
    std::string_view frame1;
    std::string_view lblALwaarde;
    std::string_view lblQ;
    std::string_view lblQR;
    std::string_view lblQRLC;
    std::string_view lblLoss;
    std::string_view Label1;
    std::string_view cmdBestand;
    std::string_view cmdBereken;
    std::string_view cmdEinde;
};

inline constexpr CalculatorCaptions kCalculatorEnglish = {
    .Label2 = "This program calculates the AL value",
    .Label3 =
        "By entering all the data from a ferrite toroid resonance\r"
        "test-setup, this program calculates the AL and Q.\r"
        "Both point and comma work 1x as a decimal symbol.",
    .Frame2 = "Input data",
    .lblN = "winding number          = ",
    .lblCap =
        "total par. capacity      = \r"
        "Top-C included",
    .lblFreq = "resonance frequency  =",
    .lblFres = "-3 dB points next to fres",
    .optTOPC = {"Top C method", "Top R method"},
    .topR = {"which Top-R", "kOhm    typ.: 1 - 1000"},
    .topC = {"which Top-C", "pF         typ.: 1 - 1000"},
    .frame1 = "Results",
    .lblALwaarde = "The AL value in mH/1000     or nH/winding,   L in mH",
    .lblQ = "The corresponding QLC",
    .lblQR = "with Q correction",
    .lblQRLC = "and without any Q corr.",
    .lblLoss = "Eq. loss R's",
    .Label1 =
        "After setting all values and selections \"Calculate\" must\r"
        "be clicked repeatedly.   Invalid data input is blocked.\r"
        "Checkbox set = migrate item also to line 7 and 8.",
    .cmdBestand = "Fill Line",
    .cmdBereken = "Calculate",
    .cmdEinde = "Exit",
};

inline constexpr CalculatorCaptions kCalculatorDutch = {
    .Label2 = "Dit programma berekent de AL waarde",
    .Label3 =
        "Door het ingeven van alle resonantie meetgegevens\r"
        "van een ringkern geeft dit programma de AL en Q.\r"
        "Zowel een punt als komma werkt 1x als decimaal.",
    .Frame2 = "Invoer gegevens",
    .lblN = "aantal windingen        = ",
    .lblCap =
        "totaal par. capaciteit   = \r"
        "inclusief Top-C",
    .lblFreq = "resonantie frequentie  =",
    .lblFres = "-3 dB punten naast fres",
    .optTOPC = {"Top C methode", "Top R methode"},
    .topR = {"welke Top-R", "kOhm   typ.: 1 - 1000"},
    .topC = {"welke Top-C", "pF        typ.: 1 - 1000"},
    .frame1 = "Resultaten",
    .lblALwaarde = "De AL waarde in mH/1000    of nH/winding,   L in mH",
    .lblQ = "De bijbehorende QLC",
    .lblQR = "met Q ballast correctie",
    .lblQRLC = "en helemaal zonder Q corr.",
    .lblLoss = "Eq. verlies R's",
    .Label1 =
        "Na het instellen van selecties moet de  \"Bereken\" knop\r"
        "opnieuw aangeklikt worden. Foute input wordt tegen-\r"
        "gehouden! Checkbox aan = vul dit in op regel 7 en 8.",
    .cmdBestand = "Vul Regel",
    .cmdBereken = "Bereken",
    .cmdEinde = "Einde",
};

inline constexpr const CalculatorCaptions& calculatorCaptions(bool english) {
    return english ? kCalculatorEnglish : kCalculatorDutch;
}

// The target lines of Fill Line: the list item that chooses line n, and the pieces that
// line n appends to info lines 8 and 7. The same in both languages.
struct TargetLineTexts {
    std::string_view item;
    std::string_view lPiece;    // info line 8, before the L text
    std::string_view qlcPiece;  // info line 7, before the uncorrected Q text
};

inline constexpr std::array<TargetLineTexts, 7> kFillLineTargets = {{
    {"Regel_Line-1", "L1 = ", "Qlc+r1 = "},
    {"Regel_Line-2", "L2 = ", "Qlc+r2 = "},
    {"Regel_Line-3", "L3 = ", "Qlc+r3 = "},
    {"Regel_Line-4", "L4 = ", "Qlc+r4 = "},
    {"Regel_Line-5", "L5 = ", "Qlc+r5 = "},
    {"Regel_Line-6", "L6 = ", "Qlc+r6 = "},
    {"Regel_Line-7", "L7 = ", "Qlc+r7 = "},
}};

inline constexpr std::string_view kLPieceEnd = " mH, ";
inline constexpr std::string_view kQlcPieceEnd = ", ";

}  // namespace kw
