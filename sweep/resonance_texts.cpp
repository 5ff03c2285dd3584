// The sentences of a refused sweep and of the advice with a found resonance, one table per
// kind, English and Dutch side by side.

#include <algorithm>
#include <cmath>
#include <string_view>

#include "common/path_text.h"
#include "common/shared_messages.h"
#include "common/text.h"
#include "sweep/resonance.h"

namespace kw {

namespace {

constexpr double kHertzPerMegahertz = 1e6;
constexpr int kFrequencyDigits = 7;
constexpr int kFigureDigits = 2;  // of a ratio or a share in an advice

// Two digits, whole numbers from ten up: "0.05", "4.2", "40", "118".
std::string figure(double value) {
    constexpr double kWholeFrom = 10.0;
    return std::fabs(value) >= kWholeFrom ? GeneralNumber(std::round(value), 12) : GeneralNumber(value, kFigureDigits);
}

std::string megahertz(double hertz) {
    return GeneralNumber(hertz / kHertzPerMegahertz, kFrequencyDigits);
}

struct FaultText {
    ResonanceFault fault;
    bool lowSide;  // NotWhole only
    // %1 the frequency in MHz, %2 what is measured (|S21| or |Z|), %3 a figure
    BilingualMessage text;
};

constexpr FaultText kFaultTexts[] = {
    {ResonanceFault::NoS21,
     false,
     {{{}, "De meting bevat alleen een reflectie (S11), geen doorgang (S21)."},
      {{}, "The sweep holds only a reflection (S11); it has no transmission (S21)."}}},
    {ResonanceFault::TooFewPoints,
     false,
     {{{}, "De meting heeft te weinig punten om een resonantie te vinden."},
      {{}, "The sweep has too few points to find a resonance."}}},
    {ResonanceFault::NotWhole,
     true,
     {{{},
       "Geen hele piek: onder het hoogste punt (%1 MHz) zakt %2 geen 3 dB voordat de meting begint. "
       "Begin de meting lager."},
      {{},
       "No whole peak: below the highest point (%1 MHz) %2 does not fall 3 dB before the sweep starts. "
       "Start the sweep lower."}}},
    {ResonanceFault::NotWhole,
     false,
     {{{},
       "Geen hele piek: boven het hoogste punt (%1 MHz) zakt %2 geen 3 dB voordat de meting eindigt. "
       "Eindig de meting hoger."},
      {{},
       "No whole peak: above the highest point (%1 MHz) %2 does not fall 3 dB before the sweep ends. "
       "End the sweep higher."}}},
    {ResonanceFault::Flat,
     false,
     {{{},
       "Geen piek: nergens in de meting zakt de respons 3 dB aan beide kanten van het hoogste punt (%1 "
       "MHz)."},
      {{},
       "No peak: nowhere in the sweep does the response fall 3 dB on both sides of its highest point (%1 "
       "MHz)."}}},
    {ResonanceFault::TooNarrow,
     false,
     {{{},
       "De meting is te smal: %2 zakt aan geen van beide kanten van het hoogste punt (%1 MHz) 3 dB. "
       "Meet minstens vijf keer zo breed."},
      {{},
       "The sweep is too narrow: %2 falls less than 3 dB on either side of its highest point (%1 MHz). "
       "Sweep at least five times as wide."}}},
    {ResonanceFault::TooCoarse,
     false,
     {{{},
       "De meting is te grof of te ruizig om de resonantie bij %1 MHz te bepalen: een stap is %3 × de "
       "bandbreedte. Meet smaller of met meer punten."},
      {{},
       "The sweep is too coarse or too noisy to fit the resonance near %1 MHz: one step is %3 × its "
       "bandwidth. Sweep narrower or with more points."}}},
    {ResonanceFault::Several,
     false,
     {{{},
       "Meer dan een resonantie: pieken van ongeveer dezelfde hoogte bij %1. Beperk de meting tot een "
       "ervan."},
      {{},
       "More than one resonance: peaks of about the same height at %1. Narrow the sweep to one of them."}}},
    {ResonanceFault::CoilAlone,
     false,
     {{{},
       "Geen resonantie: de fase van Z blijft inductief en gaat nergens door nul. Dit lijkt een spoel "
       "alleen (of een kring die boven de meting resoneert)."},
      {{},
       "No resonance: the phase of Z stays inductive and never crosses zero. This looks like a coil alone "
       "(or a tank resonating above the sweep)."}}},
    {ResonanceFault::OutOfRange,
     false,
     {{{},
       "De resonantie bij %1 MHz ligt buiten de frequenties die de rekenaar aanneemt (0,01 kHz tot 50000 "
       "MHz)."},
      {{},
       "The resonance at %1 MHz lies outside the frequencies the Calculator takes (0.01 kHz to 50000 "
       "MHz)."}}},
};

struct AdviceText {
    SweepAdvice advice;
    // %1 the tank over the port impedance, or the points within the bandwidth; %2 Q's share in %
    BilingualMessage text;
};

constexpr AdviceText kAdviceTexts[] = {
    {SweepAdvice::TankFarAbovePort,
     {{{},
       "De kring is bij resonantie %1 × de poortimpedantie: reflectie bepaalt Q niet beter dan ±%2 %; "
       "koppel via een kleine condensator of meet S21."},
      {{},
       "The tank is %1 × the port impedance at resonance: reflection cannot resolve Q better than ±%2 %; "
       "couple it through a small capacitor or measure S21."}}},
    {SweepAdvice::TankFarBelowPort,
     {{{},
       "De kring is bij resonantie maar %1 × de poortimpedantie: reflectie bepaalt Q niet beter dan ±%2 %; "
       "tap de kring hoger af of meet S21."},
      {{},
       "The tank is only %1 × the port impedance at resonance: reflection cannot resolve Q better than "
       "±%2 %; tap the tank higher or measure S21."}}},
    {SweepAdvice::FewPoints,
     {{{},
       "Er liggen maar %1 meetpunten tussen de -3 dB punten: Q is bekend op ±%2 %; meet smaller of met meer "
       "punten."},
      {{},
       "Only %1 sweep points lie between the -3 dB points: Q is known to ±%2 %; sweep narrower or with more "
       "points."}}},
    {SweepAdvice::Noisy,
     {{{},
       "De meting is ruizig: Q is bekend op ±%2 %; middel meerdere metingen of verklein de IF-bandbreedte "
       "van de analyser."},
      {{},
       "The sweep is noisy: Q is known to ±%2 %; average several sweeps or narrow the analyser's IF "
       "bandwidth."}}},
};

std::string peakList(const ResonanceError& error, SweepParameter parameter, bool english) {
    std::string list;
    const std::size_t count = error.candidates.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0) {
            list += i + 1 == count ? (english ? " and " : " en ") : ", ";
        }
        list += megahertz(error.candidates[i]) + " MHz";
        if (i < error.levels.size()) {
            list += parameter == SweepParameter::S21 ? " (" + GeneralNumber(error.levels[i], 3) + " dB)"
                                                     : " (" + GeneralNumber(error.levels[i], 3) + " Ω)";
        }
    }
    return list;
}

}  // namespace

