// kernwijs-cli identify --touchstone: µ′ and µ″ of a core from a coil-alone sweep, and the
// materials whose curves lie nearest.

#include "identify_sweep.h"

#include <iostream>
#include <nlohmann/json.hpp>

#include "common/file_system.h"
#include "material/lenient_text.h"
#include "material/sweep_identification.h"
#include "sweep/touchstone.h"

namespace kw::cli {

namespace {

nlohmann::ordered_json numberOrNull(const std::optional<double>& value) {
    return value ? nlohmann::ordered_json(*value) : nlohmann::ordered_json(nullptr);
}

std::string familyWord(MaterialFamily family) {
    return family == MaterialFamily::Ferrite ? "ferrite" : "iron powder";
}

constexpr int kJsonIndent = 2;
constexpr double kMega = 1e6;
constexpr int kShownCandidates = 5;

void printJson(const SweepIdentification& id, std::ostream& out) {
    nlohmann::ordered_json j;
    j["candidates"] = nlohmann::ordered_json::array();
    for (std::size_t i = 0; i < id.candidates.size(); ++i) {
        const Candidate& c = id.candidates[i];
        j["candidates"].push_back({{"rank", i + 1},
                                   {"group", c.group},
                                   {"maker", c.material.maker},
                                   {"grade", c.material.grade},
                                   {"family", familyWord(c.material.family)},
                                   {"mu_i", c.material.mu},
                                   {"deviation", c.deviation},
                                   {"distance", c.distance},
                                   {"compared_with", "curves over the sweep"},
                                   {"expected_mu", c.expectedMu},
                                   {"likely", c.likely},
                                   {"source", c.material.source}});
    }
    const CoilPermeability& p = id.permeability;
    nlohmann::ordered_json points = nlohmann::ordered_json::array();
    for (const auto& pt : p.points) {
        points.push_back({{"f_hz", pt.hertz}, {"mu_p", pt.muReal}, {"mu_pp", pt.muImag}});
    }
    j["sweep_permeability"] = {{"points", points},
                               {"valid_to_hz", p.validToHz},
                               {"self_resonance_hz", numberOrNull(p.selfResonanceHz)},
                               {"stray_pf", numberOrNull(p.strayPf)},
                               {"lead_nh", p.leadNh},
                               {"lead_fitted", p.leadFitted},
                               {"copper_ohm", p.copperOhm}};
    out << j.dump(kJsonIndent, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

std::string fixed(double value, int decimals) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

void printReport(const SweepIdentification& id, std::ostream& out) {
    const CoilPermeability& p = id.permeability;
    out << "Permeability from the sweep, " << p.points.size() << " points up to " << fixed(p.validToHz / kMega, 2)
        << " MHz\n";
    out << "  self-resonance  "
        << (p.selfResonanceHz ? fixed(*p.selfResonanceHz / kMega, 2) + " MHz" : std::string("not in the sweep"))
        << '\n';
    out << "  own capacitance " << (p.strayPf ? fixed(*p.strayPf, 2) + " pF" : std::string("not shown")) << '\n';
    out << "  lead            " << fixed(p.leadNh, 1) << (p.leadFitted ? " nH\n" : " nH assumed\n");
    out << "\n  MHz     µ′        µ″\n";
    for (const double f : kSpotFrequenciesHz) {
        if (const auto at = permeabilityAt(p.points, f)) {
            out << "  " << fixed(f / kMega, 1) << std::string(f < 1e7 ? 5 : 4, ' ') << fixed(at->muReal, 1)
                << std::string(10 - std::min<std::size_t>(9, fixed(at->muReal, 1).size()), ' ')
                << fixed(at->muImag, 1) << '\n';
        }
    }
    out << "\nNearest materials\n";
    for (std::size_t i = 0; i < id.candidates.size() && i < static_cast<std::size_t>(kShownCandidates); ++i) {
        const Candidate& c = id.candidates[i];
        out << "  " << c.group << "  " << c.material.maker << ' ' << c.material.grade << "  ("
            << familyWord(c.material.family) << ")  distance " << fixed(c.distance, 3)
            << (c.likely ? "  likely" : "") << '\n';
    }
}

}  // namespace

int runIdentifySweep(const SweepOptions& o, const std::vector<Material>& materials,
                     const std::vector<CatalogueCore>& cores, const PermeabilityTable& curves) {
    std::optional<ToroidSize> size;
    if (!o.size.empty()) {
        size = catalogueSizeNamed(cores, o.size);
        if (!size) {
            std::cerr << "identify: --size: no catalogue size \"" << o.size << "\"\n";
            return kExitUsage;
        }
    } else if (!o.od.empty() && !o.id.empty() && !o.h.empty()) {
        const auto od = readDimensionMm(o.od);
        const auto id = readDimensionMm(o.id);
        const auto h = readDimensionMm(o.h);
        if (!od || !id || !h || !isValidToroid({*od, *id, *h})) {
            std::cerr << "identify: --od, --id and --h do not make a toroid\n";
            return kExitUsage;
        }
        size = ToroidSize{*od, *id, *h};
    }
    if (o.turns <= 0 || !size) {
        std::cerr << "identify: " << DescribeCoilError({CoilFault::NoWinding}, true) << '\n';
        return kExitUsage;
    }
    LocalFileSystem disk;
    const ReadResult read = disk.readFile(o.touchstone);
    if (!read.ok) {
        std::cerr << "identify: " << o.touchstone << ": " << read.error << '\n';
        return kExitMessage;
    }
    const TouchstoneResult parsed = ReadTouchstone(read.bytes, PortsFromFileName(o.touchstone));
    if (const auto* fault = std::get_if<TouchstoneError>(&parsed)) {
        std::cerr << "identify: " << o.touchstone << ": " << DescribeTouchstoneError(*fault, true) << '\n';
        return kExitMessage;
    }
    const SweepParameter parameter = o.parameter == "S21" || o.parameter == "s21" ? SweepParameter::S21
                                                                                   : SweepParameter::S11;
    const SweepIdentificationResult result =
        identifySweep(std::get<TouchstoneSweep>(parsed), parameter, o.turns, size, materials, curves);
    if (const auto* e = std::get_if<CoilError>(&result)) {
        std::cerr << "identify: " << DescribeCoilError(*e, true) << '\n';
        return kExitMessage;
    }
    const auto& id = std::get<SweepIdentification>(result);
    if (!o.csv.empty()) {
        const WriteResult written = disk.writeFileAtomic(o.csv, permeabilityCsv(id.permeability, '.'));
        if (!written.ok) {
            std::cerr << "identify: " << o.csv << ": " << written.error << '\n';
            return kExitMessage;
        }
    }
    if (o.json) {
        printJson(id, std::cout);
    } else {
        printReport(id, std::cout);
    }
    return kExitOk;
}

}  // namespace kw::cli
