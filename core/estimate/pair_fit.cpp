#include "estimate/pair_fit.h"

#include <cmath>

#include "estimate/formula_fit.h"
#include "estimate/pair_fit_of.h"
#include "estimate/window_start.h"
#include "model/table_checks.h"

namespace dyvern {
namespace {

constexpr std::array<double, 4> kEqualFrequencies = {0.25, 0.25, 0.25, 0.25};
// Where the share of differences leaves the JC69 distance no finite value,
// the even start takes this d.
constexpr double kSaturatedStart = 1.0;

PairFit Unfitted(ModelKind model, Criterion criterion, int k, const char* problem) {
    PairFit fit;
    fit.model = model;
    fit.criterion = criterion;
    fit.k = k;
    fit.df = 15 - k;
    fit.problem = problem;
    fit.gof.reason = problem;
    return fit;
}

// The rates the window's Solve reaches from its start, and the start itself.
template <ModelKind M>
std::vector<ModelPoint<M>> WindowStarts(const PairData& data, Criterion criterion,
                                        const std::array<double, 4>& pi) {
    return {ModelCoordinates<M>::PointOf(WindowStart(data, M, criterion, pi)),
            ModelCoordinates<M>::PointOf(RatesOf(kStartValues.betat, kStartValues.kappa, pi))};
}

// Every rate even, at the frequencies pi, making JC69's d for the table.
template <ModelKind M>
ModelPoint<M> EvenStart(const PairData& data, const std::array<double, 4>& pi) {
    using Coords = ModelCoordinates<M>;
    ModelPoint<M> x = Coords::PointOf(RatesOf(kStartValues.betat, kStartValues.kappa, pi));
    const double cells = data.transitions + data.transversions + data.counts[A][A] +
                         data.counts[C][C] + data.counts[G][G] + data.counts[T][T];
    const double w = 1.0 - 4.0 / 3.0 * (data.transitions + data.transversions) / cells;
    const double d = w > 0.0 ? -0.75 * std::log(w) : kSaturatedStart;
    const std::array<double, Coords::kRates> weights = UnitWeights<M>(x);
    double total = 0.0;
    for (const double weight : weights) total += weight;
    for (int k = 0; k < Coords::kRates; ++k) x[k] = total > 0.0 ? d / total : d;
    return x;
}

// Each start with its frequency coordinates at pi, where the fit holds them.
template <ModelKind M>
std::vector<ModelPoint<M>> AtFrequencies(std::vector<ModelPoint<M>> starts,
                                         const std::array<double, 4>& pi) {
    using Coords = ModelCoordinates<M>;
    const ModelPoint<M> shares = Coords::PointOf(RatesOf(kStartValues.betat, kStartValues.kappa, pi));
    for (ModelPoint<M>& start : starts)
        for (int i = Coords::kRates; i < Coords::kSize; ++i) start[i] = shares[i];
    return starts;
}

// The other models start from HKY85's optimum, and evenly.
template <ModelKind M>
std::vector<ModelPoint<M>> FamilyStarts(const PairData& data, const FitOptions& options,
                                        const std::array<double, 4>& pi) {
    std::vector<ModelPoint<ModelKind::HKY85>> hkyStarts =
        WindowStarts<ModelKind::HKY85>(data, Criterion::MaxLikelihood, pi);
    if (options.heldFrequencies) hkyStarts = AtFrequencies<ModelKind::HKY85>(std::move(hkyStarts), pi);
    const PairOptimum<ModelKind::HKY85> hky =
        FindOptimum<ModelKind::HKY85>(data, Criterion::MaxLikelihood, options, hkyStarts);
    const Rates<double> near = ModelCoordinates<ModelKind::HKY85>::RatesAt(hky.finite.x);
    return {ModelCoordinates<M>::PointOf(near), EvenStart<M>(data, pi)};
}

// Why the model cannot be fitted to the table beyond what every model needs,
// or nullptr.
const char* ModelProblem(ModelKind model, const std::array<double, 4>& composition) {
    if (model == ModelKind::F84 && !(composition[A] + composition[G] > 0.0 &&
                                     composition[C] + composition[T] > 0.0))
        return "F84 needs both purines and pyrimidines";
    if (model == ModelKind::GTR)
        for (const double share : composition)
            if (!(share > 0.0)) return "GTR needs all four bases in the pair";
    return nullptr;
}

template <ModelKind M>
PairFit FitModel(const PairData& data, Criterion criterion, Uncertainty uncertainty,
                 const FitOptions& options, const std::array<double, 4>& pi) {
    const bool held = options.heldFrequencies && FactsOf(M).frequencies != FrequencyRule::Equal;
    const int k = FactsOf(M).freeParameters - (held ? ModelCoordinates<M>::kShares : 0);
    PairFit fit = Unfitted(M, criterion, k, "");
    if (std::isfinite(options.variation.alpha)) fit.alpha = options.variation.alpha;
    if (options.variation.invariant > 0.0) fit.pinv = options.variation.invariant;
    const bool window = Estimable(M, Estimation::LeastSquares);
    std::vector<ModelPoint<M>> starts =
        window ? WindowStarts<M>(data, criterion, pi) : FamilyStarts<M>(data, options, pi);
    if (held) starts = AtFrequencies<M>(std::move(starts), pi);
    FitPairOf<M>(fit, data, options, starts, uncertainty);
    return fit;
}

PairFit FitByModel(ModelKind model, const PairData& data, Criterion criterion,
                   Uncertainty uncertainty, const FitOptions& options,
                   const std::array<double, 4>& pi) {
    switch (model) {
        case ModelKind::JC69:
            return FitModel<ModelKind::JC69>(data, criterion, uncertainty, options, pi);
        case ModelKind::F81:
            return FitModel<ModelKind::F81>(data, criterion, uncertainty, options, pi);
        case ModelKind::K80:
            return FitModel<ModelKind::K80>(data, criterion, uncertainty, options, pi);
        case ModelKind::HKY85:
            return FitModel<ModelKind::HKY85>(data, criterion, uncertainty, options, pi);
        case ModelKind::T92:
            return FitModel<ModelKind::T92>(data, criterion, uncertainty, options, pi);
        case ModelKind::K81:
            return FitModel<ModelKind::K81>(data, criterion, uncertainty, options, pi);
        case ModelKind::F84:
            return FitModel<ModelKind::F84>(data, criterion, uncertainty, options, pi);
        case ModelKind::TN93:
            return FitModel<ModelKind::TN93>(data, criterion, uncertainty, options, pi);
        case ModelKind::GTR:
            return FitModel<ModelKind::GTR>(data, criterion, uncertainty, options, pi);
        default:
            break;
    }
    return Unfitted(model, criterion, 0, "the model has no likelihood");
}

}  // namespace

PairFit FitPair(const DivergenceCounts& counts, int siteCount, ModelKind model, Criterion criterion,
                Uncertainty uncertainty, const FitOptions& options) {
    const int k = FactsOf(model).freeParameters;
    if (const char* problem = TableProblem(counts, siteCount))
        return Unfitted(model, criterion, k, problem);
    if (!Estimable(model, EstimationOf(criterion)))
        return Unfitted(model, criterion, k, "the model cannot be estimated by that criterion");
    if (criterion == Criterion::Formula) return FormulaFit(counts, model, options);
    std::array<double, 4> pi = kEqualFrequencies;
    const bool composition = FrequenciesAtComposition(model, criterion);
    if (composition && !EmpiricalComposition(counts, siteCount, pi))
        return Unfitted(model, criterion, k, "the counts add up to more than the site count");
    if (options.heldFrequencies) pi = *options.heldFrequencies;
    std::array<double, 4> shares = BaseShares(counts, siteCount);
    if (const char* problem = ModelProblem(model, shares))
        return Unfitted(model, criterion, k, problem);
    return FitByModel(model, MakePairData(counts, siteCount), criterion, uncertainty, options, pi);
}

}  // namespace dyvern
