#include "estimate/pair_fit.h"

#include "estimate/pair_search.h"
#include "estimate/profile_interval.h"
#include "estimate/standard_errors.h"
#include "estimate/window_start.h"
#include "model/table_checks.h"
#include "stats/information_criteria.h"

namespace dyvern {
namespace {

constexpr std::array<double, 4> kEqualFrequencies = {0.25, 0.25, 0.25, 0.25};

PairFit Unfitted(ModelKind model, Criterion criterion, const char* problem) {
    PairFit fit;
    fit.model = model;
    fit.criterion = criterion;
    fit.df = FitTestDegreesOfFreedom(model);
    fit.k = FactsOf(model).freeParameters;
    fit.problem = problem;
    fit.gof.reason = problem;
    return fit;
}

FitStatus StatusOf(const PairData& data, ModelKind model, const PairOptimum& optimum) {
    if (data.transitions + data.transversions == 0.0) return FitStatus::Identical;
    if (optimum.saturated()) return FitStatus::Saturated;
    if (KappaFree(model) && data.transversions == 0.0) return FitStatus::NoTransversions;
    if (KappaFree(model) && optimum.finite.rates.sR == 0.0) return FitStatus::KappaZero;
    return FitStatus::Ok;
}

// The estimates as the status states them. Where a rate cannot matter (no
// change, or a class of bases absent so that no transversion can occur) the
// search leaves it where it started; it is set to its edge instead, which
// leaves the likelihood as it is.
Rates<double> EstimatedRates(FitStatus status, const PairOptimum& optimum) {
    if (status == FitStatus::Saturated) return optimum.limit.rates;
    Rates<double> k = optimum.finite.rates;
    if (status == FitStatus::Identical) k.v = k.sR = k.sY = 0.0;
    if (status == FitStatus::NoTransversions) k.v = 0.0;
    return k;
}

void SetEstimates(PairFit& fit, const PairData& data, const Rates<double>& k) {
    fit.bt = k.v;
    fit.pi = Frequencies(k);
    // s / v is +inf without transversions, NaN with no change or every change
    // saturated; without a base pair that can show a transition, not determined.
    const bool transitionsPossible = fit.pi[A] * fit.pi[G] + fit.pi[C] * fit.pi[T] > 0.0;
    fit.kappa = KappaFree(fit.model) ? (transitionsPossible ? k.sR / k.v : kNotApplicable) : 1.0;
    fit.d = Distance(k);
    fit.lnL = LogLikelihood(data, k);
    fit.ss = SumOfSquares(data, k, fit.model);
    DivergenceCounts expected;
    const CellTable<double> joint = JointProbabilities(k);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) expected[i][j] = joint[i][j] * data.siteCount;
    fit.gof = TestGoodnessOfFit(data.counts, expected, fit.df);
}

void SetLikelihoodStatistics(PairFit& fit, const PairData& data, const PairOptimum& optimum,
                             const Rates<double>& best, Uncertainty uncertainty) {
    const InformationCriteria criteria = CriteriaOf(fit.lnL, fit.k, data.siteCount);
    fit.aic = criteria.aic;
    fit.aicc = criteria.aicc;
    fit.bic = criteria.bic;
    if (uncertainty == Uncertainty::None) return;
    if (fit.status != FitStatus::Saturated) {
        const StandardErrors errors = ObservedInformationErrors(data, fit.model, best);
        fit.seD = errors.d;
        fit.seKappa = errors.kappa;
    }
    if (uncertainty == Uncertainty::StandardErrors) return;
    DistanceProfile profile(data, fit.model, best);
    const DistanceInterval interval =
        ProfileInterval(profile, fit.d, fit.seD, fit.lnL, -optimum.limit.value);
    fit.dLow = interval.low;
    fit.dHigh = interval.high;
}

}  // namespace

PairFit FitPair(const DivergenceCounts& counts, int siteCount, ModelKind model, Criterion criterion,
                Uncertainty uncertainty) {
    if (const char* problem = TableProblem(counts, siteCount))
        return Unfitted(model, criterion, problem);
    std::array<double, 4> pi = kEqualFrequencies;
    if (FrequenciesAtComposition(model, criterion) && !EmpiricalComposition(counts, siteCount, pi))
        return Unfitted(model, criterion, "the counts add up to more than the site count");

    PairFit fit = Unfitted(model, criterion, "");
    const PairData data = MakePairData(counts, siteCount);
    // The window's own start as well: its Powell search can wander onto a
    // plateau (kappa far out) from which Newton's method cannot return.
    const PairOptimum optimum =
        FindOptimum(data, model, criterion,
                    {WindowStart(data, model, criterion, pi),
                     RatesOf(kStartValues.betat, kStartValues.kappa, pi)});
    fit.status = StatusOf(data, model, optimum);
    const Rates<double> rates = EstimatedRates(fit.status, optimum);
    fit.converged = (fit.status == FitStatus::Saturated ? optimum.limit : optimum.finite).converged;
    SetEstimates(fit, data, rates);
    if (criterion == Criterion::MaxLikelihood)
        SetLikelihoodStatistics(fit, data, optimum, rates, uncertainty);
    return fit;
}

}  // namespace dyvern
