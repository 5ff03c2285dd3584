#include "material/identify_texts.h"

namespace kw {

namespace {

const IdentifyTexts kEnglish = {
    .caption = "Identify core",
    .frameMaten = "Core dimensions",
    .lblBuiten = "Outer Ø",
    .lblBinnen = "Inner Ø",
    .lblHoog = "Height",
    .lblPadlengte = "Path length le",
    .lblDoorsnede = "Cross-section Ae",
    .frameRegels = "Measurement lines",
    .lineHeads = {"Line", "N", "AL nH/N² (mH/1000)", "AL µH/100", "µr", "Note"},
    .noteFromResonance = "AL from N, C and f",
    .noteNoAl = "no AL",
    .lblGemiddeldeAL = "Mean AL",
    .valueGemiddeldeAL = "%1 nH/N² = %2 µH/100",
    .lblSpreiding = "Spread of AL",
    .valueSpreiding = "%1 to %2 nH/N² (%3)",
    .valueOneLine = "one line only",
    .lblGemiddeldeMu = "Mean µr",
    .frameEigenC = "Stray capacitance",
    .eigenC = "%1 turns, lines %2: %3 pF (fitted with %4)",
    .eigenCNone = "Needs two lines with a capacitor and a frequency; with one line none is assumed.",
    .familyFerrite = "Family: ferrite (µr above about 100)",
    .familyIronPowder = "Family: iron powder (µr below about 100; a few low-µ ferrites lie here too)",
    .familyUnknown = "Family: –",
    .frequencyWarning =
        "Measured at up to %1 MHz: above about 1 MHz the apparent permeability of a ferrite "
        "departs from its µi at 10 kHz, so take the ranking as a rough guide.",
    .frameKandidaten = "Candidate materials, nearest first",
    .candidateHeads = {"#", "Material", "Family", "µi", "Deviation", "Likely"},
    .wordFerrite = "ferrite",
    .wordIronPowder = "iron powder",
    .wordLikely = "likely",
    .lblCatalogus = "µi: catalogue figures at low frequency (µi at 10 kHz for ferrites).",
    .cmdMu = "µr into µ box",
    .cmdSluiten = "Close",
    .nameBuiten = "outer diameter",
    .nameBinnen = "inner diameter",
    .nameHoog = "height",
    .hintDimensionMissing = "Fill in the %1 in mm in the box \"%2\" of the data sheet.",
    .hintDimensionUnreadable =
        "Cannot read the %1 \"%3\": type the number of mm in the box \"%2\", for example %4.",
    .dimensionExample = "12.7",
    .hintInnerNotBelowOuter =
        "The inner diameter (%1 mm) must be smaller than the outer diameter (%2 mm): "
        "check the boxes \"Binnen Ø\" and \"Buiten Ø\".",
    .hintNoLines =
        "No measurement line yet: fill a line with the \"Fill Line\" button, or type the turns "
        "and the AL (column \"AL in mH/1000\") on the data sheet.",
    .hintLineAlUnreadable =
        "Line %1: cannot read the AL \"%2\" (column \"AL in mH/1000\"), "
        "and N, C and f with their units do not give one either.",
    .hintLineNoAl =
        "Line %1: no AL (column \"AL in mH/1000\"), and N, C and f with their units do not give one.",
    .hintTableUnreadable = "The material table %1 cannot be read (%2): no candidates are shown.",
    .hintTableNoHeader =
        "The material table %1 has no header line with the column \"%2\": "
        "no candidates are shown.",
    .hintTableBadRows = "The material table %1: %2 line(s) left out, the first is line %3.",
    .hintTableNoRows = "The material table %1 holds no materials: no candidates are shown.",
    .lblMaat = "Catalogue size",
    .maatNone = "none within 0.1 mm + 2 %",
    .lblGecorrigeerdAL = "Mean AL without stray C",
    .valueGecorrigeerdAL = "%1 nH/N²",
    .gecorrigeerdNone = "no stray capacitance to take off",
    .noteCorrected = "corrected: %1",
    .lblMuBereik = "µr range",
    .valueMuBereik = "%1 to %2 (sizes ± 0.1 mm)",
    .valueMuBereikC = "%1 to %2 (sizes ± 0.1 mm, C ± 2 %)",
    .lblKleur = "Paint colour",
    .kleurGeen = "(not painted / unknown)",
    .wordOr = " or ",
    .groupNote = "%1: tell them apart by the paint or by Q.",
    .candidateDetail = "%1. %2 expects %3",
    .candidateStray = "; fitted winding capacitance %1 pF",
    .lineExpected = "line %1 at %2 MHz: µ′ %3 (%4 to %5), µ″ %6",
    .lineExpectedNoFreq = "line %1: µ %2 (%3 to %4)",
    .rankedBySize = "Size %1: the mixes the catalogue lists for it count a little more; no mix is left out.",
    .rankedByMu = "Ranked by the catalogue µ (no catalogue size matches).",
    .rankedByCurves =
        "Every mix compared with its µ′ and µ″ at each line's frequency, with the winding capacitance that "
        "fits it best.",
    .hintNoColour = "No material in the table is painted %1.",
    .hintCatalogueBadRows = "The catalogue table %1: %2 line(s) left out.",
    .plotTitle = "Permeability over frequency (dots: the maker's points)",
    .plotAxisFrequency = "Frequency (MHz)",
    .plotAxisMu = "µ′ (—), µ″ (- -)",
    .plotMeasuredReal = "measured",
    .plotMeasuredImag = "measured µ″",
    .plotBand = "band of %1",
};

const IdentifyTexts kDutch = {
    .caption = "Kern bepalen",
    .frameMaten = "Afmetingen van de kern",
    .lblBuiten = "Buiten Ø",
    .lblBinnen = "Binnen Ø",
    .lblHoog = "Hoogte",
    .lblPadlengte = "Weglengte le",
    .lblDoorsnede = "Doorsnede Ae",
    .frameRegels = "Meetregels",
    .lineHeads = {"Regel", "N", "AL nH/N² (mH/1000)", "AL µH/100", "µr", "Opmerking"},
    .noteFromResonance = "AL uit N, C en f",
    .noteNoAl = "geen AL",
    .lblGemiddeldeAL = "Gemiddelde AL",
    .valueGemiddeldeAL = "%1 nH/N² = %2 µH/100",
    .lblSpreiding = "Spreiding van AL",
    .valueSpreiding = "%1 tot %2 nH/N² (%3)",
    .valueOneLine = "slechts één regel",
    .lblGemiddeldeMu = "Gemiddelde µr",
    .frameEigenC = "Eigencapaciteit",
    .eigenC = "%1 windingen, regels %2: %3 pF (gepast bij %4)",
    .eigenCNone =
        "Daarvoor zijn twee regels met een C en een frequentie nodig; met één regel wordt er geen "
        "aangenomen.",
    .familyFerrite = "Familie: ferriet (µr boven ongeveer 100)",
    .familyIronPowder =
        "Familie: ijzerpoeder (µr onder ongeveer 100; ook enkele ferrieten met lage "
        "µ liggen hier)",
    .familyUnknown = "Familie: –",
    .frequencyWarning =
        "Gemeten tot %1 MHz: boven ongeveer 1 MHz wijkt de schijnbare permeabiliteit van "
        "ferriet af van de µi bij 10 kHz; neem de rangorde als ruwe aanwijzing.",
    .frameKandidaten = "Kandidaat-materialen, dichtstbijzijnde eerst",
    .candidateHeads = {"#", "Materiaal", "Familie", "µi", "Afwijking", "Waarschijnlijk"},
    .wordFerrite = "ferriet",
    .wordIronPowder = "ijzerpoeder",
    .wordLikely = "waarschijnlijk",
    .lblCatalogus = "µi: catalogusgegevens bij lage frequentie (µi bij 10 kHz voor ferrieten).",
    .cmdMu = "µr in µ-vak",
    .cmdSluiten = "Sluiten",
    .nameBuiten = "buitendiameter",
    .nameBinnen = "binnendiameter",
    .nameHoog = "hoogte",
    .hintDimensionMissing = "Vul de %1 in mm in, in het vak \"%2\" van het invulblad.",
    .hintDimensionUnreadable =
        "Kan de %1 \"%3\" niet lezen: typ het aantal mm in het vak \"%2\", bijvoorbeeld %4.",
    .dimensionExample = "12,7",
    .hintInnerNotBelowOuter =
        "De binnendiameter (%1 mm) moet kleiner zijn dan de buitendiameter (%2 mm): "
        "controleer de vakken \"Binnen Ø\" en \"Buiten Ø\".",
    .hintNoLines =
        "Nog geen meetregel: vul een regel met de knop \"Vul Regel\", of typ de windingen en "
        "de AL (kolom \"AL in mH/1000\") op het invulblad.",
    .hintLineAlUnreadable =
        "Regel %1: kan de AL \"%2\" niet lezen (kolom \"AL in mH/1000\"), "
        "en ook N, C en f met hun eenheden geven er geen.",
    .hintLineNoAl =
        "Regel %1: geen AL (kolom \"AL in mH/1000\"), en N, C en f met hun eenheden geven er geen.",
    .hintTableUnreadable = "De materiaaltabel %1 is niet te lezen (%2): er worden geen kandidaten getoond.",
    .hintTableNoHeader =
        "De materiaaltabel %1 heeft geen kopregel met de kolom \"%2\": "
        "er worden geen kandidaten getoond.",
    .hintTableBadRows = "De materiaaltabel %1: %2 regel(s) overgeslagen, de eerste is regel %3.",
    .hintTableNoRows = "De materiaaltabel %1 bevat geen materialen: er worden geen kandidaten getoond.",
    .lblMaat = "Catalogusmaat",
    .maatNone = "geen binnen 0,1 mm + 2 %",
    .lblGecorrigeerdAL = "Gemiddelde AL zonder eigencapaciteit",
    .valueGecorrigeerdAL = "%1 nH/N²",
    .gecorrigeerdNone = "geen eigencapaciteit af te trekken",
    .noteCorrected = "gecorrigeerd: %1",
    .lblMuBereik = "Bereik van µr",
    .valueMuBereik = "%1 tot %2 (maten ± 0,1 mm)",
    .valueMuBereikC = "%1 tot %2 (maten ± 0,1 mm, C ± 2 %)",
    .lblKleur = "Verfkleur",
    .kleurGeen = "(niet geverfd / onbekend)",
    .wordOr = " of ",
    .groupNote = "%1: onderscheid ze aan de verf of aan Q.",
    .candidateDetail = "%1. %2 verwacht %3",
    .candidateStray = "; gepaste eigencapaciteit %1 pF",
    .lineExpected = "regel %1 bij %2 MHz: µ′ %3 (%4 tot %5), µ″ %6",
    .lineExpectedNoFreq = "regel %1: µ %2 (%3 tot %4)",
    .rankedBySize =
        "Maat %1: de mengsels die de catalogus daarvoor noemt tellen iets zwaarder; geen mengsel valt af.",
    .rankedByMu = "Gerangschikt naar de catalogus-µ (geen catalogusmaat past).",
    .rankedByCurves =
        "Elk mengsel vergeleken met zijn µ′ en µ″ bij de frequentie van elke regel, met de eigencapaciteit "
        "die daar het best bij past.",
    .hintNoColour = "Geen materiaal in de tabel is %1 geverfd.",
    .hintCatalogueBadRows = "De catalogustabel %1: %2 regel(s) overgeslagen.",
    .plotTitle = "Permeabiliteit over de frequentie (stippen: punten van de fabrikant)",
    .plotAxisFrequency = "Frequentie (MHz)",
    .plotAxisMu = "µ′ (—), µ″ (- -)",
    .plotMeasuredReal = "gemeten",
    .plotMeasuredImag = "gemeten µ″",
    .plotBand = "band van %1",
};

}  // namespace

const IdentifyTexts& identifyTexts(bool english) {
    return english ? kEnglish : kDutch;
}

}  // namespace kw
