// TN93 by likelihood at closed-form speed: Newton's method on the
// hand-worked terms (likelihood_terms.h) in TN93's six coordinates, from
// TN93's closed form at the pair's composition.
#pragma once

#include <optional>

#include "distance/likelihood_checks.h"
#include "distance/pair_distance.h"

namespace dyvern {

// FitPair's d, seD (NaN without `withError`) and status where the optimum
// lies clear of the box's faces, but for a transition rate that lnL
// clearly presses on 0, with every base present and the closed form
// finite; nothing elsewhere. `totals` are the table's; the table is not
// identical.
std::optional<PairDistance> TamuraNeiLikelihood(const DivergenceCounts& counts, int sites,
                                                const Totals& totals, bool withError);

}  // namespace dyvern
