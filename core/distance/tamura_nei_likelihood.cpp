#include "distance/tamura_nei_likelihood.h"

#include <cmath>
#include <limits>

#include "formula/formula_distance.h"
#include "model/substitution_rates.h"

namespace dyvern {
namespace {

using Layout = TamuraNeiLayout;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct ClassRates {
    double v = 0.0, sR = 0.0, sY = 0.0;
};

FormulaDistance FormAt(const DifferenceShares& shares, const std::array<double, 4>& pi) {
    return FormulaDistanceOfShares(ModelKind::TN93, shares, pi, std::nullopt, false);
}

// The closed form's rates, as its d and rate ratios give them: d is
// v (wV + kappaR wR + kappaY wY), w the d a unit of each rate makes.
// Without transversions v is 0 and the form splits into a term of each
// class of transition, each its class's rate times its weight. A rate
// below 0 starts on its face.
std::optional<ClassRates> ClosedFormRates(const LikelihoodTerms& terms, double n,
                                          const std::array<double, 4>& pi) {
    DifferenceShares shares;
    shares.sites = n;
    shares.purineTransitions = terms.purineTransitions / n;
    shares.pyrimidineTransitions = terms.pyrimidineTransitions / n;
    shares.weakStrongTransversions = terms.transversions / n;
    const FormulaDistance form = FormAt(shares, pi);
    if (form.status == FitStatus::Saturated || form.status == FitStatus::Unfittable ||
        form.kimuraFallback)
        return std::nullopt;
    const DistanceWeights<double> w = WeightsOf(pi);
    ClassRates k;
    if (terms.transversions > 0.0) {
        const double kappaR = form.parameters.kappaR, kappaY = form.parameters.kappaY;
        k.v = form.d /
              (w.transversions + kappaR * w.purineTransitions + kappaY * w.pyrimidineTransitions);
        k.sR = kappaR * k.v;
        k.sY = kappaY * k.v;
    } else {
        DifferenceShares purines = shares, pyrimidines = shares;
        purines.pyrimidineTransitions = pyrimidines.purineTransitions = 0.0;
        k.sR = FormAt(purines, pi).d / w.purineTransitions;
        k.sY = FormAt(pyrimidines, pi).d / w.pyrimidineTransitions;
    }
    if (!(std::isfinite(k.v) && std::isfinite(k.sR) && std::isfinite(k.sY))) return std::nullopt;
    k.sR = std::fmax(k.sR, 0.0);
    k.sY = std::fmax(k.sY, 0.0);
    return k;
}

// Whether each coordinate that moved ended clear of the box's faces, or, a
// transition rate, on 0 with lnL clearly falling into the box.
bool Settled(const LikelihoodOptimumOf<Layout::kSize>& optimum,
             const FreeCoordinatesOf<Layout::kSize>& c) {
    FreeCoordinatesOf<Layout::kSize> clear = c;
    for (const int s : {Layout::kSR, Layout::kSY}) {
        if (optimum.x[s] != 0.0) continue;
        const double pressed = -kFaceMargin * (1.0 + std::fabs(optimum.expansion.value));
        if (!(optimum.expansion.gradient[s] < pressed)) return false;
        clear.free[s] = false;
    }
    return ClearOfFaces<Layout>(optimum.x, clear);
}

FitStatus StatusOf(const Point<Layout::kSize>& x, bool transversions) {
    if (!transversions) return FitStatus::NoTransversions;
    return x[Layout::kSR] == 0.0 || x[Layout::kSY] == 0.0 ? FitStatus::KappaZero : FitStatus::Ok;
}

}  // namespace

std::optional<PairDistance> TamuraNeiLikelihood(const DivergenceCounts& counts, int sites,
                                                const Totals& totals, bool withError) {
    const std::array<double, 4> pi = CompositionOf(totals);
    for (const double share : pi)
        if (!(share > 0.0)) return std::nullopt;
    const LikelihoodTerms terms = TermsOf(counts);
    const std::optional<ClassRates> k = ClosedFormRates(terms, totals.cells, pi);
    if (!k) return std::nullopt;
    const double r = pi[A] + pi[G];
    const Point<Layout::kSize> start{k->v, k->sR, k->sY, r, pi[A] / r, pi[C] / (1.0 - r)};
    const bool transversions = totals.transversions > 0.0;
    FreeCoordinatesOf<Layout::kSize> c;
    c.free.fill(true);
    // Without transversions v is 0 at the optimum, on its face.
    c.free[Layout::kV] = transversions;
    const LikelihoodOptimumOf<Layout::kSize> optimum = MaximiseLikelihood<Layout>(terms, start, c);
    if (!optimum.converged || !Settled(optimum, c) ||
        !BeatsIndependence(optimum.expansion.value, totals, true))
        return std::nullopt;
    const Point<Layout::kSize>& x = optimum.x;
    Rates<double> rates{x[Layout::kV], x[Layout::kSR], x[Layout::kSY],
                        x[Layout::kR], x[Layout::kA],  x[Layout::kC]};
    rates.oneTransitionRate = false;
    return PairDistance{sites, Distance(rates), withError ? DistanceError(optimum) : kNaN,
                        StatusOf(x, transversions)};
}

}  // namespace dyvern
