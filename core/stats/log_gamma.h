// Pieces of ln Gamma kept accurate where the plain function loses digits:
// near Gamma's zero of ln at 1 and 2, and in the difference from Stirling's
// formula that the incomplete gamma's prefactor needs for large shapes.
#pragma once

namespace dyvern {

// ln Gamma(1 + a) for -0.5 <= a <= 1.5, to a few units in the last place
// even as a tends to 0 (where lgamma(1 + a) has lost a to rounding).
double LogGammaOfOnePlus(double a);

// ln Gamma(a) for a > 0, to a few units of 1e-16 relative, without the
// shared sign variable that makes std::lgamma unsafe on threads.
double LogGamma(double a);

// ln Gamma(a) - [(a - 1/2) ln a - a + ln sqrt(2 pi)] for a >= 1: the log of
// Gamma(a) over Stirling's approximation, a small positive number (1/(12a)
// as a grows), with an absolute error of a few units of 1e-16.
double StirlingRemainder(double a);

}  // namespace dyvern
