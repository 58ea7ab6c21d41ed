#include "distance/pair_distance.h"

#include <cmath>
#include <limits>
#include <optional>

#include "distance/face_margin.h"
#include "distance/general_likelihood.h"
#include "distance/hky_least_squares.h"
#include "distance/likelihood_checks.h"
#include "distance/likelihood_newton.h"
#include "distance/tamura_nei_likelihood.h"
#include "estimate/pair_fit.h"
#include "formula/formula_distance.h"
#include "model/model_family.h"
#include "model/substitution_rates.h"
#include "model/table_checks.h"

namespace dyvern {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();
// A logarithm's argument this close to 0 is an edge: saturated or not is
// for the full fit to say.
constexpr double kEdgeMargin = 1e-5;
// A finite optimum near a limit of infinite d is only taken by this margin.
constexpr double kClearGain = 1e-9;
constexpr double kSaturatedS = 1e4;

using Fast = std::optional<PairDistance>;

PairDistance Result(int sites, double d, double seD, FitStatus status) {
    return {sites, d, seD, status};
}

PairDistance Saturated(int sites) { return {sites, kInfinity, kNaN, FitStatus::Saturated}; }

// d from a formula whose logarithm's argument is w: finite when w is clear
// of 0, saturated when clearly below it, else nothing.
Fast FromFormula(int sites, double w, const FormulaDistance& f, bool withError, FitStatus status) {
    if (w > kEdgeMargin)
        return Result(sites, f.d, withError ? std::sqrt(f.variance) : kNaN, status);
    if (w < -kEdgeMargin) return Saturated(sites);
    return std::nullopt;
}

Fast Kimura(int sites, double P, double Q, double n, bool withError) {
    const double w1 = 1.0 - 2.0 * P - Q, w2 = 1.0 - 2.0 * Q;
    if (!(w1 > kEdgeMargin && w2 > kEdgeMargin)) return std::nullopt;
    const FormulaDistance f = FormulaDistanceOfShares(ModelKind::K80, SharesByKind(n, P, Q),
                                                      {0.25, 0.25, 0.25, 0.25}, {}, withError);
    if (Q == 0.0)
        return Result(sites, f.d, withError ? std::sqrt(f.variance) : kNaN,
                      FitStatus::NoTransversions);
    if (!(f.parameters.kappa > kFaceMargin)) return std::nullopt;
    return Result(sites, f.d, withError ? std::sqrt(f.variance) : kNaN, FitStatus::Ok);
}

// On s = 0 the optimum must press against the face: lnL would grow with s < 0.
bool PressesOnKappaZero(const LikelihoodOptimum& optimum) {
    return optimum.expansion.gradient[kS] <
           -kFaceMargin * (1.0 + std::fabs(optimum.expansion.value));
}

// The optimum from the start, if it converges clear of the faces and beats
// the limits where d is infinite: independence, and `otherLimit` when given.
Fast FromNewton(int sites, ModelKind model, const LikelihoodTerms& terms, const TermPoint& start,
                const FreeCoordinates& c, const Totals& totals, FitStatus status, bool withError,
                double otherLimit = -kInfinity) {
    const LikelihoodOptimum optimum = MaximiseLikelihood(terms, start, c);
    if (!optimum.converged || !ClearOfFaces<HkyLayout>(optimum.x, c)) return std::nullopt;
    if (status == FitStatus::KappaZero && !PressesOnKappaZero(optimum)) return std::nullopt;
    const double value = optimum.expansion.value;
    if (!BeatsIndependence(value, totals, c.free[kR])) return std::nullopt;
    if (std::isfinite(otherLimit) && !(value > otherLimit + kClearGain * std::fabs(otherLimit)))
        return std::nullopt;
    const Rates<double> rates{optimum.x[kV], optimum.x[kS],      optimum.x[kS],
                              optimum.x[kR], optimum.x[kShareA], optimum.x[kShareC]};
    return Result(sites, Distance(rates), withError ? DistanceError(optimum, model) : kNaN, status);
}

// lnL where transitions are saturated (s beyond where e^-s underflows) and
// v and the frequencies are searched; NaN when that search fails.
double SaturatedTransitions(const LikelihoodTerms& terms, TermPoint x, const FreeCoordinates& c) {
    x[kS] = kSaturatedS;
    const LikelihoodOptimum limit = MaximiseLikelihood(terms, x, c);
    return limit.converged ? limit.expansion.value : kNaN;
}

// No s matches the observed shares: either too few transitions, so that the
// optimum presses on s = 0, or too many, so that a finite optimum, if any,
// has s large. Either must clearly beat the limit of saturated transitions.
Fast UnmatchedTransitions(int sites, const LikelihoodTerms& terms, TermPoint x, FreeCoordinates c,
                          const Totals& totals, bool withError) {
    const double limit = SaturatedTransitions(terms, x, c);
    if (std::isnan(limit)) return std::nullopt;
    x[kS] = 0.0;
    const Fast kappaZero = FromNewton(sites, ModelKind::HKY85, terms, x, c, totals,
                                      FitStatus::KappaZero, withError, limit);
    if (kappaZero) return kappaZero;
    x[kS] = x[kV] + 5.0 / std::fmin(x[kR], 1.0 - x[kR]);
    c.free[kS] = true;
    return FromNewton(sites, ModelKind::HKY85, terms, x, c, totals, FitStatus::Ok, withError,
                      limit);
}

// The frequency shares r, a, c of the composition; a share whose base is
// absent stays on its face, where the optimum has it.
bool Shares(const LikelihoodTerms& terms, const std::array<double, 4>& pi, TermPoint& x,
            FreeCoordinates& c) {
    if (terms.lnR == 0.0 || terms.lnY == 0.0) return false;
    x[kR] = pi[A] + pi[G];
    x[kShareA] = terms.lnA == 0.0 ? 0.0 : terms.lnNotA == 0.0 ? 1.0 : pi[A] / x[kR];
    x[kShareC] = terms.lnC == 0.0 ? 0.0 : terms.lnNotC == 0.0 ? 1.0 : pi[C] / (1.0 - x[kR]);
    c.free[kR] = true;
    c.free[kShareA] = terms.lnA != 0.0 && terms.lnNotA != 0.0;
    c.free[kShareC] = terms.lnC != 0.0 && terms.lnNotC != 0.0;
    return true;
}

Fast KimuraKappaZero(int sites, const DivergenceCounts& counts, const Totals& t, bool withError) {
    const double Q = t.transversions / t.cells;
    if (!(1.0 - 2.0 * Q > kEdgeMargin)) return std::nullopt;
    const TermPoint start{-std::log1p(-2.0 * Q), 0.0, 0.5, 0.5, 0.5};
    FreeCoordinates c;
    c.free[kV] = true;
    return FromNewton(sites, ModelKind::K80, TermsOf(counts), start, c, t, FitStatus::KappaZero,
                      withError);
}

Fast Likelihood(const DivergenceCounts& counts, int sites, ModelKind model, const Totals& t,
                bool withError) {
    const double P = t.transitions / t.cells, Q = t.transversions / t.cells;
    if (model == ModelKind::JC69) {
        const double p = P + Q;
        return FromFormula(sites, 1.0 - 4.0 * p / 3.0,
                           FormulaDistanceOfShares(ModelKind::JC69, SharesByKind(t.cells, P, Q),
                                                   {0.25, 0.25, 0.25, 0.25}, {}, withError),
                           withError, FitStatus::Ok);
    }
    if (model == ModelKind::K80) {
        const Fast fast = Kimura(sites, P, Q, t.cells, withError);
        if (fast || Q == 0.0) return fast;
        const FormulaDistance f = FormulaDistanceOfShares(
            ModelKind::K80, SharesByKind(t.cells, P, Q), {0.25, 0.25, 0.25, 0.25}, {}, false);
        if (f.parameters.kappa < -kFaceMargin) return KimuraKappaZero(sites, counts, t, withError);
        return std::nullopt;
    }
    if (model == ModelKind::TN93) return TamuraNeiLikelihood(counts, sites, t, withError);
    if (model == ModelKind::GTR) return GeneralLikelihood(counts, sites, t, withError);
    const LikelihoodTerms terms = TermsOf(counts);
    const std::array<double, 4> pi = CompositionOf(t);
    TermPoint x{};
    FreeCoordinates c;
    if (!Shares(terms, pi, x, c)) return std::nullopt;
    c.free[kV] = true;
    if (model == ModelKind::F81) {
        double B = 1.0;
        for (const double f : pi) B -= f * f;
        const double w = 1.0 - (P + Q) / B;
        if (!(w > 1e-3)) return std::nullopt;
        x[kV] = x[kS] = -std::log(w);
        c.sTiedToV = true;
        return FromNewton(sites, model, terms, x, c, t, FitStatus::Ok, withError);
    }
    TwoRates start;
    if (!MatchingRates(pi, P, Q, start)) {
        const double q = Q / (2.0 * x[kR] * (1.0 - x[kR]));
        if (!(Q > 0.0 && q < 1.0 - kEdgeMargin)) return std::nullopt;
        x[kV] = -std::log1p(-q);
        return UnmatchedTransitions(sites, terms, x, c, t, withError);
    }
    x[kV] = start.v;
    x[kS] = start.s;
    c.free[kS] = true;
    // Without transversions v is 0 at the optimum, on its face.
    c.free[kV] = Q > 0.0;
    return FromNewton(sites, model, terms, x, c, t,
                      Q > 0.0 ? FitStatus::Ok : FitStatus::NoTransversions, withError);
}

Fast LeastSquares(const DivergenceCounts& counts, int sites, ModelKind model, const Totals& t) {
    const double P = t.transitions / sites, Q = t.transversions / sites;
    if (model == ModelKind::JC69) {
        const double p = P + Q;
        return FromFormula(sites, 1.0 - 4.0 * p / 3.0,
                           FormulaDistanceOfShares(ModelKind::JC69, SharesByKind(sites, P, Q),
                                                   {0.25, 0.25, 0.25, 0.25}, {}, false),
                           false, FitStatus::Ok);
    }
    if (model == ModelKind::K80) return Kimura(sites, P, Q, sites, false);
    std::array<double, 4> pi{};
    EmpiricalComposition(counts, sites, pi);
    if (model == ModelKind::F81) {
        const FormulaDistance f =
            FormulaDistanceOfShares(ModelKind::F81, SharesByKind(sites, P, Q), pi, {}, false);
        double B = 1.0;
        for (const double share : pi) B -= share * share;
        if (!(B > kEdgeMargin)) return std::nullopt;
        return FromFormula(sites, 1.0 - (P + Q) / B, f, false, FitStatus::Ok);
    }
    TwoRates rates;
    if (!MatchingRates(pi, P, Q, rates)) return std::nullopt;
    const DistanceWeights<double> w = WeightsOf(pi);
    return Result(sites, rates.v * w.transversions + rates.s * w.transitions(), kNaN,
                  Q > 0.0 ? FitStatus::Ok : FitStatus::NoTransversions);
}

// JC69 and K80 see a table through its totals of each kind alone: pooled,
// tables counted cell by cell or by kind give the same bits.
DivergenceCounts PooledByKind(const DivergenceCounts& counts) {
    const Totals t = TotalsOf(counts);
    DivergenceCounts pooled{};
    pooled[A][A] = t.cells - t.transitions - t.transversions;
    pooled[A][G] = t.transitions;
    pooled[A][C] = t.transversions;
    return pooled;
}

PairDistance FullFit(const DivergenceCounts& counts, int sites, ModelKind model,
                     Criterion criterion, bool withError) {
    const PairFit fit = FitPair(counts, sites, model, criterion,
                                withError ? Uncertainty::StandardErrors : Uncertainty::None);
    return {sites, fit.d, fit.seD, fit.status};
}

bool FastModel(ModelKind model, Criterion criterion) {
    if (model == ModelKind::TN93 || model == ModelKind::GTR)
        return criterion == Criterion::MaxLikelihood;
    return Estimable(model, Estimation::LeastSquares) &&
           (criterion == Criterion::MaxLikelihood || criterion == Criterion::LeastSquares);
}

}  // namespace

