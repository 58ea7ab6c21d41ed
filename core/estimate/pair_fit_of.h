// FitPair for one model M (pair_fit.h): its status, its estimates in the
// table's columns, and its likelihood statistics, from the optimum of
// pair_search.h.
#pragma once

#include <cmath>
#include <type_traits>
#include <vector>

#include "estimate/pair_fit.h"
#include "estimate/pair_search.h"
#include "estimate/profile_interval.h"
#include "estimate/standard_errors.h"
#include "stats/information_criteria.h"

namespace dyvern {
namespace pair_fit_detail {

template <ModelKind M>
bool AnyRateAtZero(const ModelPoint<M>& x, unsigned mask) {
    for (int k = 0; k < ModelCoordinates<M>::kRates; ++k)
        if ((mask >> k & 1u) && x[k] == 0.0) return true;
    return false;
}

template <ModelKind M>
FitStatus StatusOf(const PairData& data, const PairOptimum<M>& optimum) {
    using Coords = ModelCoordinates<M>;
    if (data.transitions + data.transversions == 0.0) return FitStatus::Identical;
    if (optimum.saturated()) return FitStatus::Saturated;
    if (Coords::kTransversions != 0 && data.transversions == 0.0) return FitStatus::NoTransversions;
    if (AnyRateAtZero<M>(optimum.finite.x, Coords::kTransitions)) return FitStatus::KappaZero;
    return FitStatus::Ok;
}

// The estimates as the status states them. Where a rate cannot matter (no
// change, or no transversion) the search leaves it where it started; it is
// set to its edge instead, which leaves the likelihood as it is.
template <ModelKind M>
ModelPoint<M> EstimatedPoint(FitStatus status, const PairOptimum<M>& optimum) {
    using Coords = ModelCoordinates<M>;
    if (status == FitStatus::Saturated) return optimum.limit.x;
    ModelPoint<M> x = optimum.finite.x;
    for (int k = 0; k < Coords::kRates; ++k) {
        const bool transversion = Coords::kTransversions >> k & 1u;
        if (status == FitStatus::Identical || (status == FitStatus::NoTransversions && transversion))
            x[k] = 0.0;
    }
    return x;
}

// Each pair's rate against G <-> T's.
inline std::array<double, 6> RelativeRates(const std::array<double, 6>& theta) {
    std::array<double, 6> relative;
    for (int p = 0; p < kBasePairs; ++p) relative[p] = theta[p] / theta[kGT];
    return relative;
}

// The parameters in the table's columns, which depend on how the model is
// written. s / v is +inf without transversions, NaN with no change or every
// change saturated; without a base pair that can show a transition, kappa is
// not determined.
template <ModelKind M>
void SetParameters(PairFit& fit, const ModelPoint<M>& x) {
    const auto rates = ModelCoordinates<M>::RatesAt(x);
    fit.pi = Frequencies(rates);
    if constexpr (std::is_same_v<std::decay_t<decltype(rates)>, Rates<double>>) {
        fit.bt = rates.v;
        const bool transitionsPossible = fit.pi[A] * fit.pi[G] + fit.pi[C] * fit.pi[T] > 0.0;
        if constexpr (M == ModelKind::TN93) {
            fit.kappaR = rates.sR / rates.v;
            fit.kappaY = rates.sY / rates.v;
        } else if constexpr (M == ModelKind::F84) {
            fit.kappa = x[1] / x[0];
        } else {
            fit.kappa = KappaFree(M) ? (transitionsPossible ? rates.sR / rates.v : kNotApplicable)
                                     : 1.0;
        }
        if constexpr (M == ModelKind::T92) fit.gc = x[2];
    } else if constexpr (std::is_same_v<std::decay_t<decltype(rates)>, ThreeTypeRates<double>>) {
        fit.rates = RelativeRates({rates.typeII, rates.transitions, rates.typeI, rates.typeI,
                                   rates.transitions, rates.typeII});
    } else {
        fit.rates = RelativeRates(rates.theta);
    }
}

template <ModelKind M>
void SetEstimates(PairFit& fit, const PairData& data, const ModelPoint<M>& x,
                  const RateVariation& variation) {
    const auto rates = ModelCoordinates<M>::RatesAt(x);
    SetParameters<M>(fit, x);
    fit.d = Distance(rates);
    fit.lnL = LogLikelihood(data, rates, variation);
    if constexpr (std::is_same_v<std::decay_t<decltype(rates)>, Rates<double>>) {
        if (Estimable(M, Estimation::LeastSquares)) fit.ss = SumOfSquares(data, rates, M);
    }
    DivergenceCounts expected;
    const CellTable<double> joint = JointProbabilities(rates, variation);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) expected[i][j] = joint[i][j] * data.siteCount;
    fit.gof = TestGoodnessOfFit(data.counts, expected, fit.df);
}

template <ModelKind M>
void SetLikelihoodStatistics(PairFit& fit, const PairData& data, const FitOptions& options,
                             const PairOptimum<M>& optimum, const ModelPoint<M>& best,
                             Uncertainty uncertainty) {
    const InformationCriteria criteria = CriteriaOf(fit.lnL, fit.k, data.siteCount);
    fit.aic = criteria.aic;
    fit.aicc = criteria.aicc;
    fit.bic = criteria.bic;
    if (uncertainty == Uncertainty::None) return;
    if (fit.status != FitStatus::Saturated) {
        const StandardErrors errors = ObservedInformationErrors<M>(data, options, best);
        fit.seD = errors.d;
        fit.seKappa = errors.kappa;
    }
    if (uncertainty == Uncertainty::StandardErrors) return;
    ModelDistanceProfile<M> profile(data, options, best);
    const DistanceInterval interval =
        ProfileInterval(profile, fit.d, fit.seD, fit.lnL, -optimum.limit.value);
    fit.dLow = interval.low;
    fit.dHigh = interval.high;
}

}  // namespace pair_fit_detail

// The fit of model M from the given starts, into `fit` (whose model,
// criterion, k and df are set).
template <ModelKind M>
void FitPairOf(PairFit& fit, const PairData& data, const FitOptions& options,
               const std::vector<ModelPoint<M>>& starts, Uncertainty uncertainty) {
    using namespace pair_fit_detail;
    const PairOptimum<M> optimum = FindOptimum<M>(data, fit.criterion, options, starts);
    fit.status = StatusOf<M>(data, optimum);
    const ModelPoint<M> x = EstimatedPoint<M>(fit.status, optimum);
    fit.converged = (fit.status == FitStatus::Saturated ? optimum.limit : optimum.finite).converged;
    SetEstimates<M>(fit, data, x, options.variation);
    if (fit.criterion == Criterion::MaxLikelihood)
        SetLikelihoodStatistics<M>(fit, data, options, optimum, x, uncertainty);
}

}  // namespace dyvern
