#include "distance/likelihood_checks.h"

#include <cmath>

namespace dyvern {
namespace {

constexpr double kRounding = 16.0 * std::numeric_limits<double>::epsilon();

}  // namespace

Totals TotalsOf(const DivergenceCounts& n) {
    Totals t;
    t.transitions = n[A][G] + n[G][A] + n[C][T] + n[T][C];
    t.transversions = n[A][C] + n[C][A] + n[A][T] + n[T][A] + n[C][G] + n[G][C] + n[G][T] + n[T][G];
    t.cells = n[A][A] + n[C][C] + n[G][G] + n[T][T] + t.transitions + t.transversions;
    for (int b = 0; b < 4; ++b)
        t.bases[b] = n[b][A] + n[b][C] + n[b][G] + n[b][T] + n[A][b] + n[C][b] + n[G][b] + n[T][b];
    return t;
}

std::array<double, 4> CompositionOf(const Totals& t) {
    std::array<double, 4> pi;
    for (int b = 0; b < 4; ++b) pi[b] = t.bases[b] / (2.0 * t.cells);
    return pi;
}

double IndependenceLimit(const Totals& t, bool frequenciesFree) {
    if (!frequenciesFree) return t.cells * std::log(1.0 / 16.0);
    double lnL = 0.0;
    for (const double b : t.bases)
        if (b > 0.0) lnL += b * std::log(b / (2.0 * t.cells));
    return lnL;
}

bool BeatsIndependence(double value, const Totals& totals, bool frequenciesFree) {
    const double independence = IndependenceLimit(totals, frequenciesFree);
    return value > independence + kRounding * std::fabs(independence);
}

}  // namespace dyvern
