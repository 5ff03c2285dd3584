#include "calculator/formulas.h"

#include <cmath>

namespace kw {

namespace {

double squared(double x) {
    return x * x;
}

constexpr double kTwo = 2.0;
constexpr double kFour = 4.0;

constexpr double kAlWholeAbove = 250.0;
constexpr double kAlTwoDecimalsBelow = 25.0;
constexpr double kLmHThreeDecimalsAbove = 1.0;
constexpr double kQWholeAbove = 100.0;
constexpr double kQTwoDecimalsUpTo = 25.0;
constexpr double kRsTwoDecimalsAbove = 1.0;

}  // namespace

double ALwaardeOf(double Fres, double f_factor, std::int16_t Naantal, double Cappar, double C_factor) {
    const double turns = Naantal;
    return kAlConstant / (squared(Fres * f_factor) * squared(turns) * Cappar * C_factor);
}

double LwaardeOf(double Fres, double f_factor, double Cappar, double C_factor) {
    return 1.0 / (squared(Fres * f_factor) * kFour * squared(kPi) * Cappar * C_factor);
}

BandwidthQ BandwidthQOf(double Fres, double Fres_1, double Fres_2) {
    if (Fres_1 - Fres_2 > 0) {
        return {Fres / (Fres_1 - Fres_2), 2};
    }
    if (Fres_2 - Fres_1 > 0) {
        return {Fres / (Fres_2 - Fres_1), 1};
    }
    return {};
}

bool FresBracketed(std::int16_t geval, double Fres, double Fres_1, double Fres_2) {
    if (geval == 1) {
        return Fres_2 >= Fres && Fres >= Fres_1;
    }
    if (geval == 2) {
        return Fres_1 >= Fres && Fres >= Fres_2;
    }
    return false;
}

double QROf(double Fres, double f_factor, double TopR, double Cappar, double C_factor) {
    return kTwo * kPi * Fres * f_factor * TopR * kKiloOhm * Cappar * C_factor * kPicoToMicro;
}

double QCOf(double Fres, double f_factor, double TopR, double Cappar, double C_factor) {
    return (Cappar * C_factor * kPicoToMicro) /
           (squared(TopR * kPicoToMicro) * kTwo * kPi * Fres * f_factor * kPortResistance);
}

double CorrectedQ(double QRLC, double Qballast) {
    return QRLC * Qballast / (Qballast - QRLC);
}

bool TopCFits(double Cappar, double C_factor, double TopR) {
    return Cappar * C_factor / kTopCShareOfCapacitance >= TopR;
}

double SeriesLossOf(double L, double C, double QLC) {
    return std::sqrt(L / (C * squared(QLC)));
}

double ParallelLossOf(double L, double C, double QLC) {
    return std::sqrt(squared(QLC) * L / C);
}

int ALDecimals(double ALwaarde) {
    if (ALwaarde > kAlWholeAbove) {
        return 0;
    }
    return ALwaarde < kAlTwoDecimalsBelow ? 2 : 1;
}

int LmHDecimals(double LmH) {
    return LmH > kLmHThreeDecimalsAbove ? 3 : 4;
}

int QDecimals(double QLC) {
    if (QLC > kQWholeAbove) {
        return 0;
    }
    return QLC <= kQTwoDecimalsUpTo ? 2 : 1;
}

int RsDecimals(double QRS) {
    return QRS > kRsTwoDecimalsAbove ? 2 : 3;
}

}  // namespace kw
