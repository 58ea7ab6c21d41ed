#include "estimate/formula_fit.h"

#include <cmath>

#include "formula/base_composition.h"
#include "formula/formula_distance.h"
#include "model/model_family.h"

namespace dyvern {
namespace {

constexpr std::array<double, 4> kEqualFrequencies = {0.25, 0.25, 0.25, 0.25};

}  // namespace

FormulaSettings FormulaSettingsOf(ModelKind model, const FitOptions& options) {
    FormulaSettings settings;
    if (std::isfinite(options.variation.alpha)) settings.gammaShape = options.variation.alpha;
    if (model == ModelKind::Paralinear) {
        if (!options.sequenceFrequencies) return settings;
        settings.origin = FrequencyOrigin::Given;
        settings.sequence1 = (*options.sequenceFrequencies)[0];
        settings.sequence2 = (*options.sequenceFrequencies)[1];
        return settings;
    }
    if (!options.heldFrequencies) return settings;
    settings.origin = FrequencyOrigin::Given;
    settings.frequencies = *options.heldFrequencies;
    return settings;
}

namespace {

// The frequencies the formula used: its own 1/4, the given ones, or the
// pair's composition over the sites the table holds.
std::array<double, 4> FrequenciesUsed(const DivergenceCounts& counts, ModelKind model,
                                      const FitOptions& options) {
    const FrequencyRule rule = FactsOf(model).frequencies;
    if (rule == FrequencyRule::None)
        return {kNotApplicable, kNotApplicable, kNotApplicable, kNotApplicable};
    if (rule == FrequencyRule::Equal) return kEqualFrequencies;
    if (options.heldFrequencies) return *options.heldFrequencies;
    double sites = 0.0;
    for (const auto& row : counts)
        for (const double cell : row) sites += cell;
    return PairComposition(counts, sites);
}

}  // namespace

PairFit FormulaFit(const DivergenceCounts& counts, ModelKind model, const FitOptions& options) {
    const FormulaDistance form =
        FormulaDistanceOf(model, counts, FormulaSettingsOf(model, options));
    PairFit fit;
    fit.model = model;
    fit.criterion = Criterion::Formula;
    fit.status = form.status;
    fit.problem = form.problem ? form.problem : "";
    fit.gof.reason = fit.problem;
    fit.d = form.d;
    fit.seD = form.variance >= 0.0 ? std::sqrt(form.variance) : kNotApplicable;
    fit.kappa = form.parameters.kappa;
    fit.gc = form.parameters.gc;
    fit.kappaR = form.parameters.kappaR;
    fit.kappaY = form.parameters.kappaY;
    if (fit.status != FitStatus::Unfittable) fit.pi = FrequenciesUsed(counts, model, options);
    if (model == ModelKind::T92 && std::isfinite(fit.gc))
        fit.pi = {(1.0 - fit.gc) / 2, fit.gc / 2, fit.gc / 2, (1.0 - fit.gc) / 2};
    if (std::isfinite(options.variation.alpha)) fit.alpha = options.variation.alpha;
    fit.converged = fit.status != FitStatus::Unfittable;
    return fit;
}

}  // namespace dyvern
