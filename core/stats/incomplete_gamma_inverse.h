// The inverses of the regularised incomplete gamma functions: quantiles of
// the gamma distribution (the x of Gamma(shape a, rate 1); divide by a rate
// for another). Invalid arguments give NaN; nothing here stops the program.
#pragma once

namespace dyvern {

// x with P(a, x) = p, for a > 0 finite and 0 <= p <= 1: 0 at p = 0, +inf at p = 1.
double InverseRegularizedGammaP(double a, double p);

// x with Q(a, x) = q, for a > 0 finite and 0 <= q <= 1: +inf at q = 0, 0 at q = 1.
// The upper quantiles keep their accuracy where 1 - q would round.
double InverseRegularizedGammaQ(double a, double q);

}  // namespace dyvern
