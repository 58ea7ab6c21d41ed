// The log-likelihood of the HKY85 family on one pair table, in the fit
// coordinates x = (v, s, r, a, c) of estimate/pair_model.h, with its exact
// gradient and Hessian. The table is first reduced to the few totals the
// likelihood depends on: since pi_i P_ij factors into frequencies and a term
// of the rates that reversibility makes shared by (i, j) and (j, i), 13 logs
// and 3 exponentials give lnL, where a cell-by-cell evaluation takes 16 logs.
#pragma once

#include <array>

#include "model/divergence.h"

namespace dyvern {

inline constexpr int kCoordinates = 5;
enum Coordinate : int { kV = 0, kS = 1, kR = 2, kShareA = 3, kShareC = 4 };
using Coordinates = std::array<double, kCoordinates>;

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
double LogLikelihoodAt(const LikelihoodTerms& terms, const Coordinates& x);

struct LikelihoodExpansion {
    double value = 0.0;
    Coordinates gradient{};
    std::array<Coordinates, kCoordinates> hessian{};
};

LikelihoodExpansion ExpandLogLikelihood(const LikelihoodTerms& terms, const Coordinates& x);

// d = v A + s B and its gradient in the coordinates.
double DistanceAt(const Coordinates& x);
Coordinates DistanceGradient(const Coordinates& x);

}  // namespace dyvern
