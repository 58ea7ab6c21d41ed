// Newton's method on the analytic expansion of lnL (likelihood_terms.h) from
// a start close to the optimum, and the standard error of d there. It gives
// up, rather than guess, where the answer needs the care of the full search:
// a Hessian that is not negative definite, a step that reaches a bound, no
// convergence in a few dozen steps.
#pragma once

#include <array>

#include "distance/likelihood_terms.h"

namespace dyvern {

// Which coordinates move; the rest keep their start values. With s tied to
// v (kappa = 1) the two move as one.
struct FreeCoordinates {
    std::array<bool, kCoordinates> free{};
    bool sTiedToV = false;
};

struct LikelihoodOptimum {
    Coordinates x{};
    LikelihoodExpansion expansion;  // at x
    bool converged = false;
};

LikelihoodOptimum MaximiseLikelihood(const LikelihoodTerms& terms, const Coordinates& start,
                                     const FreeCoordinates& coordinates);

// By the observed information over the free coordinates off their bounds and
// the delta method; NaN where neither rate is among them or the information
// is not positive definite.
double StandardErrorOfDistance(const LikelihoodOptimum& optimum,
                               const FreeCoordinates& coordinates);

}  // namespace dyvern
