// The regularised incomplete gamma functions to about 1e-14 relative, for
// any shape and argument: the tails of gamma-distributed rates and of
// chi-square statistics, and the discrete gamma built on them. Invalid
// arguments give NaN; nothing here stops the program.
#pragma once

namespace dyvern {

// P(a, x) = gamma(a, x) / Gamma(a) and Q(a, x) = 1 - P(a, x), each computed
// in its own right where it is the smaller, so that both keep their relative
// accuracy deep into their tails.
struct GammaRatios {
    double p;
    double q;
};

// For a > 0 finite and x >= 0 (x = +inf gives P = 1); NaN in both otherwise.
GammaRatios IncompleteGammaRatios(double a, double x);
double RegularizedGammaP(double a, double x);
double RegularizedGammaQ(double a, double x);

// x^a e^-x / Gamma(a), which is x times the derivative of P(a, x) in x; 0 at
// x = 0. For a > 0 finite and x >= 0 finite.
double IncompleteGammaPrefactor(double a, double x);

}  // namespace dyvern
