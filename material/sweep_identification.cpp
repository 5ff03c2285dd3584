#include "material/sweep_identification.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "common/text.h"
#include "material/core_analysis.h"

namespace kw {

namespace {

constexpr double kNano = 1e-9;

using Ranked = NamedCandidate;

using Expected = std::vector<std::optional<ExpectedPermeability>>;

// offset: what a lead the sweep did not show added to µ′, taken off before comparing.
// stride: every how many points are compared.
std::optional<Ranked> rankOnEdition(const Material& m, const std::vector<PermeabilityPoint>& points,
                                    const Expected& expected, bool hasCurve, double noise, double offset,
                                    std::size_t stride) {
    Ranked r{{}, m.maker + " " + m.grade};
    r.candidate.material = m;
    double squares = 0;
    double logSum = 0;
    double expectedLogSum = 0;
    double bandSum = 0;
    int n = 0;
    for (std::size_t i = 0; i < points.size(); i += stride) {
        const auto& p = points[i];
        const auto& e = expected[i];
        const double muReal = p.muReal - offset;
        if (!e || !(e->real > 0.0) || !(muReal > 0.0)) {
            continue;
        }
        ++n;
        const double d = std::log(muReal / e->real);
        squares += d * d;
        logSum += d;
        expectedLogSum += std::log(e->real);
        bandSum += std::log(e->realHigh / e->real);
        if (hasCurve) {
            // The analyser's noise moves the loss tangent by as much as it moves µ′ relatively:
            // a loss below that is not told from none.
            squares += lossSquares(std::max(p.muImag, 0.0) / muReal + p.noise,
                                   std::max(e->imag, 0.0) / e->real + p.noise, 0.0);
        }
    }
    if (n == 0) {
        return std::nullopt;
    }
    r.candidate.distance = std::sqrt(squares / n);
    r.candidate.deviation = std::exp(logSum / n) - 1.0;
    r.candidate.expectedMu = std::exp(expectedLogSum / n);
    r.candidate.likely = r.candidate.distance <= std::hypot(bandSum / n, noise);
    return r;
}

// Steps of the lead tried on each side of the one taken out, each on about this many points
// of the band; the best is then compared on all of them.
constexpr int kLeadSteps = 12;
constexpr std::size_t kLeadSearchPoints = 100;

// A grade whose table the maker revised is compared with the edition that fits best, and
// with the lead, within what the sweep leaves open, that fits it best.
std::optional<Ranked> rankOne(const Material& m, const std::vector<PermeabilityPoint>& points,
                              const PermeabilityTable& curves, double noise, double leadSlackMu) {
    std::optional<Ranked> best;
    const bool hasCurve = curves.curves.count(m.grade) > 0;
    const std::size_t stride = std::max<std::size_t>(1, points.size() / kLeadSearchPoints);
    for (const std::string& edition : curveEditions(curves, m.grade)) {
        Expected expected;
        for (const auto& p : points) {
            expected.push_back(expectedPermeability(curves, m, p.hertz, edition));
        }
        double offset = 0;  // without slack the sweep is compared as measured
        std::optional<double> nearest;
        for (int k = -kLeadSteps; leadSlackMu > 0.0 && k <= kLeadSteps; ++k) {
            const double tried = leadSlackMu * k / kLeadSteps;
            const auto r = rankOnEdition(m, points, expected, hasCurve, noise, tried, stride);
            if (r && (!nearest || r->candidate.distance < *nearest)) {
                offset = tried;
                nearest = r->candidate.distance;
            }
        }
        auto r = rankOnEdition(m, points, expected, hasCurve, noise, offset, 1);
        if (r && (!best || r->candidate.distance < best->candidate.distance)) {
            best = std::move(r);
            best->candidate.edition = edition;
        }
    }
    return best;
}

std::string number(double value, char separator) {
    std::string text = GeneralNumber(value, 6);
    if (separator != '.') {
        std::replace(text.begin(), text.end(), '.', separator);
    }
    return text;
}

}  // namespace

std::optional<double> windingInductance(int turns, const ToroidSize& size) {
    // relativePermeability(1 nH) is the µ for which the core's AL is 1 nH/N².
    const auto muForOneNh = relativePermeability(1.0, size);
    if (turns <= 0 || !muForOneNh) {
        return std::nullopt;
    }
    return static_cast<double>(turns) * turns * kNano / *muForOneNh;
}

std::vector<Candidate> rankSweep(const std::vector<PermeabilityPoint>& points,
                                 const std::vector<Material>& materials, const PermeabilityTable& curves,
                                 double leadSlackMu) {
    if (points.empty()) {
        return {};
    }
    std::vector<double> noises;
    for (const auto& p : points) {
        noises.push_back(p.noise);
    }
    std::nth_element(noises.begin(), noises.begin() + static_cast<std::ptrdiff_t>(noises.size() / 2), noises.end());
    const double noise = noises[noises.size() / 2];
    std::vector<Ranked> ranked;
    for (const auto& m : materials) {
        if (auto r = rankOne(m, points, curves, noise, leadSlackMu)) {
            ranked.push_back(std::move(*r));
        }
    }
    return sortedInGroups(std::move(ranked));
}

std::optional<PermeabilityPoint> permeabilityAt(const std::vector<PermeabilityPoint>& points, double hertz) {
    if (points.empty() || hertz < points.front().hertz || hertz > points.back().hertz) {
        return std::nullopt;
    }
    const auto above = std::lower_bound(points.begin(), points.end(), hertz,
                                        [](const PermeabilityPoint& p, double f) { return p.hertz < f; });
    if (above->hertz == hertz || above == points.begin()) {
        return *above;
    }
    const auto& a = *(above - 1);
    const auto& b = *above;
    const double t = (hertz - a.hertz) / (b.hertz - a.hertz);
    return PermeabilityPoint{hertz, a.muReal + t * (b.muReal - a.muReal), a.muImag + t * (b.muImag - a.muImag),
                             std::max(a.noise, b.noise)};
}

SweepIdentificationResult identifySweep(const TouchstoneSweep& sweep, SweepParameter parameter, int turns,
                                        const std::optional<ToroidSize>& size,
                                        const std::vector<Material>& materials, const PermeabilityTable& curves) {
    const auto l0 = size ? windingInductance(turns, *size) : std::nullopt;
    if (!l0) {
        return CoilError{CoilFault::NoWinding};
    }
    CoilResult analysed = AnalyseCoilSweep(sweep, parameter, *l0);
    if (const auto* e = std::get_if<CoilError>(&analysed)) {
        return *e;
    }
    SweepIdentification id;
    id.permeability = std::move(std::get<CoilPermeability>(analysed));
    // A lead the sweep did not show was taken out as a typical one: the real one may be
    // shorter or longer by as much.
    const double slack = id.permeability.leadFitted ? 0.0 : kUnseenLeadSpread / *l0;
    id.candidates = rankSweep(id.permeability.points, materials, curves, slack);
    return id;
}

namespace {

std::string sizeKey(std::string_view name) {
    std::string key;
    for (const char c : name) {
        if (c != '-' && c != ' ') {
            key += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
    }
    return key;
}

}  // namespace

std::optional<ToroidSize> catalogueSizeNamed(const std::vector<CatalogueCore>& cores, std::string_view name) {
    const std::string wanted = sizeKey(name);
    for (const auto& c : cores) {
        if (!wanted.empty() && sizeKey(c.size) == wanted) {
            return c.dimensions;
        }
    }
    return std::nullopt;
}

std::string permeabilityCsv(const CoilPermeability& permeability, char separator) {
    const char field = separator == ',' ? ';' : ',';
    std::string out = std::string("f_hz") + field + "mu_p" + field + "mu_pp\r\n";
    for (const auto& p : permeability.points) {
        out += number(p.hertz, separator) + field + number(p.muReal, separator) + field +
               number(p.muImag, separator) + "\r\n";
    }
    return out;
}

}  // namespace kw
