#pragma once

// A second, independent account of one calculation as a user drives it: start-up texts,
// option clicks, pasted texts with their range resets, then Calculate. Written straight
// from the rules, sharing no code with the core, to check the core and the command-line
// tool against, text for text.

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace kw::test {

enum ModelField { kTurns, kCap, kFreq, kF1, kF2, kTop, kFieldCount };

struct ModelCase {
    bool english = false;
    bool topR = false;
    bool MHz = false;
    bool pF = false;
    bool noQ = false;
    std::array<std::optional<std::string>, kFieldCount> texts;  // pasted, in field order
};

struct ModelMessage {
    std::string title;
    std::string text;
};

struct ModelOutcome {
    std::array<std::string, kFieldCount> inputs;
    std::array<std::string, 6> results = {" ", " ", " ", " ", " ", " "};  // AL, L, Q, Qcorr, Rs, Rp
    bool fillLine = false;
    std::optional<ModelMessage> message;
    int beeps = 0;
};

// The leading number of the texts the generator below writes: blanks skipped, an optional
// minus, digits with at most one point.
inline double modelLeading(const std::string& text) {
    std::string s;
    for (char c : text) {
        if (c != ' ') {
            s += c;
        }
    }
    std::size_t i = 0;
    std::string number;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
        number += s[i++];
    }
    bool point = false;
    bool digit = false;
    for (; i < s.size(); ++i) {
        if (s[i] >= '0' && s[i] <= '9') {
            number += s[i];
            digit = true;
        } else if (s[i] == '.' && !point) {
            number += s[i];
            point = true;
        } else {
            break;
        }
    }
    return digit ? std::strtod(number.c_str(), nullptr) : 0.0;
}

inline double modelDecimal(std::string text) {
    for (char& c : text) {
        if (c == ',') {
            c = '.';
        }
    }
    return modelLeading(text);
}

// Half up, then %.15g; exponent forms are written with a capital E.
inline std::string modelText(double x, int n) {
    const double p = n == 0 ? 1 : n == 1 ? 10 : n == 2 ? 100 : n == 3 ? 1000 : 10000;
    const double r = std::floor(x * p + 0.5) / p;
    if (r == 0) {
        return "0";
    }
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", r);
    std::string s = buf;
    const auto e = s.find('e');
    if (e != std::string::npos) {
        s[e] = 'E';
    }
    return s;
}

inline ModelOutcome modelCalculation(const ModelCase& c) {
    ModelOutcome out;
    auto& t = out.inputs;
    t = {"10", "100", "10.0", "9.9", "10.1", "100"};
    if (c.noQ) {
        t[kF1] = "-";
        t[kF2] = "-";
    }
    const std::array<double, kFieldCount> lo = {1, 0.0001, 0, 0, 0, 1};
    const std::array<double, kFieldCount> hi = {101, 500000, 50000, 50000, 50000, 250000};
    const std::array<std::string, kFieldCount> reset = {"10", "100", "10", "9.9", "10.1", "100"};
    for (int f = 0; f < kFieldCount; ++f) {
        if (!c.texts[f] || (c.noQ && (f == kF1 || f == kF2)) || *c.texts[f] == t[f]) {
            continue;
        }
        t[f] = *c.texts[f];
        if ((f == kF1 || f == kF2) && t[f] == "-") {
            continue;
        }
        double v = modelLeading(t[f]);
        if (f == kTurns) {
            v = std::nearbyint(v);
        }
        if (!(v >= lo[f] && v <= hi[f])) {
            t[f] = reset[f];
            ++out.beeps;
        }
    }

    const double pi = 3.14159265;
    const double N = std::nearbyint(modelLeading(t[kTurns]));
    const double Cf = c.pF ? 1 : 1000;
    const double ff = c.MHz ? 1 : 0.001;
    const double C = modelDecimal(t[kCap]);
    const double F = modelDecimal(t[kFreq]);
    const double F1 = modelDecimal(t[kF1]);
    const double F2 = modelDecimal(t[kF2]);
    const double T = modelDecimal(t[kTop]);
    const bool q = !c.noQ;

    const auto error = [&](int k) {
        static const char* const nl[5][2] = {
            {"FOUT_0!", "Er is iets mis met de Fres punten!!  Nulpunt?? "},
            {"FOUT1!", "Er is iets mis met de Fres punten!!  Tikfout?? "},
            {"FOUT2!", "Er is iets mis met de Fres punten!!  Tikfout?? "},
            {"FOUT3!",
             "Er is iets mis met de Fres punten of Top-R waarde!!\rTikfout?? TOP-R kan te laag zijn!    "
             "Liever > 10K.\rDit geeft onbetrouwbare Q correctie resultaten!"},
            {"FOUT4!", "Er is iets mis met de Fres punten of de Top-C waarde!!  Tikfout?? "}};
        static const char* const uk[5][2] = {
            {"ERROR_0!", "Something wrong with the Fres points!!  Zero?? "},
            {"ERROR!", "Something wrong with the Fres points!!  Typo?? "},
            {"ERROR!", "Something wrong with the Fres points!!  Typo?? "},
            {"ERROR3!",
             "Something wrong with the Fres points or Top-R value!!\rTypo?? TOP-R could be too low!    "
             "Prefer > 10K.\rThis gives unreliable corrected Q results!"},
            {"ERROR4!", "Something wrong with the Fres points or Top-C value!!  Typo?? "}};
        const auto& m = c.english ? uk[k] : nl[k];
        out.message = ModelMessage{m[0], m[1]};
        if (k != 3) {
            out.results = {" ", " ", " ", " ", " ", " "};
            out.fillLine = false;
        }
        return out;
    };

    if (!(F >= 0.01) || (q && !(F1 >= 0.01 && F2 >= 0.01))) {
        return error(0);
    }
    const double fm = F * ff;
    const double AL = 25330000.0 / (fm * fm * (N * N) * C * Cf);
    out.results[0] = modelText(AL, AL > 250 ? 0 : AL >= 25 ? 1 : 2);
    const double L = 1 / (fm * fm * 4 * (pi * pi) * C * Cf);
    const double mH = L * 1000;
    out.results[1] = modelText(mH, mH > 1 ? 3 : 4);
    out.fillLine = true;
    if (!q) {
        return out;
    }

    double Qm = 0;
    if (F1 - F2 > 0) {
        Qm = F / (F1 - F2);
        if (!(F1 >= F && F >= F2)) {
            return error(2);
        }
    } else if (F2 - F1 > 0) {
        Qm = F / (F2 - F1);
        if (!(F2 >= F && F >= F1)) {
            return error(1);
        }
    } else {
        return error(1);
    }
    const double QR = 2 * pi * F * ff * T * 1000 * C * Cf * 1e-6;
    const double QC = (C * Cf * 1e-6) / ((T * 1e-6) * (T * 1e-6) * 2 * pi * F * ff * 50);
    const double Qb = c.topR ? QR : QC;
    const double QLC = Qm * Qb / (Qb - Qm);
    const double Cfarad = C * Cf * 1e-12;
    const double Rs = std::sqrt(L / (Cfarad * (QLC * QLC)));
    const double Rp = std::sqrt((QLC * QLC) * L / Cfarad);
    const bool sane = std::isfinite(QLC) && std::isfinite(Rs) && std::isfinite(Rp) && QLC >= 0;
    if (c.topR && !sane) {
        out.results[2] = modelText(Qm, 0);
        out.results[3] = out.results[4] = out.results[5] = "err";
        return error(3);
    }
    if (!c.topR && !(sane && C * Cf / 10 >= T)) {
        return error(4);
    }
    const int qd = QLC > 100 ? 0 : QLC <= 25 ? 2 : 1;
    out.results[2] = modelText(Qm, qd);
    out.results[3] = modelText(QLC, qd);
    out.results[4] = modelText(Rs, Rs > 1 ? 2 : 3);
    out.results[5] = modelText(Rp, 0);
    return out;
}

