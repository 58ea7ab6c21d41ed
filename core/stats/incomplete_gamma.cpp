#include "stats/incomplete_gamma.h"

#include <cmath>
#include <limits>

#include "stats/log_gamma.h"

namespace dyvern {
namespace {

constexpr double kEpsilon = std::numeric_limits<double>::epsilon();
constexpr double kTiny = 1e-300;  // keeps the continued fraction's pieces off zero
// Where a < 1 takes Q from its own series rather than the fraction: the
// series cancels more as x grows (its sum, near a E1(x), falls faster than
// its terms), the fraction converges more slowly as x falls; at 1.5 both
// keep about 4e-15.
constexpr double kSmallShapeSeriesLimit = 1.5;

// Enough terms for the series and the fraction near x = a, where both need
// a few times sqrt(a) of them; the loops end long before for any other x.
int TermLimit(double a) { return 1000 + static_cast<int>(40.0 * std::sqrt(a)); }

// P(a, x) = x^a e^-x / Gamma(a + 1) sum_n x^n / ((a + 1) ... (a + n)): every
// term positive, so the sum is as accurate as its terms.
double LowerSeries(double a, double x) {
    double term = 1.0, sum = 1.0;
    const int limit = TermLimit(a);
    for (int n = 1; n < limit && term > kEpsilon * sum; ++n) {
        term *= x / (a + n);
        sum += term;
    }
    return IncompleteGammaPrefactor(a, x) / a * sum;
}

// Q(a, x) by Legendre's continued fraction, evaluated forwards by Lentz's
// method; it converges fast for x >= min(a + 1, 1.5), where it is used.
double UpperFraction(double a, double x) {
    double b = x + 1.0 - a;
    double c = 1.0 / kTiny;
    double d = 1.0 / b;
    double fraction = d;
    const int limit = TermLimit(a);
    for (int i = 1; i < limit; ++i) {
        const double an = -i * (i - a);
        b += 2.0;
        d = an * d + b;
        if (std::fabs(d) < kTiny) d = kTiny;
        c = b + an / c;
        if (std::fabs(c) < kTiny) c = kTiny;
        d = 1.0 / d;
        const double delta = d * c;
        fraction *= delta;
        if (std::fabs(delta - 1.0) <= kEpsilon) break;
    }
    return IncompleteGammaPrefactor(a, x) * fraction;
}

// Q(a, x) for a < 1 and small x, where 1 - P would cancel (Q(0.01, 1) is
// 0.002): gamma(a, x) = x^a [1/a + sum_n>=1 (-x)^n / (n! (a + n))], so
//   Q = [1 - x^a / Gamma(1 + a)] - a x^a / Gamma(1 + a) sum_n>=1 (-x)^n / (n! (a + n)),
// the first bracket by expm1 and an accurate ln Gamma(1 + a).
double SmallShapeUpper(double a, double x) {
    const double first = -std::expm1(a * std::log(x) - LogGammaOfOnePlus(a));
    double power = 1.0, sum = 0.0;
    for (int n = 1; n < 200; ++n) {
        power *= -x / n;
        const double term = power / (a + n);
        sum += term;
        if (std::fabs(term) <= kEpsilon * std::fabs(sum)) break;
    }
    return first - a * (1.0 - first) * sum;
}

}  // namespace

GammaRatios IncompleteGammaRatios(double a, double x) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    if (!(a > 0.0) || std::isinf(a) || !(x >= 0.0)) return {kNaN, kNaN};
    if (x == 0.0) return {0.0, 1.0};
    if (std::isinf(x)) return {1.0, 0.0};
    // The series gives the smaller P below a + 1 and the fraction the
    // smaller Q above, and P + Q = 1 the other without loss. For a < 1, P
    // nears 1 long before a + 1 (P(0.01, 1e-6) = 0.87), so Q has a series of
    // its own for small x and the fraction from there on.
    if (a < 1.0 && x < kSmallShapeSeriesLimit) return {LowerSeries(a, x), SmallShapeUpper(a, x)};
    if (x >= a + 1.0 || a < 1.0) {
        const double q = UpperFraction(a, x);
        return {1.0 - q, q};
    }
    const double p = LowerSeries(a, x);
    return {p, 1.0 - p};
}

double RegularizedGammaP(double a, double x) { return IncompleteGammaRatios(a, x).p; }

double RegularizedGammaQ(double a, double x) { return IncompleteGammaRatios(a, x).q; }

}  // namespace dyvern
