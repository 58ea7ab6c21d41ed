// The log-likelihood of the HKY85 family on one pair table, in the fit
// coordinates x = (v, s, r, a, c) of the family (HKY85's coordinates), with
// its exact gradient and Hessian worked out by hand: the all-pairs fast
// path, equal to model/criteria.h's LogLikelihood on Jets to rounding. The table is first reduced to the few totals the
// likelihood depends on: since pi_i P_ij factors into frequencies and a term
// of the rates that reversibility makes shared by (i, j) and (j, i), 13 logs
// and 3 exponentials give lnL, where a cell-by-cell evaluation takes 16 logs.
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
double LogLikelihoodAt(const LikelihoodTerms& terms, const TermPoint& x);

// The value with every coordinate a variable (the full Hessian, both halves).
TermJet ExpandLogLikelihood(const LikelihoodTerms& terms, const TermPoint& x);

}  // namespace dyvern
