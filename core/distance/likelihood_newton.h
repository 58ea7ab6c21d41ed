// The optimum of the analytic likelihood (likelihood_terms.h) from a start
// close to it, by the refined fits' own Newton's method in a box
// (minimize/box_newton.h), and the standard error of d there by the refined
// fits' own delta method. What it finds is only taken where it is clear of
// the box's faces: there the answer needs the care of the full search.
#pragma once

#include "distance/likelihood_terms.h"
#include "model/model_family.h"

namespace dyvern {

// Which coordinates move; the rest keep their start values. With s tied to
// v (kappa = 1, HKY85's coordinates only) the two move as one.
template <int N>
struct FreeCoordinatesOf {
    FreeMask<N> free{};
    bool sTiedToV = false;
};

template <int N>
struct LikelihoodOptimumOf {
    Point<N> x{};
    // lnL at x with every coordinate a variable; with s tied to v, its
    // derivatives are taken along v and s's own are 0.
    Jet<N> expansion;
    bool converged = false;
};

using FreeCoordinates = FreeCoordinatesOf<kTermCoordinates>;
using LikelihoodOptimum = LikelihoodOptimumOf<kTermCoordinates>;

template <class Layout>
LikelihoodOptimumOf<Layout::kSize> MaximiseLikelihood(
    const LikelihoodTerms& terms, const Point<Layout::kSize>& start,
    const FreeCoordinatesOf<Layout::kSize>& coordinates);

inline LikelihoodOptimum MaximiseLikelihood(const LikelihoodTerms& terms, const TermPoint& start,
                                            const FreeCoordinates& coordinates) {
    return MaximiseLikelihood<HkyLayout>(terms, start, coordinates);
}

// The standard error of d at the optimum of one of the window's models,
// whose coordinates are some of the terms' (JC69 v; F81 v, r, a, c; K80 v,
// s; HKY85 all five).
double DistanceError(const LikelihoodOptimum& optimum, ModelKind model);

// The same for TN93, whose coordinates are all six of its layout's.
double DistanceError(const LikelihoodOptimumOf<TamuraNeiLayout::kSize>& optimum);

}  // namespace dyvern
