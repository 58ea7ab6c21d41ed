// The chi-square upper tail for a whole number of degrees of freedom in
// closed form (Poisson sums and erfc), exact to rounding at any statistic
// and never stopping the program: the P values of likelihood-ratio tests.
#pragma once

namespace dyvern {

// P(X > x) for X chi-square with df >= 1 degrees of freedom; 1 for x <= 0,
// 0 for x = +inf, NaN for a NaN statistic or df < 1.
double ChiSquareTail(double x, int df);

}  // namespace dyvern
