#pragma once

// Every caption of the Calculator's Sweep… button, its file dialog and the sweep window, one
// table per language (the boxes shown when a sweep cannot be opened are the Calculator's
// messages). "%1" to "%4" stand for the values put in.

#include <string_view>

namespace kw {

struct SweepTexts {
    // The Calculator's button and its file dialog.
    std::string_view cmdSweep;
    std::string_view dialogTitle;
    std::string_view dialogFilter;
    // The sweep window.
    std::string_view caption;  // %1 file name
    std::string_view axisFrequency;
    std::string_view axisS21;
    std::string_view axisZ;
    std::string_view axisPhase;
    std::string_view seriesS21;
    std::string_view seriesZ;
    std::string_view seriesPhase;
    std::string_view markResonance;
    std::string_view markHalfPower;       // S21
    std::string_view markPhaseHalfPower;  // S11
    std::string_view summary;             // %1 f0, %2 f1, %3 f2 in MHz, %4 Q; f0 and Q with "±"
    std::string_view summaryGap;          // between the summary and the peak
    std::string_view peakS21;             // %1 dB
    std::string_view peakZ;               // %1 ohm
    std::string_view fitted;              // %1 points
    std::string_view setAside;            // %1 points
    std::string_view readOff;
    std::string_view close;
};

inline constexpr SweepTexts kSweepEnglish = {
    .cmdSweep = "Sweep…",
    .dialogTitle = "Open a sweep",
    .dialogFilter = "Touchstone sweep|*.s1p;*.s2p;*.S1P;*.S2P|All files|*",
    .caption = "Sweep - %1",
    .axisFrequency = "Frequency (MHz)",
    .axisS21 = "|S21| (dB)",
    .axisZ = "|Z| (Ω)",
    .axisPhase = "Phase of Z (°)",
    .seriesS21 = "|S21|",
    .seriesZ = "|Z|",
    .seriesPhase = "Phase of Z",
    .markResonance = "Resonance",
    .markHalfPower = "-3 dB points",
    .markPhaseHalfPower = "±45° points (-3 dB)",
    .summary = "f0 = %1 MHz    f1 = %2 MHz    f2 = %3 MHz    Q = %4",
    .summaryGap = "    ",
    .peakS21 = "Peak %1 dB",
    .peakZ = "Tank %1 Ω",
    .fitted = "Fitted to the ideal tank over %1 points near the resonance; ± gives one standard deviation.",
    .setAside = "%1 points far beyond the others' scatter were left out.",
    .readOff = "Read off the sweep points: the ideal tank's curve does not fit this sweep.",
    .close = "Close",
};

inline constexpr SweepTexts kSweepDutch = {
    .cmdSweep = "Sweep…",
    .dialogTitle = "Meting openen",
    .dialogFilter = "Touchstone meting|*.s1p;*.s2p;*.S1P;*.S2P|Alle bestanden|*",
    .caption = "Meting - %1",
    .axisFrequency = "Frequentie (MHz)",
    .axisS21 = "|S21| (dB)",
    .axisZ = "|Z| (Ω)",
    .axisPhase = "Fase van Z (°)",
    .seriesS21 = "|S21|",
    .seriesZ = "|Z|",
    .seriesPhase = "Fase van Z",
    .markResonance = "Resonantie",
    .markHalfPower = "-3 dB punten",
    .markPhaseHalfPower = "±45° punten (-3 dB)",
    .summary = "f0 = %1 MHz    f1 = %2 MHz    f2 = %3 MHz    Q = %4",
    .summaryGap = "    ",
    .peakS21 = "Piek %1 dB",
    .peakZ = "Kring %1 Ω",
    .fitted =
        "Aangepast aan de ideale kring over %1 punten rond de resonantie; ± geeft een standaardafwijking.",
    .setAside = "%1 punten ver buiten de spreiding van de andere zijn weggelaten.",
    .readOff = "Afgelezen van de meetpunten: de curve van de ideale kring past niet bij deze meting.",
    .close = "Sluiten",
};

inline constexpr const SweepTexts& sweepTexts(bool english) {
    return english ? kSweepEnglish : kSweepDutch;
}

}  // namespace kw