std::optional<PairDistance> FastDistanceOf(const DivergenceCounts& table, int siteCount,
                                           ModelKind model, Criterion criterion,
                                           bool standardError) {
    if (!FastModel(model, criterion)) return std::nullopt;
    const PairDistance unfittable{siteCount, kNaN, kNaN, FitStatus::Unfittable};
    if (TableProblem(table, siteCount)) return unfittable;
    // GTR cannot be fitted without every base, even to identical sequences.
    if (model == ModelKind::GTR)
        for (const double share : BaseShares(table, siteCount))
            if (!(share > 0.0)) return std::nullopt;
    const bool byKind = model == ModelKind::JC69 || model == ModelKind::K80;
    const DivergenceCounts counts = byKind ? PooledByKind(table) : table;
    const bool ml = criterion == Criterion::MaxLikelihood;
    if (!ml && (model == ModelKind::F81 || model == ModelKind::HKY85)) {
        std::array<double, 4> pi{};
        if (!EmpiricalComposition(counts, siteCount, pi)) return unfittable;
    }
    const Totals totals = TotalsOf(counts);
    if (totals.transitions + totals.transversions == 0.0)
        return PairDistance{siteCount, 0.0, kNaN, FitStatus::Identical};
    return ml ? Likelihood(counts, siteCount, model, totals, standardError)
              : LeastSquares(counts, siteCount, model, totals);
}

