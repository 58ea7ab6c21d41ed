// Two ways to a distance's variance that share nothing with the library's
// Dual numbers: the delta method with the gradient taken by finite
// differences of d itself, and the spread of d over multinomial tables drawn
// from a table's proportions.
#pragma once

#include <cstdint>
#include <functional>

#include "model/divergence.h"

namespace dyvern::testing {

using DistanceOfTable = std::function<double(const DivergenceCounts&)>;

// (1/n) [sum F G^2 - (sum F G)^2] with G_ij = n dd/dN_ij by central
// differences of each nonzero count (an empty cell adds nothing). Since d
// reads the proportions N/n, n dd/dN_ij differs from dd/dF_ij by the same
// constant in every cell, which the bracket cancels.
double NumericalVariance(const DistanceOfTable& d, const DivergenceCounts& counts);

// The sample variance of d over `replicates` tables of n sites drawn from
// the multinomial with the proportions of `table`.
double ReplicateVariance(const DistanceOfTable& d, const DivergenceCounts& table, int n,
                         int replicates, std::uint64_t seed);

}  // namespace dyvern::testing
