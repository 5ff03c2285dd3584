#include "calculator/calculator.h"
#include "calculator/captions.h"
#include "datasheet/datasheet.h"
#include "sweep/sweep_texts.h"

namespace kw {

namespace {

constexpr std::int16_t kEnglishIndex = 1;  // "UK" in both windows' pairs
constexpr int kTopRMethod = 1;

}  // namespace

void Calculator::optLANG_Click(std::int16_t Index) {
    const bool english = Index == kEnglishIndex;
    optLANG.selected = english ? kEnglishIndex : 0;
    Taal = english ? kTaalUK : kTaalNL;

    const CalculatorCaptions& c = calculatorCaptions(english);
    Label2 = c.Label2;
    Label3 = c.Label3;
    Frame2 = c.Frame2;
    lblN = c.lblN;
    lblCap = c.lblCap;
    lblFreq = c.lblFreq;
    lblFres = c.lblFres;
    optTOPC.caption = {std::string(c.optTOPC[0]), std::string(c.optTOPC[1])};
    const TopCaptions& top = optTOPC.selected == kTopRMethod ? c.topR : c.topC;
    lblTopR = top.lblTopR;
    lblR = top.lblR;
    frame1 = c.frame1;
    lblALwaarde = c.lblALwaarde;
    lblQ = c.lblQ;
    lblQR = c.lblQR;
    lblQRLC = c.lblQRLC;
    lblLoss = c.lblLoss;
    Label1 = c.Label1;
    cmdBestand.caption = c.cmdBestand;
    cmdBereken.caption = c.cmdBereken;
    cmdEinde.caption = c.cmdEinde;
    cmdSweep.caption = sweepTexts(english).cmdSweep;
    frmSweep.followLanguage(sweep, english);

    if (platform != nullptr) {
        platform->keepSetting(kLanguageSetting, Taal);
        // An open help window changes language with the windows.
        platform->followHelp(helpFilePath());
    }
    if (dataSheet != nullptr) {
        applySheetLanguage(dataSheet->getHidden());
    }
}

void Calculator::applySheetLanguage(DataSheet& sheet) const {
    sheet.followLanguage(Taal == kTaalUK);
}

}  // namespace kw
