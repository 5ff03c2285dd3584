#pragma once

// The sweep path of kernwijs-cli identify (--touchstone).

#include <string>
#include <vector>

#include "commands.h"
#include "material/core_catalogue.h"
#include "material/material_table.h"

namespace kw::cli {

struct SweepOptions {
    std::string touchstone;
    int turns = 0;
    std::string size;  // a catalogue size by name
    std::string od;
    std::string id;
    std::string h;
    std::string parameter = "S11";
    std::string csv;
    bool json = false;
};

// Prints the permeability and the ranking; refusals go to standard error in one line.
int runIdentifySweep(const SweepOptions& options, const std::vector<Material>& materials,
                     const std::vector<CatalogueCore>& cores, const PermeabilityTable& curves);

}  // namespace kw::cli