std::string DescribeResonanceError(const ResonanceError& error, SweepParameter parameter, bool english) {
    const bool lowSide = error.fault == ResonanceFault::NotWhole && error.lowSide;
    const auto text = std::find_if(std::begin(kFaultTexts), std::end(kFaultTexts), [&](const FaultText& t) {
        return t.fault == error.fault && t.lowSide == lowSide;
    });
    if (text == std::end(kFaultTexts)) {
        return {};
    }
    const std::string first =
        error.fault == ResonanceFault::Several ? peakList(error, parameter, english) : megahertz(error.atHz);
    return text->text.text(english, {first, parameter == SweepParameter::S21 ? "|S21|" : "|Z|",
                                     figure(error.stepsPerBandwidth)});
}

std::string DescribeAdvice(const Resonance& found, bool english) {
    const auto text = std::find_if(std::begin(kAdviceTexts), std::end(kAdviceTexts),
                                   [&](const AdviceText& t) { return t.advice == found.advice; });
    if (text == std::end(kAdviceTexts) || !(found.q > 0)) {
        return {};
    }
    const double first =
        found.advice == SweepAdvice::FewPoints ? std::floor(found.pointsPerBandwidth) : found.tankToPort;
    return text->text.text(english, {figure(first), figure(100.0 * found.qUncertainty / found.q)});
}

}  // namespace kw
