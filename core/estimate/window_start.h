// Where a fit starts: the window's Solve (Powell's method from the window's
// start values), whose point the Newton search then refines.
#pragma once

#include <array>

#include "model/criteria.h"

namespace dyvern {

// The window's Solve from its start values (bt 0.1, kappa 1) and frequencies
// pi (0.25 each, or the composition under least squares). Where the window
// cannot start (piT not inside (0, 1), or a criterion that is not finite
// there) the start values themselves are returned.
Rates<double> WindowStart(const PairData& data, ModelKind model, Criterion criterion,
                          const std::array<double, 4>& pi);

}  // namespace dyvern
