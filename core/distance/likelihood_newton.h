// The optimum of the analytic likelihood (likelihood_terms.h) from a start
// close to it, by the refined fits' own Newton's method in a box
// (minimize/box_newton.h). What it finds is only taken where it is clear of
// the box's faces: there the answer needs the care of the full search.
#pragma once

#include "distance/likelihood_terms.h"

namespace dyvern {

// Which coordinates move; the rest keep their start values. With s tied to
// v (kappa = 1) the two move as one.
struct FreeCoordinates {
    FreeMask free{};
    bool sTiedToV = false;
};

struct LikelihoodOptimum {
    Point x{};
    // lnL at x with every coordinate a variable; with s tied to v, its
    // derivatives are taken along v and s's own are 0.
    Jet expansion;
    bool converged = false;
};

LikelihoodOptimum MaximiseLikelihood(const LikelihoodTerms& terms, const Point& start,
                                     const FreeCoordinates& coordinates);

}  // namespace dyvern
