#include "estimate/search_coordinates.h"

#include <cmath>
#include <limits>

namespace dyvern {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

SearchBox SharesBox(ModelKind model, Criterion criterion) {
    SearchBox box;
    box.lower.fill(0.0);
    box.upper.fill(1.0);
    const bool shares = FrequenciesFree(model, criterion);
    box.free = {false, false, shares, shares, shares};
    return box;
}

}  // namespace

Point ProfilePoint(const Rates<double>& k) {
    const double d = Distance(k);
    const DistanceWeights<double> w = WeightsOf(k.r, k.a, k.c);
    const double A = w.transversions;
    const double B = w.transitions();
    double phi = A + B > 0.0 ? A / (A + B) : 0.5;
    if (d > 0.0 && std::isfinite(d)) phi = k.v * A / d;
    return {d, phi, k.r, k.a, k.c};
}

SearchBox FitBox(ModelKind model, Criterion criterion) {
    SearchBox box = SharesBox(model, criterion);
    box.upper[kV] = box.upper[kS] = kInfinity;
    box.free[kV] = true;
    box.free[kS] = KappaFree(model);
    return box;
}

SearchBox ProfileBox(ModelKind model, Criterion criterion) {
    SearchBox box = SharesBox(model, criterion);
    box.free[1] = KappaFree(model);
    return box;
}

}  // namespace dyvern
