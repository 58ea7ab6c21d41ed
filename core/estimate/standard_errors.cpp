#include "estimate/standard_errors.h"

#include <limits>

#include "estimate/search_coordinates.h"

namespace dyvern {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

}  // namespace

StandardErrors ErrorsAtOptimum(const Jet& negativeLnL, const Point& x, ModelKind model) {
    const SearchBox box = FitBox(model, Criterion::MaxLikelihood);
    const IndexList interior = InteriorVariables(negativeLnL, x, box);
    StandardErrors errors{kNaN, kNaN};
    // Neither rate off its bound: d sits on its own (no change at all).
    const bool rateMoves = !interior.empty() && interior[0] <= kS;
    if (!rateMoves) return errors;
    const Rates<Dual<kJetSize>> rates = FitRates(DualsAt(x, box.free), model);
    errors.d = DeltaMethodError(negativeLnL, Distance(rates), interior);
    const bool kappaInterior = KappaFree(model) && interior.size() >= 2 && interior[1] == kS;
    if (kappaInterior) errors.kappa = DeltaMethodError(negativeLnL, rates.sR / rates.v, interior);
    return errors;
}

StandardErrors ObservedInformationErrors(const PairData& data, ModelKind model,
                                         const Rates<double>& optimum) {
    const SearchBox box = FitBox(model, Criterion::MaxLikelihood);
    const Point x = FitPoint(optimum);
    const auto negativeLnL =
        MakeSmooth([&](const auto& p) { return -LogLikelihood(data, FitRates(p, model)); });
    return ErrorsAtOptimum(negativeLnL.Expansion(x, box.free), x, model);
}

}  // namespace dyvern
