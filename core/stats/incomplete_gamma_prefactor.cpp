// x^a e^-x / Gamma(a) without the cancellation of a ln x - x - ln Gamma(a),
// which for a = 1000 would cost twelve digits.
#include <cmath>
#include <limits>

#include "stats/incomplete_gamma.h"
#include "stats/log_gamma.h"

namespace dyvern {
namespace {

constexpr double kTwoPi = 6.283185307179586477;
// Below this x, e^-x is a normal number and x^a (a < 1) cannot overflow.
constexpr double kDirectProductLimit = 700.0;

// The exponents below reach 700 while their pieces reach several thousand,
// so a double's rounding of them would cost up to 2e-13 of the result; where
// long double is wider (x87, 64-bit mantissa) they are worked in it, and the
// result keeps its 1e-16 even deep in the tails.
using Wide = long double;

// mu - ln(1 + mu) for mu in [-0.5, 1] by ln(1 + mu) = 2 atanh(t), t = mu / (2 + mu):
// the difference is 2 t^2 / (1 - t) - 2 (t^3/3 + t^5/5 + ...), free of the
// cancellation that leaves a mu^2/2 result with few correct digits.
Wide LogOnePlusDeficitSeries(Wide mu) {
    const Wide t = mu / (2.0L + mu);
    const Wide t2 = t * t;
    Wide power = t * t2, sum = 0.0L;
    for (int k = 3; k < 200; k += 2) {
        const Wide term = power / k;
        sum += term;
        if (std::fabs(term) <= 1e-21L * std::fabs(sum)) break;
        power *= t2;
    }
    return 2.0L * t2 / (1.0L - t) - 2.0L * sum;
}

// lambda - 1 - ln lambda for lambda = x / a: how far x lies from the shape,
// in the units the large-shape exponent needs.
Wide ShapeDeviation(double a, double x) {
    const Wide mu = (Wide{x} - a) / a;
    if (mu >= -0.5L && mu <= 1.0L) return LogOnePlusDeficitSeries(mu);
    // x / a stays above 0: x > 0 is a double and a below 1e308.
    return mu - std::log(Wide{x} / a);
}

// a x^a e^-x / Gamma(1 + a) for a < 1: pow and exp are each correct to an
// ulp while e^-x is a normal number; beyond, the result is below 1e-300 and
// comes from its exponent.
double SmallShapePrefactor(double a, double x) {
    const double logGamma = LogGammaOfOnePlus(a);
    if (x < kDirectProductLimit) return a * std::pow(x, a) * std::exp(-x) / std::exp(logGamma);
    const Wide exponent = a * std::log(Wide{x}) - x - logGamma;
    return a * static_cast<double>(std::exp(exponent));
}

// Gamma(a) = sqrt(2 pi / a) (a / e)^a exp(remainder), so the prefactor is
// sqrt(a / 2 pi) exp(-a (lambda - 1 - ln lambda) - remainder): x - a enters
// exactly and the exponent is as accurate as the result can be.
double StirlingPrefactor(double a, double x) {
    const Wide exponent = a * ShapeDeviation(a, x) + StirlingRemainder(a);
    return std::sqrt(a / kTwoPi) * static_cast<double>(std::exp(-exponent));
}

}  // namespace

double IncompleteGammaPrefactor(double a, double x) {
    if (!(a > 0.0) || !(x >= 0.0) || std::isinf(a) || std::isinf(x))
        return std::numeric_limits<double>::quiet_NaN();
    if (x == 0.0) return 0.0;
    return a < 1.0 ? SmallShapePrefactor(a, x) : StirlingPrefactor(a, x);
}

}  // namespace dyvern