PairDistance DistanceOf(const DivergenceCounts& counts, int siteCount, ModelKind model,
                        Criterion criterion, bool standardError) {
    const std::optional<PairDistance> fast =
        FastDistanceOf(counts, siteCount, model, criterion, standardError);
    if (fast) return *fast;
    const bool byKind = model == ModelKind::JC69 || model == ModelKind::K80;
    return FullFit(byKind ? PooledByKind(counts) : counts, siteCount, model, criterion,
                   standardError);
}

PairDistance DistanceOfKinds(int sites, double transitions, double transversions, ModelKind model,
                             Criterion criterion, bool standardError) {
    DivergenceCounts pooled{};
    pooled[A][A] = sites - transitions - transversions;
    pooled[A][G] = transitions;
    pooled[A][C] = transversions;
    const bool byKind = model == ModelKind::JC69 || model == ModelKind::K80;
    if (byKind && sites > 0 && transitions + transversions > 0.0) {
        // The totals the pooled table has, without summing its cells again.
        Totals t;
        t.transitions = transitions;
        t.transversions = transversions;
        t.cells = sites;
        const Fast fast = criterion == Criterion::MaxLikelihood
                              ? Likelihood(pooled, sites, model, t, standardError)
                              : LeastSquares(pooled, sites, model, t);
        if (fast) return *fast;
    }
    return DistanceOf(pooled, sites, model, criterion, standardError);
}

PairDistance DistanceOf(const PairTable& table, ModelKind model, Criterion criterion,
                        bool standardError) {
    return DistanceOf(table.counts, table.sites, model, criterion, standardError);
}

}  // namespace dyvern