// Random measurements that reach every branch: resets, commas, equal and swapped points,
// points that miss Fres, small Top-R, large Top-C, zero frequencies.
class ModelCaseGenerator {
public:
    explicit ModelCaseGenerator(unsigned seed) : rng_(seed) {}

    ModelCase next(bool allowEnglish) {
        ModelCase c;
        c.english = allowEnglish && coin(0.3);
        c.topR = coin(0.5);
        c.MHz = coin(0.5);
        c.pF = coin(0.5);
        c.noQ = coin(0.1);
        if (coin(0.9)) {
            c.texts[kTurns] =
                pick({std::to_string(uniformInt(0, 110)), std::to_string(uniformInt(1, 100)) + ".5", "",
                      "65546", "32768", std::to_string(uniformInt(1, 30))},
                     {1, 1, 0.05, 0.05, 0.05, 2});
        }
        const double cap = logUniform(1e-5, 1e6);
        if (coin(0.9)) {
            c.texts[kCap] = number(cap);
        }
        const double freq = coin(0.05) ? 0.0 : logUniform(1e-3, 1e5);
        if (coin(0.95)) {
            c.texts[kFreq] = number(freq);
        }
        const double width = freq * logUniform(1e-4, 0.5);
        double lo = freq - width * uniform(0.0, 1.2);
        double hi = freq + width * uniform(0.0, 1.2);
        if (coin(0.05)) {
            hi = lo;
        }
        if (coin(0.05)) {
            lo = freq;
        }
        if (coin(0.5)) {
            std::swap(lo, hi);
        }
        if (coin(0.9)) {
            c.texts[kF1] = coin(0.03) ? std::string("-") : number(lo);
            c.texts[kF2] = coin(0.03) ? std::string("0") : number(hi);
        }
        if (coin(0.95)) {
            // Around the values that make the correction fail, and far from them.
            c.texts[kTop] =
                number(c.topR ? logUniform(0.5, 3e5) : logUniform(0.5, 3e5) * (coin(0.5) ? 1e-3 : 1));
        }
        return c;
    }

private:
    bool coin(double p) { return std::bernoulli_distribution(p)(rng_); }
    int uniformInt(int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng_); }
    double uniform(double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng_); }
    double logUniform(double a, double b) { return std::exp(uniform(std::log(a), std::log(b))); }
    std::string pick(const std::vector<std::string>& options, const std::vector<double>& weights) {
        std::discrete_distribution<int> d(weights.begin(), weights.end());
        return options[d(rng_)];
    }
    // Up to 6 decimals, a point or (sometimes) a comma.
    std::string number(double v) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.*f", uniformInt(0, 6), v);
        std::string s = buf;
        if (coin(0.2)) {
            for (char& ch : s) {
                if (ch == '.') {
                    ch = ',';
                }
            }
        }
        return s;
    }

    std::mt19937 rng_;
};

}  // namespace kw::test
