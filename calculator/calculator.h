#pragma once

// The Calculator window as a record of its control states plus the operations its
// events trigger. Setting a text through setText runs that field's change rule at once,
// nested, as a toolkit would.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/controls.h"
#include "common/services.h"
#include "sweep/resonance.h"
#include "sweep/sweep_window.h"

namespace kw {

class DataSheetForm;
class FileSystem;
struct DataSheet;

// Keys of the choices kept from one run to the next; the values are the options' captions
// ("nF", "MHz"), the method's name and Taal.
inline constexpr std::string_view kLanguageSetting = "language";
inline constexpr std::string_view kMethodSetting = "method";
inline constexpr std::string_view kCapUnitSetting = "capacitance unit";
inline constexpr std::string_view kFreqUnitSetting = "frequency unit";
inline constexpr std::array<std::string_view, 2> kMethodNames = {"Top-C", "Top-R"};

struct Calculator {
    // ---- outside world (not drawn) ----
    Platform* platform = nullptr;
    DataSheetForm* dataSheet = nullptr;
    FileSystem* files = nullptr;  // reads the sweeps, finds the help file

    // ---- controls, with their design state ----
    std::string caption = "QQ0QQQ KERNWIJS";  // window title, never changed

    std::string Label2;
    std::string Label3;
    std::string Frame2;
    std::string lblN;
    TextBox txtWikkeling{"10"};
    std::string Label4 = "1 - 100";
    Button cmdHelp{"?"};
    std::string lblCap;
    TextBox txtCap{"100"};
    OptionPair optCapVal{{"nF", "pF"}, 1};
    std::string lblFreq;
    TextBox txtFreq{"10"};
    OptionPair optFreq{{"kHz", "MHz"}, 1};
    std::string lblFres;
    TextBox txtFres1{"9.9"};
    TextBox txtFres2{"10.1"};
    CheckBox chkQaan{"Q?", 1, true};
    OptionPair optTOPC{{"", ""}, 1};
    std::string lblTopR;
    TextBox txtTopR{"100"};
    std::string lblR;

    std::string frame1;
    std::string lblALwaarde;
    TextBox txtALwaarde{" "};
    std::string Label6 = "L";
    CheckBox chkLprn{"", 1, true};
    TextBox txtLmH{" "};
    std::string lblLoss;
    std::string lblQ;
    TextBox txtQLC{" "};
    std::string Label7 = "Rs";
    TextBox txtQRS{" "};
    std::string lblQR;
    CheckBox chkQRLC{" ", 0, false};
    TextBox txtQRLC{" "};
    std::string Label8 = "Rp";
    TextBox txtQRP{" "};
    std::string lblQRLC;

    std::string Label1;
    OptionPair optLANG{{"NL", "UK"}, 1};
    ListBox cboKiesregel;
    Button cmdBereken;
    Button cmdBestand;
    Button cmdEinde;
    Button cmdSweep{"Sweep…"};

    // ---- window state that is not a control ----
    std::string Taal;         // "NL" or "UK"; empty before start-up
    std::string C_eenheid;    // " nF" or " pF"
    std::string f_eenheid;    // " kHz" or " MHz"
    std::string Top_eenheid;  // " pF" (Top-C) or " K" (Top-R)

    // Values last checked by the change rules.
    std::int16_t Naantal = 10;
    double Caantal = 0;
    double Faantal = 0;
    double F1aantal = 0;
    double F2aantal = 0;
    double Raantal = 0;

    // Calculation state; internal units pF, MHz, henry and ohm.
    double Cappar = 0;
    double C_factor = 1;
    double Fres = 0;
    double Fres_1 = 0;
    double Fres_2 = 0;
    double f_factor = 1;
    double TopR = 0;
    double ALwaarde = 0;  // [nH/N^2]
    double Lwaarde = 0;   // [H]
    double QRLC = 0;
    std::int16_t geval = 0;
    double QR = 0;
    double QC = 0;
    double QLC = 0;
    double QRS = 0;  // [ohm]
    double QRP = 0;  // [ohm]

    SweepView sweep;       // the last sweep opened
    SweepRecord frmSweep;  // the window that shows it, in the Calculator's language
    // A sweep with no resonance, of a coil alone, that the user chose to open in the identify
    // window; the count says when another was chosen.
    std::string coilSweepFile;
    int coilSweepsOffered = 0;

    bool operator==(const Calculator&) const = default;

    // ---- program access, as a toolkit offers it ----
    // Sets a text box's text; when the text differs, the field's change rule runs.
    void setText(TextBox Calculator::*field, std::string text);
    // Selects an option of a pair; when that option was not selected yet, its Click runs.
    void selectOption(OptionPair Calculator::*pair, std::int16_t index);
    // Sets a check box value; when it changed and the box has a Click, the Click runs.
    void setCheck(CheckBox Calculator::*box, int value);

    // ---- input rules ----
    void txtWikkeling_KeyPress(std::int16_t& KeyAscii);
    void txtCap_KeyPress(std::int16_t& KeyAscii);
    void txtFreq_KeyPress(std::int16_t& KeyAscii);
    void txtFres1_KeyPress(std::int16_t& KeyAscii);
    void txtFres2_KeyPress(std::int16_t& KeyAscii);
    void txtTopR_KeyPress(std::int16_t& KeyAscii);
    void txtALwaarde_KeyPress(std::int16_t& KeyAscii);
    void txtQLC_KeyPress(std::int16_t& KeyAscii);

    void txtWikkeling_Change();
    void txtCap_Change();
    void txtFreq_Change();
    void txtFres1_Change();
    void txtFres2_Change();
    void txtTopR_Change();

    void ClearResults();

    // ---- calculation and options ----
    void cmdBereken_Click();
    void optCapVal_Click(std::int16_t Index);
    void optFreq_Click(std::int16_t Index);
    void optTOPC_Click(std::int16_t Index);
    void chkQaan_Click();

    // ---- language, Fill Line, start-up, help and end ----
    void optLANG_Click(std::int16_t Index);
    void cmdBestand_Click();
    void Form_Load();
    void cmdHelp_Click();
    void cmdEinde_Click();
    // The help file of the current language; empty before start-up has chosen one.
    std::string helpFilePath() const;
    // The data sheet's captions and language buttons in the Calculator's language.
    void applySheetLanguage(DataSheet& sheet) const;
    // Shows the data sheet; one made anew gets the Calculator's language.
    DataSheet& showSheet();
    // A file handed to the program (its command line, a second start): a sweep into the
    // Calculator, anything else as a .tor file into the data sheet.
    void openFile(const std::string& path);
    // The method, units and language kept from the last run, as option indexes (kNoSelection
    // where none is kept); start-up reads them before it sets its own and selects them after.
    std::array<int, 4> keptChoices() const;
    void restoreChoices(const std::array<int, 4>& kept);

    // ---- a network analyser's sweep ----
    void cmdSweep_Click();
    // A file dropped onto the window.
    void Form_DragDrop(const std::string& path);
    // Reads the sweep and sets the resonance and the two -3 dB points into txtFreq, txtFres1
    // and txtFres2 as typing would; a two-port sweep gives S21, a one-port S11 unless the
    // parameter is given. False, after a message, when it found nothing to set.
    bool openSweep(const std::string& path, std::optional<SweepParameter> parameter = std::nullopt);
    // A sweep with no resonance that stays inductive throughout is a coil alone: says so and
    // offers to open it in the identify window. True when it was such a sweep (whatever the
    // answer).
    bool offerCoilSweep(const std::string& path, const TouchstoneSweep& sweep, SweepParameter parameter);
};

}  // namespace kw
