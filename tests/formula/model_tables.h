// Tables made exactly from a reversible substitution model, by a method of
// their own: the rate matrix is symmetrised and diagonalised by Jacobi's
// method, so that P(t) = exp(Q t), and its mean over gamma-distributed
// rates, come from the eigenvalues alone:
//   mean of e^(lambda r t) over r ~ Gamma(alpha, mean 1) = (1 - lambda t/alpha)^-alpha.
#pragma once

#include <array>
#include <optional>

#include "model/divergence.h"

namespace dyvern::testing {

// Exchangeabilities of the six base pairs, in the order AC AG AT CG CT GT.
struct ReversibleModel {
    std::array<double, 4> pi{0.25, 0.25, 0.25, 0.25};
    std::array<double, 6> exchange{1, 1, 1, 1, 1, 1};
};

// n pi_i P_ij(t) for every cell, Q scaled to one substitution per site per
// unit of time, so that t is the model's d.
DivergenceCounts ExpectedTable(const ReversibleModel& model, double t,
                               std::optional<double> gammaShape, double n);

// The trace of the scaled rate matrix, for the paralinear distance of such
// a table: -(1/4) trace(Q) t.
double RateTrace(const ReversibleModel& model);

}  // namespace dyvern::testing
