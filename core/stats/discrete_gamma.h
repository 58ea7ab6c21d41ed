// Rates that vary across sites as a gamma distribution of mean 1, cut into
// equally likely categories, each represented by its mean (Yang 1994,
// J. Mol. Evol. 39:306-314).
#pragma once

#include <vector>

namespace dyvern {

// The K category means of Gamma(shape alpha, rate alpha), lowest first:
//   r_k = K [P(alpha + 1, alpha b_k) - P(alpha + 1, alpha b_(k-1))],
// b_k the k/K quantile (b_0 = 0, b_K = inf), scaled so that they average 1
// to rounding. Empty unless alpha > 0 is finite and K >= 1.
std::vector<double> DiscreteGammaRates(double alpha, int categories);

}  // namespace dyvern
