// Standard errors from the observed information: the inverse of the Hessian
// of -lnL at the optimum over the free parameters that lie off their bounds,
// and the delta method for d and kappa. The search coordinates (bt, kappa bt
// and the frequency shares) are a smooth reparametrisation of the natural
// ones (bt, kappa, piA, piC, piG), and at an optimum the delta-method
// variance does not depend on which of the two it is worked in.
#pragma once

#include "minimize/box_newton.h"
#include "model/criteria.h"

namespace dyvern {

// NaN where undefined: d on its bound (no differences), kappa on a bound or
// fixed, or an information matrix that is not positive definite.
struct StandardErrors {
    double d;
    double kappa;
};

// From the expansion of -lnL in the fit coordinates at the optimum x.
StandardErrors ErrorsAtOptimum(const Jet& negativeLnL, const Point& x, ModelKind model);

StandardErrors ObservedInformationErrors(const PairData& data, ModelKind model,
                                         const Rates<double>& optimum);

}  // namespace dyvern
