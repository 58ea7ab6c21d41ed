// GTR by likelihood in closed form. For one pair GTR is locally the model of
// all symmetric tables: its joint probabilities are Pi^1/2 exp(S) Pi^1/2,
// S symmetric with S Pi^1/2 1 = 0 and off-diagonal S_ij = theta_ij
// sqrt(pi_i pi_j), nine parameters for the nine free cells of a symmetric
// table. The likelihood of symmetric tables is greatest at the symmetrised
// table F = (N + N')/2n, so where M = Pi^-1/2 F Pi^-1/2 (Pi F's margins) has
// a real logarithm whose exchangeabilities log(M)_ij / sqrt(pi_i pi_j) all
// lie clear of 0, that is GTR's optimum, with d = -sum_i pi_i log(M)_ii.
// Its standard error is the delta method on the ten classes of the
// symmetric table (the identical pairs and the six unordered pairs of
// bases), which at the optimum of a model that spans them equals the
// observed information's. Where the logarithm puts an exchangeability
// below 0 (a pair of bases never seen to change, say), the optimum lies on
// that face instead, and one Newton search from there finds it.
#pragma once

#include <optional>

#include "distance/likelihood_checks.h"
#include "distance/pair_distance.h"

namespace dyvern {

// FitPair's d, seD (NaN without `withError`) and status where the optimum
// is the closed form's, every exchangeability within [margin, kLargestRate],
// or where the search from it ends with every rate so or on 0, pressed
// there; nothing elsewhere (no logarithm, a rate beyond kLargestRate, a
// base absent). `totals` are the table's; the table is not identical.
std::optional<PairDistance> GeneralLikelihood(const DivergenceCounts& counts, int sites,
                                              const Totals& totals, bool withError);

}  // namespace dyvern
