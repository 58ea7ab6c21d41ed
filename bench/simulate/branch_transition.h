// HKY85 transition probabilities over one branch, laid out for drawing.
#pragma once

#include <array>

namespace dyvern {

struct SubstitutionParameters {
    double kappa = 4.0;
    std::array<double, 4> freqs{0.3, 0.2, 0.2, 0.3};  // A, C, G, T; sum 1
};

// Expected substitutions per site per unit of the model's bt, so that a
// branch of d substitutions per site has bt = d / SubstitutionsPerBt.
double SubstitutionsPerBt(const SubstitutionParameters& parameters);

// Row i: P(i -> j) over a branch of `substitutions` per site, summed over
// j = 0 .. k, with the last entry exactly 1 so that every draw lands in a row.
using CumulativeRows = std::array<std::array<double, 4>, 4>;
CumulativeRows BranchTransition(const SubstitutionParameters& parameters, double substitutions);

// The same for the root: the frequencies, summed.
std::array<double, 4> CumulativeFrequencies(const SubstitutionParameters& parameters);

}  // namespace dyvern
