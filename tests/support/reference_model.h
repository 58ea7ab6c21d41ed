// HKY85 computed another way than the program does: transition probabilities
// as the exponential of the rate matrix, by scaling and squaring. Tests compare
// the program's closed forms and everything built on them with this.
#pragma once

#include <array>

#include "model/divergence.h"

namespace dyvern::testing {

using Frequencies = std::array<double, 4>;  // A, C, G, T
inline constexpr Frequencies kEqualFrequencies = {0.25, 0.25, 0.25, 0.25};

// pi_i P_ij(bt) for the rate matrix with transversions at rate pi_j and
// transitions at kappa pi_j.
DivergenceCounts ReferenceJoint(double bt, double kappa, const Frequencies& pi);

// Sum of count x ln(joint probability) over the cells with counts.
double ReferenceLnL(const DivergenceCounts& counts, const DivergenceCounts& joint);

}  // namespace dyvern::testing
