#pragma once

// The formulas of the AL and Q calculation, on plain numbers. Units: capacitance in the
// unit of the field times C_factor gives pF, frequency times f_factor gives MHz, Top-R in
// kOhm, Top-C in pF. Each expression keeps the evaluation order of the written formula,
// so results agree to the last bit with any other faithful evaluation.

#include <cstdint>

namespace kw {

// The Calculator's result digits have always come from these two rounded figures; the
// exact 1e9/(4 pi^2) = 25.3303e6 would change the last digits users compare with their old
// sheets. Identification works exactly: alFromResonance (material/permeability.h).
inline constexpr double kPi = 3.14159265;                // pi as the formulas take it
inline constexpr double kAlConstant = 25.33e6;           // [nH MHz^2 pF]
inline constexpr double kPortResistance = 50.0;          // [ohm] of the Top-C measuring port
inline constexpr double kKiloOhm = 1000.0;               // [ohm/kOhm]
inline constexpr double kPicoToMicro = 1e-6;             // pF -> uF
inline constexpr double kPicoFarad = 1e-12;              // pF -> F
inline constexpr double kTopCShareOfCapacitance = 10.0;  // Top-C at most C / 10

inline constexpr double kPicoFaradPerNanoFarad = 1000.0;  // C_factor for nF
inline constexpr double kMegaHertzPerKiloHertz = 0.001;   // f_factor for kHz

// Lowest frequency the calculation accepts, in the unit of the field.
inline constexpr double kMinFrequency = 0.01;

// AL in nH per turn squared.
double ALwaardeOf(double Fres, double f_factor, std::int16_t Naantal, double Cappar, double C_factor);

// Inductance in henry.
double LwaardeOf(double Fres, double f_factor, double Cappar, double C_factor);

// Q from the -3 dB bandwidth. geval 1: Fres_2 is the upper point, 2: Fres_1 is; 0 when the
// points are equal and there is no bandwidth (QRLC is then 0).
struct BandwidthQ {
    double QRLC = 0;
    std::int16_t geval = 0;
};
BandwidthQ BandwidthQOf(double Fres, double Fres_1, double Fres_2);

// Fres lies between the two points (equality included), in the order geval says.
bool FresBracketed(std::int16_t geval, double Fres, double Fres_1, double Fres_2);

// Q the Top-R alone would give the circuit (omega C R).
double QROf(double Fres, double f_factor, double TopR, double Cappar, double C_factor);

// Q the Top-C coupling to the 50 ohm port alone would give the circuit.
double QCOf(double Fres, double f_factor, double TopR, double Cappar, double C_factor);

// The measured Q with the ballast's share removed: 1/QLC = 1/QRLC - 1/Qballast.
double CorrectedQ(double QRLC, double Qballast);

// The Top-C (pF) is at most a tenth of the total parallel capacitance.
bool TopCFits(double Cappar, double C_factor, double TopR);

// Loss resistances in ohm, from L in henry, C in farad and the corrected Q.
double SeriesLossOf(double L, double C, double QLC);
double ParallelLossOf(double L, double C, double QLC);

// Decimals of each result text, chosen by the value's size.
int ALDecimals(double ALwaarde);
int LmHDecimals(double LmH);
int QDecimals(double QLC);
int RsDecimals(double QRS);
inline constexpr int kRpDecimals = 0;
inline constexpr int kQRLCDecimalsAfterError = 0;

}  // namespace kw
