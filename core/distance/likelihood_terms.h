// The log-likelihood of the HKY85 family on one pair table, in the fit
// coordinates of the family, x = (v, s, r, a, c) for HKY85 and
// (v, sR, sY, r, a, c) for TN93, with its exact gradient and Hessian worked
// out by hand: the all-pairs fast path, equal to model/criteria.h's
// LogLikelihood on Jets to rounding. The table is first reduced to the few
// totals the likelihood depends on: since pi_i P_ij factors into
// frequencies and a term of the rates that reversibility makes shared by
// (i, j) and (j, i), 13 logs and 3 exponentials give lnL, where a
// cell-by-cell evaluation takes 16 logs.
#pragma once

#include <array>

#include "minimize/box_newton.h"
#include "model/divergence.h"

namespace dyvern {

// The family's HKY85 coordinates, in which the terms are worked: the
// transversions' rate v and the transitions' s (both times the time), and
// the frequency shares r, a, c (model/substitution_rates.h).
enum TermCoordinate : int { kV = 0, kS = 1, kR = 2, kShareA = 3, kShareC = 4 };
inline constexpr int kTermCoordinates = 5;
using TermPoint = Point<kTermCoordinates>;
using TermJet = Jet<kTermCoordinates>;

// Where each coordinate sits. Each class's block touches v, its own
// transition rate, r and its share alone: HKY85's one s is both classes'
// rate, TN93 has one for the purines (sR) and one for the pyrimidines (sY).
struct HkyLayout {
    static constexpr int kSize = kTermCoordinates;
    static constexpr int kV = 0, kSR = 1, kSY = 1, kR = 2, kA = 3, kC = 4;
};
struct TamuraNeiLayout {
    static constexpr int kSize = 6;
    static constexpr int kV = 0, kSR = 1, kSY = 2, kR = 3, kA = 4, kC = 5;
};

struct LikelihoodTerms {
    std::array<double, 4> same{};  // n_AA, n_CC, n_GG, n_TT
    double purineTransitions = 0.0;
    double pyrimidineTransitions = 0.0;
    double transversions = 0.0;
    // Coefficients of ln r, ln(1 - r), ln a, ln(1 - a), ln c, ln(1 - c).
    double lnR = 0.0, lnY = 0.0, lnA = 0.0, lnNotA = 0.0, lnC = 0.0, lnNotC = 0.0;
};

LikelihoodTerms TermsOf(const DivergenceCounts& counts);

// -inf where the rates give an observed cell no probability.
template <class Layout>
double LogLikelihoodAt(const LikelihoodTerms& terms, const Point<Layout::kSize>& x);

// The value with every coordinate a variable (the full Hessian, both halves).
template <class Layout>
Jet<Layout::kSize> ExpandLogLikelihood(const LikelihoodTerms& terms, const Point<Layout::kSize>& x);

inline double LogLikelihoodAt(const LikelihoodTerms& terms, const TermPoint& x) {
    return LogLikelihoodAt<HkyLayout>(terms, x);
}
inline TermJet ExpandLogLikelihood(const LikelihoodTerms& terms, const TermPoint& x) {
    return ExpandLogLikelihood<HkyLayout>(terms, x);
}

}  // namespace dyvern
