#include "estimate/standard_errors.h"

#include <cmath>
#include <limits>
#include <vector>

#include "estimate/box_newton.h"
#include "estimate/search_coordinates.h"
#include "estimate/small_matrix.h"

namespace dyvern {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The free coordinates strictly inside their bounds along which the
// likelihood curves.
std::vector<int> InteriorVariables(const Jet& f, const Point& x, const SearchBox& box) {
    std::vector<int> interior;
    for (int i = 0; i < kJetSize; ++i) {
        if (!box.free[i] || !(x[i] > box.lower[i] && x[i] < box.upper[i])) continue;
        if (f.hessian[i][i] != 0.0) interior.push_back(i);
    }
    return interior;
}

// sqrt(g' H^-1 g) for the gradient g of a function of the coordinates.
double DeltaMethod(const SmallMatrix& H, const Jet& quantity, const std::vector<int>& interior) {
    const SmallVector g = GradientPart(quantity, interior);
    SmallVector y;
    if (!SolvePositiveDefinite(H, g, y)) return kNaN;
    double variance = 0.0;
    for (std::size_t k = 0; k < g.size(); ++k) variance += g[k] * y[k];
    return variance >= 0.0 ? std::sqrt(variance) : kNaN;
}

}  // namespace

StandardErrors ObservedInformationErrors(const PairData& data, ModelKind model,
                                         const Rates<double>& optimum) {
    const SearchBox box = FitBox(model, Criterion::MaxLikelihood);
    const Point x = FitPoint(optimum);
    const auto negativeLnL =
        MakeSmooth([&](const auto& p) { return -LogLikelihood(data, FitRates(p, model)); });
    const Jet f = ExpandAt(negativeLnL, x, box.free);
    const std::vector<int> interior = InteriorVariables(f, x, box);

    JetPoint jets;
    for (int i = 0; i < kJetSize; ++i) jets[i] = box.free[i] ? JetVariable(x[i], i) : Jet(x[i]);
    const Rates<Jet> rates = FitRates(jets, model);

    StandardErrors errors{kNaN, kNaN};
    const bool rateMoves = !interior.empty() && interior.front() <= 1;
    if (!rateMoves) return errors;
    const SmallMatrix H = HessianPart(f, interior);
    errors.d = DeltaMethod(H, Distance(rates), interior);
    const bool kappaInterior = KappaFree(model) && interior.size() >= 2 && interior[1] == 1;
    if (kappaInterior) errors.kappa = DeltaMethod(H, rates.s / rates.v, interior);
    return errors;
}

}  // namespace dyvern
