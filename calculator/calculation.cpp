#include <cmath>
#include <limits>
#include <string_view>

#include "calculator/calculator.h"
#include "calculator/formulas.h"
#include "calculator/messages.h"
#include "calculator/number_input.h"
#include "calculator/result_text.h"

namespace kw {

namespace {

constexpr std::string_view kBlankResult = " ";
constexpr std::string_view kErrorResult = "err";
constexpr double kMilliPerUnit = 1000.0;  // H -> mH
constexpr char kDefaultSeparator = '.';

// The turn count as the calculation reads it: halves to even, kept within 16 bits.
std::int16_t turnsOf(const std::string& text) {
    const double turns = std::nearbyint(LeadingValue(text));
    if (!(turns >= std::numeric_limits<std::int16_t>::min())) {
        return std::numeric_limits<std::int16_t>::min();
    }
    if (turns > std::numeric_limits<std::int16_t>::max()) {
        return std::numeric_limits<std::int16_t>::max();
    }
    return static_cast<std::int16_t>(turns);
}

}  // namespace

void Calculator::cmdBereken_Click() {
    const char separator = platform != nullptr ? platform->decimalSeparator() : kDefaultSeparator;
    const bool english = Taal == "UK";
    const auto write = [&](TextBox Calculator::*field, double value, int decimals) {
        setText(field, ResultText(value, decimals, separator));
    };
    const auto fail = [&](CalcError error) {
        if (platform != nullptr) {
            show(*platform, CalcErrorMessage(error), english);
        }
        if (error != CalcError::Fout3) {
            ClearResults();
        }
    };

    for (const auto field : {&Calculator::txtALwaarde, &Calculator::txtQRLC, &Calculator::txtQLC,
                             &Calculator::txtQRS, &Calculator::txtQRP, &Calculator::txtLmH}) {
        setText(field, std::string(kBlankResult));
    }

    C_factor = optCapVal.selected == 1 ? 1.0 : kPicoFaradPerNanoFarad;
    f_factor = optFreq.selected == 1 ? 1.0 : kMegaHertzPerKiloHertz;

    Naantal = turnsOf(txtWikkeling.text);
    Cappar = DecimalValue(txtCap.text);
    Fres = DecimalValue(txtFreq.text);
    Fres_1 = DecimalValue(txtFres1.text);
    Fres_2 = DecimalValue(txtFres2.text);
    TopR = DecimalValue(txtTopR.text);

    const bool qWanted = chkQaan.value == 1;
    if (!(Fres >= kMinFrequency) || (qWanted && (!(Fres_1 >= kMinFrequency) || !(Fres_2 >= kMinFrequency)))) {
        fail(CalcError::Fout0);
        return;
    }

    ALwaarde = ALwaardeOf(Fres, f_factor, Naantal, Cappar, C_factor);
    Lwaarde = LwaardeOf(Fres, f_factor, Cappar, C_factor);
    // The change rule checks the capacitance up to its comma; pasted as "1,0e-400" the
    // calculation reads it as zero, and AL and L would be infinite. Zero it is, then.
    if (!std::isfinite(ALwaarde) || !std::isfinite(Lwaarde)) {
        fail(CalcError::Fout0);
        return;
    }
    write(&Calculator::txtALwaarde, ALwaarde, ALDecimals(ALwaarde));
    const double LmH = Lwaarde * kMilliPerUnit;
    write(&Calculator::txtLmH, LmH, LmHDecimals(LmH));

    if (qWanted) {
        const BandwidthQ bandwidth = BandwidthQOf(Fres, Fres_1, Fres_2);
        QRLC = bandwidth.QRLC;
        geval = bandwidth.geval;
        // Equal points give no bandwidth: reported like points that do not bracket Fres.
        if (geval == 0 || !FresBracketed(geval, Fres, Fres_1, Fres_2)) {
            fail(geval == 2 ? CalcError::Fout2 : CalcError::Fout1);
            return;
        }

        QR = QROf(Fres, f_factor, TopR, Cappar, C_factor);
        QC = QCOf(Fres, f_factor, TopR, Cappar, C_factor);

        const bool topR = optTOPC.selected == 1;
        const double C = Cappar * C_factor * kPicoFarad;  // [F]
        QLC = CorrectedQ(QRLC, topR ? QR : QC);
        QRS = SeriesLossOf(Lwaarde, C, QLC);
        QRP = ParallelLossOf(Lwaarde, C, QLC);
        // A zero divisor or an overflow counts as the step's own error.
        const bool finite = std::isfinite(QLC) && std::isfinite(QRS) && std::isfinite(QRP);
        if (topR && !(finite && QLC >= 0)) {
            write(&Calculator::txtQRLC, QRLC, kQRLCDecimalsAfterError);
            for (const auto field : {&Calculator::txtQLC, &Calculator::txtQRS, &Calculator::txtQRP}) {
                setText(field, std::string(kErrorResult));
            }
            cmdBestand.enabled = true;
            fail(CalcError::Fout3);
            return;
        }
        if (!topR && !(finite && QLC >= 0 && TopCFits(Cappar, C_factor, TopR))) {
            fail(CalcError::Fout4);
            return;
        }

        const int qDecimals = QDecimals(QLC);
        write(&Calculator::txtQLC, QLC, qDecimals);
        write(&Calculator::txtQRLC, QRLC, qDecimals);
        write(&Calculator::txtQRP, QRP, kRpDecimals);
        write(&Calculator::txtQRS, QRS, RsDecimals(QRS));
    }

    cmdBestand.enabled = true;
}

}  // namespace kw
