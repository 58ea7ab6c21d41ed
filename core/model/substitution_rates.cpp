#include "model/substitution_rates.h"

namespace dyvern {
namespace {

double ShareOf(double part, double whole) { return whole > 0.0 ? part / whole : 0.5; }

}  // namespace

Rates<double> RatesOf(double bt, double kappa, const std::array<double, 4>& pi) {
    const double purines = pi[A] + pi[G];
    const double s = bt * kappa;
    return {bt, s, s, purines, ShareOf(pi[A], purines), ShareOf(pi[C], 1.0 - purines)};
}

}  // namespace dyvern
