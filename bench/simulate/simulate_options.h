// What one run of the simulator makes, read from its command line.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "branch_transition.h"
#include "noise.h"

namespace dyvern {

struct SimulateOptions {
    int sequences = 10;
    int sites = 1000;
    std::uint64_t seed = 1;
    SubstitutionParameters model;
    double treeDepth = 0.2;  // root to tip, substitutions per site
    NoiseFractions noise;
    int lineWidth = 60;  // 0: each sequence on one line
    bool help = false;
};

// A command line the simulator cannot run; what() says why.
class OptionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The arguments after the program name. Throws OptionError.
SimulateOptions ParseSimulateOptions(const std::vector<std::string>& arguments);

// The text of --help.
std::string SimulateUsage();

}  // namespace dyvern
