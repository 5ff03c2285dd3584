#pragma once

// Every message the data sheet shows, in both languages: "%1" ... "%9" stand for the
// arguments named above each. Every blank counts.

#include "common/shared_messages.h"

namespace kw {

// ---- Output and Input (.tor) ----

inline constexpr BilingualMessage kTorSaved = {
    .nl = {"OK!", "Alles lijkt OK!"},
    .uk = {"OK!", "All looks OK!"},
    .icon = MsgIcon::None,
};
inline constexpr BilingualMessage kTorRefusedName = {
    .nl = {"Fout!",
           "Er gaat iets fout!\rDat was niet leuk wat je deed!\rEr zijn geen lege parameters toegestaan!\r"},
    .uk = {"Error!", "Something is wrong!\rI don't like what you did!\rNo empty parameters allowed!\r"},
};
inline constexpr BilingualMessage kTorWrongStart = {
    .nl =
        {"Error!",
         "Er is iets mis!\rHet invoer bestand start NIET zoals het zou moeten\rHerstel dit en doe opnieuw\r"},
    .uk = {"Error!",
           "Something is wrong!\rThe input file doesn't start the way it should\rCorrect the file and "
           "reload\r"},
};
// %1 the file, %2 the system's reason.
inline constexpr BilingualMessage kTorSaveFailed = {
    .nl = {"Fout!",
           "Het bestand kon niet worden opgeslagen:\r%1\r%2\rEen eerder bestand met die naam is niet "
           "veranderd.\r"},
    .uk = {"Error!", "The file could not be saved:\r%1\r%2\rAn earlier file of that name is unchanged.\r"},
};
// %1 the file, %2 the system's reason.
inline constexpr BilingualMessage kTorReadFailed = {
    .nl = {"Fout!", "Het bestand kon niet worden gelezen:\r%1\r%2\r"},
    .uk = {"Error!", "The file could not be read:\r%1\r%2\r"},
};

// ---- Pre Fill (VOORVUL.INI) ----

inline constexpr BilingualMessage kPrefillNotFound = {
    .nl = {"Melding!", "VOORVUL.INI niet gevonden!"},
    .uk = {"Warning!", "Prefill file VOORVUL.INI not found!"},
};
inline constexpr BilingualMessage kPrefillNotOk = {
    .nl = {"Melding!", "VOORVUL.INI niet in orde!"},
    .uk = {"Warning!", "Prefill file VOORVUL.INI not OK!"},
};
inline constexpr BilingualMessage kPrefillTooMany = {
    .nl = {"Melding!", "Teveel invoer regels!"},
    .uk = {"Warning!", "Too many input lines!"},
};
// %1 the line number in the file, %2 the line, %3 the measurement line left unchanged.
inline constexpr BilingualMessage kPrefillMissingField = {
    .nl = {"Melding!",
           "Regel %1 van VOORVUL.INI is geen goede invoerregel:\r%2\r"
           "Een invoerregel is windingen;capaciteit;Top waarde\rMeetregel %3 is niet veranderd.\r"},
    .uk = {"Warning!",
           "Line %1 of VOORVUL.INI is not a proper data line:\r%2\r"
           "A data line is turns;capacitance;Top value\rMeasurement line %3 was left as it was.\r"},
};
// %1 the system's reason.
inline constexpr BilingualMessage kPrefillReadFailed = {
    .nl = {"Melding!", "VOORVUL.INI kon niet worden gelezen:\r%1\r"},
    .uk = {"Warning!", "Prefill file VOORVUL.INI could not be read:\r%1\r"},
};

// ---- Export PS: modal to the desktop ----

inline constexpr BilingualMessage kExportRefused = {
    .nl = {"Error !", "Er gaat iets fout!\rDat was niet leuk wat je deed!\rVerkeerde parameters!\r"},
    .uk = {"Error !", "Something is wrong!\rI don't like what you did!\rWrong parameters!\r"},
    .systemModal = true,
};
inline constexpr BilingualMessage kExportTemplateMissing = {
    .nl = {"FOUT!", "Kan postscript overlap bestand RINGBLAD3.PS niet vinden! "},
    .uk = {"ERROR!", "Cannot find postscript overlay file RINGBLAD3.PS! "},
    .systemModal = true,
};
inline constexpr BilingualMessage kExportTemplateFault = {
    .nl = {kErrorTitleDutch, "Is de invoer naam wel OK?  \rIs het wel postscript, ik mis iets (%%)  "},
    .uk = {kErrorTitleEnglish, "Is the input name OK?  \rIs it really postscript, I miss something (%%)  "},
    .systemModal = true,
};
// %1 the number of marker lines.
inline constexpr BilingualMessage kExportTooLarge = {
    .nl = {kErrorTitleDutch,
           "De pagina zou groter worden dan 64 MB; er is niets geschreven.\r"
           "Markeerregels (%%TEXT723DUMMY) in het sjabloon: %1"},
    .uk = {kErrorTitleEnglish,
           "The page would be larger than 64 MB; nothing was written.\r"
           "Marker lines (%%TEXT723DUMMY) in the template: %1"},
    .systemModal = true,
};
// %1 the system's description.
inline constexpr BilingualMessage kExportUnexpected = {
    .nl = {kErrorTitleDutch, "Hardstikke fout!  \rEr trad een fout op, type  \r%1"},
    .uk = {kErrorTitleEnglish, "Totally wrong!  \rSomething went wrong, type  \r%1"},
    .systemModal = true,
};
inline constexpr BilingualMessage kExportWritten = {
    .nl = {"OK!", "Alles lijkt OK!  "},
    .uk = {"OK!", "All looks OK!  "},
    .icon = MsgIcon::None,
    .systemModal = true,
};

// ---- files of Export PS and Print: %1 the file, %2 the system's reason ----

inline constexpr BilingualMessage kCannotRead = {
    .nl = {kErrorTitleDutch, "Kan het bestand niet lezen\r%1\r%2"},
    .uk = {kErrorTitleEnglish, "Cannot read the file\r%1\r%2"},
    .systemModal = true,
};
inline constexpr BilingualMessage kCannotWrite = {
    .nl = {kErrorTitleDutch, "Kan het bestand niet schrijven\r%1\r%2"},
    .uk = {kErrorTitleEnglish, "Cannot write the file\r%1\r%2"},
    .systemModal = true,
};

// ---- the PDF and Print: %1 what follows, each part after a CR ----

inline constexpr BilingualMessage kNoGhostscript = {
    .nl = {kErrorTitleDutch, "Geen PDF: Ghostscript (gs) is niet ge\xC3\xAFnstalleerd.%1"},
    .uk = {kErrorTitleEnglish, "No PDF: Ghostscript (gs) is not installed.%1"},
    .systemModal = true,
};
inline constexpr BilingualMessage kPdfFailed = {
    .nl = {kErrorTitleDutch,
           "Geen PDF: Ghostscript kon de pagina niet omzetten; een eerdere PDF blijft bewaard.%1"},
    .uk = {kErrorTitleEnglish, "No PDF: Ghostscript could not convert the page; an earlier PDF is kept.%1"},
    .systemModal = true,
};
// After the PDF's failure: %1 the page's name.
inline constexpr BilingualMessage kPageWritten = {
    .nl = {{}, "De PostScript-pagina is geschreven:\r%1"},
    .uk = {{}, "The PostScript page is written:\r%1"},
};
// The reason when Ghostscript had to be stopped: %1 seconds.
inline constexpr BilingualMessage kGhostscriptStopped = {
    .nl = {{}, "Ghostscript is na %1 seconden gestopt."},
    .uk = {{}, "Ghostscript was stopped after %1 seconds."},
};
inline constexpr BilingualMessage kNoPrintSystem = {
    .nl = {kErrorTitleDutch,
           "Kan niet afdrukken: geen afdruksysteem gevonden (het programma lp van CUPS is niet "
           "ge\xC3\xAFnstalleerd)."},
    .uk = {kErrorTitleEnglish,
           "Cannot print: no print system found (the program lp of CUPS is not installed)."},
    .systemModal = true,
};
inline constexpr BilingualMessage kPrintFailed = {
    .nl = {kErrorTitleDutch, "Kan niet afdrukken: het afdruksysteem nam de pagina niet aan.%1"},
    .uk = {kErrorTitleEnglish, "Cannot print: the print system did not take the page.%1"},
    .systemModal = true,
};

// ---- the sheet itself ----

// Go PS Folder without a file manager: %1 the folder.
inline constexpr BilingualMessage kNoFileManager = {
    .nl = {"Melding!", "Er kon geen bestandsbeheerder worden gestart.\rDe map is:\r%1"},
    .uk = {"Warning!", "No file manager could be started.\rThe folder is:\r%1"},
    .icon = MsgIcon::None,
};
// The question before unsaved texts go; the buttons in the order Save, Discard, Cancel.
inline constexpr BilingualMessage kUnsaved = {
    .nl = {"Niet opgeslagen",
           "Het invulblad is veranderd sinds het laatst werd opgeslagen.\rWilt u de veranderingen opslaan?",
           {"Opslaan", "Niet opslaan", "Annuleren"}},
    .uk = {"Unsaved changes",
           "The data sheet has changed since it was last saved.\rDo you want to save the changes?",
           {"Save", "Don't Save", "Cancel"}},
    .icon = MsgIcon::Question,
    .buttons = MsgButtons::SaveDiscardCancel,
};

}  // namespace kw
