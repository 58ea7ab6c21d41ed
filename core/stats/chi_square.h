// Regularised upper incomplete gamma function and the chi-square upper-tail
// probability built on it. Every failure stops the program.
#pragma once

namespace dyvern {

// Probability that a chi-square variable with df degrees of freedom exceeds x.
double ChiSquareProb(double x, double df);
// Q(a, x) = 1 - P(a, x), for a > 0 and x >= 0.
double GAMMQ(double a, double x);
// P(a, x) by its power series; lng receives ln Gamma(a).
void GSER(double& pser, double a, double x, double& lng);
// Q(a, x) by its continued fraction; lng receives ln Gamma(a).
void GCF(double& qcf, double a, double x, double& lng);
// ln Gamma(x) for x > 0 (Lanczos, six terms).
double LnGamma(double x);

}  // namespace dyvern
