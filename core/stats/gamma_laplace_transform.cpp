#include "stats/gamma_laplace_transform.h"

#include <cmath>
#include <limits>

namespace dyvern {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool ValidShape(double alpha) { return alpha > 0.0 && !std::isinf(alpha); }

}  // namespace

double GammaRateLaplaceTransform(double alpha, double s) {
    if (!ValidShape(alpha) || !(s >= 0.0)) return kNaN;
    // log1p keeps small s / alpha (large alpha, the limit e^-s) exact.
    return std::exp(-alpha * std::log1p(s / alpha));
}

double InverseGammaRateLaplaceTransform(double alpha, double y) {
    if (!ValidShape(alpha) || !(y >= 0.0 && y <= 1.0)) return kNaN;
    if (y == 0.0) return std::numeric_limits<double>::infinity();
    // expm1 keeps y near 1 (small s) to its relative accuracy.
    return alpha * std::expm1(-std::log(y) / alpha);
}

}  // namespace dyvern
