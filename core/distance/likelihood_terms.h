// The log-likelihood of the HKY85 family on one pair table, in the fit
// coordinates x = (v, s, r, a, c) of estimate/search_coordinates.h, with
// its exact gradient and Hessian worked out by hand: the all-pairs fast
// path, equal to model/criteria.h's LogLikelihood on Jets to rounding. The table is first reduced to the few totals the
// likelihood depends on: since pi_i P_ij factors into frequencies and a term
// of the rates that reversibility makes shared by (i, j) and (j, i), 13 logs
// and 3 exponentials give lnL, where a cell-by-cell evaluation takes 16 logs.
#pragma once

#include <array>

#include "estimate/search_coordinates.h"
#include "model/divergence.h"

namespace dyvern {

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
double LogLikelihoodAt(const LikelihoodTerms& terms, const Point& x);

// The value with every coordinate a variable (the full Hessian, both halves).
Jet ExpandLogLikelihood(const LikelihoodTerms& terms, const Point& x);

}  // namespace dyvern
