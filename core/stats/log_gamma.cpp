#include "stats/log_gamma.h"

#include <cmath>
#include <iterator>

namespace dyvern {
namespace {

constexpr double kEulerGamma = 0.57721566490153286061;
constexpr long double kLogSqrtTwoPi = 0.918938533204672741780329736406L;

// (-1)^k (zeta(k) - 1) / k for k = 2, 3, ...: the Taylor coefficients of
// ln Gamma(1 + b) + ln(1 + b) - (1 - Euler's gamma) b, which fall as 2^-k,
// so that 30 of them carry |b| <= 0.5 to below 1e-19.
constexpr double kZetaTerms[] = {
    3.22467033424113203033e-01,  -6.73523010531981020099e-02, 2.05808084277845464161e-02,
    -7.38555102867398567679e-03, 2.89051033074152335933e-03,  -1.19275391170326101886e-03,
    5.09669524743042450139e-04,  -2.23154758453579385793e-04, 9.94575127818085309803e-05,
    -4.49262367381331420460e-05, 2.05072127756706910667e-05,  -9.43948827526839671519e-06,
    4.37486678990748817440e-06,  -2.03921575380136618969e-06, 9.55141213040741935301e-07,
    -4.49246919876456618549e-07, 2.12071848055546646449e-07,  -1.00432248239680990840e-07,
    4.76981016936398039829e-08,  -2.27110946089431635043e-08, 1.08386592148969545929e-08,
    -5.18347504197004664423e-09, 2.48367454380247847524e-09,  -1.19214014058609115474e-09,
    5.73136724167886225144e-10,  -2.75952288512423335590e-10, 1.33047643742444888200e-10,
    -6.42296456383809959886e-11, 3.10442477473222756339e-11,
};

// ln Gamma(1 + b) for |b| <= 0.5 by the series above (Abramowitz and Stegun 6.1.33).
double LogGammaNearOne(double b) {
    double tail = 0.0;
    for (int k = static_cast<int>(std::size(kZetaTerms)) - 1; k >= 0; --k)
        tail = (tail + kZetaTerms[k]) * b;
    return b * (1.0 - kEulerGamma + tail) - std::log1p(b);
}

// B_2k / (2k (2k - 1)): the terms of Stirling's series in 1/a^(2k-1).
constexpr double kStirlingTerms[] = {1.0 / 12.0,   -1.0 / 360.0,         1.0 / 1260.0,
                                     -1.0 / 1680.0, 1.0 / 1188.0,        -691.0 / 360360.0,
                                     1.0 / 156.0,   -3617.0 / 122400.0};
// From here on the series' eighth term is below 1e-17 of its first.
constexpr double kStirlingSeriesFrom = 10.0;

}  // namespace

double LogGammaOfOnePlus(double a) {
    // Gamma(1 + a) = a Gamma(a) moves a in (0.5, 1.5] to b = a - 1, exact.
    if (a <= 0.5) return LogGammaNearOne(a);
    return std::log(a) + LogGammaNearOne(a - 1.0);
}

double LogGamma(double a) {
    // Through Gamma(1 + b) near the zeros at 1 and 2 (a - 1 is exact there),
    // which Stirling's form would leave at 1e-18 instead of 0.
    if (a < 0.5) return LogGammaOfOnePlus(a) - std::log(a);
    if (a <= 2.5) return LogGammaOfOnePlus(a - 1.0);
    return static_cast<double>((a - 0.5L) * std::log(static_cast<long double>(a)) - a +
                               kLogSqrtTwoPi + StirlingRemainder(a));
}

double StirlingRemainder(double a) {
    if (a >= kStirlingSeriesFrom) {
        const double inverseSquare = 1.0 / (a * a);
        double sum = 0.0;
        for (int k = static_cast<int>(std::size(kStirlingTerms)) - 1; k >= 0; --k)
            sum = sum * inverseSquare + kStirlingTerms[k];
        return sum / a;
    }
    // Gamma(a) = Gamma(1 + f) (1 + f) ... (a - 1). The Stirling terms reach 25
    // while the difference stays below 0.1, so the product and the logs are
    // worked in long double (wider than double on x87) to keep the difference's
    // absolute error near that of ln Gamma(1 + f), a unit of 1e-16.
    using Wide = long double;
    const double f = a - std::floor(a);
    Wide product = 1.0L;
    for (double factor = 1.0 + f; factor < a; factor += 1.0) product *= factor;
    const Wide logGamma = LogGammaOfOnePlus(f) + std::log(product);
    const Wide logA = std::log(Wide{a});
    return static_cast<double>(logGamma - ((a - 0.5L) * logA - a + kLogSqrtTwoPi));
}

}  // namespace dyvern
